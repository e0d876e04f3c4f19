// skintool unpack: the description as skin.ini and every picture as a BMP named as the
// description's [PICTURES] names it.

#include "commands.h"
#include "picture_names.h"
#include "skin/data/skin_values.h"
#include "skin/render/bmp_codec.h"
#include "skin_file.h"

#include <QDir>
#include <QFile>

namespace {
void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw ToolError(
        QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}
} // namespace

int RunUnpack(const QStringList& args) {
  const auto stored = OpenPackage(args[0]);
  const TspSkinPayload payload = ReadSkinPayload(stored->Decompress());
  if (payload.Version > kMaxPayloadVersion)
    throw ToolError(QStringLiteral("payload version %1 is above %2")
                        .arg(payload.Version)
                        .arg(kMaxPayloadVersion)
                        .toStdString());
  const QDir dir(args[1]);
  if (!QDir().mkpath(dir.path()))
    throw ToolError(QStringLiteral("cannot create %1").arg(dir.path()).toStdString());

  const TspIniText ini = TspIniText::ParseBytes(payload.DescriptionText);
  WriteFileBytes(dir.filePath(QStringLiteral("skin.ini")), payload.DescriptionText);
  for (TspPayloadSlot slot : PayloadSlots(payload.Version)) {
    const QImage& picture = payload.Slot(slot);
    if (picture.isNull()) continue;
    QString name = SafeFileName(ini.ReadString(QStringLiteral("PICTURES"), SlotKey(slot)));
    if (name.isEmpty()) name = SlotKey(slot) + QStringLiteral(".bmp");
    WriteBmpFile(picture, dir.filePath(name));
  }
  const QStringList names =
      ReadSkinList(ini, QStringLiteral("PICTURES"), QStringLiteral("activepictures"));
  for (size_t i = 0; i < payload.ActivePictures.size(); ++i) {
    QString name = int(i) < names.size() ? SafeFileName(names[int(i)]) : QString();
    if (name.isEmpty()) name = QStringLiteral("active%1.bmp").arg(i);
    WriteBmpFile(payload.ActivePictures[i], dir.filePath(name));
  }
  return 0;
}
