#pragma once
// A skin description parsed as INI text: sections of key = value lines.
// Section and key names match without regard to letter case; values are kept exactly.

#include <QAnyStringView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <deque>
#include <optional>
#include <vector>

class TspIniText {
public:
  TspIniText() = default;
  // Lines are trimmed; empty lines and ";" comments are skipped; lines before the
  // first section are ignored; a line without "=" belongs to its section but is no key.
  static TspIniText Parse(const QStringList& lines);
  // 8-bit text with CR LF or LF line ends, decoded as Latin-1.
  static TspIniText ParseBytes(const QByteArray& text);

  bool SectionExists(QAnyStringView section) const;
  bool ValueExists(QAnyStringView section, QAnyStringView key) const;
  // The value of the first matching key, or `def` when the section or key is missing.
  QString ReadString(QAnyStringView section, QAnyStringView key, const QString& def = {}) const;
  // The same value as a view into this text, for readers that only parse it; nothing when
  // the section or key is missing. Valid until this text is written to or destroyed.
  std::optional<QStringView> FindValue(QAnyStringView section, QAnyStringView key) const;
  // The values of keys `prefix`0 .. `prefix`<count - 1> (numbers as QString::number writes
  // them), a missing one empty. One pass over the section rather than a lookup per number:
  // a large count costs what the section holds, not what the count says.
  QStringList ReadNumbered(QAnyStringView section, QAnyStringView prefix, int count) const;

  // Sets the value of an existing key or appends the key (and the section) in order.
  void WriteString(const QString& section, const QString& key, const QString& value);
  // Section by section, "[NAME]" then "key=value" lines, in the order they were added.
  QStringList ToLines() const;
  QStringList SectionNames() const;

private:
  // Names and values are views into the parsed text (one string, so parsing thousands of
  // lines makes no string per line) or into strings written later. The index keys are
  // views into a copy of those texts with every letter folded to lower case.
  struct Entry {
    QStringView Key;
    QStringView FoldedKey;
    QStringView Value;
  };
  struct Section {
    QStringView Name;
    std::vector<Entry> Entries;
    QHash<QStringView, int> KeyIndex; // folded key -> first entry with that key
  };
  // Holds the text to be parsed and its folded copy, before any line is added.
  explicit TspIniText(QString text);
  void AddLine(QStringView raw, Section*& current);
  // The range of the folded copy that `view` covers in the parsed text.
  QStringView Folded(QStringView view) const;
  // A written text kept for as long as this one, and its folded copy.
  QStringView Keep(const QString& text);
  QStringView KeepFolded(QStringView text);
  const Section* FindSection(QAnyStringView name) const;
  Section* FindSection(QAnyStringView name);
  Section& AddSection(QStringView name, QStringView folded);

  // Never changed once parsed: the views above point into them, and copies of this object
  // share their data.
  QString FText;
  QString FFoldedText;
  std::deque<QString> FWritten; // strings written later, each never changed
  std::vector<Section> FSections;
  QHash<QStringView, int> FSectionIndex; // folded name -> section
  // The last section asked for, by the name it was asked by, and where it is (-1: missing).
  // Look-ups change it, so one description is read by one thread at a time.
  mutable QString FLastSectionName;
  mutable int FLastSection = -1;
  mutable bool FLastSectionKnown = false;
};
