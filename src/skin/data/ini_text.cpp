#include "skin/data/ini_text.h"

#include <algorithm>

// Descriptions hold thousands of keys and every record reads dozens of them, so
// look-ups go through hash tables of lower-cased names rather than scans.

TspIniText TspIniText::Parse(const QStringList& lines) {
  TspIniText ini;
  Section* current = nullptr;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u';')) continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      const QString name = line.mid(1, line.size() - 2).trimmed();
      // A repeated section continues the first one, so look-ups see every key.
      current = ini.FindSection(name);
      if (!current) {
        ini.FSectionIndex.insert(name.toLower(), int(ini.FSections.size()));
        ini.FSections.push_back({name, {}, {}});
        current = &ini.FSections.back();
      }
      continue;
    }
    if (!current) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    const QString key = line.left(eq).trimmed();
    const QString lower = key.toLower();
    if (!current->KeyIndex.contains(lower))
      current->KeyIndex.insert(lower, int(current->Entries.size()));
    current->Entries.push_back({key, line.mid(eq + 1).trimmed()});
  }
  return ini;
}

TspIniText TspIniText::ParseBytes(const QByteArray& text) {
  QStringList lines = QString::fromLatin1(text).split(u'\n');
  for (QString& l : lines)
    if (l.endsWith(u'\r')) l.chop(1);
  return Parse(lines);
}

const TspIniText::Section* TspIniText::FindSection(const QString& name) const {
  const auto it = FSectionIndex.constFind(name.toLower());
  return it == FSectionIndex.constEnd() ? nullptr : &FSections[size_t(*it)];
}

TspIniText::Section* TspIniText::FindSection(const QString& name) {
  const auto it = FSectionIndex.constFind(name.toLower());
  return it == FSectionIndex.constEnd() ? nullptr : &FSections[size_t(*it)];
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
