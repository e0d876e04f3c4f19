#include "skin/controls/date_edit.h"

#include "skin/controls/popup_calendar.h"
#include "skin/controls/skin_tree.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QStringList>
#include <algorithm>

namespace {
bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_AltGr || key == Qt::Key_Meta;
}
} // namespace

TspSkinDateEdit::TspSkinDateEdit(QWidget* parent)
    : TspSkinCustomEdit(parent), FPopup(new TspPopupCalendar(this)) {
  FPopup->hide();
  FPopup->SetDate(QDate());
  FPopup->resize(FCalendarWidth, FCalendarHeight);
  FPopup->OnNumberClick = [this](QObject*) { CloseUp(true); };
  FPopup->KeyPress = [this](QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
      CloseUp(false);
      e->accept();
      return;
    }
    // Any other key is typed into the field, which closes the calendar first; a
    // modifier alone is only the start of a combination.
    if (!IsModifierKey(e->key())) QCoreApplication::sendEvent(Editor(), e);
  };
  FPopup->Hidden = [this] {
    // Hidden behind our back: a press outside, the application losing the activation.
    if (FDropped) Close(false, false);
  };
  FPopup->SwallowPress = [this](QPoint global) {
    const QRect button = ButtonRect();
    return !button.isEmpty() &&
           QRect(mapToGlobal(button.topLeft()), button.size()).contains(global);
  };
  OnButtonClick = [this](QObject*) { FDropped ? CloseUp(false) : DropDown(); };
  QObject::connect(Editor(), &QLineEdit::textChanged, FPopup, [this] {
    if (const QDate d = Date(); d.isValid()) FPopup->SetDate(d);
  });
  FFadeTimer.setInterval(FadeInterval);
  QObject::connect(&FFadeTimer, &QTimer::timeout, FPopup, [this] { FadeStep(); });

  SetSkinDataName(QStringLiteral("buttonedit"));
  SetButtonMode(true);
  SetEditMask(QStringLiteral("!9999/99/99;1; "));
  SetMaxLength(10);
}

TspSkinDateEdit::~TspSkinDateEdit() {
  FFadeTimer.stop();
  FPopup->OnNumberClick = nullptr;
  FPopup->KeyPress = nullptr;
  FPopup->Hidden = nullptr;
  FPopup->SwallowPress = nullptr;
  QObject::disconnect(Editor(), nullptr, FPopup, nullptr);
}

// --- The calendar ------------------------------------------------------------------------------

void TspSkinDateEdit::SetCalendarWidth(int value) {
  FCalendarWidth = std::max(value, 1);
  FPopup->resize(FCalendarWidth, FCalendarHeight);
}

void TspSkinDateEdit::SetCalendarHeight(int value) {
  FCalendarHeight = std::max(value, 1);
  FPopup->resize(FCalendarWidth, FCalendarHeight);
}

QString TspSkinDateEdit::CalendarSkinDataName() const {
  return FPopup->SkinDataName();
}

void TspSkinDateEdit::SetCalendarSkinDataName(const QString& value) {
  FPopup->SetSkinDataName(value);
  FPopup->ApplySkin();
}

const QFont& TspSkinDateEdit::CalendarFont() const {
  return FPopup->DefaultFont();
}

void TspSkinDateEdit::SetCalendarFont(const QFont& value) {
  FPopup->SetDefaultFont(value);
  FPopup->update();
}

bool TspSkinDateEdit::CalendarUseSkinFont() const {
  return FPopup->UseSkinFont();
}

void TspSkinDateEdit::SetCalendarUseSkinFont(bool value) {
  FPopup->SetUseSkinFont(value);
}

bool TspSkinDateEdit::CalendarBoldDays() const {
  return FPopup->BoldDays();
}

void TspSkinDateEdit::SetCalendarBoldDays(bool value) {
  FPopup->SetBoldDays(value);
}

TspDaysOfWeek TspSkinDateEdit::FirstDayOfWeek() const {
  return FPopup->FirstDayOfWeek();
}

void TspSkinDateEdit::SetFirstDayOfWeek(TspDaysOfWeek value) {
  FPopup->SetFirstDayOfWeek(value);
}

bool TspSkinDateEdit::WeekNumbers() const {
  return FPopup->WeekNumbers();
}

void TspSkinDateEdit::SetWeekNumbers(bool value) {
  FPopup->SetWeekNumbers(value);
}

bool TspSkinDateEdit::ShowToday() const {
  return FPopup->ShowToday();
}

void TspSkinDateEdit::SetShowToday(bool value) {
  FPopup->SetShowToday(value);
}

void TspSkinDateEdit::SetCalendarAlphaBlendValue(int value) {
  FCalendarAlphaBlendValue = std::clamp(value, 0, 255);
}

void TspSkinDateEdit::DropDown() {
  if (FDropped || !isEnabled()) return;
  if (!FTodayDefault) FOldDate = FPopup->Date();
  // The calendar opens on the field's date; a field without one opens on today.
  const QDate shown = Date();
  FPopup->SetDate(shown.isValid() ? shown : QDate::currentDate());
  FPopup->SetSkinData(SkinData());
  FPopup->resize(FCalendarWidth, FCalendarHeight);
  const int h = FPopup->height();
  QPoint at = mapToGlobal(QPoint(0, height()));
  const QScreen* s = screen();
  // Above the field when the calendar would pass the bottom of the screen.
  if (s && at.y() + h > s->availableGeometry().bottom() + 1)
    at.setY(mapToGlobal(QPoint(0, 0)).y() - h);
  FPopup->move(at);
  FDropped = true;
  FFadeTimer.stop();
  if (FCalendarAlphaBlend && FCalendarAlphaBlendAnimation) {
    FFadeAlpha = 0;
    FPopup->setWindowOpacity(0);
    FFadeTimer.start();
  } else {
    FPopup->setWindowOpacity(FCalendarAlphaBlend ? FCalendarAlphaBlendValue / 255.0 : 1.0);
  }
  FPopup->show();
}

void TspSkinDateEdit::FadeStep() {
  const int target = FCalendarAlphaBlend ? FCalendarAlphaBlendValue : 255;
  FFadeAlpha = std::min(FFadeAlpha + std::max(target / 15, 1), target);
  FPopup->setWindowOpacity(FFadeAlpha / 255.0);
  if (FFadeAlpha >= target) FFadeTimer.stop();
}

void TspSkinDateEdit::CloseUp(bool accept) {
  Close(accept, true);
}

void TspSkinDateEdit::Close(bool accept, bool takeFocus) {
  if (!FDropped) return;
  // Cleared first: hiding the pop-up reports back here.
  FDropped = false;
  // A fade cut short must not leave the next opening (or a later show) see-through.
  FFadeTimer.stop();
  FPopup->setWindowOpacity(FCalendarAlphaBlend ? FCalendarAlphaBlendValue / 255.0 : 1.0);
  FPopup->hide();
  if (accept) {
    SetDate(FPopup->Date());
    if (OnDateChange) OnDateChange(this);
  } else if (!FTodayDefault) {
    FPopup->SetDate(FOldDate);
  }
  if (takeFocus) Editor()->setFocus(Qt::OtherFocusReason);
}

bool TspSkinDateEdit::EditorKeyPress(QKeyEvent* e) {
  // The drop-down keys: F4, Alt+Down and Alt+Up open and close the calendar.
  const bool alt = e->modifiers() & Qt::AltModifier;
  if (e->key() == Qt::Key_F4 || (alt && (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up))) {
    FDropped ? CloseUp(false) : DropDown();
    return true;
  }
  if (FDropped && !IsModifierKey(e->key())) CloseUp(false);
  return TspSkinCustomEdit::EditorKeyPress(e);
}

void TspSkinDateEdit::EditorFocusOut(QFocusEvent* e) {
  // Opening the calendar moves the keys to it, not the focus away.
  if (e->reason() != Qt::PopupFocusReason) {
    if (FDropped)
      Close(false, false);
    else if (FTodayDefault && FPopup->Date().isValid())
      SetDate(FPopup->Date());
  }
  TspSkinCustomEdit::EditorFocusOut(e);
}

void TspSkinDateEdit::hideEvent(QHideEvent* e) {
  TspSkinCustomEdit::hideEvent(e);
  Close(false, false);
}

void TspSkinDateEdit::DropSkinRecord() {
  TspSkinCustomEdit::DropSkinRecord();
  // The calendar is a window of its own: the form's walk does not reach it.
  DropSkinRecords(FPopup, nullptr);
}

void TspSkinDateEdit::ApplySkin() {
  TspSkinCustomEdit::ApplySkin();
  if (FPopup->SkinData() != SkinData())
    FPopup->SetSkinData(SkinData());
  else
    ApplySkins(FPopup, nullptr);
}

TspSkinDateEdit::TOrder TspSkinDateEdit::Order() const {
  const TspEditMask& m = Mask();
  if (m.IsMasked()) {
    int first = 0;
    for (int i = m.NextEditable(0); i < m.Length() && !m.IsLiteral(i); ++i) ++first;
    if (first == 4) return TOrder::YMD;
  }
  const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  const auto d = format.indexOf(u'd'), M = format.indexOf(u'M'), y = format.indexOf(u'y');
  if (y >= 0 && (d < 0 || y < d) && (M < 0 || y < M)) return TOrder::YMD;
  if (M >= 0 && d >= 0 && M < d) return TOrder::MDY;
  return TOrder::DMY;
}

QChar TspSkinDateEdit::Separator() const {
  const TspEditMask& m = Mask();
  if (m.IsMasked()) {
    const QString empty = m.EmptyEditText();
    for (int i = 0; i < m.Length(); ++i)
      if (m.IsLiteral(i)) return empty[i];
  }
  const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  for (const QChar c : format)
    if (!c.isLetter()) return c;
  return u'/';
}

QDate TspSkinDateEdit::Date() const {
  // Parts between separators; blanks inside a part are padding only at its ends.
  QStringList parts;
  QString current;
  const QString text = Text();
  for (const QChar c : text) {
    if (c.isDigit() || c == u' ') {
      current += c;
    } else {
      parts << current;
      current.clear();
    }
  }
  parts << current;
  if (parts.size() != 3) return QDate();
  int numbers[3];
  int yearDigits = 0;
  const int yearPart = Order() == TOrder::YMD ? 0 : 2;
  for (int i = 0; i < 3; ++i) {
    const QString part = parts[i].trimmed();
    if (part.isEmpty() || part.contains(u' ') || part.size() > 4) return QDate();
    numbers[i] = part.toInt();
    if (i == yearPart) yearDigits = int(part.size());
  }
  int y = 0, m = 0, d = 0;
  switch (Order()) {
  case TOrder::YMD:
    y = numbers[0], m = numbers[1], d = numbers[2];
    break;
  case TOrder::DMY:
    d = numbers[0], m = numbers[1], y = numbers[2];
    break;
  case TOrder::MDY:
    m = numbers[0], d = numbers[1], y = numbers[2];
    break;
  }
  if (yearDigits <= 2) {
    const int thisYear = QDate::currentDate().year();
    y += thisYear / 100 * 100;
    if (y > thisYear + 49) y -= 100;
    if (y < thisYear - 50) y += 100;
  }
  if (y < 1) return QDate();
  return QDate(y, m, d); // null unless valid
}

void TspSkinDateEdit::SetDate(const QDate& value) {
  if (!value.isValid()) {
    SetText(QString());
    return;
  }
  const QString y = QStringLiteral("%1").arg(value.year(), 4, 10, QChar(u'0'));
  const QString m = QStringLiteral("%1").arg(value.month(), 2, 10, QChar(u'0'));
  const QString d = QStringLiteral("%1").arg(value.day(), 2, 10, QChar(u'0'));
  const QChar sep = Separator();
  switch (Order()) {
  case TOrder::YMD:
    SetText(y + sep + m + sep + d);
    break;
  case TOrder::DMY:
    SetText(d + sep + m + sep + y);
    break;
  case TOrder::MDY:
    SetText(m + sep + d + sep + y);
    break;
  }
}

bool TspSkinDateEdit::event(QEvent* e) {
  if (e->type() == QEvent::Polish && !FLoaded) {
    FLoaded = true;
    if (FTodayDefault) SetTodayDefault(true);
  }
  return TspSkinCustomEdit::event(e);
}

void TspSkinDateEdit::SetTodayDefault(bool value) {
  FTodayDefault = value;
  if (value) {
    SetDate(QDate::currentDate());
    FPopup->SetDate(QDate::currentDate());
  }
}
