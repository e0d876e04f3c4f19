#include "skin/controls/radio_group.h"

#include <QEvent>
#include <QKeyEvent>
#include <algorithm>

// --- TspGroupButton ----------------------------------------------------------------------------

TspGroupButton::TspGroupButton(TspSkinCustomRadioGroup* group, int index)
    : TspSkinCheckRadioBox(group), FGroup(group), FIndex(index) {
  SetRadio(true);
  SetGroupIndex(1);
  SetFlat(true);
  SetCanFocused(true);
  OnClick = [this](QObject*) { FGroup->ButtonClicked(this); };
}

void TspGroupButton::keyPressEvent(QKeyEvent* e) {
  if (FGroup->ButtonKeyPress(this, e)) {
    e->accept();
    return;
  }
  TspSkinCheckRadioBox::keyPressEvent(e);
}

void TspGroupButton::keyReleaseEvent(QKeyEvent* e) {
  // Space toggles on its release: that is the key a group refusing changes must swallow.
  if ((e->key() == Qt::Key_Space || e->key() == Qt::Key_Backspace) && !FGroup->CanModify()) {
    e->accept();
    return;
  }
  TspSkinCheckRadioBox::keyReleaseEvent(e);
}

// --- TspSkinCustomRadioGroup -------------------------------------------------------------------

TspSkinCustomRadioGroup::TspSkinCustomRadioGroup(QWidget* parent)
    : TspSkinGroupBox(parent), FButtonDefaultFont(DefaultSkinFont()) {}

TspSkinCustomRadioGroup::~TspSkinCustomRadioGroup() {
  // The buttons go with the widget base; none may call back into a half-destroyed group.
  for (TspGroupButton* b : FButtons) b->OnClick = nullptr;
}

TspGroupButton* TspSkinCustomRadioGroup::Button(int index) const {
  return index >= 0 && index < ButtonCount() ? FButtons[size_t(index)] : nullptr;
}

void TspSkinCustomRadioGroup::SetItems(const QStringList& value) {
  FItems = value;
  if (FItemIndex >= int(FItems.size())) FItemIndex = -1;
  UpdateButtons();
}

void TspSkinCustomRadioGroup::SetItemIndex(int value) {
  value = std::clamp(value, -1, ButtonCount() - 1);
  if (value == FItemIndex) return;
  FUpdating = true;
  if (TspGroupButton* old = Button(FItemIndex)) old->SetChecked(false);
  if (TspGroupButton* now = Button(value)) now->SetChecked(true);
  FUpdating = false;
  FItemIndex = value;
  UpdateTabStops();
}

void TspSkinCustomRadioGroup::SetColumns(int value) {
  value = std::clamp(value, 1, 16);
  if (value == FColumns) return;
  FColumns = value;
  ArrangeButtons();
}

void TspSkinCustomRadioGroup::SetButtonSkinDataName(const QString& value) {
  FButtonSkinDataName = value;
  UpdateButtons();
}

void TspSkinCustomRadioGroup::SetButtonDefaultFont(const QFont& value) {
  FButtonDefaultFont = value;
  UpdateButtons();
}

void TspSkinCustomRadioGroup::SetImages(TspImageList* value) {
  FImages = value;
  UpdateButtons();
}

void TspSkinCustomRadioGroup::SetSkinData(TspSkinData* value) {
  TspSkinGroupBox::SetSkinData(value);
  for (TspGroupButton* b : FButtons) b->SetSkinData(value);
  ArrangeButtons();
}

void TspSkinCustomRadioGroup::ApplySkin() {
  TspSkinGroupBox::ApplySkin();
  // The new skin's frame may leave a client area of another size.
  ArrangeButtons();
}

void TspSkinCustomRadioGroup::UpdateButtons() {
  const int n = int(FItems.size());
  while (ButtonCount() > n) {
    TspGroupButton* last = FButtons.back();
    FButtons.pop_back();
    last->OnClick = nullptr;
    delete last;
  }
  while (ButtonCount() < n) FButtons.push_back(new TspGroupButton(this, ButtonCount()));
  FUpdating = true;
  for (int i = 0; i < n; ++i) {
    TspGroupButton* b = FButtons[size_t(i)];
    b->SetCaption(FItems[i]);
    b->SetImages(FImages);
    b->SetImageIndex(i);
    b->SetSkinDataName(FButtonSkinDataName);
    b->SetDefaultFont(FButtonDefaultFont);
    b->SetUseSkinFont(UseSkinFont());
    if (b->SkinData() != SkinData()) b->SetSkinData(SkinData());
    b->SetChecked(i == FItemIndex);
    b->update();
  }
  FUpdating = false;
  UpdateTabStops();
  ArrangeButtons();
}

void TspSkinCustomRadioGroup::ArrangeButtons() {
  const int n = ButtonCount();
  if (n == 0) return;
  const int m = FColumns;
  const int rows = (n + m - 1) / m;
  const QRect client = ClientRect();
  const int w = client.width() / m - 2;
  const int h = client.height() / rows;
  const bool mirrored = isRightToLeft();
  // Hidden while they move, so the group repaints once rather than once per button.
  setUpdatesEnabled(false);
  for (int i = 0; i < n; ++i) {
    int x = client.left() + 1 + (i / rows) * w;
    if (mirrored) x = client.left() + client.right() + 1 - x - w;
    const int y = client.top() + (i % rows) * h;
    TspGroupButton* b = FButtons[size_t(i)];
    b->setGeometry(x, y, std::max(w, 0), std::max(h, 0));
    b->show();
  }
  setUpdatesEnabled(true);
}

void TspSkinCustomRadioGroup::UpdateTabStops() {
  TspGroupButton* stop = Button(FItemIndex);
  if (!stop) stop = Button(0);
  for (TspGroupButton* b : FButtons)
    if (b->CanFocused()) b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TspSkinCustomRadioGroup::ButtonClicked(TspGroupButton* button) {
  if (FUpdating || !button->Checked()) return;
  FItemIndex = button->Index();
  UpdateTabStops();
  if (OnClick) OnClick(this);
}

bool TspSkinCustomRadioGroup::ButtonKeyPress(TspGroupButton* button, QKeyEvent* e) {
  const int key = e->key();
  if ((key == Qt::Key_Space || key == Qt::Key_Backspace) && !CanModify()) return true;
  int step = 0;
  switch (key) {
  case Qt::Key_Up:
    step = -1;
    break;
  case Qt::Key_Down:
    step = 1;
    break;
  case Qt::Key_Left:
    step = isRightToLeft() ? 1 : -1;
    break;
  case Qt::Key_Right:
    step = isRightToLeft() ? -1 : 1;
    break;
  default:
    return false;
  }
  const int n = ButtonCount();
  // The next enabled, visible button, round the group.
  for (int k = 1; k < n; ++k) {
    TspGroupButton* target = Button(((button->Index() + step * k) % n + n) % n);
    if (!target->isEnabled() || !target->isVisible()) continue;
    target->setFocus(Qt::OtherFocusReason);
    if (CanModify()) target->ToggleCheck();
    break;
  }
  return true;
}

void TspSkinCustomRadioGroup::resizeEvent(QResizeEvent* e) {
  TspSkinGroupBox::resizeEvent(e);
  ArrangeButtons();
}

void TspSkinCustomRadioGroup::changeEvent(QEvent* e) {
  TspSkinGroupBox::changeEvent(e);
  if (e->type() == QEvent::FontChange || e->type() == QEvent::LayoutDirectionChange)
    ArrangeButtons();
}

// --- TspSkinRadioGroup -------------------------------------------------------------------------

TspSkinRadioGroup::TspSkinRadioGroup(QWidget* parent) : TspSkinCustomRadioGroup(parent) {}
