#include "skin/frame/popup_window.h"

#include "skin/controls/button_animation.h"
#include "skin/controls/plain_look.h"
#include "skin/frame/skin_menu.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/regions.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kMarkerHeight = 10;
constexpr int kMaxWindowSide = 8192;
constexpr int kScrollMs = 100;
constexpr int kMorphMs = 20;
constexpr int kImageSize = 16;
constexpr TColor kSysWindow = 0x80000005;
constexpr TColor kSysBtnShadow = 0x80000010;
constexpr TColor kSysBtnText = 0x80000012;
const QColor kPlainHighlight(193, 212, 243);

bool HasVisibleAction(const QMenu* menu) {
  const QList<QAction*> actions = menu->actions();
  return std::any_of(actions.begin(), actions.end(), [](QAction* a) { return a->isVisible(); });
}

// The caption's top so that its text is centred in `r`; one pixel higher for an odd height.
int CaptionTop(const QFont& font, const QRect& r) {
  const QFontMetrics fm(font);
  const int odd = font.pixelSize() > 0 ? font.pixelSize() % 2 : 0;
  return r.top() + (r.height() - fm.height()) / 2 - odd;
}

void DrawCentred(QPainter& p, const QImage& picture, const TspRect& src, const QRect& box) {
  const QRect s = src.ToQRect();
  p.drawImage(QPoint(box.left() + (box.width() - s.width()) / 2,
                     box.top() + (box.height() - s.height()) / 2),
              picture, s);
}

// Three parallel two-segment strokes, 7 pixels wide, centred on `c`.
void DrawCheckGlyph(QPainter& p, const QPoint& c, const QColor& color) {
  for (int k = 0; k < 3; ++k) {
    const int y = c.y() - 1 + k;
    for (int i = 0; i < 3; ++i) p.fillRect(c.x() - 3 + i, y + i - 1, 1, 1, color);
    for (int i = 0; i < 4; ++i) p.fillRect(c.x() + i, y + 1 - i, 1, 1, color);
  }
}

// Frame `frame` (1-based) of the item animation strip: stacked when the strip is taller
// than an item, side by side otherwise.
TspRect MenuFrameRect(const TspMenuLook& look, int frame) {
  TspRect r = look.AnimateSkinRect;
  const int n = look.FrameCount;
  if (r.Height() > look.SkinRect.Height()) {
    const int h = r.Height() / n;
    r.Top += (frame - 1) * h;
    r.Bottom = r.Top + h;
  } else {
    const int w = r.Width() / n;
    r.Left += (frame - 1) * w;
    r.Right = r.Left + w;
  }
  return r;
}

// A right-pointing triangle 4 pixels wide and 7 high with its top-left at (x, y).
void DrawArrowGlyph(QPainter& p, int x, int y, const QColor& color) {
  for (int i = 0; i < 4; ++i) p.fillRect(x + i, y + i, 1, 7 - 2 * i, color);
}

} // namespace

TspSkinPopupWindow::TspSkinPopupWindow(TspSkinMenu* menu, QMenu* source, int firstIndex,
                                       const TspMenuLook& look, int maxItemsInWindow,
                                       int workAreaHeight)
    : QWidget(menu->Form(), Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      FMenu(menu), FSource(source), FLook(look) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The keys stay with the form's pop-up chain; nothing here takes the focus.
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  FScrollTimer.setInterval(kScrollMs);
  connect(&FScrollTimer, &QTimer::timeout, this, [this] { ScrollStep(); });
  FAnimateTimer.setInterval(FLook.AnimateInterval);
  connect(&FAnimateTimer, &QTimer::timeout, this, [this] { AnimateStep(); });
  FMorphTimer.setInterval(kMorphMs);
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { MorphStep(); });
  if (!source) return;
  MakeItems(firstIndex);
  if (FItems.empty()) return;
  Measure(workAreaHeight, maxItemsInWindow);
  LayoutItems();
  PrepareImages();
}

TspSkinPopupWindow::~TspSkinPopupWindow() {
  Closing = true;
}

void TspSkinPopupWindow::MakeItems(int firstIndex) {
  const QList<QAction*> actions = FSource->actions();
  for (qsizetype i = std::max(firstIndex, 0); i < actions.size(); ++i) {
    QAction* a = actions[i];
    if (!a->isVisible()) continue;
    TspSkinMenuItem item;
    item.Action = a;
    item.OnDraw = FMenu->DrawItemHandler(a, FSource);
    QString text = a->text();
    if (a->isSeparator() || text == QLatin1String("-")) {
      item.Separator = true;
      item.Enabled = false;
      FItems.push_back(item);
      continue;
    }
    item.Enabled = a->isEnabled();
    if (!item.Enabled && text.size() > 2 && text.startsWith(QLatin1Char('-')) &&
        text.endsWith(QLatin1Char('-'))) {
      item.Header = true;
      text = text.mid(1, text.size() - 2);
    }
    item.Caption = ParseMnemonic(text);
    item.ShortCut = a->shortcut().toString(QKeySequence::NativeText);
    item.Checked = a->isCheckable() && a->isChecked();
    item.Radio = a->actionGroup() && a->actionGroup()->isExclusive();
    if (!a->icon().isNull()) {
      item.Image = a->icon().pixmap(kImageSize, kImageSize).toImage();
      FHasImages = true;
    }
    if (QMenu* sub = a->menu(); sub && HasVisibleAction(sub)) item.SubMenu = sub;
    FItems.push_back(item);
  }
}

void TspSkinPopupWindow::Measure(int workAreaHeight, int maxItemsInWindow) {
  const QFontMetrics fm(FLook.Font);
  int widest = 0;
  int sum = 0;
  for (const TspSkinMenuItem& item : FItems) {
    sum += item.Separator ? FLook.SeparatorHeight : FLook.ItemHeight;
    if (item.Separator) continue;
    QString text = item.Caption.Text;
    if (!item.ShortCut.isEmpty()) text += QLatin1String("  ") + item.ShortCut;
    widest = std::max(widest, fm.horizontalAdvance(text) + 2);
  }
  FImageColumn = FHasImages ? kImageSize + 5 : 16;
  int w = widest + FImageColumn + 16;
  int margin = 6;
  const QSize pic = FLook.WindowPicture.size();
  const TspRect items = FLook.WindowGeometry.ClientRect;
  if (FLook.SkinnedWindow) {
    w += pic.width() + items.Left - items.Right;
    if (FLook.SkinnedItems)
      w += FLook.TextRect.Left + (FLook.SkinRect.Width() - FLook.TextRect.Right);
    else
      w += 10;
    margin = pic.height() + items.Top - items.Bottom;
  } else {
    w += 10;
  }
  int h = sum + margin;
  if (maxItemsInWindow > 0 && int(FItems.size()) > maxItemsInWindow) {
    h = maxItemsInWindow * FLook.ItemHeight + margin + 2 * kMarkerHeight;
    FScrollable = FLimited = true;
  }
  if (workAreaHeight > 0 && h > workAreaHeight) {
    h = workAreaHeight;
    FScrollable = true;
  }
  // However wide its texts, a menu stays within what a screen could show.
  w = std::clamp(w, 1, kMaxWindowSide);
  h = std::clamp(h, 1, kMaxWindowSide);
  resize(w, h);
  if (FLook.SkinnedWindow) {
    FItemsArea = QRect(QPoint(items.Left, items.Top), QPoint(items.Right + w - pic.width() - 1,
                                                             items.Bottom + h - pic.height() - 1));
    if (!FLook.MaskPicture.isNull()) {
      const TspNinePartGeometry& g = FLook.WindowGeometry;
      const auto region = CreateComposedMaskRegion(
          FLook.MaskPicture, g, w, h, TargetGeometry(g, pic.width(), pic.height(), w, h),
          kCompositionNinePart);
      if (region) setMask(*region);
    }
  } else {
    FItemsArea = QRect(3, 3, w - 6, h - 6);
  }
}

void TspSkinPopupWindow::LayoutItems() {
  int y = FItemsArea.top() + (FScrollable ? kMarkerHeight : 0);
  const int bottom = FItemsArea.bottom() + 1 - (FScrollable ? kMarkerHeight : 0);
  for (int i = 0; i < ItemCount(); ++i) {
    TspSkinMenuItem& item = FItems[size_t(i)];
    const int h = item.Separator ? FLook.SeparatorHeight : FLook.ItemHeight;
    if (i < FTopIndex) {
      item.Visible = false;
      item.Rect = QRect();
      continue;
    }
    item.Rect = QRect(FItemsArea.left(), y, FItemsArea.width(), h);
    item.Visible = y + h <= bottom;
    y += h;
  }
}

void TspSkinPopupWindow::PrepareImages() {
  const int w = width(), h = height();
  FBackground = QImage(w, h, QImage::Format_RGB32);
  if (FLook.SkinnedWindow) {
    const QImage& pic = FLook.WindowPicture;
    const TspNinePartGeometry& g = FLook.WindowGeometry;
    ComposeNinePartImage(FBackground, pic, TspRect{0, 0, pic.width(), pic.height()}, g, w, h,
                         TargetGeometry(g, pic.width(), pic.height(), w, h), true,
                         FLook.WindowFlags);
  } else {
    FBackground.fill(SkinColor(kSysWindow));
    QPainter p(&FBackground);
    p.setPen(SkinColor(kSysBtnShadow));
    p.drawRect(0, 0, w - 1, h - 1);
    p.setPen(SkinColor(kSysWindow));
    p.drawRect(1, 1, w - 3, h - 3);
  }
  if (!FLook.SkinnedItems) return;
  const int iw = FItemsArea.width();
  ComposeHorizontalImage(FItemImage[0], FLook.ItemPicture, FLook.SkinRect, FLook.ItemLeftOffset,
                         FLook.ItemRightOffset, FLook.InactiveStretchEffect, iw);
  ComposeHorizontalImage(FItemImage[1], FLook.ItemPicture, FLook.ActiveSkinRect,
                         FLook.ItemLeftOffset, FLook.ItemRightOffset, FLook.StretchEffect, iw);
  // Without the skin's item size the item images stretch to the default height.
  for (QImage& img : FItemImage)
    if (!img.isNull() && img.height() != FLook.ItemHeight)
      img = img.scaled(iw, FLook.ItemHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!FLook.DividerRect.IsEmpty())
    ComposeHorizontalImage(FDivider, FLook.ItemPicture, FLook.DividerRect, FLook.DividerLeftOffset,
                           FLook.DividerRightOffset, FLook.DividerStretchEffect, iw);
  // Frames stretch as the normal image does, or with stretcheffect when only that is on.
  const bool frameStretch = FLook.InactiveStretchEffect || FLook.StretchEffect;
  for (int f = 1; f <= FLook.FrameCount; ++f) {
    QImage frame;
    ComposeHorizontalImage(frame, FLook.ItemPicture, MenuFrameRect(FLook, f), FLook.ItemLeftOffset,
                           FLook.ItemRightOffset, frameStretch, iw);
    if (!frame.isNull() && frame.height() != FLook.ItemHeight)
      frame = frame.scaled(iw, FLook.ItemHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FFrames.push_back(frame);
  }
  if (!FLook.HeaderPicture.isNull()) {
    TspControlGeometry g = FLook.HeaderGeometry;
    const QSize size = FitSizeToSkin(g, QSize(iw, FLook.ItemHeight));
    ComposeControlImage(FHeaderImage, FLook.HeaderPicture, g, g.SkinRect, size);
  }
}

// --- Animation -------------------------------------------------------------------------------

void TspSkinPopupWindow::HighlightChanged(TspSkinMenuItem& item, bool was) {
  const bool now = item.Highlighted();
  if (now == was) return;
  // A newly highlighted item runs its frames from the first; one that loses the highlight
  // drops them at once.
  item.Frame = now && !FFrames.empty() && item.Active ? 1 : 0;
  if (item.Frame > 0 && !FAnimateTimer.isActive()) FAnimateTimer.start();
  if (FLook.Morphing && !FMorphTimer.isActive()) FMorphTimer.start();
}

void TspSkinPopupWindow::AnimateStep() {
  bool running = false;
  for (TspSkinMenuItem& item : FItems) {
    if (item.Frame <= 0) continue;
    if (!item.Highlighted() || !FrameAnimationTick(item.Frame, true, FLook.FrameCount)) {
      item.Frame = 0;
      continue;
    }
    running = true;
  }
  if (!running) FAnimateTimer.stop();
  update();
}

QImage TspSkinPopupWindow::NormalImage(const TspSkinMenuItem& item) const {
  if (FLook.InactiveTransparent)
    return FBackground.copy(QRect(item.Rect.topLeft(), FItemImage[0].size()));
  return FItemImage[0];
}

void TspSkinPopupWindow::MorphStep() {
  bool moving = false;
  for (TspSkinMenuItem& item : FItems) {
    if (!item.Selectable()) continue;
    const double next = NextMorphValue(item.MorphKf, item.Highlighted());
    if (next == item.MorphKf) continue;
    item.MorphKf = next;
    moving = true;
    if (next > 0 && next < 1 && !FItemImage[0].isNull() && !FItemImage[1].isNull()) {
      // Made here, once per step, so that a paint only draws it.
      TspEffectBmp from(NormalImage(item));
      ApplyMorph(from, TspEffectBmp(FItemImage[1]), FLook.MorphKind, next);
      item.MorphImage = from.ToImage();
    } else {
      item.MorphImage = QImage();
    }
  }
  if (!moving) FMorphTimer.stop();
  update();
}

const QImage* TspSkinPopupWindow::ItemImage(const TspSkinMenuItem& item) const {
  const bool hi = item.Highlighted();
  if (item.Frame > 0 && item.Frame <= int(FFrames.size()) &&
      !FFrames[size_t(item.Frame - 1)].isNull())
    return &FFrames[size_t(item.Frame - 1)];
  if (FLook.Morphing) {
    if (item.MorphKf >= 1) return &FItemImage[1];
    if (item.MorphKf > 0 && !item.MorphImage.isNull()) return &item.MorphImage;
    return FLook.InactiveTransparent ? nullptr : &FItemImage[0];
  }
  if (hi) return &FItemImage[1];
  return FLook.InactiveTransparent ? nullptr : &FItemImage[0];
}

// --- Items and selection ---------------------------------------------------------------------

int TspSkinPopupWindow::AnyItemAt(const QPoint& pos) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (FItems[size_t(i)].Visible && FItems[size_t(i)].Rect.contains(pos)) return i;
  return -1;
}

int TspSkinPopupWindow::ItemAt(const QPoint& pos) const {
  const int i = AnyItemAt(pos);
  return i >= 0 && FItems[size_t(i)].Selectable() ? i : -1;
}

void TspSkinPopupWindow::SetSelected(int index) {
  if (index >= ItemCount()) index = -1;
  FSelected = index;
  for (int i = 0; i < ItemCount(); ++i) {
    TspSkinMenuItem& item = FItems[size_t(i)];
    const bool was = item.Highlighted();
    item.Active = i == index;
    HighlightChanged(item, was);
  }
  if (index >= 0 && FScrollable) ScrollTo(index);
  update();
}

void TspSkinPopupWindow::SetDown(int index, bool down) {
  if (index < 0 || index >= ItemCount()) return;
  TspSkinMenuItem& item = FItems[size_t(index)];
  const bool was = item.Highlighted();
  item.Down = down;
  HighlightChanged(item, was);
  update();
}

int TspSkinPopupWindow::NextSelectable(int step) const {
  const int n = ItemCount();
  if (n == 0) return -1;
  const int start = FSelected >= 0 ? FSelected : (step > 0 ? -1 : n);
  // One full turn at most: a level without a selectable item has no next one.
  for (int k = 1; k <= n; ++k) {
    const int i = ((start + k * step) % n + n) % n;
    if (FItems[size_t(i)].Selectable()) return i;
  }
  return -1;
}

// --- Scrolling -------------------------------------------------------------------------------

void TspSkinPopupWindow::ScrollTo(int index) {
  if (!FScrollable || index < 0 || index >= ItemCount()) return;
  if (index < FTopIndex) FTopIndex = index;
  LayoutItems();
  while (!FItems[size_t(index)].Visible && FTopIndex < index) {
    ++FTopIndex;
    LayoutItems();
  }
  update();
}

void TspSkinPopupWindow::ScrollByPointer(const QPoint& pos) {
  const QRect up(FItemsArea.left(), FItemsArea.top(), FItemsArea.width(), kMarkerHeight);
  const QRect down(FItemsArea.left(), FItemsArea.bottom() + 1 - kMarkerHeight, FItemsArea.width(),
                   kMarkerHeight);
  int state = 0;
  if (up.contains(pos) && FTopIndex > 0) state = 1;
  if (down.contains(pos) && !FItems.back().Visible) state = 2;
  if (state == FScrollState) return;
  if (state == 0) {
    StopScrolling();
    return;
  }
  FScrollState = state;
  FScrollTimer.start();
  update();
}

void TspSkinPopupWindow::StopScrolling() {
  if (FScrollState == 0 && !FScrollTimer.isActive()) return;
  FScrollState = 0;
  FScrollTimer.stop();
  update();
}

void TspSkinPopupWindow::ScrollStep() {
  if (FScrollState == 1 && FTopIndex > 0)
    --FTopIndex;
  else if (FScrollState == 2 && !FItems.back().Visible)
    ++FTopIndex;
  else {
    StopScrolling();
    return;
  }
  LayoutItems();
  update();
}

// --- Painting --------------------------------------------------------------------------------

QImage TspSkinPopupWindow::PaintImage() const {
  if (FCanvas.size() != size()) FCanvas = QImage(size(), QImage::Format_RGB32);
  // A caller still holding the last image keeps it: painting detaches the canvas.
  QPainter p(&FCanvas);
  p.drawImage(0, 0, FBackground);
  int lastBottom = FItemsArea.top() + (FScrollable ? kMarkerHeight : 0);
  for (const TspSkinMenuItem& item : FItems) {
    if (!item.Visible) continue;
    PaintItem(p, item);
    lastBottom = item.Rect.bottom() + 1;
  }
  if (FScrollable) {
    // The space the last item leaves above the bottom marker.
    const int markerTop = FItemsArea.bottom() + 1 - kMarkerHeight;
    if (lastBottom < markerTop && !FItemImage[0].isNull())
      p.drawImage(QRect(FItemsArea.left(), lastBottom, FItemsArea.width(), markerTop - lastBottom),
                  FItemImage[0]);
    PaintMarkers(p);
  }
  p.end();
  return FCanvas;
}

void TspSkinPopupWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, PaintImage());
}

void TspSkinPopupWindow::PaintMarkers(QPainter& p) const {
  const QRect up(FItemsArea.left(), FItemsArea.top(), FItemsArea.width(), kMarkerHeight);
  const QRect down(FItemsArea.left(), FItemsArea.bottom() + 1 - kMarkerHeight, FItemsArea.width(),
                   kMarkerHeight);
  QColor normal = FLook.ScrollMarkerColor, active = FLook.ScrollMarkerActiveColor;
  for (const QRect& r : {up, down}) {
    if (!FItemImage[0].isNull())
      p.drawImage(r, FItemImage[0]);
    else
      p.fillRect(r, SkinColor(kSysWindow));
  }
  if (!FLook.SkinnedWindow) {
    normal = SkinColor(kSysBtnShadow);
    active = SkinColor(kSysBtnText);
  }
  DrawArrow(p, TspRect::FromQRect(up), QColorToColor(FScrollState == 1 ? active : normal), 3);
  DrawArrow(p, TspRect::FromQRect(down), QColorToColor(FScrollState == 2 ? active : normal), 4);
}

void TspSkinPopupWindow::PaintItem(QPainter& p, const TspSkinMenuItem& item) const {
  p.save();
  p.setClipRect(item.Rect);
  if (item.OnDraw)
    item.OnDraw(p, item.Rect, item.Highlighted());
  else if (FLook.SkinnedItems)
    PaintSkinnedItem(p, item);
  else
    PaintPlainItem(p, item);
  p.restore();
}

void TspSkinPopupWindow::DrawCaption(QPainter& p, const TspSkinMenuItem& item,
                                     const QRect& textRect, const QColor& color) const {
  const QFontMetrics fm(p.font());
  const int top = CaptionTop(p.font(), textRect);
  const int baseline = top + fm.ascent();
  p.setPen(color);
  p.save();
  p.setClipRect(textRect, Qt::IntersectClip);
  const QString& text = item.Caption.Text;
  const bool rtl = layoutDirection() == Qt::RightToLeft;
  const int x = rtl ? textRect.right() + 1 - fm.horizontalAdvance(text) : textRect.left();
  p.drawText(x, baseline, text);
  if (item.Caption.AccelIndex >= 0) {
    const int ux = x + fm.horizontalAdvance(text.left(item.Caption.AccelIndex));
    const int uw = fm.horizontalAdvance(text.at(item.Caption.AccelIndex));
    p.fillRect(ux, baseline + 1, uw, 1, color);
  }
  p.restore();
  if (!item.ShortCut.isEmpty()) {
    const int sx = textRect.right() + 1 - fm.horizontalAdvance(item.ShortCut);
    p.drawText(sx, baseline, item.ShortCut);
  }
}

void TspSkinPopupWindow::DrawMark(QPainter& p, const TspSkinMenuItem& item, const QRect& box,
                                  const QColor& color, bool highlighted) const {
  if (!item.Image.isNull()) {
    const QRect r(box.left() + (box.width() - item.Image.width()) / 2,
                  box.top() + (box.height() - item.Image.height()) / 2, item.Image.width(),
                  item.Image.height());
    p.drawImage(r.topLeft(), item.Image);
    if (item.Checked) {
      p.setPen(color);
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(-1, -1, 0, 0));
    }
    return;
  }
  if (!item.Checked) return;
  if (FLook.SkinnedItems) {
    const TspRect& normal = item.Radio ? FLook.RadioRect : FLook.CheckRect;
    const TspRect& active = item.Radio ? FLook.ActiveRadioRect : FLook.ActiveCheckRect;
    const TspRect& src = highlighted && !active.IsEmpty() ? active : normal;
    if (!src.IsEmpty()) {
      DrawCentred(p, FLook.ItemPicture, src, box);
      return;
    }
  }
  const QPoint c = box.center();
  if (item.Radio) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QRectF(c.x() - 2.5, c.y() - 2.5, 6, 6));
    p.setRenderHint(QPainter::Antialiasing, false);
  } else {
    DrawCheckGlyph(p, c, color);
  }
}

void TspSkinPopupWindow::PaintSkinnedItem(QPainter& p, const TspSkinMenuItem& item) const {
  const QRect r = item.Rect;
  if (item.Separator) {
    if (!FDivider.isNull())
      p.drawImage(QPoint(r.left(), r.top() + (r.height() - FDivider.height()) / 2), FDivider);
    return;
  }
  const bool hi = item.Highlighted();
  if (item.Header) {
    // The header control's image, centred in the item when the skin fixes its height.
    if (!FHeaderImage.isNull())
      p.drawImage(QPoint(r.left(), r.top() + (r.height() - FHeaderImage.height()) / 2),
                  FHeaderImage);
    else if (!FLook.InactiveTransparent)
      p.drawImage(r.topLeft(), FItemImage[0]);
    p.setFont(FLook.HeaderFont);
    p.setPen(FLook.HeaderColor);
    p.drawText(r, Qt::AlignCenter, item.Caption.Text);
    return;
  }
  if (const QImage* image = ItemImage(item)) p.drawImage(r.topLeft(), *image);
  // The text rectangle follows the item's right edge; vertically it is the skin's unless
  // the items have the default height.
  const TspRect& tr = FLook.TextRect;
  const int right = r.width() - (FLook.SkinRect.Width() - tr.Right);
  const bool skinHeight = FLook.ItemHeight == FLook.SkinRect.Height();
  const QRect t(r.left() + tr.Left, skinHeight ? r.top() + tr.Top : r.top(), right - tr.Left,
                skinHeight ? tr.Height() : r.height());
  const QColor color = !item.Enabled ? FLook.DisabledFontColor
                       : hi          ? FLook.ActiveFontColor
                                     : FLook.FontColor;
  const int imageColumn = FLook.ImageRect.IsEmpty() ? FImageColumn : 0;
  p.setFont(FLook.Font);
  DrawCaption(p, item,
              QRect(t.left() + imageColumn, t.top(), t.width() - imageColumn - 16, t.height()),
              color);
  if (item.SubMenu) {
    const TspRect& src =
        hi && !FLook.ActiveArrowRect.IsEmpty() ? FLook.ActiveArrowRect : FLook.ArrowRect;
    if (!src.IsEmpty()) {
      const int aw = src.Width();
      DrawCentred(p, FLook.ItemPicture, src,
                  QRect(t.right() + 1 - aw - 5, t.top(), aw + 5, t.height()));
    } else {
      DrawArrowGlyph(p, t.right() + 1 - 7, t.center().y() - 3, color);
    }
  }
  const QRect box = FLook.ImageRect.IsEmpty() ? QRect(t.left() + 2, t.top(), kImageSize, t.height())
                                              : FLook.ImageRect.ToQRect().translated(r.topLeft());
  DrawMark(p, item, box, color, hi);
}

void TspSkinPopupWindow::PaintPlainItem(QPainter& p, const TspSkinMenuItem& item) const {
  const QRect r = item.Rect;
  const int column = FHasImages ? kImageSize + 3 : 22;
  if (item.Separator) {
    p.fillRect(QRect(column, r.top() + r.height() / 2 - 1, r.right() + 1 - column, 1),
               SkinColor(kSysBtnShadow));
    return;
  }
  const bool hi = item.Highlighted();
  if (hi) {
    p.fillRect(r, kPlainHighlight);
    p.setPen(SkinColor(kSysBtnShadow));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  const QColor color =
      item.Enabled || item.Header ? SkinColor(0x80000008) : SkinColor(kSysBtnShadow);
  if (item.Header) {
    p.setFont(FLook.HeaderFont);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, item.Caption.Text);
    return;
  }
  p.setFont(FLook.Font);
  DrawCaption(p, item, QRect(column, r.top(), width() - 19 - column, r.height()), color);
  if (item.SubMenu) DrawArrowGlyph(p, r.right() + 1 - 7 - 4, r.center().y() - 3, color);
  DrawMark(p, item, QRect(r.left(), r.top(), column - r.left(), r.height()), color, hi);
}

// --- Input -----------------------------------------------------------------------------------

void TspSkinPopupWindow::keyPressEvent(QKeyEvent* e) {
  FMenu->HandleKey(e);
}

void TspSkinPopupWindow::mouseMoveEvent(QMouseEvent* e) {
  FMenu->PointerMoved(e->globalPosition().toPoint());
}

void TspSkinPopupWindow::mousePressEvent(QMouseEvent* e) {
  FMenu->PointerPressed(e->globalPosition().toPoint());
}

void TspSkinPopupWindow::mouseReleaseEvent(QMouseEvent* e) {
  FMenu->PointerReleased(e->globalPosition().toPoint(), e->button());
}

void TspSkinPopupWindow::mouseDoubleClickEvent(QMouseEvent* e) {
  FMenu->PointerPressed(e->globalPosition().toPoint());
}

void TspSkinPopupWindow::wheelEvent(QWheelEvent* e) {
  // The wheel does nothing while a menu is open.
  e->accept();
}

void TspSkinPopupWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  StopScrolling();
  if (!Closing) FMenu->LevelHidden(this);
}
