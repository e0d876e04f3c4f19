// TspSkinButton, the windowed push button: what it adds to the shared button behaviour:
// the focus, default and cancel buttons, its keys and accelerator, and the modal result.

#include "skin/controls/button.h"
#include "skin/controls/focus_on_press.h"
#include "skin/controls/mnemonic.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

// --- TspSkinButton -------------------------------------------------------------------------------

TspSkinButton::TspSkinButton(QWidget* parent) : TspButtonControl<TspSkinCustomControl>(parent) {
  SetSkinDataName(QStringLiteral("button"));
  resize(75, 25);
  setFocusPolicy(Qt::StrongFocus);
  FDefaultActive = FDefault;
  FFocusWatch = connect(qApp, &QApplication::focusChanged, this,
                        [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

TspSkinButton::~TspSkinButton() {
  // The widget base still moves the focus away while it is destroyed: by then this button
  // must not hear of it.
  disconnect(FFocusWatch);
  if (FDialogKeyWindow) FDialogKeyWindow->removeEventFilter(this);
}

void TspSkinButton::SetCanFocused(bool value) {
  FCanFocused = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  UpdateShortcut();
  update();
}

void TspSkinButton::SetGroupIndex(int value) {
  TspButtonControl::SetGroupIndex(value);
  if (value != 0) SetCanFocused(false);
}

void TspSkinButton::SetDefault(bool value) {
  FDefault = value;
  WatchDialogKeys();
  AnnounceActiveControl();
  update();
}

void TspSkinButton::SetCancel(bool value) {
  FCancel = value;
  WatchDialogKeys();
}

bool TspSkinButton::FocusedLook() const {
  return FCanFocused && hasFocus();
}

bool TspSkinButton::KeepsHotLook() const {
  return FDefault && FCanFocused && FDefaultActive && !hasFocus();
}

bool TspSkinButton::AcceptPress() {
  return !FCanFocused || TakeFocusOnPress(this);
}

void TspSkinButton::FocusMoved(QWidget* now) {
  if (!now || now->window() != window()) return;
  FDefaultActive = dynamic_cast<TspSkinButton*>(now) ? now == this : FDefault;
  if (!FDefault || !FCanFocused || now == this) return;
  if (FDefaultActive) {
    // Enter would click this button: show it hot.
    SetMouseIn(true);
    if (EffectsOn()) SetMorphValue(1);
    update();
  } else if (!Hovered() && MouseIn()) {
    SetMouseIn(false);
    Refresh();
  }
}

void TspSkinButton::CaptionChanged() {
  UpdateShortcut();
}

void TspSkinButton::AnnounceActiveControl() {
  QWidget* form = window();
  QWidget* focus = form->focusWidget();
  // findChildren<TspSkinButton*> would match every skinned control through the meta-object
  // of their common base; a real type check keeps panels and edits out.
  QList<TspSkinButton*> buttons;
  if (auto* self = dynamic_cast<TspSkinButton*>(form)) buttons << self;
  for (QWidget* w : form->findChildren<QWidget*>())
    if (auto* b = dynamic_cast<TspSkinButton*>(w)) buttons << b;
  for (TspSkinButton* b : buttons) {
    if (focus)
      b->FocusMoved(focus);
    else
      b->FDefaultActive = b->FDefault;
  }
}

void TspSkinButton::WatchDialogKeys() {
  QWidget* form = (FDefault || FCancel) && !isWindow() ? window() : nullptr;
  if (form == FDialogKeyWindow) return;
  if (FDialogKeyWindow) FDialogKeyWindow->removeEventFilter(this);
  FDialogKeyWindow = form;
  if (form) form->installEventFilter(this);
}

void TspSkinButton::UpdateShortcut() {
  if (FShortcutId != 0) releaseShortcut(FShortcutId);
  FShortcutId = 0;
  const QKeySequence mnemonic = MnemonicKey(Caption());
  if (FCanFocused && !mnemonic.isEmpty()) FShortcutId = grabShortcut(mnemonic);
}

bool TspSkinButton::eventFilter(QObject* watched, QEvent* e) {
  // Keys that no control of the window took reach the window: Enter for the default
  // button, Esc for the cancel button.
  if (watched != FDialogKeyWindow || e->type() != QEvent::KeyPress)
    return TspButtonControl::eventFilter(watched, e);
  auto* key = static_cast<QKeyEvent*>(e);
  const bool ready = isEnabled() && isVisible();
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  const bool esc =
      key->key() == Qt::Key_Escape &&
      !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
  if ((enter && FDefault && FDefaultActive && ready) || (esc && FCancel && FCanFocused && ready)) {
    key->accept();
    FireClick();
    return true;
  }
  return false;
}

bool TspSkinButton::event(QEvent* e) {
  switch (e->type()) {
  case QEvent::Shortcut: {
    auto* shortcut = static_cast<QShortcutEvent*>(e);
    if (shortcut->shortcutId() != FShortcutId || FShortcutId == 0) break;
    if (FCanFocused && isEnabled()) {
      setFocus(Qt::ShortcutFocusReason);
      FireClick();
    }
    return true;
  }
  case QEvent::ParentChange:
  case QEvent::Show:
    WatchDialogKeys();
    break;
  default:
    break;
  }
  return TspButtonControl::event(e);
}

void TspSkinButton::keyPressEvent(QKeyEvent* e) {
  if (!FCanFocused) {
    TspButtonControl::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
  case Qt::Key_Space:
    e->accept();
    if (e->isAutoRepeat() && !RepeatMode()) return;
    FSpaceDown = true;
    SetDown(true);
    if (RepeatMode()) FireClick();
    return;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    e->accept();
    FireClick();
    return;
  default:
    TspButtonControl::keyPressEvent(e);
  }
}

void TspSkinButton::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_Space || !FCanFocused) {
    TspButtonControl::keyReleaseEvent(e);
    return;
  }
  e->accept();
  // Only the release of a Space pressed on this button clicks.
  if (e->isAutoRepeat() || !FSpaceDown) return;
  FSpaceDown = false;
  SetDown(false);
  FireClick();
}

void TspSkinButton::focusInEvent(QFocusEvent* e) {
  TspButtonControl::focusInEvent(e);
  StartFrameAnimation(true);
  Refresh();
}

void TspSkinButton::focusOutEvent(QFocusEvent* e) {
  TspButtonControl::focusOutEvent(e);
  StopRepeat();
  FSpaceDown = false;
  if (!InGroup() && Down()) SetDown(false);
  StartFrameAnimation(false);
  Refresh();
}

void TspSkinButton::FireClick() {
  const QPointer<QDialog> dialog = FCanFocused ? qobject_cast<QDialog*>(window()) : nullptr;
  // Copied: the handler may destroy the button. It may also take the result back
  // (setResult(0)) to keep the dialog open.
  const int result = FModalResult;
  if (dialog) dialog->setResult(result);
  TspButtonControl::FireClick();
  if (dialog && result != 0 && dialog->result() == result) dialog->done(result);
}
