#pragma once
// The edit-mask engine behind the mask and date edits: it parses a mask such as
// "(999\)000-0000;1;_", keeps the edit text (one character per position, literals in
// place, unfilled positions shown by the blank character) and applies the editing
// operations of a masked field. It knows no widget; the edit maps keys onto it.
//
// Mask syntax, one position per character except the directives:
//   0 digit, required          9 digit, optional          # digit, + or -, optional
//   L letter, required         l letter, optional
//   A letter or digit, req.    a letter or digit, optional
//   C any character, req.      c any character, optional
//   :  time separator          /  date separator          _  a space (all literals)
//   \x the character x as a literal; any other character is a literal itself
// Directives (no position): ! optional characters of a shorter text go in front (leading
// blanks) instead of behind; > upper-cases the characters that follow, < lower-cases them,
// <> switches conversion off.
// Two trailing fields separated by ';' may follow: "0" keeps the literals out of Text
// (any other value keeps them in, the default), then the blank character (default '_').

#include <QChar>
#include <QString>
#include <vector>

class TspEditMask {
public:
  TspEditMask() = default;
  explicit TspEditMask(const QString& editMask, QChar dateSeparator = u'/',
                       QChar timeSeparator = u':');

  // False for an empty mask: the field is then a plain text field.
  bool IsMasked() const { return !FPositions.empty(); }
  QString EditMask() const { return FEditMask; }
  // Number of positions, the length of the edit text.
  int Length() const { return int(FPositions.size()); }
  QChar Blank() const { return FBlank; }
  bool SaveLiterals() const { return FSaveLiterals; }
  bool LeadingBlanks() const { return FLeadingBlanks; }

  bool IsLiteral(int pos) const;
  // A required position must be filled for Validate to pass.
  bool IsRequired(int pos) const;
  // Whether `c` may stand at `pos`; on success `*stored` receives it after case conversion.
  bool Accepts(int pos, QChar c, QChar* stored = nullptr) const;
  // The first editable position at or after `pos` (Length when none).
  int NextEditable(int pos) const;
  // The last editable position before `pos` (-1 when none).
  int PrevEditable(int pos) const;

  // The edit text of an untouched field: literals in place, blanks elsewhere.
  QString EmptyEditText() const;
  // Fits a Text value into the mask: with literals saved the value is matched section by
  // section between its literals (a short section is padded with blanks behind, or in
  // front with '!'); without, its characters fill the editable positions in order.
  // Characters the mask refuses become blanks.
  QString EditTextFromText(const QString& text) const;
  // The Text of an edit text: blanks read as spaces; literals dropped unless saved.
  QString TextFromEditText(const QString& editText) const;
  // True when no editable position holds a character.
  bool IsBlank(const QString& editText) const;
  // True when every required position is filled; otherwise `*firstMissing` (when given)
  // receives the first required position left blank.
  bool Validate(const QString& editText, int* firstMissing = nullptr) const;

  // A field being edited: its edit text and selection [SelStart, SelStart + SelLength).
  // The caret stands at SelStart + SelLength.
  struct TState {
    QString EditText;
    int SelStart = 0;
    int SelLength = 0;
  };
  // Typing `c`: the selection is blanked, then `c` goes to the first editable position at
  // or after the caret, and the caret moves past it and past any literals that follow.
  // A character the position refuses, or typing at the end, changes nothing and returns
  // false.
  bool TypeChar(TState& s, QChar c) const;
  // Backspace: blanks the selection, or the editable position before the caret, and puts
  // the caret there. Returns whether anything happened.
  bool Backspace(TState& s) const;
  // Delete: blanks the selection, or the editable position at or after the caret.
  bool Delete(TState& s) const;
  // Pasting: the selection is blanked, then the characters are typed in order; a
  // character equal to the literal at the caret steps over it. Stops at the first
  // character that fits nowhere. Returns whether anything changed.
  bool Paste(TState& s, const QString& text) const;

private:
  enum class TKind : unsigned char {
    Literal,
    Digit,
    DigitSign,
    Letter,
    AlphaNum,
    Any,
  };
  enum class TCase : unsigned char { None, Upper, Lower };
  struct TPosition {
    TKind Kind = TKind::Literal;
    bool Required = false;
    TCase Case = TCase::None;
    QChar Literal;
  };
  void BlankRange(QString& editText, int from, int to) const;

  QString FEditMask;
  std::vector<TPosition> FPositions;
  QChar FBlank = u'_';
  bool FSaveLiterals = true;
  bool FLeadingBlanks = false;
};
