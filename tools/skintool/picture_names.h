#pragma once
// The [PICTURES] key of each fixed picture slot, and the file names pictures are
// unpacked under.

#include "skin/data/ini_text.h"
#include "skin/data/skin_payload.h"

#include <QString>

QString SlotKey(TspPayloadSlot slot);

// A file name for a picture taken from the description: only its last path component,
// so a description cannot make us write outside the target folder. Empty when unusable.
QString SafeFileName(const QString& name);
