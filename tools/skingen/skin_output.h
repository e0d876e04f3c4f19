#pragma once
// What the generator writes for each skin: the source folder (skin.ini and the BMPs it
// names, as a description import reads them) and the built-in package (.skn).

#include "skin_build.h"

#include <QByteArray>
#include <QString>

// The description text: 8-bit, every line ended by CR LF.
QByteArray DescriptionBytes(const TBuiltSkin& skin);

// Container version 2 around a payload of version 3: main and inactive picture, no
// mask, the active pictures, the description.
QByteArray PackageBytes(const TBuiltSkin& skin);

// Throws std::runtime_error when the description lacks a required record, lists it with
// a type of another record kind, or has no section for it; also when the package does not
// read back to the same pictures and text.
void CheckSkin(const TBuiltSkin& skin, const QByteArray& package);

// dir/<skn name>/skin.ini with its BMPs, and dir/<skn name>.skn.
void WriteSkin(const TBuiltSkin& skin, const QByteArray& package, const QString& dir);
