#include "skin/controls/inplace_edit.h"

#include "skin/controls/db_grid.h"
#include "skin/controls/db_popup_listbox.h"
#include "skin/controls/edit_menu_hook.h"
#include "skin/controls/plain_look.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace {

// Keys that move the open pick list's selection.
bool ListKey(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
}

} // namespace

TspSkinInplaceEdit::TspSkinInplaceEdit(TspSkinCustomDBGrid* grid)
    : QLineEdit(grid), FGrid(grid), FList(new TspDBPopupListbox(this)) {
  setFrame(false);
  setFocusPolicy(Qt::ClickFocus);
  FList->KeyPress = [this](QKeyEvent* e) {
    const int key = e->key();
    // A modifier alone only starts a combination.
    if (key == Qt::Key_Alt || key == Qt::Key_Control || key == Qt::Key_Shift ||
        key == Qt::Key_Meta || key == Qt::Key_AltGr)
      return;
    const bool alt = e->modifiers() & Qt::AltModifier;
    e->accept();
    if (key == Qt::Key_Escape || key == Qt::Key_F4 ||
        (alt && (key == Qt::Key_Up || key == Qt::Key_Down))) {
      CloseUp(false);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      CloseUp(true);
    } else if (ListKey(key)) {
      QApplication::sendEvent(FList->ListBox(), e);
    } else {
      // Anything else is typing: the list gives way to the editor.
      CloseUp(false);
      QApplication::sendEvent(this, e);
    }
  };
  FList->Hidden = [this] {
    // Hidden behind our back: a press outside, the application losing the activation.
    if (FListVisible) CloseUp(false);
  };
  FList->SwallowPress = [this](QPoint global) {
    const QRect button = ButtonRect();
    return !button.isEmpty() &&
           QRect(mapToGlobal(button.topLeft()), button.size()).contains(global);
  };
  FList->ListBox()->Pick = [this](int index) {
    FList->SetItemIndex(index);
    CloseUp(true);
  };
  hide();
}

TspSkinInplaceEdit::~TspSkinInplaceEdit() {
  FList->KeyPress = nullptr;
  FList->Hidden = nullptr;
  FList->SwallowPress = nullptr;
  FList->ListBox()->Pick = nullptr;
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

// --- The button -----------------------------------------------------------------------------

void TspSkinInplaceEdit::SetButton(TspEditButton value) {
  if (value == FButton) return;
  if (FListVisible) CloseUp(false);
  FButton = value;
  FButtonDown = FButtonPress = false;
  setTextMargins(0, 0, ButtonRect().width(), 0);
  update();
}

QRect TspSkinInplaceEdit::ButtonRect() const {
  if (FButton == TspEditButton::None) return {};
  // As wide as a scroll bar, as the platform draws its own drop-down buttons.
  const int w = std::min(style()->pixelMetric(QStyle::PM_ScrollBarExtent), width());
  return QRect(width() - w, 0, w, height());
}

const QImage& TspSkinInplaceEdit::ButtonImage() {
  const QRect r = ButtonRect();
  const TspDataSkinGridControl* rec = FGrid->GridPicture() ? FGrid->GridRecord() : nullptr;
  // Size, kind, state and whether the grid's record paints it.
  const qint64 key = (qint64(r.width()) << 32) ^ (qint64(r.height()) << 16) ^
                     (qint64(FButton) << 4) ^ (FButtonDown ? 2 : 0) ^ (rec ? 1 : 0);
  if (key == FButtonKey && !FButtonImage.isNull()) return FButtonImage;
  FButtonKey = key;
  QImage image;
  TColor glyph;
  if (rec) {
    // The title cells' image: the button belongs to the grid's look.
    image = FGrid->CellImage(true, false, r.size(), nullptr).copy();
    if (image.size() != r.size()) image = image.scaled(r.size());
    glyph = rec->fixedfontcolor;
  } else {
    image = QImage(r.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(SkinColor(FButtonDown ? kPlainDownFill : clBtnFace));
    QPainter p(&image);
    p.setPen(SkinColor(FButtonDown ? kPlainFrame : DarkenColor(ColorToRGB(clBtnFace), 40)));
    p.drawRect(0, 0, r.width() - 1, r.height() - 1);
    glyph = ColorToRGB(clBtnText);
  }
  QPainter p(&image);
  // A pressed skinned button shows its glyph one pixel down and right.
  const int shift = rec && FButtonDown ? 1 : 0;
  const QRect face = QRect(QPoint(0, 0), r.size()).translated(shift, shift);
  if (FButton == TspEditButton::DropDown) {
    DrawArrow(p, TspRect::FromQRect(face), glyph, 4);
  } else {
    const QPoint c = face.center();
    for (int i = -1; i <= 1; ++i)
      p.fillRect(QRect(c.x() + i * 3 - 1, c.y(), 2, 2), ColorToQColor(ColorToRGB(glyph)));
  }
  FButtonImage = image;
  return FButtonImage;
}

void TspSkinInplaceEdit::ButtonClicked() {
  if (FButton == TspEditButton::DropDown) {
    if (FListVisible)
      CloseUp(false);
    else
      DropDown();
  } else if (FButton == TspEditButton::Ellipsis) {
    if (FGrid->OnEditButtonClick) FGrid->OnEditButtonClick(FGrid);
  }
}

// --- The pick list --------------------------------------------------------------------------

void TspSkinInplaceEdit::DropDown() {
  const TspColumn* column = FGrid->SelectedColumn();
  if (FListVisible || !column || column->PickList().isEmpty() || !isVisible()) return;
  const QStringList& items = column->PickList();
  FList->SetSkinDataName(FGrid->PickListBoxSkinDataName());
  FList->SetCaptionMode(FGrid->PickListBoxCaptionMode() ? TspListBoxCaptionMode::On
                                                        : TspListBoxCaptionMode::Off);
  FList->SetCaption(column->Title().Caption());
  FList->SetSkinData(FGrid->SkinData());
  FList->SetItems(items);
  const int rows = std::clamp(int(items.size()), 1, std::max(column->DropDownRows(), 1));
  FList->resize(width(), FList->height());
  FList->resize(width(), FList->HeightForRows(rows));
  FList->UpdateLayout();
  FList->SetItemIndex(int(items.indexOf(text())));
  const int h = FList->height();
  QPoint at = mapToGlobal(QPoint(0, height()));
  const QScreen* s = screen();
  // Above the editor when the list would pass the bottom of the work area.
  if (s && at.y() + h > s->availableGeometry().bottom() + 1) at.setY(mapToGlobal(QPoint()).y() - h);
  FList->move(at);
  FListVisible = true;
  FList->show();
  update();
}

void TspSkinInplaceEdit::CloseUp(bool accept) {
  if (!FListVisible) return;
  // Cleared first: hiding the pop-up reports back here.
  FListVisible = false;
  FButtonDown = FButtonPress = false;
  FList->hide();
  const int index = FList->ItemIndex();
  if (accept && !isReadOnly() && index >= 0 && index < FList->Items().size()) {
    setText(FList->Items()[index]);
    selectAll();
  }
  update();
}

// --- Input ----------------------------------------------------------------------------------

void TspSkinInplaceEdit::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  const bool alt = e->modifiers() & Qt::AltModifier;
  if (FButton == TspEditButton::DropDown &&
      (e->key() == Qt::Key_F4 || (alt && (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up)))) {
    FListVisible ? CloseUp(false) : DropDown();
    e->accept();
    return;
  }
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

void TspSkinInplaceEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && ButtonRect().contains(e->position().toPoint())) {
    FButtonPress = FButtonDown = true;
    setFocus(Qt::MouseFocusReason);
    update();
    // The list opens on the press, so that a drag onto an item can pick it.
    if (FButton == TspEditButton::DropDown) ButtonClicked();
    e->accept();
    return;
  }
  QLineEdit::mousePressEvent(e);
}

void TspSkinInplaceEdit::mouseMoveEvent(QMouseEvent* e) {
  if (FButtonPress && FButton == TspEditButton::Ellipsis) {
    const bool down = ButtonRect().contains(e->position().toPoint());
    if (down != FButtonDown) {
      FButtonDown = down;
      update();
    }
    return;
  }
  QLineEdit::mouseMoveEvent(e);
}

void TspSkinInplaceEdit::mouseReleaseEvent(QMouseEvent* e) {
  if (FButtonPress) {
    const bool over = ButtonRect().contains(e->position().toPoint());
    FButtonPress = false;
    if (FButton == TspEditButton::Ellipsis) {
      FButtonDown = false;
      update();
      if (over && e->button() == Qt::LeftButton) ButtonClicked();
    } else if (!FListVisible) {
      FButtonDown = false;
      update();
    }
    e->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(e);
}

void TspSkinInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  // A quick second press on the button is a second press, not a word selection.
  if (ButtonRect().contains(e->position().toPoint())) {
    mousePressEvent(e);
    return;
  }
  QLineEdit::mouseDoubleClickEvent(e);
}

void TspSkinInplaceEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  // The open list keeps the keys with the editor: the focus only seems to leave.
  if (FListVisible) return;
  if (isVisible() && !FGrid->GridFocused()) FGrid->UpdateData();
}

void TspSkinInplaceEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (ShowEditMenu(this, this, FGrid->SkinData(), e)) {
    e->accept();
    return;
  }
  QLineEdit::contextMenuEvent(e);
}

void TspSkinInplaceEdit::paintEvent(QPaintEvent* e) {
  QLineEdit::paintEvent(e);
  const QRect r = ButtonRect();
  if (r.isEmpty()) return;
  QPainter p(this);
  p.drawImage(r.topLeft(), ButtonImage());
}

void TspSkinInplaceEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  setTextMargins(0, 0, ButtonRect().width(), 0);
}

void TspSkinInplaceEdit::hideEvent(QHideEvent* e) {
  CloseUp(false);
  QLineEdit::hideEvent(e);
}
