#pragma once
// A skin description parsed as INI text: sections of key = value lines.
// Section and key names match without regard to letter case; values are kept exactly.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

class TspIniText {
public:
  TspIniText() = default;
  // Lines are trimmed; empty lines and ";" comments are skipped; lines before the
  // first section are ignored; a line without "=" belongs to its section but is no key.
  static TspIniText Parse(const QStringList& lines);
  // 8-bit text with CR LF or LF line ends, decoded as Latin-1.
  static TspIniText ParseBytes(const QByteArray& text);

  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;
  // The value of the first matching key, or `def` when the section or key is missing.
  QString ReadString(const QString& section, const QString& key, const QString& def = {}) const;
  // The values of keys `prefix`0 .. `prefix`<count - 1> (numbers as QString::number writes
  // them), a missing one empty. One pass over the section rather than a lookup per number:
  // a large count costs what the section holds, not what the count says.
  QStringList ReadNumbered(const QString& section, const QString& prefix, int count) const;

  // Sets the value of an existing key or appends the key (and the section) in order.
  void WriteString(const QString& section, const QString& key, const QString& value);
  // Section by section, "[NAME]" then "key=value" lines, in the order they were added.
  QStringList ToLines() const;
  QStringList SectionNames() const;

private:
  struct Entry {
    QString Key;
    QString Value;
  };
  struct Section {
    QString Name;
    std::vector<Entry> Entries;
    QHash<QString, int> KeyIndex; // lower-case key -> first entry with that key
  };
  void AddLine(QStringView line, Section*& current);
  const Section* FindSection(const QString& name) const;
  Section* FindSection(const QString& name);
  std::vector<Section> FSections;
  QHash<QString, int> FSectionIndex; // lower-case name -> section
  // The last section found and the name it was asked by: look-ups change it, so one
  // description is read by one thread at a time.
  mutable QString FLastSectionName;
  mutable int FLastSection = -1;
};
