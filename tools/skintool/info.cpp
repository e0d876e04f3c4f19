// skintool info: what a package holds, field by field, then its records in list order and
// what of them the controls refuse to draw.

#include "commands.h"
#include "picture_names.h"
#include "skin_file.h"

#include "skin/data/record_check.h"

#include <QBuffer>
#include <cstdio>

namespace {
void Print(const QString& line) {
  std::printf("%s\n", line.toLocal8Bit().constData());
}

QString SizeText(const QImage& image) {
  return image.isNull() ? QStringLiteral("empty")
                        : QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
}
} // namespace

int RunInfo(const QStringList& args) {
  const QString path = args[0];
  Print(QStringLiteral("container version: %1").arg(ReadContainerVersion(path)));
  const auto stored = OpenPackage(path);

  QByteArray payload = stored->Decompress();
  QBuffer buffer(&payload);
  buffer.open(QIODevice::ReadOnly);
  TspPayloadReader reader(buffer);
  const int version = reader.ReadVersion();
  Print(QStringLiteral("payload version: %1").arg(version));
  if (version > kMaxPayloadVersion)
    throw ToolError(QStringLiteral("payload version %1 is above %2")
                        .arg(version)
                        .arg(kMaxPayloadVersion)
                        .toStdString());
  for (TspPayloadSlot slot : PayloadSlots(version))
    Print(QStringLiteral("%1: %2").arg(SlotKey(slot), SizeText(reader.ReadSlot())));
  const int count = reader.ReadActiveCount();
  Print(QStringLiteral("active pictures: %1").arg(count));
  for (int i = 0; i < count; ++i)
    Print(QStringLiteral("  %1: %2").arg(i).arg(SizeText(reader.ReadPicture())));
  Print(QStringLiteral("description: %1 bytes").arg(reader.ReadRest().size()));

  const auto skin = LoadSkin(path);
  for (const auto& record : skin->ObjectList)
    Print(QStringLiteral("object %1 %2").arg(record->IDName, record->ClassName()));
  for (const auto& record : skin->ControlList)
    Print(QStringLiteral("control %1 %2").arg(record->IDName, record->ClassName()));
  for (const auto& area : skin->AreaList) Print(QStringLiteral("area %1").arg(area->IDName));
  // What the controls, the frame, menus and hints will not draw, said once here rather than
  // on every paint.
  const auto refuse = [](const QString& name, const QStringList& refusals) {
    for (const QString& why : refusals) Print(QStringLiteral("refused %1: %2").arg(name, why));
  };
  if (!skin->Picture.isNull())
    refuse(skin->FormInfo.IDName, WindowRecordRefusals(skin->FormInfo, &skin->Picture, -1));
  const auto windowRecord = [&](const TspSkinRecord& record, int index) {
    if (index < 0) return;
    const QImage* picture =
        skin->ValidPictureIndex(index) ? &skin->ActivePictures[size_t(index)] : nullptr;
    refuse(record.IDName, WindowRecordRefusals(record, picture, index));
  };
  windowRecord(skin->PopupWindow, skin->PopupWindow.windowpictureindex);
  windowRecord(skin->HintWindow, skin->HintWindow.windowpictureindex);
  windowRecord(skin->LayerFrame, skin->LayerFrame.pictureindex);
  for (const auto& record : skin->ObjectList)
    refuse(record->IDName, ObjectRefusals(*record, skin->Picture, skin->ActivePictures));
  for (const auto& record : skin->ControlList) {
    if (!RecordDrawable(*record, skin->ActivePictures))
      Print(QStringLiteral("refused %1: drawn in the plain look").arg(record->IDName));
    for (const QString& why : RecordRefusals(*record, skin->ActivePictures))
      Print(QStringLiteral("refused %1: %2").arg(record->IDName, why));
  }
  return 0;
}
