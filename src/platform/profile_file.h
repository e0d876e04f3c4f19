#pragma once
// The profile (INI) file service behind cfg/config.ini: "[Section]" lines and "key=value"
// lines, section and key names matched without regard to case, values kept as written.
//
// Nothing is cached: every read looks at the file as it is on disk, and every write reads
// the file, changes one line and saves the whole file atomically (a temporary file renamed
// over the old one), so a crash or a full disk leaves either the old or the new file, never
// a half-written one. The file is created on the first write; its folder is not.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

class TProfileFile {
public:
  // Touches no file.
  explicit TProfileFile(QString fileName);

  const QString& FileName() const { return FFileName; }

  // The value of the first key of that name in the first section of that name, with the
  // blanks around it removed; the default when the file, the section or the key is absent.
  // Throws EProfileFileError when the file exists but cannot be read or is too large.
  QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
  // Decimal with an optional sign; the default also for a malformed or out-of-range value.
  int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
  // Any nonzero integer is true; the default for an absent or malformed value.
  bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;

  // Replaces the key's value in place (the key keeps the case it was first written in), or
  // adds the key at the end of its section, or the section at the end of the file. Lines
  // end in CR LF. Throws EProfileFileError, leaving the file as it was, when the file cannot
  // be read or saved, or when a name or value cannot be stored in a profile file (empty
  // names, line breaks, "=" in a key, "]" in a section name).
  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  // Written as 1 or 0.
  void WriteBool(const QString& section, const QString& key, bool value);

  // Groups writes into one save, so that a sequence of writes costs one file replacement and
  // reaches the disk whole or not at all. Between BeginUpdate and EndUpdate writes change a
  // copy in memory (reads see it) and EndUpdate saves it. Updates nest; the outermost
  // EndUpdate saves. Both throw EProfileFileError as a write does; a failed EndUpdate drops
  // the pending changes and leaves the file as it was, and so does destroying the object
  // inside an update.
  void BeginUpdate();
  void EndUpdate();

  // Larger files are refused: a settings file is a few hundred bytes.
  static constexpr qint64 kMaxFileSize = 1 << 20;

private:
  using Lines = std::vector<QByteArray>;
  // The lines as they stand: the pending copy during an update, else the file's.
  std::optional<Lines> CurrentLines() const;
  std::optional<QByteArray> LookUp(const QString& section, const QString& key) const;

  QString FFileName;
  int FUpdateDepth = 0;
  Lines FPending;
  bool FPendingChanged = false;
};
