#pragma once
// One compressed skin package: the zlib stream of a payload (pictures and the skin
// description) plus the texts that say where it came from.
//
// Package bytes: container version (int32 LE, written as 2, readers accept up to 3),
// compressed length N (int32 LE), then N bytes of zlib stream.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QObject>
#include <QString>

class TspCompressedStoredSkin : public QObject {
  Q_OBJECT
public:
  // Highest container version a reader accepts; newer packages read as empty.
  static constexpr qint32 kMaxContainerVersion = 3;
  static constexpr qint32 kWrittenContainerVersion = 2;
  // Inflated payloads above this are refused: the built-in ones are under 2 MiB, so
  // anything near this is a zlib bomb, not a skin.
  static constexpr qint64 kMaxPayloadSize = qint64(256) << 20;

  explicit TspCompressedStoredSkin(QObject* parent = nullptr);

  bool IsEmpty() const { return FCompressedStream.isEmpty(); }
  // The zlib bytes only, without the 8-byte package header.
  const QByteArray& CompressedStream() const { return FCompressedStream; }
  void SetCompressedStream(QByteArray stream) { FCompressedStream = std::move(stream); }

  // Reads a package from the start of `src`. A container version above 3 leaves the
  // stored skin empty; a negative or overlong N or a short stream throws EReadError.
  void LoadFromPackageStream(QIODevice& src);
  void SaveToPackageStream(QIODevice& dst) const;
  // The whole package (header and zlib stream) as bytes.
  QByteArray PackageBytes() const;
  // Inflates the compressed stream, appending to `dst`. A corrupt or truncated stream,
  // or one that inflates beyond `maxSize`, throws EDecompressionError. An empty stored
  // skin writes nothing.
  void DecompressTo(QIODevice& dst, qint64 maxSize = kMaxPayloadSize) const;
  QByteArray Decompress(qint64 maxSize = kMaxPayloadSize) const;

  // Reads a package file (".skn"); a file that cannot be opened throws EReadError.
  void ImportPackageFile(const QString& path);
  // Builds a package from a skin description and the BMP files beside it. A description
  // that lacks one of the required sections changes nothing.
  void ImportDescription(const QString& path);

  QString Description() const { return FDescription; }
  void SetDescription(const QString& value) { FDescription = value; }
  QString FileName() const { return FFileName; }
  // In a designer (and not while reading the stored form) keeps only the file part and
  // imports the description; at run time just stores the value.
  void SetFileName(const QString& value);
  QString CompressedFileName() const { return FCompressedFileName; }
  // As SetFileName, importing a package file instead.
  void SetCompressedFileName(const QString& value);

  // True only inside a form designer or tool; the application never sets it.
  bool Designing() const { return FDesigning; }
  void SetDesigning(bool value) { FDesigning = value; }
  bool Loading() const { return FLoading; }

  // Stored form (see stored_form.h): the texts when set, and the binary property
  // "CompressedData" always, also when empty; reading it replaces the compressed stream.
  void WriteStoredForm(QDataStream& out) const;
  void ReadStoredForm(QDataStream& in);

private:
  QByteArray FCompressedStream;
  QString FDescription;
  QString FFileName;
  QString FCompressedFileName;
  bool FDesigning = false;
  bool FLoading = false;
};
