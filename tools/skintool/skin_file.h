#pragma once
// Opening a package file for the sub-commands.

#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"

#include <QString>
#include <memory>

// The container version of a package file (its first four bytes).
int ReadContainerVersion(const QString& path);

// A stored skin holding the package at `path`; ToolError when the file holds none.
std::unique_ptr<TspCompressedStoredSkin> OpenPackage(const QString& path);

// The skin of the package at `path`, loaded the way the application loads skins.
std::unique_ptr<TspSkinData> LoadSkin(const QString& path);

// The normal image of a control record composed to `size` as a control fits and paints it.
QImage ComposeRecord(const TspSkinData& skin, const TspDataSkinControl& record, QSize size);

// A control record of the loaded skin by its exact name; ToolError when absent.
const TspDataSkinControl& FindControlRecord(const TspSkinData& skin, const QString& name);
