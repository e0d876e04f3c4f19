#include "skin_file.h"

#include "commands.h"
#include "skin/data/package_io.h"

#include <QFile>

int ReadContainerVersion(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw ToolError(
        QStringLiteral("cannot open %1: %2").arg(path, file.errorString()).toStdString());
  return ReadInt32LE(file);
}

std::unique_ptr<TspCompressedStoredSkin> OpenPackage(const QString& path) {
  const int version = ReadContainerVersion(path);
  auto stored = std::make_unique<TspCompressedStoredSkin>();
  stored->ImportPackageFile(path);
  if (version > TspCompressedStoredSkin::kMaxContainerVersion)
    throw ToolError(QStringLiteral("%1: container version %2 is above %3")
                        .arg(path)
                        .arg(version)
                        .arg(TspCompressedStoredSkin::kMaxContainerVersion)
                        .toStdString());
  if (stored->IsEmpty())
    throw ToolError(QStringLiteral("%1: the package holds no skin").arg(path).toStdString());
  return stored;
}

std::unique_ptr<TspSkinData> LoadSkin(const QString& path) {
  const auto stored = OpenPackage(path);
  auto skin = std::make_unique<TspSkinData>();
  skin->LoadCompressedStoredSkin(stored.get());
  if (skin->IsEmpty())
    throw ToolError(QStringLiteral("%1: the skin could not be read (payload version above %2?)")
                        .arg(path)
                        .arg(kMaxPayloadVersion)
                        .toStdString());
  return skin;
}

const TspDataSkinControl& FindControlRecord(const TspSkinData& skin, const QString& name) {
  const int index = skin.FindControlData(name);
  if (index < 0)
    throw ToolError(QStringLiteral("no control record named \"%1\"").arg(name).toStdString());
  return *skin.ControlList[size_t(index)];
}
