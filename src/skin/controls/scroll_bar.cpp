#include "skin/controls/scroll_bar.h"

#include "skin/controls/color_key.h"
#include "skin/controls/plain_look.h"
#include "skin/data/record_check.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Nearest integer, halves to the even neighbour (the rounding of the thumb arithmetic).
qint64 RoundEven(double v) {
  const double f = std::floor(v);
  const double rest = v - f;
  const qint64 i = qint64(f);
  if (rest > 0.5) return i + 1;
  if (rest < 0.5) return i;
  return (i % 2 == 0) ? i : i + 1;
}

int ToInt(qint64 v) {
  return int(
      std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

constexpr int kPlainButton = 17; // length of the plain look's arrow buttons (frame included)
constexpr int kPlainThumb = 16;

} // namespace

TspSkinScrollBar::TspSkinScrollBar(QWidget* parent) : TspSkinCustomControl(parent) {
  SetSkinDataName(QStringLiteral("hscrollbar"));
  SetDefaultHeight(19);
  resize(200, 19);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  FTimer.setTimerType(Qt::PreciseTimer);
  connect(&FTimer, &QTimer::timeout, this, [this] { RepeatTick(); });
}

TspSkinScrollBar::~TspSkinScrollBar() = default;

// --- Properties ------------------------------------------------------------------------------

void TspSkinScrollBar::SetKind(TspScrollBarKind value) {
  if (value == FKind) return;
  FKind = value;
  const int dw = DefaultWidth(), dh = DefaultHeight();
  SetDefaultWidth(dh);
  SetDefaultHeight(dw);
  auto swapName = [](const QString& name) {
    if (name == QLatin1String("hscrollbar")) return QStringLiteral("vscrollbar");
    if (name == QLatin1String("vscrollbar")) return QStringLiteral("hscrollbar");
    return name;
  };
  if (FBoth)
    FSavedSkinDataName = swapName(FSavedSkinDataName);
  else
    SetSkinDataName(swapName(SkinDataName()));
  resize(height(), width());
  if (SkinData())
    ApplySkin();
  else
    update();
}

qint64 TspSkinScrollBar::ClampPosition(qint64 value) const {
  const qint64 hi = FPageSize != 0 ? qint64(FMax) - FPageSize + 1 : qint64(FMax);
  // The lower end wins when a page larger than the range leaves no room.
  return std::max<qint64>(FMin, std::min(value, hi));
}

void TspSkinScrollBar::SetMin(int value) {
  FMin = value;
  if (FPosition < FMin) FPosition = FMin;
  update();
}

void TspSkinScrollBar::SetMax(int value) {
  FMax = value;
  // Pulled back to the last position the page leaves; never below Min.
  FPosition = ToInt(ClampPosition(FPosition));
  update();
}

void TspSkinScrollBar::SetPosition(int value) {
  StepTo(value);
}

void TspSkinScrollBar::StepTo(qint64 value) {
  const int c = ToInt(ClampPosition(value));
  if (c == FPosition) return;
  FPosition = c;
  update();
  if (OnChange) OnChange(this);
}

void TspSkinScrollBar::SetPageSize(int value) {
  // A page must fit in the range beside the current position; otherwise the old one stays.
  if (value >= 0 && qint64(FMax) - FMin + 1 >= qint64(value) + (qint64(FPosition) - FMin))
    FPageSize = value;
  update();
}

void TspSkinScrollBar::SetSmallChange(int value) {
  FSmallChange = value;
  update();
}

void TspSkinScrollBar::SetLargeChange(int value) {
  FLargeChange = value;
  update();
}

void TspSkinScrollBar::SetScrollParams(int min, int max, int pageSize, int position) {
  FMin = min;
  FMax = max;
  FPageSize = std::max(0, pageSize);
  FPosition = ToInt(ClampPosition(position));
  update();
}

void TspSkinScrollBar::SetPositionQuiet(int value) {
  FPosition = ToInt(ClampPosition(value));
  update();
}

void TspSkinScrollBar::SetBoth(bool value) {
  if (value == FBoth) return;
  FBoth = value;
  if (value) {
    FSavedSkinDataName = SkinDataName();
    SetSkinDataName(FBothSkinDataName);
  } else {
    SetSkinDataName(FSavedSkinDataName);
  }
  if (SkinData())
    ApplySkin();
  else
    update();
}

void TspSkinScrollBar::SetBothSkinDataName(const QString& value) {
  FBothSkinDataName = value;
  if (!FBoth) return;
  SetSkinDataName(value);
  if (SkinData())
    ApplySkin();
  else
    update();
}

void TspSkinScrollBar::SetBothMarkerWidth(int value) {
  if (value < 0) return;
  FBothMarkerWidth = value;
  update();
}

void TspSkinScrollBar::SetCanFocused(bool value) {
  FCanFocused = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  if (!value && hasFocus()) clearFocus();
  update();
}

// --- Layout ------------------------------------------------------------------------------------

void TspSkinScrollBar::UpdateLayout() {
  const TspDataSkinScrollBarControl* rec = RecordIndex() != -1 ? ScrollRecord() : nullptr;
  const int w = width(), h = height();
  auto r = [](int l, int t, int rr, int b) { return QRect(l, t, rr - l, b - t); };
  QRect nearButton, farButton;
  if (!rec) {
    if (Vertical()) {
      nearButton = r(1, 1, w - 1, kPlainButton);
      farButton = r(1, h - kPlainButton, w - 1, h - 1);
      FTrack = r(1, kPlainButton, w - 1, h - kPlainButton);
    } else {
      const int l = w - (FBoth ? FBothMarkerWidth : 0);
      nearButton = r(1, 1, kPlainButton, h - 1);
      farButton = r(l - kPlainButton, 1, l - 1, h - 1);
      FTrack = r(kPlainButton, 1, l - kPlainButton, h - 1);
    }
  } else {
    // The record's rectangles lie in its skin rectangle; the far end moves with the length.
    const int delta = Vertical() ? h - rec->skinrect.Height() : w - rec->skinrect.Width();
    TspRect track = rec->trackarea;
    if (Vertical())
      track.Bottom += delta;
    else
      track.Right += delta;
    FTrack = track.ToQRect();
    auto place = [&](TspRect b) {
      if (Vertical() && b.Top >= rec->leftbottompoint.Y) {
        b.Top += delta;
        b.Bottom += delta;
      } else if (!Vertical() && b.Left >= rec->righttoppoint.X) {
        b.Left += delta;
        b.Right += delta;
      }
      return b.ToQRect();
    };
    farButton = place(rec->upbuttonrect);
    nearButton = place(rec->downbuttonrect);
  }
  if (FTrack.width() < 0) FTrack.setWidth(0);
  if (FTrack.height() < 0) FTrack.setHeight(0);

  // Thumb length along the track.
  const int n = Vertical() ? FTrack.height() : FTrack.width();
  const qint64 range = qint64(FMax) - FMin + 1;
  const double ratio = range == 0 ? 0.0 : double(FPageSize) / double(range);
  qint64 t;
  int across = 0;
  if (!rec) {
    t = FPageSize == 0 ? kPlainThumb : std::max<qint64>(kPlainThumb, RoundEven(n * ratio));
  } else {
    const TspRect& tr = rec->thumbrect;
    int m = rec->thumbminsize;
    if (m == 0) m = Vertical() ? tr.Height() : tr.Width();
    if (FPageSize == 0)
      t = rec->thumbminpagesize != 0 ? rec->thumbminpagesize : m;
    else
      t = std::max<qint64>(RoundEven(n * ratio), m);
    across = Vertical() ? tr.Width() : tr.Height();
  }
  // A thumb longer than the whole bar shows no more than the bar: a minimum size the skin
  // gives in the millions would otherwise compose an image that long.
  const int along = Vertical() ? height() : width();
  const int half = ToInt(std::clamp<qint64>(t, 0, std::max(along, 0)) / 2);
  FThumbLength = 2 * half;

  // Where the thumb stands within its travel.
  double f;
  if (FPageSize == 0) {
    f = FMax == FMin ? 0.0 : double(qint64(FPosition) - FMin) / double(qint64(FMax) - FMin);
  } else {
    const qint64 den = qint64(FMax) + 1 - FPageSize - FMin;
    f = den <= 0 ? (Vertical() ? 0.0 : 1.0) : double(qint64(FPosition) - FMin) / double(den);
  }
  f = std::clamp(f, 0.0, 1.0);
  const int travel = std::max(0, n - 2 * half);
  FThumbOffset = ToInt(RoundEven(f * travel));
  const int start = Vertical() ? FTrack.top() : FTrack.left();
  FTravelFirst = start + half;
  FTravelLast = start + half + travel;

  QRect thumb;
  if (Vertical()) {
    const int x = rec ? FTrack.left() + FTrack.width() / 2 - across / 2 : FTrack.left();
    thumb = QRect(x, start + FThumbOffset, rec ? across : FTrack.width(), FThumbLength);
  } else {
    const int y = rec ? FTrack.top() + FTrack.height() / 2 - across / 2 : FTrack.top();
    thumb = QRect(start + FThumbOffset, y, FThumbLength, rec ? across : FTrack.height());
  }
  FParts[ThumbPart].Rect = thumb;
  FParts[UpButtonPart].Rect = farButton;
  FParts[DownButtonPart].Rect = nearButton;
}

int TspSkinScrollBar::PartAt(QPoint p) const {
  for (int i = 0; i < 3; ++i) {
    if (i == ThumbPart && !isEnabled()) continue;
    if (!FParts[i].Rect.isEmpty() && FParts[i].Rect.contains(p)) return i;
  }
  return -1;
}

// --- Painting ----------------------------------------------------------------------------------

void TspSkinScrollBar::DrawDefaultImage(QImage& image) {
  const QPalette& pal = palette();
  image.fill(pal.color(QPalette::Button));
  UpdateLayout();
  QPainter p(&image);
  const bool focusedLook = FCanFocused && hasFocus();
  auto draw = [&](int index, int arrow) {
    const TPartState& s = FParts[index];
    if (s.Rect.isEmpty()) return;
    const bool pressed = index == ThumbPart ? s.Down || focusedLook : s.Down && s.MouseIn;
    QColor frame = pal.color(QPalette::Dark);
    QColor fill = pal.color(QPalette::Button);
    if (pressed) {
      frame = SkinColor(kPlainFrame);
      fill = SkinColor(kPlainDownFill);
    } else if (s.MouseIn) {
      frame = SkinColor(kPlainFrame);
      fill = SkinColor(kPlainHotFill);
    }
    p.fillRect(s.Rect, fill);
    p.setPen(frame);
    p.drawRect(s.Rect.adjusted(0, 0, -1, -1));
    if (arrow) {
      const QColor glyph =
          isEnabled() ? QColor(Qt::black) : pal.color(QPalette::Disabled, QPalette::ButtonText);
      DrawArrow(p, TspRect::FromQRect(s.Rect), QColorToColor(glyph), arrow);
    }
  };
  if (isEnabled()) draw(ThumbPart, 0);
  draw(UpButtonPart, Vertical() ? 4 : 2);
  draw(DownButtonPart, Vertical() ? 3 : 1);
}

namespace {
QImage ComposePiece(const QImage& picture, const TspRect& stateRect, QSize size, bool vertical,
                    bool compose, int end1, int end2, bool stretch, bool transparent,
                    TColor colour);
} // namespace

QImage TspSkinScrollBar::PieceImage(const QImage& picture, const TspRect& stateRect, QSize size,
                                    bool compose, int end1, int end2, bool stretch,
                                    bool transparent, TColor colour) {
  // A state the picture does not hold has no image (and must not size an allocation).
  if (!PictureHolds(picture, stateRect)) return QImage();
  const bool vertical = Vertical();
  return ImageCache().Image(picture,
                            {TspSkinImages::kScrollPieceKind, compose, end1, end2, stretch,
                             transparent, int(colour), vertical},
                            stateRect, size, [&] {
                              return ComposePiece(picture, stateRect, size, vertical, compose, end1,
                                                  end2, stretch, transparent, colour);
                            });
}

namespace {
QImage ComposePiece(const QImage& picture, const TspRect& stateRect, QSize size, bool vertical,
                    bool compose, int end1, int end2, bool stretch, bool transparent,
                    TColor colour) {
  QImage img;
  if (compose && !size.isEmpty()) {
    if (vertical)
      ComposeVerticalImage(img, picture, stateRect, end1, end2, stretch, size.height());
    else
      ComposeHorizontalImage(img, picture, stateRect, end1, end2, stretch, size.width());
    if (!img.isNull() && img.size() != size)
      img = img.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  } else {
    // Parts outside the picture come out black rather than read out of bounds.
    img = picture.copy(stateRect.ToQRect()).convertToFormat(QImage::Format_RGB32);
    if (!size.isEmpty() && img.size() != size)
      img = img.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  if (img.isNull()) return img;
  if (transparent) KeyOutColor(img, SkinColor(colour).rgb());
  return img;
}
} // namespace

void TspSkinScrollBar::DrawSkinImage(QImage& image) {
  const TspDataSkinScrollBarControl* rec = ScrollRecord();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!picture) {
    // A record of another kind, or one without its picture: the bar stays usable.
    DrawDefaultImage(image);
    return;
  }
  TspSkinCustomControl::DrawSkinImage(image);
  UpdateLayout();
  QPainter p(&image);
  auto button = [&](const TPartState& s, const TspRect& hot, const TspRect& down) {
    TspRect state;
    if (s.MouseIn && s.Down)
      state = down.IsEmpty() ? hot : down;
    else if (s.MouseIn)
      state = hot;
    // The composed bar already shows the normal button.
    if (state.IsEmpty() || s.Rect.isEmpty()) return;
    const QImage piece = ImageCache().Piece(*picture, state, s.Rect.size());
    if (!piece.isNull()) p.drawImage(s.Rect.topLeft(), piece);
  };
  button(FParts[UpButtonPart], rec->activeupbuttonrect, rec->downupbuttonrect);
  button(FParts[DownButtonPart], rec->activedownbuttonrect, rec->downdownbuttonrect);

  const TPartState& thumb = FParts[ThumbPart];
  if (!isEnabled() || thumb.Rect.isEmpty()) return;
  const bool pressed = thumb.Down || (FCanFocused && hasFocus());
  const TspRect hot = rec->activethumbrect.IsEmpty() ? rec->thumbrect : rec->activethumbrect;
  const TspRect down = rec->downthumbrect.IsEmpty() ? hot : rec->downthumbrect;
  const TspRect state = pressed ? down : thumb.MouseIn ? hot : rec->thumbrect;
  if (!state.IsEmpty()) {
    const bool compose = FPageSize != 0 || rec->thumbminpagesize != 0;
    const QImage img = PieceImage(*picture, state, thumb.Rect.size(), compose, rec->thumboffset1,
                                  rec->thumboffset2, rec->thumbstretcheffect, rec->thumbtransparent,
                                  rec->thumbtransparentcolor);
    if (!img.isNull()) p.drawImage(thumb.Rect.topLeft(), img);
  }
  const TspRect hotGlyph = rec->activeglyphrect.IsEmpty() ? rec->glyphrect : rec->activeglyphrect;
  const TspRect downGlyph = rec->downglyphrect.IsEmpty() ? hotGlyph : rec->downglyphrect;
  const TspRect glyph = pressed ? downGlyph : thumb.MouseIn ? hotGlyph : rec->glyphrect;
  if (!glyph.IsEmpty()) {
    const QImage img = PieceImage(*picture, glyph, QSize(), false, 0, 0, false,
                                  rec->glyphtransparent, rec->glyphtransparentcolor);
    if (!img.isNull())
      p.drawImage(thumb.Rect.left() + (thumb.Rect.width() - img.width()) / 2,
                  thumb.Rect.top() + (thumb.Rect.height() - img.height()) / 2, img);
  }
}

// --- Mouse ------------------------------------------------------------------------------------

int TspSkinScrollBar::Axis(QPoint p) const {
  return Vertical() ? p.y() : p.x();
}

void TspSkinScrollBar::StepUpButton() {
  if (OnUpButtonClick)
    OnUpButtonClick(this);
  else
    StepTo(qint64(FPosition) + FSmallChange);
}

void TspSkinScrollBar::StepDownButton() {
  if (OnDownButtonClick)
    OnDownButtonClick(this);
  else
    StepTo(qint64(FPosition) - FSmallChange);
}

void TspSkinScrollBar::PageUp() {
  StepTo(qint64(FPosition) - FLargeChange);
  if (OnPageUp) OnPageUp(this);
}

void TspSkinScrollBar::PageDown() {
  StepTo(qint64(FPosition) + FLargeChange);
  if (OnPageDown) OnPageDown(this);
}

void TspSkinScrollBar::PressAt(QPoint p) {
  FMousePressed = true;
  FLastMouse = p;
  UpdateLayout();
  StopRepeat();
  FRepeatMode = NoRepeat;
  FFirstTick = true;
  const int part = PartAt(p);
  if (part != -1) {
    FCapturedPart = part;
    FParts[part].Down = true;
    if (FActivePart != part) {
      if (FActivePart != -1) FParts[FActivePart].MouseIn = false;
      FActivePart = part;
    }
    FParts[part].MouseIn = true;
    update();
    if (part == ThumbPart) {
      FDragging = true;
      FDragStart = Axis(p);
      FDragStartOffset = FThumbOffset;
      return;
    }
    if (part == UpButtonPart) {
      FRepeatMode = UpRepeat;
      StepUpButton();
    } else {
      FRepeatMode = DownRepeat;
      StepDownButton();
    }
    FTimer.start(RepeatDelay);
    return;
  }
  if (!FTrack.contains(p)) return;
  const QRect& t = FParts[ThumbPart].Rect;
  if (Axis(p) < (Vertical() ? t.top() : t.left())) {
    FRepeatMode = PageUpRepeat;
    FTimer.start(RepeatDelay);
    PageUp();
  } else {
    FRepeatMode = PageDownRepeat;
    FTimer.start(RepeatDelay);
    PageDown();
  }
}

void TspSkinScrollBar::RepeatTick() {
  if (FFirstTick) {
    FFirstTick = false;
    FTimer.setInterval(RepeatPeriod);
    return;
  }
  switch (FRepeatMode) {
  case DownRepeat:
    StepDownButton();
    break;
  case UpRepeat:
    StepUpButton();
    break;
  case PageUpRepeat:
  case PageDownRepeat: {
    TrackHover(FLastMouse);
    const QRect& t = FParts[ThumbPart].Rect;
    const int a = Axis(FLastMouse);
    const bool go = FRepeatMode == PageUpRepeat ? a < (Vertical() ? t.top() : t.left())
                                                : a >= (Vertical() ? t.bottom() : t.right()) + 1;
    if (!go) {
      // The thumb has reached the mouse.
      StopRepeat();
      break;
    }
    if (FRepeatMode == PageUpRepeat)
      PageUp();
    else
      PageDown();
    break;
  }
  default:
    StopRepeat();
    break;
  }
}

void TspSkinScrollBar::StopRepeat() {
  FTimer.stop();
}

void TspSkinScrollBar::TrackHover(QPoint p) {
  UpdateLayout();
  int part = PartAt(p);
  // While a part is held no other part lights up.
  if (FCapturedPart != -1 && part != FCapturedPart) part = -1;
  if (part == FActivePart) {
    if (part != -1 && !FParts[part].MouseIn) {
      FParts[part].MouseIn = true;
      update();
    }
    return;
  }
  if (FActivePart != -1) {
    TPartState& old = FParts[FActivePart];
    old.MouseIn = false;
    if (old.Down && FActivePart != ThumbPart) StopRepeat();
  }
  FActivePart = part;
  if (part != -1) {
    TPartState& now = FParts[part];
    now.MouseIn = true;
    if (now.Down && part != ThumbPart) FTimer.start(RepeatPeriod);
  }
  update();
}

void TspSkinScrollBar::ReleaseCapture() {
  if (FCapturedPart == -1) {
    FDragging = false;
    return;
  }
  TPartState& s = FParts[FCapturedPart];
  s.Down = false;
  if (FCapturedPart != ThumbPart) StopRepeat();
  FCapturedPart = -1;
  FDragging = false;
  update();
}

void TspSkinScrollBar::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mousePressEvent(e);
    return;
  }
  if (FCanFocused && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
  PressAt(e->position().toPoint());
  e->accept();
}

void TspSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* e) {
  // A double click is a second press.
  mousePressEvent(e);
}

void TspSkinScrollBar::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  FLastMouse = p;
  TrackHover(p);
  // Only a move with the button held drags: a press whose release went elsewhere does not
  // make the thumb follow a hovering mouse.
  if (!FDragging || !(e->buttons() & Qt::LeftButton)) return;
  const int travel = FTravelLast - FTravelFirst;
  const int d = Axis(p) - FDragStart;
  const double q = travel > 0 ? std::clamp(double(FDragStartOffset + d) / travel, 0.0, 1.0) : 0.0;
  const qint64 span = FPageSize != 0 ? qint64(FMax) - FMin - FPageSize + 1 : qint64(FMax) - FMin;
  StepTo(qint64(FMin) + RoundEven(double(span) * q));
}

void TspSkinScrollBar::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    TspSkinCustomControl::mouseReleaseEvent(e);
    return;
  }
  FMousePressed = false;
  if (FRepeatMode == PageUpRepeat || FRepeatMode == PageDownRepeat) StopRepeat();
  FRepeatMode = NoRepeat;
  const int released = FCapturedPart;
  ReleaseCapture();
  // The part under the mouse lights up again (or the released one goes dark).
  TrackHover(e->position().toPoint());
  if (released == ThumbPart && OnLastChange) OnLastChange(this);
}

void TspSkinScrollBar::leaveEvent(QEvent* e) {
  TspSkinCustomControl::leaveEvent(e);
  if (FCapturedPart == -1 && !FDragging && FActivePart != -1) {
    FParts[FActivePart].MouseIn = false;
    FActivePart = -1;
    update();
  }
  if (FMousePressed && FRepeatMode == PageDownRepeat) StopRepeat();
}

// --- Keys and wheel -----------------------------------------------------------------------------

namespace {
bool IsArrow(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}
} // namespace

bool TspSkinScrollBar::event(QEvent* e) {
  // The arrows belong to the focused bar, not to the window's shortcuts or focus moves.
  if (e->type() == QEvent::ShortcutOverride && FCanFocused) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (IsArrow(k->key()) && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      e->accept();
      return true;
    }
  }
  return TspSkinCustomControl::event(e);
}

void TspSkinScrollBar::keyPressEvent(QKeyEvent* e) {
  if (!FCanFocused || !IsArrow(e->key())) {
    TspSkinCustomControl::keyPressEvent(e);
    return;
  }
  if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Up)
    StepTo(qint64(FPosition) - FSmallChange);
  else
    StepTo(qint64(FPosition) + FSmallChange);
  e->accept();
}

void TspSkinScrollBar::wheelEvent(QWheelEvent* e) {
  const QPoint a = e->angleDelta();
  const int delta = a.y() != 0 ? a.y() : a.x();
  if (!FCanFocused || !hasFocus() || delta == 0) {
    e->ignore();
    return;
  }
  if (delta > 0)
    StepTo(qint64(FPosition) - FSmallChange);
  else
    StepTo(qint64(FPosition) + FSmallChange);
  e->accept();
}

// --- State changes ------------------------------------------------------------------------------

void TspSkinScrollBar::CancelInteraction() {
  StopRepeat();
  FRepeatMode = NoRepeat;
  FMousePressed = false;
  ReleaseCapture();
  if (FActivePart != -1) FParts[FActivePart].MouseIn = false;
  FActivePart = -1;
  update();
}

void TspSkinScrollBar::changeEvent(QEvent* e) {
  TspSkinCustomControl::changeEvent(e);
  if (e->type() == QEvent::EnabledChange && !isEnabled()) CancelInteraction();
  if (e->type() == QEvent::EnabledChange) update();
}

void TspSkinScrollBar::hideEvent(QHideEvent* e) {
  TspSkinCustomControl::hideEvent(e);
  CancelInteraction();
}

void TspSkinScrollBar::focusInEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusInEvent(e);
  update();
}

void TspSkinScrollBar::focusOutEvent(QFocusEvent* e) {
  TspSkinCustomControl::focusOutEvent(e);
  update();
}
