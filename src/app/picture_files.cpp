#include "app/picture_files.h"

#include <QDir>
#include <QFileInfo>

QString PictureFile(const QString& name) {
  // A NUL would cut the name short in the file system's hands.
  if (name.isEmpty() || name.contains(QChar(0))) return {};
  const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(QStringLiteral("img")));
  const QString path = QDir::cleanPath(folder + QLatin1Char('/') + name + QStringLiteral(".jpg"));
  if (!path.startsWith(folder + QLatin1Char('/'))) return {};
  // A folder of that name is no picture.
  return QFileInfo(path).isFile() ? path : QString();
}
