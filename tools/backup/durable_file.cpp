#include "durable_file.h"

#include "backup_error.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Native(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

std::string SystemError() {
  return std::strerror(errno);
}

void Sync(const QString& path, int flags, const char* what) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), flags | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) {
    const std::string reason = SystemError();
    if (fd >= 0) ::close(fd);
    throw EBackupError(std::string("Cannot sync ") + what + " " + Native(path) + ": " + reason);
  }
  ::close(fd);
}

} // namespace

void SyncFile(const QString& path) {
  Sync(path, O_RDONLY, "the file");
}

void SyncFolder(const QString& path) {
  Sync(path, O_RDONLY | O_DIRECTORY, "the folder");
}

void TakeOwnerAndMode(const QString& from, const QString& to) {
  struct stat status {};
  const QByteArray target = QFile::encodeName(to);
  if (::stat(QFile::encodeName(from).constData(), &status) != 0 ||
      ::chmod(target.constData(), status.st_mode & 07777) != 0)
    throw EBackupError("Cannot give " + Native(to) + " the permissions of " + Native(from) + ": " +
                       SystemError());
  // Run as root for another user's working directory, the database stays that user's; an
  // ordinary user owns what it writes and cannot give it away.
  if (::geteuid() == 0 && ::chown(target.constData(), status.st_uid, status.st_gid) != 0)
    throw EBackupError("Cannot give " + Native(to) + " the owner of " + Native(from) + ": " +
                       SystemError());
}

TFileBeside::TFileBeside(const QString& path, const QString& what) {
  const QFileInfo target(path);
  const QString folder = target.absolutePath();
  const QFileInfo folderInfo(folder);
  if (!folderInfo.isDir())
    throw EBackupError("Cannot write " + what.toStdString() + " " + Native(path) + ": " +
                       Native(folder) +
                       (folderInfo.exists() ? " is not a folder" : " does not exist"));
  // Hidden, so a half-written file is never taken for a finished one.
  QByteArray name = QFile::encodeName(QDir(folder).filePath('.' + target.fileName() + ".XXXXXX"));
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0)
    throw EBackupError("Cannot write " + what.toStdString() + " " + Native(path) + ": " +
                       SystemError());
  ::close(fd);
  FPath = QFile::decodeName(name);
}

TFileBeside::~TFileBeside() {
  if (!FPublished) QFile::remove(FPath);
}

void TFileBeside::PublishNew(const QString& path, const QString& what) {
  SyncFile(FPath);
  // link(2) fails when the name exists, where rename(2) would replace it.
  if (::link(QFile::encodeName(FPath).constData(), QFile::encodeName(path).constData()) != 0) {
    if (errno == EEXIST)
      throw EBackupError(Native(path) + " exists already; " + what.toStdString() +
                         " never replaces a file: give a new name");
    throw EBackupError("Cannot write " + what.toStdString() + " " + Native(path) + ": " +
                       SystemError());
  }
  QFile::remove(FPath);
  FPublished = true;
  SyncFolder(QFileInfo(path).absolutePath());
}

void TFileBeside::PublishOver(const QString& path, const QString& what) {
  SyncFile(FPath);
  if (std::rename(QFile::encodeName(FPath).constData(), QFile::encodeName(path).constData()) != 0)
    throw EBackupError("Cannot put " + what.toStdString() + " in place at " + Native(path) + ": " +
                       SystemError());
  FPublished = true;
  SyncFolder(QFileInfo(path).absolutePath());
}
