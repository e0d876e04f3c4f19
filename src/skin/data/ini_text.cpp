#include "skin/data/ini_text.h"

#include <QStringTokenizer>
#include <algorithm>
#include <utility>

// Descriptions hold thousands of keys and every record reads dozens of them, so
// look-ups go through hash tables of lower-cased names rather than scans.

void TspIniText::AddLine(QStringView raw, Section*& current) {
  const QStringView line = raw.trimmed();
  if (line.isEmpty() || line.startsWith(u';')) return;
  if (line.startsWith(u'[') && line.endsWith(u']')) {
    const QString name = line.mid(1, line.size() - 2).trimmed().toString();
    // A repeated section continues the first one, so look-ups see every key.
    current = FindSection(name);
    if (!current) {
      FSectionIndex.insert(name.toLower(), int(FSections.size()));
      FSections.push_back({name, {}, {}});
      current = &FSections.back();
    }
    return;
  }
  if (!current) return;
  const qsizetype eq = line.indexOf(u'=');
  if (eq < 0) return;
  QString key = line.left(eq).trimmed().toString();
  const QString lower = key.toLower();
  if (!current->KeyIndex.contains(lower))
    current->KeyIndex.insert(lower, int(current->Entries.size()));
  current->Entries.push_back({std::move(key), line.mid(eq + 1).trimmed().toString()});
}

TspIniText TspIniText::Parse(const QStringList& lines) {
  TspIniText ini;
  Section* current = nullptr;
  for (const QString& raw : lines) ini.AddLine(raw, current);
  return ini;
}

TspIniText TspIniText::ParseBytes(const QByteArray& text) {
  // One decoded string, read line by line through views: a description has thousands of
  // lines and each would otherwise be a string of its own.
  const QString all = QString::fromLatin1(text);
  TspIniText ini;
  Section* current = nullptr;
  for (const QStringView line : QStringTokenizer(all, u'\n')) {
    const QStringView content = line.endsWith(u'\r') ? line.chopped(1) : line;
    ini.AddLine(content, current);
  }
  return ini;
}

const TspIniText::Section* TspIniText::FindSection(const QString& name) const {
  // A record reads all its keys from one section in a row: the last name asked for is
  // compared as it was given, which spares lower-casing it for every key.
  if (FLastSection >= 0 && name == FLastSectionName) return &FSections[size_t(FLastSection)];
  const auto it = FSectionIndex.constFind(name.toLower());
  if (it == FSectionIndex.constEnd()) return nullptr;
  FLastSectionName = name;
  FLastSection = *it;
  return &FSections[size_t(*it)];
}

TspIniText::Section* TspIniText::FindSection(const QString& name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

bool TspIniText::SectionExists(const QString& section) const {
  return FindSection(section) != nullptr;
}

bool TspIniText::ValueExists(const QString& section, const QString& key) const {
  const Section* s = FindSection(section);
  return s && s->KeyIndex.contains(key.toLower());
}

QString TspIniText::ReadString(const QString& section, const QString& key,
                               const QString& def) const {
  const Section* s = FindSection(section);
  if (!s) return def;
  const auto it = s->KeyIndex.constFind(key.toLower());
  return it == s->KeyIndex.constEnd() ? def : s->Entries[size_t(*it)].Value;
}

QStringList TspIniText::ReadNumbered(const QString& section, const QString& prefix,
                                     int count) const {
  QStringList values(qsizetype(std::max(count, 0)));
  const Section* s = FindSection(section);
  if (!s) return values;
  const QString lower = prefix.toLower();
  for (size_t i = 0; i < s->Entries.size(); ++i) {
    const QString& key = s->Entries[i].Key;
    if (key.size() <= lower.size() || !key.startsWith(lower, Qt::CaseInsensitive)) continue;
    const QStringView digits = QStringView(key).mid(lower.size());
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
    if (s->KeyIndex.value(key.toLower(), -1) != int(i)) continue;
    values[qsizetype(n)] = s->Entries[i].Value;
  }
  return values;
}

void TspIniText::WriteString(const QString& section, const QString& key, const QString& value) {
  Section* s = FindSection(section);
  if (!s) {
    FSectionIndex.insert(section.toLower(), int(FSections.size()));
    FSections.push_back({section, {}, {}});
    s = &FSections.back();
  }
  const QString lower = key.toLower();
  const auto it = s->KeyIndex.constFind(lower);
  if (it != s->KeyIndex.constEnd()) {
    s->Entries[size_t(*it)].Value = value;
    return;
  }
  s->KeyIndex.insert(lower, int(s->Entries.size()));
  s->Entries.push_back({key, value});
}

QStringList TspIniText::ToLines() const {
  QStringList out;
  for (const Section& s : FSections) {
    out << QStringLiteral("[%1]").arg(s.Name);
    for (const Entry& e : s.Entries) out << e.Key + u'=' + e.Value;
  }
  return out;
}

QStringList TspIniText::SectionNames() const {
  QStringList out;
  for (const Section& s : FSections) out << s.Name;
  return out;
}
