#include "platform/profile_file.h"

#include "platform/platform_error.h"

#include <QFile>
#include <QSaveFile>
#include <optional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<QByteArray>;

std::string Describe(const QString& fileName) {
  return fileName.toStdString();
}

// The file's lines without their line ends; nullopt when there is no file.
std::optional<Lines> LoadLines(const QString& fileName) {
  QFile file(fileName);
  if (!file.exists()) return std::nullopt;
  if (!file.open(QIODevice::ReadOnly))
    throw EProfileFileError("Cannot read the settings file " + Describe(fileName) + ": " +
                            file.errorString().toStdString());
  if (file.size() > TProfileFile::kMaxFileSize)
    throw EProfileFileError("The settings file " + Describe(fileName) + " is too large");
  // Read one byte past the limit: the size of a special file may not be known in advance.
  const QByteArray data = file.read(TProfileFile::kMaxFileSize + 1);
  if (data.size() > TProfileFile::kMaxFileSize)
    throw EProfileFileError("The settings file " + Describe(fileName) + " is too large");
  if (file.error() != QFileDevice::NoError)
    throw EProfileFileError("Cannot read the settings file " + Describe(fileName) + ": " +
                            file.errorString().toStdString());
  Lines lines;
  qsizetype start = 0;
  while (start < data.size()) {
    qsizetype end = data.indexOf('\n', start);
    if (end < 0) end = data.size();
    QByteArray line = data.mid(start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void SaveLines(const QString& fileName, const Lines& lines) {
  QByteArray data;
  qsizetype size = 0;
  for (const QByteArray& line : lines) size += line.size() + 2;
  data.reserve(size);
  for (const QByteArray& line : lines) {
    data += line;
    data += "\r\n";
  }
  // Unbuffered, so that a short write (a full disk, a file size limit) shows in write()'s
  // count: a buffered QSaveFile loses that error at commit and renames the cut file into place.
  QSaveFile file(fileName);
  auto fail = [&](const QString& why) {
    throw EProfileFileError("Cannot write the settings file " + Describe(fileName) + ": " +
                            why.toStdString());
  };
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(file.errorString());
  const qint64 written = file.write(data);
  if (written != data.size())
    fail(written < 0 ? file.errorString()
                     : QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                           .arg(written)
                           .arg(data.size()));
  if (!file.commit()) fail(file.errorString());
  // On failure QSaveFile's destructor removes the temporary file; the old file is untouched.
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

QByteArray TrimBlanks(const QByteArray& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

// A UTF-8 byte order mark on the first line is not part of any name.
QByteArray WithoutBom(const QByteArray& line) {
  return line.startsWith("\xEF\xBB\xBF") ? line.mid(3) : line;
}

// The name in a "[name]" line, or nullopt for any other line.
std::optional<QByteArray> SectionName(const QByteArray& line) {
  const QByteArray trimmed = TrimBlanks(WithoutBom(line));
  if (!trimmed.startsWith('[')) return std::nullopt;
  const qsizetype close = trimmed.indexOf(']');
  if (close < 0) return std::nullopt;
  return TrimBlanks(trimmed.mid(1, close - 1));
}

struct KeyLine {
  QByteArray Key;
  QByteArray Value;
};

// The parts of a "key=value" line; nullopt for comments, blank and junk lines.
std::optional<KeyLine> ParseKeyLine(const QByteArray& line) {
  const QByteArray trimmed = TrimBlanks(WithoutBom(line));
  if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) return std::nullopt;
  const qsizetype equals = trimmed.indexOf('=');
  if (equals <= 0) return std::nullopt;
  KeyLine parsed{TrimBlanks(trimmed.left(equals)), TrimBlanks(trimmed.mid(equals + 1))};
  if (parsed.Key.isEmpty()) return std::nullopt;
  return parsed;
}

bool SameName(const QByteArray& stored, const QString& wanted) {
  return QString::fromUtf8(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

struct SectionSpan {
  size_t Header = 0; // index of the "[name]" line
  size_t End = 0;    // index of the next section's header, or the line count
};

std::optional<SectionSpan> FindSection(const Lines& lines, const QString& section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (!name || !SameName(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

struct FoundKey {
  size_t Index = 0;
  KeyLine Line;
};

std::optional<FoundKey> FindKey(const Lines& lines, const SectionSpan& span, const QString& key) {
  for (size_t i = span.Header + 1; i < span.End; ++i) {
    auto parsed = ParseKeyLine(lines[i]);
    if (parsed && SameName(parsed->Key, key)) return FoundKey{i, std::move(*parsed)};
  }
  return std::nullopt;
}

bool HasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool HasOuterBlanks(const QString& text) {
  return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

// Names that would read back as something else, or break the file's lines, are refused
// rather than written.
void CheckNames(const QString& fileName, const QString& section, const QString& key,
                const QString& value) {
  auto refuse = [&](const std::string& what) {
    throw EProfileFileError("Cannot write " + what + " to the settings file " + Describe(fileName));
  };
  if (section.isEmpty() || HasLineBreak(section) || HasOuterBlanks(section) ||
      section.contains(QLatin1Char(']')))
    refuse("the section name \"" + section.toStdString() + "\"");
  if (key.isEmpty() || HasLineBreak(key) || HasOuterBlanks(key) || key.contains(QLatin1Char('=')) ||
      key.startsWith(QLatin1Char(';')) || key.startsWith(QLatin1Char('#')) ||
      key.startsWith(QLatin1Char('[')))
    refuse("the key name \"" + key.toStdString() + "\"");
  if (HasLineBreak(value)) refuse("a value with a line break for the key " + key.toStdString());
}

bool IsBlankLine(const QByteArray& line) {
  return TrimBlanks(line).isEmpty();
}

} // namespace

TProfileFile::TProfileFile(QString fileName) : FFileName(std::move(fileName)) {}

std::optional<TProfileFile::Lines> TProfileFile::CurrentLines() const {
  if (FUpdateDepth > 0) return FPending;
  return LoadLines(FFileName);
}

std::optional<QByteArray> TProfileFile::LookUp(const QString& section, const QString& key) const {
  const auto lines = CurrentLines();
  if (!lines) return std::nullopt;
  const auto span = FindSection(*lines, section);
  if (!span) return std::nullopt;
  auto found = FindKey(*lines, *span, key);
  if (!found) return std::nullopt;
  return std::move(found->Line.Value);
}

void TProfileFile::BeginUpdate() {
  if (FUpdateDepth == 0) {
    FPending = LoadLines(FFileName).value_or(Lines{});
    FPendingChanged = false;
  }
  ++FUpdateDepth;
}

void TProfileFile::EndUpdate() {
  if (FUpdateDepth == 0) return;
  if (--FUpdateDepth > 0) return;
  Lines lines = std::move(FPending);
  FPending.clear();
  if (FPendingChanged) {
    FPendingChanged = false;
    SaveLines(FFileName, lines);
  }
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& defaultValue) const {
  const auto value = LookUp(section, key);
  return value ? QString::fromUtf8(*value) : defaultValue;
}

int TProfileFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
  const auto value = LookUp(section, key);
  if (!value) return defaultValue;
  bool ok = false;
  const int number = QString::fromUtf8(*value).toInt(&ok, 10);
  return ok ? number : defaultValue;
}

bool TProfileFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TProfileFile::SectionExists(const QString& section) const {
  const auto lines = CurrentLines();
  return lines && FindSection(*lines, section).has_value();
}

bool TProfileFile::ValueExists(const QString& section, const QString& key) const {
  return LookUp(section, key).has_value();
}

void TProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
  CheckNames(FFileName, section, key, value);
  Lines lines = FUpdateDepth > 0 ? std::move(FPending) : LoadLines(FFileName).value_or(Lines{});
  const QByteArray encodedValue = value.toUtf8();
  if (const auto span = FindSection(lines, section)) {
    if (const auto found = FindKey(lines, *span, key)) {
      lines[found->Index] = found->Line.Key + '=' + encodedValue;
    } else {
      // After the section's last non-blank line, so a blank line before the next section
      // stays where it was.
      size_t at = span->End;
      while (at > span->Header + 1 && IsBlankLine(lines[at - 1])) --at;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                   key.toUtf8() + '=' + encodedValue);
    }
  } else {
    if (!lines.empty() && !IsBlankLine(lines.back())) lines.emplace_back();
    lines.push_back('[' + section.toUtf8() + ']');
    lines.push_back(key.toUtf8() + '=' + encodedValue);
  }
  if (FUpdateDepth > 0) {
    FPending = std::move(lines);
    FPendingChanged = true;
    return;
  }
  SaveLines(FFileName, lines);
}

void TProfileFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TProfileFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
