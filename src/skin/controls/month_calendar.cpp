#include "skin/controls/month_calendar.h"

#include "skin/controls/button.h"
#include "skin/controls/control_image.h"
#include "skin/controls/plain_look.h"
#include "skin/render/composition.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kButtonSize = 23;
constexpr int kButtonStep = 24;
constexpr int kNamesOffset = 33;
constexpr int kThursday = 4; // in the Sunday-first numbering of TspDaysOfWeek

// The built-in navigation glyph: `count` filled triangles of rows 1,2,3,4,5,5,4,3,2,1
// pointing left or right, centred on a 16 x 16 cell whose bottom-left pixel is the key.
QImage NavigationGlyph(int count, bool right, const QColor& colour) {
  const QRgb key = colour.rgb() == qRgb(255, 0, 255) ? qRgb(0, 255, 0) : qRgb(255, 0, 255);
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(key);
  constexpr int widths[10] = {1, 2, 3, 4, 5, 5, 4, 3, 2, 1};
  const int left = (16 - 5 * count) / 2;
  for (int t = 0; t < count; ++t) {
    const int x0 = left + 5 * t;
    for (int row = 0; row < 10; ++row)
      for (int k = 0; k < widths[row]; ++k)
        glyph.setPixel(right ? x0 + k : x0 + 4 - k, 3 + row, colour.rgb());
  }
  return glyph;
}

// Day `n` of the month that `first` begins, for any n (outside the month too).
QDate DayOf(const QDate& first, int n) {
  return first.addDays(n - 1);
}

} // namespace

TspSkinMonthCalendar::TspSkinMonthCalendar(QWidget* parent)
    : TspSkinPanel(parent), FDate(QDate::currentDate()) {
  // The calendar draws over the whole panel image, so the panel paints as one image.
  SetSeparateClientPaint(false);
  setFocusPolicy(Qt::StrongFocus);
  // The four step buttons, left to right: prior year, prior month, next month, next year.
  struct TStepButton {
    int Glyphs;
    bool Right;
    int Interval;
    bool Year;
    int Delta;
  };
  const TStepButton steps[4] = {{2, false, 100, true, -1},
                                {1, false, 250, false, -1},
                                {1, true, 250, false, 1},
                                {2, true, 100, true, 1}};
  for (int i = 0; i < 4; ++i) {
    auto* b = new TspSkinSpeedButton(this);
    b->SetSkinDataName(QStringLiteral("resizebutton"));
    b->SetRepeatMode(true);
    b->SetRepeatInterval(steps[i].Interval);
    b->resize(kButtonSize, kButtonSize);
    const TStepButton s = steps[i];
    b->OnClick = [this, s](QObject*) {
      s.Year ? StepYear(s.Delta) : StepMonth(s.Delta);
      if (OnClick) OnClick(this);
    };
    FButtons[i] = b;
  }
  resize(200, 150);
  UpdateGlyphs();
  LayoutButtons();
}

TspSkinMonthCalendar::~TspSkinMonthCalendar() {
  for (TspSkinSpeedButton* b : FButtons) b->OnClick = nullptr;
}

// --- Properties ------------------------------------------------------------------------------

void TspSkinMonthCalendar::SetDate(const QDate& value) {
  const QDate date = value.isValid() ? value : QDate();
  if (date == FDate) return;
  FDate = date;
  update();
}

void TspSkinMonthCalendar::SetFirstDayOfWeek(TspDaysOfWeek value) {
  FFirstDayOfWeek = value;
  update();
}

void TspSkinMonthCalendar::SetWeekNumbers(bool value) {
  FWeekNumbers = value;
  update();
}

void TspSkinMonthCalendar::SetShowToday(bool value) {
  FShowToday = value;
  update();
}

void TspSkinMonthCalendar::SetTodayDefault(bool value) {
  FTodayDefault = value;
  if (value) SetDate(QDate::currentDate());
}

void TspSkinMonthCalendar::SetBoldDays(bool value) {
  FBoldDays = value;
  update();
}

void TspSkinMonthCalendar::Loaded() {
  if (FTodayDefault) SetDate(QDate::currentDate());
}

QDate TspSkinMonthCalendar::ShownMonth() const {
  const QDate d = FDate.isValid() ? FDate : QDate::currentDate();
  return QDate(d.year(), d.month(), 1);
}

QString TspSkinMonthCalendar::TitleText() const {
  const QDate m = ShownMonth();
  return QLocale::system().monthName(m.month(), QLocale::LongFormat) + QStringLiteral(", ") +
         QString::number(m.year());
}

// --- Navigation ------------------------------------------------------------------------------

bool TspSkinMonthCalendar::MoveTo(const QDate& value) {
  if (!value.isValid() || value.year() < kFirstYear || value.year() > kLastYear) return false;
  SetDate(value);
  return true;
}

void TspSkinMonthCalendar::StepMonth(int delta) {
  const QDate d = FDate.isValid() ? FDate : QDate::currentDate();
  const int months = d.year() * 12 + d.month() - 1 + delta;
  const int year = months / 12, month = months % 12 + 1;
  // The whole step is refused when its year is: the month does not move alone.
  if (year < kFirstYear || year > kLastYear) return;
  const QDate first(year, month, 1);
  MoveTo(QDate(year, month, std::min(d.day(), first.daysInMonth())));
}

void TspSkinMonthCalendar::StepYear(int delta) {
  const QDate d = FDate.isValid() ? FDate : QDate::currentDate();
  const int year = d.year() + delta;
  if (year < kFirstYear || year > kLastYear) return;
  const QDate first(year, d.month(), 1);
  MoveTo(QDate(year, d.month(), std::min(d.day(), first.daysInMonth())));
}

bool TspSkinMonthCalendar::HandleKey(QKeyEvent* e) {
  // Alt with an arrow belongs to whoever opens and closes a drop-down calendar.
  if (e->modifiers() & Qt::AltModifier) return false;
  const QDate d = FDate.isValid() ? FDate : QDate::currentDate();
  const bool control = e->modifiers() & Qt::ControlModifier;
  switch (e->key()) {
  case Qt::Key_Left:
    MoveTo(d.addDays(-1));
    return true;
  case Qt::Key_Right:
    MoveTo(d.addDays(1));
    return true;
  case Qt::Key_Up:
    MoveTo(d.addDays(-7));
    return true;
  case Qt::Key_Down:
    MoveTo(d.addDays(7));
    return true;
  case Qt::Key_PageUp:
    control ? StepYear(-1) : StepMonth(-1);
    return true;
  case Qt::Key_PageDown:
    control ? StepYear(1) : StepMonth(1);
    return true;
  case Qt::Key_Home:
    MoveTo(QDate(d.year(), d.month(), 1));
    return true;
  case Qt::Key_End:
    MoveTo(QDate(d.year(), d.month(), d.daysInMonth()));
    return true;
  case Qt::Key_Return:
  case Qt::Key_Enter:
  case Qt::Key_Space:
    // The keyboard's click on the selected day.
    if (!FDate.isValid()) SetDate(d);
    if (OnNumberClick) OnNumberClick(this);
    return true;
  default:
    return false;
  }
}

void TspSkinMonthCalendar::keyPressEvent(QKeyEvent* e) {
  if (HandleKey(e))
    e->accept();
  else
    TspSkinPanel::keyPressEvent(e);
}

void TspSkinMonthCalendar::mouseReleaseEvent(QMouseEvent* e) {
  TspSkinPanel::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  const QPoint pos = e->position().toPoint();
  if (const int n = DayAt(pos)) {
    const QDate m = ShownMonth();
    SetDate(QDate(m.year(), m.month(), n));
    if (OnNumberClick) OnNumberClick(this);
    return;
  }
  const TspCalendarGeometry g = CalendarGeometry();
  if (FShowToday && rect().contains(pos) && pos.y() >= g.Bottom) {
    SetDate(QDate::currentDate());
    if (OnNumberClick) OnNumberClick(this);
  }
}

// --- Geometry --------------------------------------------------------------------------------

TspCalendarGeometry TspSkinMonthCalendar::CalendarGeometry() {
  TspCalendarGeometry g;
  const QRect client = ClientRect();
  g.Left = client.left();
  g.Top = client.top();
  g.Right = client.right() + 1;
  g.Bottom = client.bottom() + 1;
  const int textHeight = QFontMetrics(DefaultFont()).height();
  if (FWeekNumbers) g.Left += width() / 8;
  if (FShowToday) {
    g.TodayHeight = textHeight + 5;
    g.Bottom -= g.TodayHeight;
  }
  g.CellWidth = (g.Right - g.Left - 2) / 7;
  g.NamesTop = g.Top + kNamesOffset;
  g.GridTop = g.NamesTop + textHeight + 1;
  g.RowHeight = (g.Bottom - g.GridTop - 4) / 6;
  const QDate first = ShownMonth();
  const int w = first.dayOfWeek() % 7 + 1; // 1 for Sunday to 7 for Saturday
  const int a = (w - int(FFirstDayOfWeek) + 7) % 7;
  g.Start = a != 0 ? 2 - a : -5;
  g.DaysInMonth = first.daysInMonth();
  return g;
}

QRect TspSkinMonthCalendar::CellRect(const TspCalendarGeometry& g, int row, int column) const {
  const int left = g.Left + 1 + column * g.CellWidth;
  const int top = g.GridTop + 3 + (row - 1) * g.RowHeight;
  return QRect(left, top, g.CellWidth, g.RowHeight);
}

int TspSkinMonthCalendar::WeekOfRow(const TspCalendarGeometry& g, int row) const {
  bool holdsDay = false;
  for (int c = 0; c < 7 && !holdsDay; ++c) {
    const int n = DayNumber(g, row, c);
    holdsDay = n >= 1 && n <= g.DaysInMonth;
  }
  if (!holdsDay) return 0;
  const int thursday = (kThursday - int(FFirstDayOfWeek) + 7) % 7;
  return DayOf(ShownMonth(), DayNumber(g, row, thursday)).weekNumber();
}

int TspSkinMonthCalendar::DayAt(QPoint pos) {
  const TspCalendarGeometry g = CalendarGeometry();
  // A calendar too small for cells has no days to hit.
  if (g.CellWidth <= 0 || g.RowHeight <= 0) return 0;
  if (pos.x() < g.Left || pos.x() >= g.Right || pos.y() < g.Top || pos.y() >= g.Bottom) return 0;
  for (int row = 1; row <= 6; ++row)
    for (int column = 0; column < 7; ++column)
      if (CellRect(g, row, column).contains(pos)) {
        const int n = DayNumber(g, row, column);
        return n >= 1 && n <= g.DaysInMonth ? n : 0;
      }
  return 0;
}

void TspSkinMonthCalendar::LayoutButtons() {
  const QRect client = ClientRect();
  const int top = client.top() + 1;
  const int right = client.right() + 1;
  FButtons[0]->move(client.left() + 1, top);
  FButtons[1]->move(client.left() + 1 + kButtonStep, top);
  FButtons[3]->move(right - kButtonStep, top);
  FButtons[2]->move(right - 2 * kButtonStep, top);
  for (TspSkinSpeedButton* b : FButtons) b->resize(kButtonSize, kButtonSize);
}

// --- Skin ------------------------------------------------------------------------------------

void TspSkinMonthCalendar::SetSkinData(TspSkinData* value) {
  for (TspSkinSpeedButton* b : FButtons) b->SetSkinData(value);
  TspSkinPanel::SetSkinData(value);
  UpdateGlyphs();
  LayoutButtons();
}

void TspSkinMonthCalendar::ApplySkin() {
  TspSkinPanel::ApplySkin();
  FSelectionBox = QImage();
  if (TspSkinData* sd = SkinData(); sd && !sd->IsEmpty()) {
    const int i = sd->FindControlData(QStringLiteral("stdlabel"));
    if (i >= 0) {
      if (const auto* label =
              dynamic_cast<const TspDataSkinStdLabelControl*>(sd->ControlList[size_t(i)].get())) {
        FTitleColor = SkinColor(label->fontcolor);
        FHeaderColor = SkinColor(label->activefontcolor);
      } else {
        FTitleColor = FHeaderColor = palette().color(QPalette::WindowText);
      }
    }
  }
  UpdateGlyphs();
  LayoutButtons();
  update();
}

void TspSkinMonthCalendar::DropSkinRecord() {
  TspSkinPanel::DropSkinRecord();
  FSelectionBox = QImage();
  FSelectionKey = 0;
}

void TspSkinMonthCalendar::UpdateGlyphs() {
  // The glyphs take the button record's text colour, so they read on dark skins too.
  QColor colour = palette().color(QPalette::ButtonText);
  if (TspSkinData* sd = SkinData(); sd && !sd->IsEmpty()) {
    const int i = sd->FindControlData(QStringLiteral("resizebutton"));
    if (i >= 0)
      if (const auto* rec =
              dynamic_cast<const TspDataSkinButtonControl*>(sd->ControlList[size_t(i)].get()))
        colour = SkinColor(rec->fontcolor);
  }
  if (colour == FGlyphColour && !FButtons[0]->Glyph().isNull()) return;
  FGlyphColour = colour;
  FButtons[0]->SetGlyph(NavigationGlyph(2, false, colour));
  FButtons[1]->SetGlyph(NavigationGlyph(1, false, colour));
  FButtons[2]->SetGlyph(NavigationGlyph(1, true, colour));
  FButtons[3]->SetGlyph(NavigationGlyph(2, true, colour));
}

// --- Painting --------------------------------------------------------------------------------

void TspSkinMonthCalendar::paintEvent(QPaintEvent* event) {
  // One image for the whole control: the panel's look with the calendar over it.
  TspSkinControlBase::paintEvent(event);
}

void TspSkinMonthCalendar::resizeEvent(QResizeEvent* event) {
  TspSkinPanel::resizeEvent(event);
  LayoutButtons();
}

void TspSkinMonthCalendar::changeEvent(QEvent* event) {
  TspSkinPanel::changeEvent(event);
  // The panel's client area moved (caption mode, caption height, border): the buttons
  // stay in its corners.
  if (event->type() == QEvent::ContentsRectChange) LayoutButtons();
}

void TspSkinMonthCalendar::DrawSkinImage(QImage& image) {
  TspSkinPanel::DrawSkinImage(image);
  DrawCalendar(image, true);
}

void TspSkinMonthCalendar::DrawDefaultImage(QImage& image) {
  TspSkinPanel::DrawDefaultImage(image);
  DrawCalendar(image, false);
}

void TspSkinMonthCalendar::DrawFadingLine(QPainter& p, int x, int y, int length, bool vertical,
                                          const QColor& colour) {
  if (length <= 0) return;
  FadeEntry& e = FFades[vertical ? 1 : 0];
  if (e.Image.isNull() || e.Length != length || e.Colour != colour.rgb()) {
    QImage line(vertical ? 1 : length, vertical ? length : 1, QImage::Format_ARGB32);
    line.fill(QColor(colour.red(), colour.green(), colour.blue(), 255));
    auto* px = reinterpret_cast<QRgb*>(line.bits());
    const QRgb rgb = colour.rgb() & 0x00FFFFFFu;
    const auto setAlpha = [&](int i, int alpha) { px[i] = rgb | (QRgb(alpha) << 24); };
    const int q = length / 4;
    if (q == 0) {
      setAlpha(0, 0);
      setAlpha(length - 1, 0);
    } else {
      const int step = int(std::lround(255.0 / q));
      for (int k = 0; k <= q; ++k) {
        const int alpha = std::min(k * step, 255);
        setAlpha(k, alpha);
        setAlpha(length - 1 - k, alpha);
      }
    }
    e = FadeEntry{length, vertical, colour.rgb(), line};
  }
  p.drawImage(x, y, e.Image);
}

void TspSkinMonthCalendar::DrawSelectionBox(QPainter& p, const QRect& cell, bool skinned,
                                            QColor& textColour) {
  const TspDataSkinButtonControl* rec = nullptr;
  if (TspSkinData* sd = SkinData(); skinned && sd && !sd->IsEmpty()) {
    const int i = sd->FindControlData(QStringLiteral("resizebutton"));
    if (i >= 0)
      rec = dynamic_cast<const TspDataSkinButtonControl*>(sd->ControlList[size_t(i)].get());
  }
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  const TspRect state = rec && !rec->downskinrect.IsEmpty() ? rec->downskinrect
                        : rec                               ? rec->skinrect
                                                            : TspRect{};
  if (!picture || state.IsEmpty() || cell.isEmpty()) {
    p.setPen(skinned ? FHeaderColor : palette().color(QPalette::WindowText));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    return;
  }
  if (FSelectionBox.size() != cell.size() || FSelectionKey != picture->cacheKey()) {
    const TspControlGeometry g = ControlGeometry(*rec);
    QImage box;
    if (g.Mode == kCompositionNinePart) {
      const TspNinePartGeometry dest =
          TargetGeometry(g.Skin, state.Width(), state.Height(), cell.width(), cell.height());
      ComposeNinePartImage(box, *picture, state, g.Skin, cell.width(), cell.height(), dest, g.Flags,
                           true);
    } else {
      box = picture->copy(state.ToQRect())
                .scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    FSelectionBox = box;
    FSelectionKey = picture->cacheKey();
  }
  p.drawImage(cell.topLeft(), FSelectionBox);
  textColour = SkinColor(rec->downfontcolor);
}

void TspSkinMonthCalendar::DrawCalendar(QImage& image, bool skinned) {
  const TspCalendarGeometry g = CalendarGeometry();
  const QColor fontColour = palette().color(QPalette::WindowText);
  const QColor title = skinned ? FTitleColor : fontColour;
  const QColor header = skinned ? FHeaderColor : fontColour;
  const QLocale locale = QLocale::system();
  QPainter p(&image);
  p.setBrush(Qt::NoBrush);

  QFont bold = DefaultFont();
  bold.setBold(true);
  const QFontMetrics bm(bold);
  p.setFont(bold);
  p.setPen(title);
  const QString caption = TitleText();
  p.drawText(width() / 2 - bm.horizontalAdvance(caption) / 2, g.Top + 2 + bm.ascent(), caption);

  p.setPen(header);
  for (int c = 0; c < 7; ++c) {
    const int k = (int(FFirstDayOfWeek) + c) % 7; // 0 for Sunday
    const QString name = locale.dayName(k == 0 ? 7 : k, QLocale::ShortFormat).left(4);
    const int x = g.Left + 1 + c * g.CellWidth + g.CellWidth / 2 - bm.horizontalAdvance(name) / 2;
    p.drawText(x, g.NamesTop + bm.ascent(), name);
  }

  DrawFadingLine(p, g.Left, g.GridTop, g.Right - g.Left, false, header);
  if (FWeekNumbers) DrawFadingLine(p, g.Left, g.GridTop, g.Bottom - g.GridTop, true, header);

  QFont dayFont = DefaultFont();
  dayFont.setBold(FBoldDays);
  QFont selectedFont = dayFont;
  selectedFont.setBold(true);
  const QFontMetrics dm(dayFont), sm(selectedFont);

  if (FShowToday) {
    p.setFont(dayFont);
    p.setPen(title);
    const QString today =
        QStringLiteral("Today: ") + locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    p.drawText(g.Left, g.Bottom + 2 + dm.ascent(), today);
  }

  const int selected = FDate.isValid() ? FDate.day() : 0;
  for (int row = 1; row <= 6; ++row) {
    const int bottom = g.GridTop + 3 + row * g.RowHeight;
    if (const int weekNumber = FWeekNumbers ? WeekOfRow(g, row) : 0) {
      const QString week = QString::number(weekNumber);
      p.setFont(dayFont);
      p.setPen(header);
      const int centre = g.Left + 1 + g.CellWidth / 2;
      p.drawText(centre - g.CellWidth - 2 - dm.horizontalAdvance(week) / 2,
                 bottom - g.RowHeight / 2 - dm.height() / 2 + dm.ascent(), week);
    }
    for (int c = 0; c < 7; ++c) {
      const int n = DayNumber(g, row, c);
      if (n < 1 || n > g.DaysInMonth) continue;
      const QRect cell = CellRect(g, row, c);
      QColor colour = title;
      const bool isSelected = n == selected;
      if (isSelected) DrawSelectionBox(p, cell, skinned, colour);
      const QFontMetrics& fm = isSelected ? sm : dm;
      p.setFont(isSelected ? selectedFont : dayFont);
      p.setPen(colour);
      const QString text = QString::number(n);
      p.drawText(cell.left() + g.CellWidth / 2 - fm.horizontalAdvance(text) / 2,
                 bottom - g.RowHeight / 2 - fm.height() / 2 + fm.ascent(), text);
    }
  }
}
