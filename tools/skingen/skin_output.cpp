#include "skin_output.h"

#include "skin/builtin/required_records.h"
#include "skin/data/ini_text.h"
#include "skin/data/record_registry.h"
#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"
#include "skin/render/bmp_codec.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <memory>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const TBuiltSkin& skin, const QString& what) {
  throw std::runtime_error((skin.Palette.Skin.Colour + ": " + what).toStdString());
}

// The record kind the registry makes for the entry that names `name`, "?" for a type the
// registry does not know, empty when no entry names it.
QString ListedKind(const TspIniText& ini, const char* section, bool object, const QString& name) {
  for (const QString& entry : ReadSkinRegistry(ini, section)) {
    const auto e = SplitRegistryEntry(entry);
    if (!e || e->Name != name) continue;
    const std::unique_ptr<TspSkinRecord> record =
        object ? std::unique_ptr<TspSkinRecord>(CreateObjectRecord(e->Type))
               : std::unique_ptr<TspSkinRecord>(CreateControlRecord(e->Type));
    return record ? QString(record->ClassName()) : QStringLiteral("?");
  }
  return {};
}

bool SameImage(const QImage& a, const QImage& b) {
  return a.size() == b.size() &&
         a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
    throw std::runtime_error(("cannot write " + path).toStdString());
}

} // namespace

QByteArray DescriptionBytes(const TBuiltSkin& skin) {
  QByteArray text;
  for (const QString& line : skin.Description) text += line.toLatin1() + "\r\n";
  return text;
}

QByteArray PackageBytes(const TBuiltSkin& skin) {
  TspSkinPayload payload;
  payload.Version = 3;
  payload.Picture = skin.Picture;
  payload.InactivePicture = skin.InactivePicture;
  payload.ActivePictures = skin.ActivePictures;
  payload.DescriptionText = DescriptionBytes(skin);
  TspCompressedStoredSkin stored;
  stored.SetCompressedStream(CompressPayload(WriteSkinPayload(payload)));
  return stored.PackageBytes();
}

void CheckSkin(const TBuiltSkin& skin, const QByteArray& package) {
  const TspIniText ini = TspIniText::Parse(skin.Description);
  for (const TspRequiredRecord& r : RequiredBuiltinRecords()) {
    const bool object = r.List == TspRecordList::Objects;
    const QString kind = ListedKind(ini, object ? "SKINOBJECTS" : "SKINCONTROLS", object, r.Name);
    if (kind.isEmpty()) Fail(skin, QStringLiteral("record \"%1\" is not listed").arg(r.Name));
    if (kind != r.ClassName)
      Fail(skin, QStringLiteral("record \"%1\" is a %2, not a %3").arg(r.Name, kind, r.ClassName));
    if (!ini.SectionExists(r.Name))
      Fail(skin, QStringLiteral("record \"%1\" has no section").arg(r.Name));
  }

  QBuffer buffer;
  buffer.setData(package);
  buffer.open(QIODevice::ReadOnly);
  TspCompressedStoredSkin stored;
  stored.LoadFromPackageStream(buffer);
  const TspSkinPayload back = ReadSkinPayload(stored.Decompress());
  bool same = back.Version == 3 && back.MaskPicture.isNull() &&
              SameImage(back.Picture, skin.Picture) &&
              SameImage(back.InactivePicture, skin.InactivePicture) &&
              back.ActivePictures.size() == skin.ActivePictures.size() &&
              back.DescriptionText == DescriptionBytes(skin);
  for (size_t i = 0; same && i < back.ActivePictures.size(); ++i)
    same = SameImage(back.ActivePictures[i], skin.ActivePictures[i]);
  if (!same) Fail(skin, "the package does not read back as written");
}

void WriteSkin(const TBuiltSkin& skin, const QByteArray& package, const QString& dir) {
  const QString name = skin.Palette.Skin.SknName;
  const QDir out(dir);
  if (!out.mkpath(name))
    throw std::runtime_error(("cannot create " + out.filePath(name)).toStdString());
  const QDir folder(out.filePath(name));
  WriteFile(folder.filePath("skin.ini"), DescriptionBytes(skin));
  WriteFile(folder.filePath("frame.bmp"), WriteBmp24(skin.Picture));
  WriteFile(folder.filePath("frameinactive.bmp"), WriteBmp24(skin.InactivePicture));
  for (size_t i = 0; i < skin.ActivePictures.size(); ++i)
    WriteFile(folder.filePath(skin.ActivePictureNames.at(qsizetype(i))),
              WriteBmp24(skin.ActivePictures[i]));
  WriteFile(out.filePath(name + ".skn"), package);
}
