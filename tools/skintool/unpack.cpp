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

const QString kDescriptionFile = QStringLiteral("skin.ini");

// Where a picture named `name` in the description goes; `fallback` when the name is unusable
// or would overwrite the description (compared without case, as some file systems do).
QString PictureFileName(const QString& name, const QString& fallback) {
  const QString safe = SafeFileName(name);
  if (safe.isEmpty() || safe.compare(kDescriptionFile, Qt::CaseInsensitive) == 0) return fallback;
  return safe;
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
  WriteFileBytes(dir.filePath(kDescriptionFile), payload.DescriptionText);
  for (TspPayloadSlot slot : PayloadSlots(payload.Version)) {
    const QImage& picture = payload.Slot(slot);
    if (picture.isNull()) continue;
    const QString name = PictureFileName(ini.ReadString(QStringLiteral("PICTURES"), SlotKey(slot)),
                                         SlotKey(slot) + QStringLiteral(".bmp"));
    WriteBmpFile(picture, dir.filePath(name));
  }
  const QStringList names =
      ReadSkinList(ini, QStringLiteral("PICTURES"), QStringLiteral("activepictures"));
  for (size_t i = 0; i < payload.ActivePictures.size(); ++i) {
    const QString name = PictureFileName(int(i) < names.size() ? names[int(i)] : QString(),
                                         QStringLiteral("active%1.bmp").arg(i));
    WriteBmpFile(payload.ActivePictures[i], dir.filePath(name));
  }
  return 0;
}
