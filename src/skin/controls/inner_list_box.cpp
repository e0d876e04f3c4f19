// The inner list of the skinned list box: items, selection, keys, mouse and scrolling; it
// paints only the rows on show, each through its owner.
#include "skin/controls/list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

bool LessNoCase(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

constexpr int kWheelRows = 3;

} // namespace

// --- TspListBox ------------------------------------------------------------------------------

TspListBox::TspListBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
}

int TspListBox::InsertPosition(const QString& item) const {
  if (!FSorted) return Count();
  return int(std::upper_bound(FItems.cbegin(), FItems.cend(), item, LessNoCase) - FItems.cbegin());
}

void TspListBox::SetItems(const QStringList& items) {
  FItems = items;
  if (FSorted) std::stable_sort(FItems.begin(), FItems.end(), LessNoCase);
  FSelected.assign(FMultiSelect ? FItems.size() : 0, 0);
  FItemIndex = -1;
  FAnchor = -1;
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  Changed(true);
}

int TspListBox::AddItem(const QString& item) {
  const int at = InsertPosition(item);
  InsertItem(at, item);
  return at;
}

void TspListBox::InsertItem(int index, const QString& item) {
  index = std::clamp(index, 0, Count());
  FItems.insert(index, item);
  if (FMultiSelect) FSelected.insert(FSelected.begin() + index, 0);
  if (FItemIndex >= index) ++FItemIndex;
  if (FAnchor >= index) ++FAnchor;
  Changed(true);
}

void TspListBox::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return;
  FItems.removeAt(index);
  if (FMultiSelect) FSelected.erase(FSelected.begin() + index);
  if (FItemIndex == index)
    FItemIndex = -1;
  else if (FItemIndex > index)
    --FItemIndex;
  if (FAnchor >= Count()) FAnchor = -1;
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  Changed(true);
}

void TspListBox::ClearItems() {
  FItems.clear();
  FSelected.clear();
  FItemIndex = -1;
  FAnchor = -1;
  FTopIndex = 0;
  FHorizontalPosition = 0;
  Changed(true);
}

void TspListBox::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  if (!value || FItems.isEmpty()) return;
  const QString current = FItemIndex >= 0 ? FItems[FItemIndex] : QString();
  std::stable_sort(FItems.begin(), FItems.end(), LessNoCase);
  ClearSelection();
  FItemIndex = current.isNull() ? -1 : int(FItems.indexOf(current));
  Changed(false);
}

void TspListBox::SetItemIndex(int value) {
  if (value < -1 || value >= Count()) value = -1;
  if (FMultiSelect) {
    if (value >= 0) {
      ClearSelection();
      FSelected[size_t(value)] = 1;
    }
  }
  FItemIndex = value;
  FAnchor = value;
  if (value >= 0) MakeVisible(value);
  update();
}

void TspListBox::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  FSelected.assign(value ? FItems.size() : 0, 0);
  if (value && FItemIndex >= 0) FSelected[size_t(FItemIndex)] = 1;
  update();
}

bool TspListBox::Selected(int index) const {
  if (index < 0 || index >= Count()) return false;
  return FMultiSelect ? FSelected[size_t(index)] != 0 : index == FItemIndex;
}

void TspListBox::SetSelected(int index, bool value) {
  if (index < 0 || index >= Count()) return;
  if (FMultiSelect) {
    FSelected[size_t(index)] = value ? 1 : 0;
  } else if (value) {
    FItemIndex = index;
  } else if (FItemIndex == index) {
    FItemIndex = -1;
  }
  update();
}

int TspListBox::SelCount() const {
  if (!FMultiSelect) return FItemIndex >= 0 ? 1 : 0;
  return int(std::count(FSelected.begin(), FSelected.end(), char(1)));
}

void TspListBox::ClearSelection() {
  std::fill(FSelected.begin(), FSelected.end(), 0);
}

void TspListBox::SelectRange(int from, int to) {
  ClearSelection();
  if (from < 0) from = to;
  for (int i = std::min(from, to); i <= std::max(from, to); ++i) FSelected[size_t(i)] = 1;
}

void TspListBox::SetItemHeight(int value) {
  value = std::max(value, 1);
  if (value == FItemHeight) return;
  FItemHeight = value;
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  Changed(true);
}

void TspListBox::SetColumns(int value) {
  value = std::max(value, 0);
  if (value == FColumns) return;
  FColumns = value;
  FTopIndex = 0;
  if (FItemIndex >= 0) MakeVisible(FItemIndex);
  Changed(true);
}

int TspListBox::VisibleRows() const {
  return std::max(1, height() / FItemHeight);
}

int TspListBox::ColumnWidth() const {
  return FColumns > 0 ? std::max(1, width() / FColumns) : width();
}

int TspListBox::MaxTopIndex() const {
  if (FColumns > 0) {
    const int rpc = VisibleRows();
    const int columns = (Count() + rpc - 1) / rpc;
    return std::max(0, columns - FColumns) * rpc;
  }
  return std::max(0, Count() - VisibleRows());
}

void TspListBox::SetTopIndex(int value) {
  if (FColumns > 0) value -= value % VisibleRows();
  value = std::clamp(value, 0, MaxTopIndex());
  if (value == FTopIndex) return;
  FTopIndex = value;
  Changed(true);
}

void TspListBox::SetHorizontalExtent(int value) {
  value = std::max(value, 0);
  if (value == FHorizontalExtent) return;
  FHorizontalExtent = value;
  FHorizontalPosition = std::clamp(FHorizontalPosition, 0, std::max(0, value - width()));
  Changed(true);
}

void TspListBox::SetHorizontalPosition(int value) {
  value = std::clamp(value, 0, std::max(0, FHorizontalExtent - width()));
  if (value == FHorizontalPosition) return;
  FHorizontalPosition = value;
  Changed(true);
}

QRect TspListBox::ItemRect(int index) const {
  if (FColumns > 0) {
    const int rpc = VisibleRows(), cw = ColumnWidth();
    const int k = index - FTopIndex;
    const int column = k >= 0 ? k / rpc : -((-k + rpc - 1) / rpc);
    const int row = k - column * rpc;
    return QRect(column * cw, row * FItemHeight, cw, FItemHeight);
  }
  return QRect(0, (index - FTopIndex) * FItemHeight, width(), FItemHeight);
}

int TspListBox::ItemAtPos(QPoint pos, bool existing) const {
  if (pos.x() < 0 || pos.y() < 0 || pos.x() >= width() || pos.y() >= height()) return -1;
  int index;
  if (FColumns > 0) {
    const int rpc = VisibleRows();
    const int row = pos.y() / FItemHeight;
    if (row >= rpc) return -1;
    index = FTopIndex + (pos.x() / ColumnWidth()) * rpc + row;
  } else {
    index = FTopIndex + pos.y() / FItemHeight;
  }
  if (existing && index >= Count()) return -1;
  return index;
}

void TspListBox::MakeVisible(int index) {
  if (index < 0 || index >= Count()) return;
  int top = FTopIndex;
  if (FColumns > 0) {
    const int rpc = VisibleRows();
    const int span = rpc * FColumns;
    if (index < top)
      top = index - index % rpc;
    else if (index >= top + span)
      top = (index / rpc - FColumns + 1) * rpc;
  } else {
    const int rows = VisibleRows();
    if (index < top)
      top = index;
    else if (index >= top + rows)
      top = index - rows + 1;
  }
  SetTopIndex(top);
}

void TspListBox::Changed(bool scroll) {
  update();
  if (scroll && ScrollChanged) ScrollChanged();
}

void TspListBox::UserMoveTo(int index, Qt::KeyboardModifiers modifiers, bool toggle) {
  if (index < 0 || index >= Count()) return;
  if (!FMultiSelect) {
    FItemIndex = index;
    FAnchor = index;
  } else if (FExtendedSelect) {
    if (modifiers & Qt::ShiftModifier) {
      SelectRange(FAnchor, index);
    } else if (modifiers & Qt::ControlModifier) {
      if (toggle) FSelected[size_t(index)] ^= 1;
      FAnchor = index;
    } else {
      ClearSelection();
      FSelected[size_t(index)] = 1;
      FAnchor = index;
    }
    FItemIndex = index;
  } else {
    if (toggle) FSelected[size_t(index)] ^= 1;
    FItemIndex = index;
  }
  MakeVisible(index);
  update();
  if (UserSelect) UserSelect();
}

QImage TspListBox::PaintImage() {
  if (width() <= 0 || height() <= 0) return QImage();
  QImage image(size(), QImage::Format_RGB32);
  if (PaintBackground)
    PaintBackground(image);
  else
    image.fill(palette().color(QPalette::Base));
  if (!PaintItem || FItems.isEmpty()) return image;
  // Only the rows on show: the cost of a paint does not grow with the number of items.
  const int rows = (height() + FItemHeight - 1) / FItemHeight;
  const int shown = FColumns > 0 ? rows * FColumns : rows;
  const int last = std::min(Count() - 1, FTopIndex + shown - 1);
  const bool focused = hasFocus() || HotTrack;
  for (int i = FTopIndex; i <= last; ++i) {
    const QRect r = ItemRect(i);
    if (!r.intersects(rect())) continue;
    TspOwnerDrawState state;
    state.Selected = Selected(i);
    state.Focused = focused && i == FItemIndex;
    state.Disabled = !isEnabled();
    PaintItem(image, i, r, state);
  }
  return image;
}

void TspListBox::paintEvent(QPaintEvent*) {
  const QImage image = PaintImage();
  if (image.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image);
}

void TspListBox::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  if (FColumns > 0) FTopIndex -= FTopIndex % VisibleRows();
  FHorizontalPosition =
      std::clamp(FHorizontalPosition, 0, std::max(0, FHorizontalExtent - width()));
  Changed(true);
}

void TspListBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    const int index = ItemAtPos(e->position().toPoint());
    if (index >= 0) {
      UserMoveTo(index, e->modifiers(), true);
      FDragging = !FMultiSelect || FExtendedSelect;
    }
  }
  if (MouseDown) MouseDown(e);
}

void TspListBox::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (FDragging && (e->buttons() & Qt::LeftButton) && FColumns == 0 && Count() > 0) {
    // Dragging past an edge moves the selection one row beyond it and scrolls.
    int index;
    if (pos.y() < 0)
      index = FTopIndex - 1;
    else if (pos.y() >= height())
      index = FTopIndex + VisibleRows();
    else
      index = ItemAtPos(QPoint(std::clamp(pos.x(), 0, width() - 1), pos.y()), false);
    index = std::clamp(index, 0, Count() - 1);
    if (index != FItemIndex)
      UserMoveTo(index, FMultiSelect ? Qt::ShiftModifier : Qt::NoModifier, false);
  } else if (HotTrack && e->buttons() == Qt::NoButton) {
    const int index = ItemAtPos(pos);
    if (index >= 0 && index != FItemIndex) {
      FItemIndex = index;
      update();
    }
  }
  if (MouseMove) MouseMove(e);
}

void TspListBox::mouseReleaseEvent(QMouseEvent* e) {
  FDragging = false;
  if (MouseUp) MouseUp(e);
  if (e->button() == Qt::LeftButton && HotTrack && Pick) {
    const int index = ItemAtPos(e->position().toPoint());
    if (index >= 0) Pick(index);
  }
}

void TspListBox::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && ItemAtPos(e->position().toPoint()) >= 0 && DblClick)
    DblClick(e);
}

void TspListBox::wheelEvent(QWheelEvent* e) {
  if (Wheel && Wheel(e)) return;
  const int steps = e->angleDelta().y() / 120;
  if (steps == 0) return;
  if (FColumns > 0)
    SetTopIndex(FTopIndex - steps * VisibleRows());
  else
    SetTopIndex(FTopIndex - steps * kWheelRows);
  e->accept();
}

void TspListBox::keyPressEvent(QKeyEvent* e) {
  int key = e->key();
  if (KeyDown) KeyDown(key, e->modifiers());
  if (key == 0) return;
  const int count = Count();
  const int rows = VisibleRows();
  const int current = FItemIndex;
  int target = -2;
  switch (key) {
  case Qt::Key_Up:
    target = current - 1;
    break;
  case Qt::Key_Down:
    target = current + 1;
    break;
  case Qt::Key_Left:
    target = FColumns > 0 ? current - VisibleRows() : current - 1;
    break;
  case Qt::Key_Right:
    target = FColumns > 0 ? current + VisibleRows() : current + 1;
    break;
  case Qt::Key_PageUp:
    target = current - std::max(1, rows - 1);
    break;
  case Qt::Key_PageDown:
    target = current + std::max(1, rows - 1);
    break;
  case Qt::Key_Home:
    target = 0;
    break;
  case Qt::Key_End:
    target = count - 1;
    break;
  default:
    break;
  }
  if (target != -2) {
    if (count == 0) return;
    if (current < 0) target = key == Qt::Key_End ? count - 1 : 0;
    target = std::clamp(target, 0, count - 1);
    if (target != current || FMultiSelect) UserMoveTo(target, e->modifiers(), false);
    return;
  }
  if (key == Qt::Key_Space && FMultiSelect && current >= 0) {
    FSelected[size_t(current)] ^= 1;
    FAnchor = current;
    update();
    if (UserSelect) UserSelect();
    return;
  }
  const QString text = e->text();
  if (text.isEmpty() || !text[0].isPrint()) {
    QWidget::keyPressEvent(e);
    return;
  }
  QChar c = text[0];
  if (KeyPress) KeyPress(c);
  if (c.isNull() || count == 0) return;
  // The next item after the current one that begins with the character, round the end.
  const QString prefix(c);
  for (int k = 1; k <= count; ++k) {
    const int i = (std::max(current, -1) + k) % count;
    if (FItems[i].startsWith(prefix, Qt::CaseInsensitive)) {
      if (i != current) UserMoveTo(i, Qt::NoModifier, false);
      return;
    }
  }
}

void TspListBox::keyReleaseEvent(QKeyEvent* e) {
  int key = e->key();
  if (KeyUp) KeyUp(key, e->modifiers());
  if (key != 0) QWidget::keyReleaseEvent(e);
}

void TspListBox::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  update();
}

void TspListBox::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  update();
}
