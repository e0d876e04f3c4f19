#include "skin/controls/mask_engine.h"

#include <QStringList>
#include <algorithm>

namespace {

// Splits off the ';' fields that are not escaped by a backslash.
QStringList SplitMaskFields(const QString& mask) {
  QStringList fields;
  QString current;
  for (int i = 0; i < mask.size(); ++i) {
    const QChar c = mask[i];
    if (c == u'\\' && i + 1 < mask.size()) {
      current += c;
      current += mask[++i];
    } else if (c == u';') {
      fields << current;
      current.clear();
    } else {
      current += c;
    }
  }
  fields << current;
  return fields;
}

} // namespace

TspEditMask::TspEditMask(const QString& editMask, QChar dateSeparator, QChar timeSeparator)
    : FEditMask(editMask) {
  const QStringList fields = SplitMaskFields(editMask);
  // Only the last two fields are options; further separators belong to the mask itself.
  QString mask = fields.front();
  QString save;
  if (fields.size() >= 3) {
    mask = fields.mid(0, fields.size() - 2).join(u';');
    save = fields[fields.size() - 2];
    if (!fields.back().isEmpty()) FBlank = fields.back().front();
  } else if (fields.size() == 2) {
    save = fields[1];
  }
  if (!save.isEmpty()) FSaveLiterals = save.front() != u'0';

  TCase conversion = TCase::None;
  for (int i = 0; i < mask.size(); ++i) {
    const QChar c = mask[i];
    TPosition p;
    p.Case = conversion;
    switch (c.unicode()) {
    case '!':
      FLeadingBlanks = true;
      continue;
    case '>':
      conversion = TCase::Upper;
      continue;
    case '<':
      if (i + 1 < mask.size() && mask[i + 1] == u'>') {
        conversion = TCase::None;
        ++i;
      } else {
        conversion = TCase::Lower;
      }
      continue;
    case '\\':
      if (i + 1 >= mask.size()) continue; // a trailing backslash escapes nothing
      p.Literal = mask[++i];
      break;
    case '0':
    case '9':
      p.Kind = TKind::Digit;
      p.Required = c == u'0';
      break;
    case '#':
      p.Kind = TKind::DigitSign;
      break;
    case 'L':
    case 'l':
      p.Kind = TKind::Letter;
      p.Required = c == u'L';
      break;
    case 'A':
    case 'a':
      p.Kind = TKind::AlphaNum;
      p.Required = c == u'A';
      break;
    case 'C':
    case 'c':
      p.Kind = TKind::Any;
      p.Required = c == u'C';
      break;
    case ':':
      p.Literal = timeSeparator;
      break;
    case '/':
      p.Literal = dateSeparator;
      break;
    case '_':
      p.Literal = u' ';
      break;
    default:
      p.Literal = c;
      break;
    }
    FPositions.push_back(p);
  }
}

bool TspEditMask::IsLiteral(int pos) const {
  return pos >= 0 && pos < Length() && FPositions[size_t(pos)].Kind == TKind::Literal;
}

bool TspEditMask::IsRequired(int pos) const {
  return pos >= 0 && pos < Length() && FPositions[size_t(pos)].Required;
}

bool TspEditMask::Accepts(int pos, QChar c, QChar* stored) const {
  if (pos < 0 || pos >= Length()) return false;
  const TPosition& p = FPositions[size_t(pos)];
  bool ok = false;
  switch (p.Kind) {
  case TKind::Literal:
    return false;
  case TKind::Digit:
    ok = c >= u'0' && c <= u'9';
    break;
  case TKind::DigitSign:
    ok = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    break;
  case TKind::Letter:
    ok = c.isLetter();
    break;
  case TKind::AlphaNum:
    ok = c.isLetterOrNumber();
    break;
  case TKind::Any:
    ok = c.unicode() >= 32;
    break;
  }
  if (!ok) return false;
  if (stored) {
    *stored = p.Case == TCase::Upper ? c.toUpper() : p.Case == TCase::Lower ? c.toLower() : c;
  }
  return true;
}

int TspEditMask::NextEditable(int pos) const {
  pos = std::max(pos, 0);
  while (pos < Length() && IsLiteral(pos)) ++pos;
  return std::min(pos, Length());
}

int TspEditMask::PrevEditable(int pos) const {
  pos = std::min(pos, Length()) - 1;
  while (pos >= 0 && IsLiteral(pos)) --pos;
  return pos;
}

QString TspEditMask::EmptyEditText() const {
  QString s;
  s.reserve(Length());
  for (const TPosition& p : FPositions) s += p.Kind == TKind::Literal ? p.Literal : FBlank;
  return s;
}

QString TspEditMask::EditTextFromText(const QString& text) const {
  if (!IsMasked()) return text;
  QString out = EmptyEditText();
  auto put = [&](int pos, QChar c) {
    QChar stored;
    if (c != u' ' && c != FBlank && Accepts(pos, c, &stored)) out[pos] = stored;
  };
  // Places `chars` into the editable positions [from, to), padded as the mask says.
  auto fill = [&](int from, int to, const QString& chars) {
    std::vector<int> cells;
    for (int i = from; i < to; ++i)
      if (!IsLiteral(i)) cells.push_back(i);
    const int n = std::min<int>(int(chars.size()), int(cells.size()));
    const int offset = FLeadingBlanks ? int(cells.size()) - n : 0;
    for (int k = 0; k < n; ++k) put(cells[size_t(offset + k)], chars[k]);
  };

  if (!FSaveLiterals) {
    fill(0, Length(), text);
    return out;
  }
  int j = 0; // reading position in `text`
  int i = 0;
  while (i < Length()) {
    if (IsLiteral(i)) {
      if (j < text.size() && text[j] == FPositions[size_t(i)].Literal) ++j;
      ++i;
      continue;
    }
    int end = i;
    while (end < Length() && !IsLiteral(end)) ++end;
    const bool hasLiteral = end < Length();
    const QChar literal = hasLiteral ? FPositions[size_t(end)].Literal : QChar();
    QString section;
    while (j < text.size() && section.size() < end - i && !(hasLiteral && text[j] == literal))
      section += text[j++];
    fill(i, end, section);
    i = end;
  }
  return out;
}

QString TspEditMask::TextFromEditText(const QString& editText) const {
  if (!IsMasked()) return editText;
  QString out;
  out.reserve(Length());
  for (int i = 0; i < Length(); ++i) {
    const QChar c = i < editText.size() ? editText[i] : FBlank;
    if (IsLiteral(i)) {
      if (FSaveLiterals) out += FPositions[size_t(i)].Literal;
    } else {
      out += c == FBlank ? QChar(u' ') : c;
    }
  }
  return out;
}

bool TspEditMask::IsBlank(const QString& editText) const {
  for (int i = 0; i < Length(); ++i) {
    if (IsLiteral(i)) continue;
    if (i < editText.size() && editText[i] != FBlank && editText[i] != u' ') return false;
  }
  return true;
}

bool TspEditMask::Validate(const QString& editText, int* firstMissing) const {
  for (int i = 0; i < Length(); ++i) {
    if (!IsRequired(i)) continue;
    if (i >= editText.size() || editText[i] == FBlank || editText[i] == u' ') {
      if (firstMissing) *firstMissing = i;
      return false;
    }
  }
  return true;
}

void TspEditMask::BlankRange(QString& editText, int from, int to) const {
  from = std::max(from, 0);
  to = std::min(to, int(editText.size()));
  for (int i = from; i < to; ++i)
    if (!IsLiteral(i)) editText[i] = FBlank;
}

namespace {

// Brings a state into range: the text to the mask's length, the selection inside it.
void Normalize(TspEditMask::TState& s, const TspEditMask& m) {
  if (s.EditText.size() != m.Length()) {
    const QString empty = m.EmptyEditText();
    s.EditText = s.EditText.left(m.Length()) + empty.mid(s.EditText.size());
  }
  if (s.SelLength < 0) {
    s.SelStart += s.SelLength;
    s.SelLength = -s.SelLength;
  }
  s.SelStart = std::clamp(s.SelStart, 0, m.Length());
  s.SelLength = std::clamp(s.SelLength, 0, m.Length() - s.SelStart);
}

} // namespace

bool TspEditMask::TypeChar(TState& s, QChar c) const {
  Normalize(s, *this);
  int pos = NextEditable(s.SelStart);
  QChar stored;
  if (pos >= Length() || !Accepts(pos, c, &stored)) return false;
  BlankRange(s.EditText, s.SelStart, s.SelStart + s.SelLength);
  s.EditText[pos] = stored;
  s.SelStart = NextEditable(pos + 1);
  s.SelLength = 0;
  return true;
}

bool TspEditMask::Backspace(TState& s) const {
  Normalize(s, *this);
  if (s.SelLength > 0) {
    BlankRange(s.EditText, s.SelStart, s.SelStart + s.SelLength);
    s.SelLength = 0;
    return true;
  }
  const int pos = PrevEditable(s.SelStart);
  if (pos < 0) return false;
  s.EditText[pos] = FBlank;
  s.SelStart = pos;
  return true;
}

bool TspEditMask::Delete(TState& s) const {
  Normalize(s, *this);
  if (s.SelLength > 0) {
    BlankRange(s.EditText, s.SelStart, s.SelStart + s.SelLength);
    s.SelLength = 0;
    return true;
  }
  const int pos = NextEditable(s.SelStart);
  if (pos >= Length()) return false;
  s.EditText[pos] = FBlank;
  return true;
}

bool TspEditMask::Paste(TState& s, const QString& text) const {
  Normalize(s, *this);
  const QString before = s.EditText;
  if (s.SelLength > 0) {
    BlankRange(s.EditText, s.SelStart, s.SelStart + s.SelLength);
    s.SelLength = 0;
  }
  for (const QChar c : text) {
    if (s.SelStart < Length() && IsLiteral(s.SelStart) &&
        FPositions[size_t(s.SelStart)].Literal == c) {
      ++s.SelStart;
      continue;
    }
    if (TypeChar(s, c)) continue;
    // Typing steps over literals by itself, so the text's own copy of the literal just
    // passed is not a misfit.
    if (s.SelStart > 0 && IsLiteral(s.SelStart - 1) &&
        FPositions[size_t(s.SelStart - 1)].Literal == c)
      continue;
    break;
  }
  return s.EditText != before;
}
