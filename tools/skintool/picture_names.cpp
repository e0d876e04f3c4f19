#include "picture_names.h"

#include <QFileInfo>

QString SlotKey(TspPayloadSlot slot) {
  switch (slot) {
  case TspPayloadSlot::Picture:
    return QStringLiteral("picture");
  case TspPayloadSlot::InactivePicture:
    return QStringLiteral("inactivepicture");
  case TspPayloadSlot::MaskPicture:
    return QStringLiteral("mask");
  case TspPayloadSlot::RollUpPicture:
    return QStringLiteral("rolluppicture");
  case TspPayloadSlot::RollUpMaskPicture:
    return QStringLiteral("rollupmask");
  }
  return {};
}

QString SafeFileName(const QString& name) {
  QString base = name;
  base.replace(u'\\', u'/'); // descriptions written on other systems use backslashes
  base = QFileInfo(base).fileName();
  if (base == QLatin1String(".") || base == QLatin1String("..")) return {};
  return base;
}
