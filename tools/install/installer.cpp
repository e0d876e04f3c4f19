#include "installer.h"

#include "install_error.h"
#include "pictures.h"
#include "sample_data.h"
#include "skin/render/jpeg_codec.h"
#include "store/shelter_schema.h"
#include "store/store_connection.h"
#include "store/store_location.h"
#include "store/store_sql.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <filesystem>
#include <functional>
#include <system_error>

namespace {

constexpr int kPictureSide = 256;
constexpr int kLogoSide = 128;
constexpr qint64 kMaxAssetSize = 16 << 20;

struct TAsset {
  const char* Source; // below node_modules
  const char* Target; // below the working directory
};

constexpr TAsset kAssets[] = {
    {"jquery/dist/jquery.min.js", "gen/js/jquery.min.js"},
    {"qrcodejs/qrcode.min.js", "gen/js/qrcode.min.js"},
};

struct TSamplePicture {
  const char* Name;
  const char* Emoji;
  QColor Background;
};

const TSamplePicture kKindPictures[] = {
    {"Cat", "\U0001F408", QColor(252, 228, 204)},
    {"Dog", "\U0001F415", QColor(214, 234, 248)},
    {"Rabbit", "\U0001F407", QColor(226, 240, 214)},
    {"Snake", "\U0001F40D", QColor(246, 240, 200)},
    {"Scorpion", "\U0001F982", QColor(238, 226, 246)},
};

const TSamplePicture kRolePictures[] = {
    {"Admin", "\U0001F9D1\u200D\U0001F4BC", QColor(220, 230, 245)},
    {"Employee", "\U0001F9D1\u200D\u2695\uFE0F", QColor(214, 240, 232)},
    {"Member", "\U0001F64B", QColor(250, 232, 236)},
};

QColor KindBackground(const QString& kind) {
  for (const TSamplePicture& sample : kKindPictures)
    if (kind == QLatin1String(sample.Name)) return sample.Background;
  return QColor(236, 236, 236);
}

void MakeFolder(const QString& path) {
  if (!QDir().mkpath(path)) throw EInstallError("Cannot create the folder " + path.toStdString());
}

// Unbuffered, so a short write (a full disk) is seen before the rename.
void WriteFile(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(data) != data.size() ||
      !file.commit())
    throw EInstallError("Cannot write " + path.toStdString() + ": " +
                        file.errorString().toStdString());
}

QByteArray ReadAsset(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() == 0)
    throw EInstallError("The receipt script " + path.toStdString() +
                        " is missing: run \"npm ci\" in tools/install/assets, or name a "
                        "node_modules folder holding jquery and qrcodejs with --assets");
  if (info.size() > kMaxAssetSize)
    throw EInstallError("The receipt script " + path.toStdString() + " is too large");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EInstallError("Cannot read " + path.toStdString() + ": " +
                        file.errorString().toStdString());
  const QByteArray data = file.read(kMaxAssetSize + 1);
  if (data.isEmpty() || data.size() > kMaxAssetSize)
    throw EInstallError("Cannot read " + path.toStdString());
  return data;
}

// The receipt shows its logo 100 px wide at the top of a 500 px box whose footers cover the
// bottom; a square logo pushes the QR code under them. Twice as wide as tall, the ring
// stands in the middle and the code stays clear and readable.
QImage ReceiptLogo() {
  QImage banner(2 * kLogoSide, kLogoSide, QImage::Format_ARGB32_Premultiplied);
  banner.fill(Qt::transparent);
  QPainter painter(&banner);
  painter.drawImage(kLogoSide / 2, 0, DrawLogo(kLogoSide));
  return banner;
}

QByteArray EncodePng(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw EInstallError("Cannot encode the logo as PNG");
  return data;
}

// Counts what a run wrote and what it left as it found it.
struct TFileTally {
  int Written = 0;
  int Kept = 0;
};

void WriteUnlessKept(const QString& path, bool force, TFileTally& tally,
                     const std::function<QByteArray()>& make) {
  if (!force && QFileInfo::exists(path)) {
    ++tally.Kept;
    return;
  }
  WriteFile(path, make());
  ++tally.Written;
}

QString Tally(const QString& what, const QString& where, const TFileTally& tally) {
  QString line = QStringLiteral("%1: %2 written to %3").arg(what).arg(tally.Written).arg(where);
  if (tally.Kept > 0) line += QStringLiteral(", %1 kept as they were").arg(tally.Kept);
  return line;
}

} // namespace

QStringList Install(const TInstallOptions& options) {
  if (options.Directory.isEmpty()) throw EInstallError("No working directory given");
  const QDir root(QDir(options.Directory).absolutePath());
  const QString databasePath = root.filePath(QStringLiteral("cfg/Data.mdb"));

  // Everything that can stop the run is checked before anything is written.
  if (QFileInfo::exists(databasePath) && !options.Force)
    throw EInstallError("The database " + databasePath.toStdString() +
                        " exists already; use --force to replace it");
  std::vector<QByteArray> assets;
  for (const TAsset& asset : kAssets)
    assets.push_back(ReadAsset(QDir(options.Assets).filePath(QString::fromLatin1(asset.Source))));
  const QString emojiFamily = LoadEmojiFont();

  for (const char* folder : {"cfg", "img/usr", "gen/js", "gen/img"})
    MakeFolder(root.filePath(QString::fromLatin1(folder)));

  // The database is built beside its final place and renamed over it at the end.
  QTemporaryFile building(root.filePath(QStringLiteral("cfg/.Data.mdb.XXXXXX")));
  if (!building.open())
    throw EInstallError("Cannot create a file in " + root.filePath("cfg").toStdString() + ": " +
                        building.errorString().toStdString());
  building.close();
  TSampleCounts samples;
  {
    auto connection = TStoreConnection::CreateSQLiteFile(building.fileName());
    QSqlDatabase db = connection->Database();
    CreateShelterSchema(db);
    samples = WriteSampleData(db);
  }

  TFileTally pictures;
  const auto picture = [&](const QString& name, const QString& emoji, QColor background) {
    WriteUnlessKept(root.filePath("img/" + name + ".jpg"), options.Force, pictures, [&] {
      return WriteJpeg(DrawEmojiPicture(emojiFamily, emoji, background, kPictureSide), 90);
    });
  };
  for (const TSamplePicture& sample : kKindPictures)
    picture(QString::fromLatin1(sample.Name), QString::fromUtf8(sample.Emoji), sample.Background);
  for (const TSamplePicture& sample : kRolePictures)
    picture(QString::fromLatin1(sample.Name), QString::fromUtf8(sample.Emoji), sample.Background);
  for (const TStoredAnimal& animal : samples.Animals)
    if (!animal.PictureEmoji.isEmpty())
      picture(animal.AnimalName + QString::number(animal.ID), animal.PictureEmoji,
              KindBackground(animal.Type).lighter(104));

  TFileTally receiptFiles;
  WriteUnlessKept(root.filePath(QStringLiteral("gen/img/vorn.png")), options.Force, receiptFiles,
                  [] { return EncodePng(ReceiptLogo()); });
  for (size_t i = 0; i < std::size(kAssets); ++i)
    WriteUnlessKept(root.filePath(QString::fromLatin1(kAssets[i].Target)), options.Force,
                    receiptFiles, [&] { return assets[i]; });

  // A journal left beside the old database by a crash would be played back into the new
  // one at its first opening and corrupt it: the old database goes, so its journals go too.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    const QString sidecar = databasePath + QLatin1String(suffix);
    if (QFileInfo::exists(sidecar) && !QFile::remove(sidecar))
      throw EInstallError("Cannot remove the old database journal " + sidecar.toStdString());
  }
  // rename(2) replaces an existing database in one step.
  std::error_code error;
  std::filesystem::rename(building.fileName().toStdString(), databasePath.toStdString(), error);
  if (error)
    throw EInstallError("Cannot put the database in place at " + databasePath.toStdString() + ": " +
                        error.message());
  building.setAutoRemove(false);
  QFile::setPermissions(databasePath,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

  return {
      QStringLiteral("Database: %1 (%2 accounts, %3 animals)")
          .arg(QDir::toNativeSeparators(databasePath))
          .arg(samples.Accounts)
          .arg(samples.Animals.size()),
      Tally(QStringLiteral("Pictures"), QDir::toNativeSeparators(root.filePath("img")), pictures),
      Tally(QStringLiteral("Receipt assets"), QDir::toNativeSeparators(root.filePath("gen")),
            receiptFiles)};
}

QStringList InstallServer(const QString& uri, bool force) {
  const TServerLocation location = ParseServerUri(uri);
  const QString shown = location.Display();
  auto connection = TStoreConnection::OpenServer(QStringLiteral("QPSQL"), location.Params());
  QSqlDatabase db = connection->Database();
  QStringList existing;
  for (const QString& table : {QStringLiteral("Users"), QStringLiteral("Animals")})
    if (!ReadTableColumns(db, table).empty()) existing << table;
  if (!existing.isEmpty() && !force)
    throw EInstallError("The database " + shown.toStdString() + " holds the table " +
                        existing.join(QStringLiteral(" and ")).toStdString() +
                        " already; use --force to replace the shelter's tables");
  for (const QString& table : existing) {
    QSqlQuery drop(db);
    if (!drop.exec(QStringLiteral("DROP TABLE ") + QuoteIdentifier(table) +
                   QStringLiteral(" CASCADE")))
      throw EInstallError("Cannot drop the table " + table.toStdString() + ": " +
                          drop.lastError().text().toStdString());
  }
  CreateShelterSchema(db);
  const TSampleCounts samples = WriteSampleData(db);
  return {QStringLiteral("Database: %1 (%2 accounts, %3 animals)")
              .arg(shown)
              .arg(samples.Accounts)
              .arg(samples.Animals.size())};
}
