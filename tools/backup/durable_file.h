#pragma once
// Files that appear whole or not at all: written under a temporary name beside their place,
// synced to the disk, then given their name in one step.

#include <QString>

// An empty file beside `path` (same folder, so the final rename stays on one file system),
// removed again when the owner goes unless it was published.
class TFileBeside {
public:
  // Throws EBackupError saying that `what` cannot be written there.
  TFileBeside(const QString& path, const QString& what);
  ~TFileBeside();
  TFileBeside(const TFileBeside&) = delete;
  TFileBeside& operator=(const TFileBeside&) = delete;

  const QString& Path() const { return FPath; }

  // Syncs the file and gives it the name `path`, which must not exist: an existing file is
  // never replaced (the check and the naming are one step).
  void PublishNew(const QString& path, const QString& what);
  // Syncs the file and renames it over `path`, replacing what is there.
  void PublishOver(const QString& path, const QString& what);

private:
  QString FPath;
  bool FPublished = false;
};

// Gives `to` the owner and permissions of `from` (the owner only where this process may);
// throws EBackupError.
void TakeOwnerAndMode(const QString& from, const QString& to);

// Flushes the file's data to the disk; throws EBackupError.
void SyncFile(const QString& path);
// Makes a rename or a new name in the folder survive a power cut; throws EBackupError.
void SyncFolder(const QString& path);
