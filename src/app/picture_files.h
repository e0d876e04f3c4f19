#pragma once
// The pictures the screens name from database text (a kind, an animal's name and ID, an
// account's own picture). Such text is typed by people, so a name is only ever resolved to
// a file inside the working directory's img folder: "../cfg/Data" or an absolute path
// names no picture.

#include <QString>

// The full path of img/<name>.jpg in the current working directory when that path stays
// inside img/ and is a file; empty otherwise.
QString PictureFile(const QString& name);
