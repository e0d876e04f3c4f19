#include "skin/data/ini_text.h"

#include "skin/data/name_fold.h"

#include <QStringTokenizer>
#include <algorithm>
#include <utility>

// Descriptions hold thousands of keys and every record reads dozens of them, so
// look-ups go through hash tables of folded names rather than scans, and asking for a key
// makes no string.

TspIniText TspIniText::Parse(const QStringList& lines) {
  TspIniText ini(lines.join(u'\n'));
  Section* current = nullptr;
  qsizetype at = 0;
  for (const QString& line : lines) {
    ini.AddLine(QStringView(ini.FText).mid(at, line.size()), current);
    at += line.size() + 1;
  }
  return ini;
}

TspIniText TspIniText::ParseBytes(const QByteArray& bytes) {
  // One decoded string, read line by line through views: a description has thousands of
  // lines and each would otherwise be a string of its own.
  TspIniText ini(QString::fromLatin1(bytes));
  Section* current = nullptr;
  for (const QStringView line : QStringTokenizer(ini.FText, u'\n'))
    ini.AddLine(line.endsWith(u'\r') ? line.chopped(1) : line, current);
  return ini;
}

TspIniText::TspIniText(QString text) : FText(std::move(text)), FFoldedText(FoldText(FText)) {}

QStringView TspIniText::Folded(QStringView view) const {
  return QStringView(FFoldedText).mid(view.data() - FText.constData(), view.size());
}

QStringView TspIniText::Keep(const QString& text) {
  FWritten.push_back(text);
  return FWritten.back();
}

QStringView TspIniText::KeepFolded(QStringView text) {
  FWritten.push_back(FoldText(text));
  return FWritten.back();
}

TspIniText::Section& TspIniText::AddSection(QStringView name, QStringView folded) {
  FSectionIndex.insert(folded, int(FSections.size()));
  FSections.push_back({name, {}, {}});
  FLastSectionKnown = false; // it may have been asked for while missing
  return FSections.back();
}

void TspIniText::AddLine(QStringView raw, Section*& current) {
  const QStringView line = raw.trimmed();
  if (line.isEmpty() || line.startsWith(u';')) return;
  if (line.startsWith(u'[') && line.endsWith(u']')) {
    const QStringView name = line.mid(1, line.size() - 2).trimmed();
    const QStringView folded = Folded(name);
    // A repeated section continues the first one, so look-ups see every key.
    const auto found = FSectionIndex.constFind(folded);
    current =
        found != FSectionIndex.constEnd() ? &FSections[size_t(*found)] : &AddSection(name, folded);
    return;
  }
  if (!current) return;
  const qsizetype eq = line.indexOf(u'=');
  if (eq < 0) return;
  const QStringView key = line.left(eq).trimmed();
  const QStringView folded = Folded(key);
  if (!current->KeyIndex.contains(folded))
    current->KeyIndex.insert(folded, int(current->Entries.size()));
  current->Entries.push_back({key, folded, line.mid(eq + 1).trimmed()});
}

const TspIniText::Section* TspIniText::FindSection(QAnyStringView name) const {
  // A record reads all its keys from one section in a row, which the description may not
  // have: the last name asked for is compared as it was given, which spares folding it for
  // every key.
  if (!FLastSectionKnown || !QAnyStringView::equal(name, FLastSectionName)) {
    TspFoldBuffer buffer;
    FLastSection = FSectionIndex.value(FoldName(name, buffer), -1);
    FLastSectionName = name.toString();
    FLastSectionKnown = true;
  }
  return FLastSection < 0 ? nullptr : &FSections[size_t(FLastSection)];
}

TspIniText::Section* TspIniText::FindSection(QAnyStringView name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

bool TspIniText::SectionExists(QAnyStringView section) const {
  return FindSection(section) != nullptr;
}

std::optional<QStringView> TspIniText::FindValue(QAnyStringView section, QAnyStringView key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  TspFoldBuffer buffer;
  const auto it = s->KeyIndex.constFind(FoldName(key, buffer));
  if (it == s->KeyIndex.constEnd()) return std::nullopt;
  return s->Entries[size_t(*it)].Value;
}

bool TspIniText::ValueExists(QAnyStringView section, QAnyStringView key) const {
  return FindValue(section, key).has_value();
}

QString TspIniText::ReadString(QAnyStringView section, QAnyStringView key,
                               const QString& def) const {
  const std::optional<QStringView> value = FindValue(section, key);
  return value ? value->toString() : def;
}

QStringList TspIniText::ReadNumbered(QAnyStringView section, QAnyStringView prefix,
                                     int count) const {
  QStringList values(qsizetype(std::max(count, 0)));
  const Section* s = FindSection(section);
  if (!s) return values;
  TspFoldBuffer buffer;
  const QStringView folded = FoldName(prefix, buffer);
  for (size_t i = 0; i < s->Entries.size(); ++i) {
    const QStringView key = s->Entries[i].FoldedKey;
    if (key.size() <= folded.size() || !key.startsWith(folded)) continue;
    const QStringView digits = key.mid(folded.size());
    // Only the form QString::number gives: no sign, no leading zero, no blank.
    if (digits.size() > 1 && digits[0] == u'0') continue;
    qint64 n = 0;
    bool number = true;
    for (const QChar ch : digits) {
      if (ch < u'0' || ch > u'9' || n >= count) {
        number = false;
        break;
      }
      n = n * 10 + (ch.unicode() - u'0');
    }
    if (!number || n >= count) continue;
    // The first entry of a repeated key is the one ReadString gives.
    if (s->KeyIndex.value(key, -1) != int(i)) continue;
    values[qsizetype(n)] = s->Entries[i].Value.toString();
  }
  return values;
}

void TspIniText::WriteString(const QString& section, const QString& key, const QString& value) {
  Section* s = FindSection(section);
  if (!s) s = &AddSection(Keep(section), KeepFolded(section));
  TspFoldBuffer buffer;
  const auto it = s->KeyIndex.constFind(FoldName(key, buffer));
  if (it != s->KeyIndex.constEnd()) {
    s->Entries[size_t(*it)].Value = Keep(value);
    return;
  }
  const QStringView folded = KeepFolded(key);
  s->KeyIndex.insert(folded, int(s->Entries.size()));
  s->Entries.push_back({Keep(key), folded, Keep(value)});
}

QStringList TspIniText::ToLines() const {
  QStringList out;
  for (const Section& s : FSections) {
    out << u'[' + s.Name.toString() + u']';
    for (const Entry& e : s.Entries) {
      QString line;
      line.reserve(e.Key.size() + 1 + e.Value.size());
      out << line.append(e.Key).append(u'=').append(e.Value);
    }
  }
  return out;
}

QStringList TspIniText::SectionNames() const {
  QStringList out;
  for (const Section& s : FSections) out << s.Name.toString();
  return out;
}
