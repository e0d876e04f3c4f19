#include "skin/data/stored_skin.h"

#include "skin/data/ini_text.h"
#include "skin/data/package_io.h"
#include "skin/data/skin_payload.h"
#include "skin/data/skin_values.h"
#include "skin/data/stored_form.h"
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <zlib.h>

namespace {

// Reads version, length and zlib bytes; returns an empty stream for a newer container.
QByteArray ReadPackageBody(QIODevice& src) {
  const qint32 version = ReadInt32LE(src);
  if (version > TspCompressedStoredSkin::kMaxContainerVersion) return {};
  const qint32 length = ReadInt32LE(src);
  if (length < 0) throw EReadError("Skin package: negative compressed length");
  return ReadExactly(src, length);
}

// The lines of an 8-bit text file as its bytes, split at CR LF, LF or a lone CR.
QList<QByteArray> ReadTextLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw EReadError("Cannot open file " + path.toStdString());
  const QByteArray all = f.readAll();
  QList<QByteArray> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < all.size(); ++i) {
    if (all[i] != '\r' && all[i] != '\n') continue;
    lines.append(all.mid(start, i - start));
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < all.size()) lines.append(all.mid(start));
  return lines;
}

} // namespace

TspCompressedStoredSkin::TspCompressedStoredSkin(QObject* parent) : QObject(parent) {}

void TspCompressedStoredSkin::LoadFromPackageStream(QIODevice& src) {
  FCompressedStream.clear();
  if (!src.isSequential() && !src.seek(0)) throw EReadError("Skin package: cannot rewind stream");
  FCompressedStream = ReadPackageBody(src);
}

void TspCompressedStoredSkin::SaveToPackageStream(QIODevice& dst) const {
  WriteInt32LE(dst, kWrittenContainerVersion);
  WriteInt32LE(dst, qint32(FCompressedStream.size()));
  WriteAll(dst, FCompressedStream);
}

QByteArray TspCompressedStoredSkin::PackageBytes() const {
  QByteArray out;
  out.reserve(FCompressedStream.size() + 8);
  AppendInt32LE(out, kWrittenContainerVersion);
  AppendInt32LE(out, qint32(FCompressedStream.size()));
  out.append(FCompressedStream);
  return out;
}

void TspCompressedStoredSkin::DecompressTo(QIODevice& dst, qint64 maxSize) const {
  if (FCompressedStream.isEmpty()) return;
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw EDecompressionError("zlib: cannot start inflating");
  const auto end = qScopeGuard([&zs] { inflateEnd(&zs); });
  const auto* in = reinterpret_cast<const Bytef*>(FCompressedStream.constData());
  qint64 left = FCompressedStream.size();
  constexpr int kBlock = 4096;
  char block[kBlock];
  qint64 total = 0;
  for (;;) {
    if (zs.avail_in == 0 && left > 0) {
      // zlib counts input in uInt; feed very large streams piecewise.
      const uInt step = uInt(qMin<qint64>(left, 1 << 30));
      zs.next_in = const_cast<Bytef*>(in);
      zs.avail_in = step;
      in += step;
      left -= step;
    }
    zs.next_out = reinterpret_cast<Bytef*>(block);
    zs.avail_out = kBlock;
    const int ret = inflate(&zs, Z_NO_FLUSH);
    if (ret == Z_NEED_DICT || ret == Z_DATA_ERROR || ret == Z_STREAM_ERROR)
      throw EDecompressionError("zlib: corrupt skin package stream");
    if (ret == Z_MEM_ERROR) throw EOutOfResources("zlib: out of memory");
    const int have = kBlock - int(zs.avail_out);
    total += have;
    if (total > maxSize) throw EDecompressionError("zlib: skin package payload is too large");
    if (have > 0 && dst.write(block, have) != have) throw ESkinError("Stream write error");
    if (ret == Z_STREAM_END) return;
    // No progress with all input consumed: the stream stops before its end.
    if (ret == Z_BUF_ERROR || (have == 0 && zs.avail_in == 0 && left == 0))
      throw EDecompressionError("zlib: skin package stream is cut short");
  }
}

QByteArray TspCompressedStoredSkin::Decompress(qint64 maxSize) const {
  QByteArray out;
  QBuffer buf(&out);
  buf.open(QIODevice::WriteOnly);
  DecompressTo(buf, maxSize);
  return out;
}

void TspCompressedStoredSkin::ImportPackageFile(const QString& path) {
  FCompressedStream.clear();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw EReadError("Cannot open file " + path.toStdString());
  FCompressedStream = ReadPackageBody(f);
}

void TspCompressedStoredSkin::ImportDescription(const QString& path) {
  const QList<QByteArray> lines = ReadTextLines(path);
  QStringList text;
  text.reserve(lines.size());
  for (const QByteArray& l : lines) text << QString::fromLatin1(l);
  const TspIniText ini = TspIniText::Parse(text);
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!ini.SectionExists(QLatin1String(section))) return;

  const QDir base = QFileInfo(path).absoluteDir();
  FCompressedStream.clear();

  TspSkinPayload payload;
  payload.Version = 2;
  const struct {
    TspPayloadSlot Slot;
    const char* Key;
  } slotKeys[] = {{TspPayloadSlot::Picture, "picture"},
                  {TspPayloadSlot::InactivePicture, "inactivepicture"},
                  {TspPayloadSlot::MaskPicture, "mask"},
                  {TspPayloadSlot::RollUpPicture, "rolluppicture"},
                  {TspPayloadSlot::RollUpMaskPicture, "rollupmask"}};
  for (const auto& s : slotKeys) {
    const QString name = ini.ReadString("PICTURES", QLatin1String(s.Key));
    if (!name.isEmpty()) payload.Slot(s.Slot) = ReadBmpFile(base.filePath(name));
  }
  for (const QString& name : ReadSkinList(ini, "PICTURES", "activepictures"))
    payload.ActivePictures.push_back(ReadBmpFile(base.filePath(name)));
  for (const QByteArray& l : lines) payload.DescriptionText.append(l).append("\r\n");

  FCompressedStream = CompressPayload(WriteSkinPayload(payload));
}

void TspCompressedStoredSkin::SetFileName(const QString& value) {
  if (FDesigning && !FLoading) {
    FFileName = QFileInfo(value).fileName();
    ImportDescription(value);
  } else {
    FFileName = value;
  }
}

void TspCompressedStoredSkin::SetCompressedFileName(const QString& value) {
  if (FDesigning && !FLoading) {
    FCompressedFileName = QFileInfo(value).fileName();
    ImportPackageFile(value);
  } else {
    FCompressedFileName = value;
  }
}

void TspCompressedStoredSkin::WriteStoredForm(QDataStream& out) const {
  if (!FDescription.isEmpty()) WriteStoredText(out, "Description", FDescription);
  if (!FFileName.isEmpty()) WriteStoredText(out, "FileName", FFileName);
  if (!FCompressedFileName.isEmpty())
    WriteStoredText(out, "CompressedFileName", FCompressedFileName);
  WriteStoredProperty(out, "CompressedData", FCompressedStream);
  EndStoredForm(out);
}

void TspCompressedStoredSkin::ReadStoredForm(QDataStream& in) {
  FLoading = true;
  const auto done = qScopeGuard([this] { FLoading = false; });
  ReadStoredProperties(in, [this](const QString& name, const QByteArray& value) {
    if (name == QLatin1String("Description"))
      SetDescription(QString::fromUtf8(value));
    else if (name == QLatin1String("FileName"))
      SetFileName(QString::fromUtf8(value));
    else if (name == QLatin1String("CompressedFileName"))
      SetCompressedFileName(QString::fromUtf8(value));
    else if (name == QLatin1String("CompressedData"))
      SetCompressedStream(value);
  });
}
