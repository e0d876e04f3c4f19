#include "skin/controls/password_engine.h"

#include <algorithm>

QString ApplyCharCase(TspEditCharCase charCase, const QString& s) {
  switch (charCase) {
  case TspEditCharCase::ecUpperCase:
    return s.toUpper();
  case TspEditCharCase::ecLowerCase:
    return s.toLower();
  default:
    return s;
  }
}

void TspPasswordEngine::Changed() {
  ScrollToCaret();
  if (OnChange) OnChange();
}

void TspPasswordEngine::SetText(const QString& value) {
  const QString text = ApplyCharCase(FCharCase, value);
  FCaret = FAnchor = int(text.size());
  FSelLength = 0;
  FFirstVisible = 1;
  if (text == FText) {
    ScrollToCaret();
    return;
  }
  FText = text;
  Changed();
}

void TspPasswordEngine::SetCharCase(TspEditCharCase value) {
  if (FCharCase == value) return;
  FCharCase = value;
  const QString text = ApplyCharCase(FCharCase, FText);
  if (text == FText) return;
  FText = text; // the conversion keeps the length, so caret and selection stay valid
  Changed();
}

void TspPasswordEngine::SetCaret(int pos, bool extend) {
  pos = std::clamp(pos, 0, int(FText.size()));
  if (extend) {
    FCaret = pos;
    FSelLength = FCaret - FAnchor;
  } else {
    FCaret = FAnchor = pos;
    FSelLength = 0;
  }
  ScrollToCaret();
}

void TspPasswordEngine::MoveTo(int pos, bool extend) {
  SetCaret(pos, extend);
}

void TspPasswordEngine::MoveLeft(bool word, bool extend) {
  SetCaret(word ? PrevWordStart(FCaret) : FCaret - 1, extend);
}

void TspPasswordEngine::MoveRight(bool word, bool extend) {
  SetCaret(word ? NextWordStart(FCaret) : FCaret + 1, extend);
}

void TspPasswordEngine::SelectAll() {
  FAnchor = 0;
  FCaret = int(FText.size());
  FSelLength = FCaret;
  ScrollToCaret();
}

void TspPasswordEngine::ClearSelection() {
  SetCaret(FCaret, false);
}

void TspPasswordEngine::SelectWordAt(int index) {
  index = std::clamp(index, 0, int(FText.size()));
  int start = index;
  while (start > 0 && FText[start - 1] != u' ') --start;
  FAnchor = start;
  FCaret = NextWordStart(index);
  FSelLength = FCaret - FAnchor;
  ScrollToCaret();
}

int TspPasswordEngine::PrevWordStart(int pos) const {
  pos = std::clamp(pos, 0, int(FText.size()));
  while (pos > 0 && FText[pos - 1] == u' ') --pos;
  while (pos > 0 && FText[pos - 1] != u' ') --pos;
  return pos;
}

int TspPasswordEngine::NextWordStart(int pos) const {
  const int len = int(FText.size());
  pos = std::clamp(pos, 0, len);
  while (pos < len && FText[pos] != u' ') ++pos;
  while (pos < len && FText[pos] == u' ') ++pos;
  return pos;
}

void TspPasswordEngine::ReplaceSelection(const QString& text) {
  const int start = SelStart();
  FText.remove(start, SelLength());
  FText.insert(start, text);
  FCaret = FAnchor = start + int(text.size());
  FSelLength = 0;
}

bool TspPasswordEngine::Backspace() {
  if (FReadOnly) return false;
  if (HasSelection()) {
    ReplaceSelection(QString());
  } else {
    if (FCaret == 0) return false;
    FText.remove(FCaret - 1, 1);
    FCaret = FAnchor = FCaret - 1;
  }
  Changed();
  return true;
}

bool TspPasswordEngine::Delete() {
  if (FReadOnly) return false;
  if (HasSelection()) {
    ReplaceSelection(QString());
  } else {
    if (FCaret >= FText.size()) return false;
    FText.remove(FCaret, 1);
  }
  Changed();
  return true;
}

bool TspPasswordEngine::Insert(const QString& text) {
  if (FReadOnly) return false;
  QString clean;
  clean.reserve(text.size());
  for (const QChar c : text)
    if (c.unicode() >= 32 && c.unicode() != 127) clean += c;
  if (clean.isEmpty()) return false;
  const qsizetype length = FText.size() - SelLength() + clean.size();
  if (FMaxLength > 0 && length > FMaxLength) {
    ClearSelection();
    return false;
  }
  ReplaceSelection(ApplyCharCase(FCharCase, clean));
  Changed();
  return true;
}

bool TspPasswordEngine::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                                  const std::function<QString()>& clipboard) {
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  switch (key) {
  case Qt::Key_Backspace:
    Backspace();
    return true;
  case Qt::Key_Delete:
    Delete();
    return true;
  case Qt::Key_Home:
    Home(shift);
    return true;
  case Qt::Key_End:
    End(shift);
    return true;
  case Qt::Key_Left:
    MoveLeft(ctrl, shift);
    return true;
  case Qt::Key_Right:
    MoveRight(ctrl, shift);
    return true;
  case Qt::Key_Insert:
    if (!shift) return false;
    if (clipboard) Insert(clipboard());
    return true;
  case Qt::Key_V:
    if (ctrl) {
      if (clipboard) Insert(clipboard());
      return true;
    }
    break;
  default:
    break;
  }
  if (text.isEmpty() || text.front().unicode() < 32 || text.front().unicode() == 127) return false;
  Insert(text);
  return true;
}

void TspPasswordEngine::SetLayout(const TspPasswordLayout& layout) {
  FLayout = layout;
  FLayout.CellWidth = std::max(FLayout.CellWidth, 1);
  FFirstVisible = 1;
  ScrollToCaret();
}

int TspPasswordEngine::AlignmentShift() const {
  const int textWidth = int(FText.size()) * FLayout.CellWidth;
  const int free = FLayout.ContentWidth - textWidth;
  if (free <= 0) return 0;
  switch (FLayout.Alignment) {
  case TspTextAlignment::taRightJustify:
    return free;
  case TspTextAlignment::taCenter:
    return free / 2;
  default:
    return 0;
  }
}

int TspPasswordEngine::CaretX(int pos) const {
  pos = std::clamp(pos, 0, int(FText.size()));
  return FLayout.ContentLeft + (pos - FFirstVisible + 1) * FLayout.CellWidth + AlignmentShift();
}

int TspPasswordEngine::PosAtX(int x) const {
  const int cell = (x - FLayout.ContentLeft - AlignmentShift()) / FLayout.CellWidth;
  return std::clamp(FFirstVisible - 1 + cell, 0, int(FText.size()));
}

void TspPasswordEngine::ScrollToCaret() {
  const int len = int(FText.size());
  // A text that fits shows whole; the alignment shift relies on that.
  if (FLayout.ContentWidth <= 0 || len * FLayout.CellWidth <= FLayout.ContentWidth) {
    FFirstVisible = 1;
    return;
  }
  const int right = FLayout.ContentLeft + FLayout.ContentWidth;
  while (CaretX(FCaret) > right && FFirstVisible < len) ++FFirstVisible;
  if (FCaret < FFirstVisible - 1) FFirstVisible = std::max(FCaret, 1);
}

void TspPasswordEngine::DragTo(int x) {
  const int right = FLayout.ContentLeft + FLayout.ContentWidth;
  int pos;
  if (x >= right)
    pos = PosAtX(right) + 1;
  else if (x < FLayout.ContentLeft)
    pos = FFirstVisible - 2;
  else
    pos = PosAtX(x);
  SetCaret(pos, true);
}
