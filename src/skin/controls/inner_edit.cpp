#include "skin/controls/inner_edit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QStyle>

QString TypedText(const QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)) return QString();
  const QString text = e->text();
  if (text.isEmpty() || text.front().unicode() < 32 || text.front().unicode() == 127)
    return QString();
  return text;
}

TspInnerEdit::TspInnerEdit(QWidget* parent) : QLineEdit(parent) {
  setFrame(false);
  setAutoFillBackground(false);
  setTextMargins(0, 0, 0, 0);
  QPalette pal = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, QPalette::Base, Qt::transparent);
    pal.setColor(group, QPalette::Window, Qt::transparent);
  }
  setPalette(pal);
  QObject::connect(this, &QLineEdit::selectionChanged, this, [this] { SelectionChanged(); });
}

int TspInnerEdit::TextStartX() const {
  // Qt keeps two pixels between the contents rectangle and the text.
  constexpr int kMargin = 2;
  const QRect r = contentsRect().marginsRemoved(textMargins());
  const int width = fontMetrics().horizontalAdvance(displayText());
  const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), alignment());
  if (h & Qt::AlignRight) return r.right() + 1 - kMargin - width;
  if (h & Qt::AlignHCenter) return r.left() + (r.width() - width) / 2;
  return r.left() + kMargin;
}

void TspInnerEdit::SetTextColors(const QColor& text, const QColor& disabledText,
                                 const QColor& highlight, const QColor& highlightedText) {
  QPalette pal = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::Text, text);
    pal.setColor(group, QPalette::Highlight, highlight);
    pal.setColor(group, QPalette::HighlightedText, highlightedText);
  }
  pal.setColor(QPalette::Disabled, QPalette::Text, disabledText);
  if (pal != palette()) setPalette(pal);
}

void TspInnerEdit::keyPressEvent(QKeyEvent* e) {
  if (KeyPress && KeyPress(e)) return;
  QLineEdit::keyPressEvent(e);
}

void TspInnerEdit::keyReleaseEvent(QKeyEvent* e) {
  QLineEdit::keyReleaseEvent(e);
  if (KeyRelease) KeyRelease(e);
}

void TspInnerEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  // Qt selects all only on Tab; a click never selects.
  if (e->reason() != Qt::MouseFocusReason && e->reason() != Qt::ActiveWindowFocusReason &&
      e->reason() != Qt::PopupFocusReason) {
    if (AutoSelect)
      selectAll();
    else if (hasSelectedText())
      deselect();
  }
  if (FocusIn) FocusIn(e);
}

void TspInnerEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (FocusOut) FocusOut(e);
}

void TspInnerEdit::SelectionChanged() {
  if (FRestoring) return;
  if (hasSelectedText()) {
    FKept = {selectionStart(), int(selectedText().size()), cursorPosition(), text()};
    return;
  }
  // Qt drops the selection of an unfocused line edit on focus changes anywhere in the
  // application (also queued, after a window shows); a field that shows its selection while
  // unfocused takes it back, as long as the text is the one it was made in.
  if (!HideSelection && !hasFocus() && FKept.Length > 0 && FKept.Text == text()) {
    FRestoring = true;
    if (FKept.Cursor == FKept.Start)
      setSelection(FKept.Start + FKept.Length, -FKept.Length);
    else
      setSelection(FKept.Start, FKept.Length);
    FRestoring = false;
    return;
  }
  FKept = {};
}

void TspInnerEdit::mousePressEvent(QMouseEvent* e) {
  if (MousePress && MousePress(e)) return;
  QLineEdit::mousePressEvent(e);
}

void TspInnerEdit::mouseMoveEvent(QMouseEvent* e) {
  QLineEdit::mouseMoveEvent(e);
  if (MouseMove) MouseMove(e);
}

void TspInnerEdit::wheelEvent(QWheelEvent* e) {
  if (Wheel && Wheel(e)) return;
  QLineEdit::wheelEvent(e);
}

void TspInnerEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (ContextMenu && ContextMenu(e)) {
    e->accept();
    return;
  }
  QLineEdit::contextMenuEvent(e);
}

void TspInnerEdit::inputMethodEvent(QInputMethodEvent* e) {
  if (RefuseInputMethod) {
    e->ignore();
    return;
  }
  QLineEdit::inputMethodEvent(e);
}
