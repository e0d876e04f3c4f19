#include "skin/controls/inplace_edit.h"

#include "skin/controls/db_grid.h"

#include <QApplication>
#include <QKeyEvent>

TspSkinInplaceEdit::TspSkinInplaceEdit(TspSkinCustomDBGrid* grid) : QLineEdit(grid), FGrid(grid) {
  setFrame(false);
  setFocusPolicy(Qt::ClickFocus);
  hide();
}

void TspSkinInplaceEdit::ShowOver(const QRect& cell, const QString& text, const QFont& font,
                                  bool readOnly) {
  setFont(font);
  setReadOnly(readOnly);
  FOriginal = text;
  setText(text);
  setGeometry(cell);
  selectAll();
  show();
  raise();
}

void TspSkinInplaceEdit::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  switch (e->key()) {
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_Escape:
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    QApplication::sendEvent(FGrid, e);
    return;
  case Qt::Key_Delete:
    if (ctrl) {
      QApplication::sendEvent(FGrid, e);
      return;
    }
    break;
  case Qt::Key_Left:
    // At the text's start the key moves to the previous column.
    if (cursorPosition() == 0 && !hasSelectedText()) {
      QApplication::sendEvent(FGrid, e);
      return;
    }
    break;
  case Qt::Key_Right:
    if (cursorPosition() == text().size() && !hasSelectedText()) {
      QApplication::sendEvent(FGrid, e);
      return;
    }
    break;
  default:
    break;
  }
  QLineEdit::keyPressEvent(e);
}

void TspSkinInplaceEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (isVisible() && !FGrid->GridFocused()) FGrid->UpdateData();
}
