#include "skin/controls/spin_edit.h"

#include "skin/controls/edit_field.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {

// Width of each plain button.
constexpr int kPlainButtonWidth = 15;

constexpr int kFirstRepeatDelay = 500;
constexpr int kRepeatInterval = 100;
constexpr int kResumeDelay = 50;

} // namespace

TspSkinSpinEdit::TspSkinSpinEdit(QWidget* parent)
    : TspSkinCustomControl(parent), FEditor(new TspSkinNumEdit(this)) {
  SetSkinDataName(QStringLiteral("spinedit"));
  FDefaultColor = palette().color(QPalette::Base);
  const QString point = QLocale().decimalPoint();
  if (!point.isEmpty()) FRule.DecimalSeparator = point.front();
  AlertSound = [] { QApplication::beep(); };
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(FEditor);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

  FEditor->setMouseTracking(true);
  FEditor->AutoSelect = false;
  FEditor->KeyPress = [this](QKeyEvent* e) { return EditKeyPress(e); };
  FEditor->KeyRelease = [this](QKeyEvent* e) {
    if (OnEditKeyUp) OnEditKeyUp(this, e);
  };
  FEditor->FocusIn = [this](QFocusEvent*) {
    UpdateColors();
    update();
    if (OnEditEnter) OnEditEnter(this);
  };
  FEditor->FocusOut = [this](QFocusEvent*) {
    // Whatever was typed, the field shows the value again.
    FEditor->setText(FRule.Format(FValue));
    UpdateColors();
    update();
    if (OnEditExit) OnEditExit(this);
  };
  FEditor->Wheel = [this](QWheelEvent* e) {
    wheelEvent(e);
    return true;
  };
  QObject::connect(FEditor, &QLineEdit::textEdited, this,
                   [this](const QString& text) { TypedText(text); });

  FRepeatTimer.setSingleShot(false);
  QObject::connect(&FRepeatTimer, &QTimer::timeout, this, [this] { RepeatTick(); });

  FEditor->setText(FRule.Format(FValue));
  FEditor->setFont(DefaultFont());
  resize(120, 20);
  UpdateLayout();
  UpdateColors();
}

TspSkinSpinEdit::~TspSkinSpinEdit() {
  FRepeatTimer.stop();
  FEditor->KeyPress = nullptr;
  FEditor->KeyRelease = nullptr;
  FEditor->FocusIn = nullptr;
  FEditor->FocusOut = nullptr;
  FEditor->Wheel = nullptr;
  QObject::disconnect(FEditor, nullptr, this, nullptr);
}

// --- Value ----------------------------------------------------------------------------------

void TspSkinSpinEdit::SetValue(double value) {
  if (!std::isfinite(value)) return;
  value = FRule.Clamp(value);
  if (FRule.ValueType == TspValueType::vtInteger) value = double(std::llround(value));
  const bool changed = value != FValue;
  FValue = value;
  FEditor->setText(FRule.Format(FValue));
  if (changed && OnChange) OnChange(this);
}

void TspSkinSpinEdit::TypedText(const QString& text) {
  double v = 0;
  if (!FRule.Parse(text, &v) || v == FValue) return;
  FValue = v;
  if (OnChange) OnChange(this);
}

void TspSkinSpinEdit::SetValueType(TspValueType value) {
  FRule.ValueType = value;
  SetValue(FValue);
}

void TspSkinSpinEdit::SetDecimal(int value) {
  FRule.Decimal = std::clamp(value, 0, 15);
  SetValue(FValue);
}

void TspSkinSpinEdit::SetMinValue(double value) {
  FRule.MinValue = value;
  SetValue(FValue);
}

void TspSkinSpinEdit::SetMaxValue(double value) {
  FRule.MaxValue = value;
  SetValue(FValue);
}

void TspSkinSpinEdit::SetDecimalSeparator(QChar value) {
  FRule.DecimalSeparator = value;
  SetValue(FValue);
}

void TspSkinSpinEdit::SetEditorEnabled(bool value) {
  FEditorEnabled = value;
  // Nothing edits the text then, not even Delete or a paste.
  FEditor->setReadOnly(!value);
}

void TspSkinSpinEdit::SetMaxLength(int value) {
  FMaxLength = std::max(value, 0);
  FEditor->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TspSkinSpinEdit::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  ApplySkin();
}

void TspSkinSpinEdit::SetDefaultColor(const QColor& value) {
  FDefaultColor = value;
  update();
}

void TspSkinSpinEdit::Step(int direction) {
  SetValue(FValue + direction * FIncrement);
}

void TspSkinSpinEdit::ClickButton(int direction) {
  Step(direction);
  const auto& handler = direction > 0 ? OnUpButtonClick : OnDownButtonClick;
  if (handler) handler(this);
}

// --- Inner edit keys ------------------------------------------------------------------------

bool TspSkinSpinEdit::EditKeyPress(QKeyEvent* e) {
  if (OnEditKeyDown) OnEditKeyDown(this, e);
  if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
    ClickButton(e->key() == Qt::Key_Up ? 1 : -1);
    return true;
  }
  // Ctrl combinations are commands (copy, paste...), not characters.
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)) return false;
  const QString text = e->text();
  if (text.isEmpty()) return false;
  const QChar c = text.front();
  if (c == u'\r' || c == u'\n') return false; // the form's: default buttons
  if (c.unicode() == 127) return false;       // Delete is a key, not a character
  if (!FRule.AcceptsChar(c, FEditor->text(),
                         FEditor->hasSelectedText() ? FEditor->selectionStart()
                                                    : FEditor->cursorPosition(),
                         int(FEditor->selectedText().size()), FEditorEnabled)) {
    if (AlertSound) AlertSound();
    return true;
  }
  if (OnEditKeyPress && c.unicode() >= 32) OnEditKeyPress(this, c);
  return false;
}

// --- Skin and layout ------------------------------------------------------------------------

void TspSkinSpinEdit::ReadSkinRecord() {
  TspSkinCustomControl::ReadSkinRecord();
  if (RecordIndex() != -1 && !SpinRecord()) Binding().RecordIndex = -1;
}

void TspSkinSpinEdit::FitSizeToSkin(int& width, int& height) {
  const int requested = height;
  TspSkinCustomControl::FitSizeToSkin(width, height);
  if (!FUseSkinSize) height = requested;
}

QSize TspSkinSpinEdit::sizeHint() const {
  const int h = RecordIndex() != -1 && FUseSkinSize ? SkinRect().Height() : 20;
  return QSize(120, h > 0 ? h : 20);
}

void TspSkinSpinEdit::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  updateGeometry();
  UpdateFont();
  UpdateLayout();
  UpdateColors();
  update();
}

void TspSkinSpinEdit::UpdateFont() {
  const TspDataSkinSpinEditControl* rec = RecordIndex() != -1 ? SpinRecord() : nullptr;
  FEditor->setFont(rec ? SkinFont(rec->fontname, rec->fontheight, rec->fontstyle) : DefaultFont());
}

QRect TspSkinSpinEdit::TextRect() const {
  if (RecordIndex() == -1 || !SpinRecord()) {
    const int buttons = FUp.Rect.isEmpty() ? 0 : kPlainButtonWidth + 1;
    return QRect(2, 2, std::max(width() - 4 - buttons, 0), std::max(height() - 4, 0));
  }
  TspRect r = FittedClientRect();
  if (!FUseSkinSize) r.Bottom += height() - SkinRect().Height();
  return r.ToQRect();
}

void TspSkinSpinEdit::UpdateLayout() {
  const int w = width(), h = height();
  if (const TspDataSkinSpinEditControl* rec = RecordIndex() != -1 ? SpinRecord() : nullptr) {
    FUp.Rect = PlaceFieldButton(rec->upbuttonrect, *rec, size(), !FUseSkinSize);
    FDown.Rect = PlaceFieldButton(rec->downbuttonrect, *rec, size(), !FUseSkinSize);
  } else {
    const int inner = std::max(h - 4, 0);
    const int x = w - 2 - kPlainButtonWidth;
    FUp.Rect = QRect(x, 2, kPlainButtonWidth, inner / 2);
    FDown.Rect = QRect(x, 2 + inner / 2, kPlainButtonWidth, inner - inner / 2);
  }
  const QRect text = TextRect();
  FEditor->setGeometry(text.isValid() ? text : QRect());
}

void TspSkinSpinEdit::UpdateColors() {
  const TspDataSkinSpinEditControl* rec = RecordIndex() != -1 ? SpinRecord() : nullptr;
  const TspFieldFontColors colors = rec ? FieldFontColors(*rec) : TspFieldFontColors{};
  SetFieldColors(*FEditor, palette(), SkinData(), rec ? &colors : nullptr,
                 FMouseOver || FEditor->hasFocus());
}

void TspSkinSpinEdit::resizeEvent(QResizeEvent* e) {
  TspSkinCustomControl::resizeEvent(e);
  UpdateLayout();
}

// --- Painting -------------------------------------------------------------------------------

void TspSkinSpinEdit::DrawSkinImage(QImage& image) {
  const TspDataSkinSpinEditControl* rec = SpinRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!picture) {
    DrawDefaultImage(image);
    return;
  }
  const bool active = FMouseOver || FEditor->hasFocus();
  const TspRect state =
      active && !rec->activeskinrect.IsEmpty() ? rec->activeskinrect : rec->skinrect;
  const QImage frame = FieldFrameImage(ImageCache(), *picture, *rec, state, size());
  if (frame.isNull()) {
    DrawDefaultImage(image);
    return;
  }
  image = frame;
  DrawButtons(image);
}

void TspSkinSpinEdit::DrawButtons(QImage& image) {
  const TspDataSkinSpinEditControl* rec = SpinRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!picture) return;
  QPainter p(&image);
  auto draw = [&](const TSpinButton& b, const TspRect& hot, const TspRect& down) {
    if (b.Rect.isEmpty() || !isEnabled()) return;
    TspRect state;
    if (b.Down && b.Hot)
      state = down.IsEmpty() ? hot : down;
    else if (b.Hot)
      state = hot;
    if (state.IsEmpty()) return; // the frame image holds the normal button
    const QImage piece = ImageCache().Piece(*picture, state, b.Rect.size());
    if (!piece.isNull()) p.drawImage(b.Rect.topLeft(), piece);
  };
  draw(FUp, rec->activeupbuttonrect, rec->downupbuttonrect);
  draw(FDown, rec->activedownbuttonrect, rec->downdownbuttonrect);
}

void TspSkinSpinEdit::DrawDefaultImage(QImage& image) {
  DrawPlainFieldFrame(image, FDefaultColor, palette());
  QPainter p(&image);
  auto draw = [&](const TSpinButton& b, int arrow) {
    if (!b.Rect.isEmpty())
      DrawPlainFieldButton(p, b.Rect, palette(), isEnabled(), b.Hot, b.Down, arrow);
  };
  draw(FUp, 3);
  draw(FDown, 4);
}

// --- Buttons --------------------------------------------------------------------------------

void TspSkinSpinEdit::StopRepeat() {
  FRepeatTimer.stop();
  FRepeating = false;
}

void TspSkinSpinEdit::RepeatTick() {
  if (!FRepeating) {
    // The first tick only shortens the interval.
    FRepeating = true;
    FRepeatTimer.start(kRepeatInterval);
    return;
  }
  const double before = FValue;
  Step(FRepeatDirection);
  // At the limit there is nothing left to repeat.
  if (FValue == before) FRepeatTimer.stop();
}

void TspSkinSpinEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) {
    TspSkinCustomControl::mousePressEvent(e);
    return;
  }
  const QPoint pos = e->position().toPoint();
  TSpinButton* b = FUp.Rect.contains(pos) ? &FUp : FDown.Rect.contains(pos) ? &FDown : nullptr;
  FEditor->setFocus(Qt::MouseFocusReason);
  if (!b) return;
  b->Down = b->Hot = true;
  FRepeatDirection = b == &FUp ? 1 : -1;
  FRepeating = false;
  FRepeatTimer.start(kFirstRepeatDelay);
  update();
}

void TspSkinSpinEdit::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  for (TSpinButton* b : {&FUp, &FDown}) {
    const bool hot = b->Rect.contains(pos);
    if (hot == b->Hot) continue;
    // A held button only counts as hot again once the pointer is back on it.
    if (b->Down || !(FUp.Down || FDown.Down)) b->Hot = hot;
    if (b->Down) {
      if (hot) {
        FRepeating = true;
        FRepeatTimer.start(kResumeDelay);
      } else {
        StopRepeat();
      }
    }
    update();
  }
  TspSkinCustomControl::mouseMoveEvent(e);
}

void TspSkinSpinEdit::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mouseReleaseEvent(e);
    return;
  }
  StopRepeat();
  const QPoint pos = e->position().toPoint();
  int click = 0;
  for (TSpinButton* b : {&FUp, &FDown}) {
    if (b->Down && b->Rect.contains(pos)) click = b == &FUp ? 1 : -1;
    b->Down = false;
    b->Hot = b->Rect.contains(pos);
  }
  update();
  if (click != 0) ClickButton(click);
}

void TspSkinSpinEdit::wheelEvent(QWheelEvent* e) {
  const int dy = e->angleDelta().y();
  if (dy == 0 || !isEnabled()) {
    e->ignore();
    return;
  }
  ClickButton(dy > 0 ? 1 : -1);
  e->accept();
}

void TspSkinSpinEdit::enterEvent(QEnterEvent* e) {
  FMouseOver = true;
  UpdateColors();
  update();
  TspSkinCustomControl::enterEvent(e);
}

void TspSkinSpinEdit::leaveEvent(QEvent* e) {
  FMouseOver = false;
  if (!FUp.Down && !FDown.Down) FUp.Hot = FDown.Hot = false;
  UpdateColors();
  update();
  TspSkinCustomControl::leaveEvent(e);
}

void TspSkinSpinEdit::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      StopRepeat();
      FUp = {FUp.Rect, false, false};
      FDown = {FDown.Rect, false, false};
    }
    UpdateColors();
    update();
  }
}
