#include "skin/controls/status_bar.h"
#include "skin/controls/color_key.h"
#include "skin/controls/plain_look.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

namespace {

// A one-pixel line from (x0, y0) towards (x1, y1), without its end point, as the platform's
// line drawing leaves it out; pixels outside the image are skipped.
void DrawLineWithoutEnd(QImage& image, int x0, int y0, int x1, int y1, QRgb color) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    if (x0 >= 0 && y0 >= 0 && x0 < image.width() && y0 < image.height())
      reinterpret_cast<QRgb*>(image.scanLine(y0))[x0] = color;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// The plain grip: pairs of diagonal lines, shadow then highlight, from the lower left
// towards the upper right of the grip rectangle shrunk by 2.
void DrawLineGrip(QImage& image, const TspRect& grip, const QColor& highlight,
                  const QColor& shadow) {
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  const TspRect g{grip.Left + 2, grip.Top + 2, grip.Right - 2, grip.Bottom - 2};
  const int n = grip.Width() / 4 + 1;
  const QRgb dark = shadow.rgb(), light = highlight.rgb();
  for (int b = 4, k = 0; k < n && g.Left + b + 2 <= g.Right; b += 3, ++k) {
    DrawLineWithoutEnd(image, g.Left + b, g.Bottom, g.Right, g.Top + b, dark);
    DrawLineWithoutEnd(image, g.Left + b + 1, g.Bottom, g.Right, g.Top + b + 1, light);
  }
}

} // namespace

TspSkinStatusBar::TspSkinStatusBar(QWidget* parent) : TspSkinPanel(parent) {
  SetSkinDataName(QStringLiteral("statusbar"));
  SetBorderStyle(TspSkinBorderStyle::bvNone);
  SetSeparateClientPaint(false);
  // The cursor follows the grip.
  setMouseTracking(true);
  resize(parent ? parent->width() : 150, 21);
  WatchParent();
  DockToParent();
  UpdateGripMargins();
}

TspSkinStatusBar::~TspSkinStatusBar() {
  if (FWatchedParent) FWatchedParent->removeEventFilter(this);
}

void TspSkinStatusBar::SetSizeGrip(bool value) {
  if (value == FSizeGrip) return;
  FSizeGrip = value;
  GripChanged();
}

void TspSkinStatusBar::SetGripAllowed(bool value) {
  if (value == FGripAllowed) return;
  FGripAllowed = value;
  GripChanged();
}

void TspSkinStatusBar::SetAlign(TspStatusBarAlign value) {
  FAlign = value;
  DockToParent();
}

void TspSkinStatusBar::GripChanged() {
  if (!GripShown() && FManualSizing) FManualSizing = false;
  UpdateGripMargins();
  update();
}

QRect TspSkinStatusBar::ClientRect() {
  ReadSkinRecord();
  QRect r = TspSkinPanel::ClientRect();
  if (!GripShown()) return r;
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  const int cut = rec && !rec->gripperrect.IsEmpty() ? rec->gripperrect.Width() : r.height();
  r.setWidth(r.width() - cut);
  return r;
}

QRect TspSkinStatusBar::GripRect() {
  if (!GripShown()) return QRect();
  const TspRect c = TspRect::FromQRect(ClientRect());
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  if (rec && !rec->gripperrect.IsEmpty()) {
    const int gw = rec->gripperrect.Width(), gh = rec->gripperrect.Height();
    return TspRect{c.Right, c.Bottom - gh, c.Right + gw, c.Bottom}.ToQRect();
  }
  return TspRect{c.Right + 2, c.Top, c.Right + c.Height(), c.Bottom - 2}.ToQRect();
}

int TspSkinStatusBar::HitTest(const QPoint& point) {
  if (GripShown() && GripRect().contains(point)) return kHitBottomRight;
  return kHitClient;
}

void TspSkinStatusBar::UpdateGripMargins() {
  if (FUpdatingMargins) return;
  const TspRect c = TspRect::FromQRect(ClientRect());
  const QMargins m(std::max(c.Left, 0), std::max(c.Top, 0), std::max(width() - c.Right, 0),
                   std::max(height() - c.Bottom, 0));
  if (m == contentsMargins()) return;
  FUpdatingMargins = true;
  setContentsMargins(m);
  FUpdatingMargins = false;
}

void TspSkinStatusBar::WatchParent() {
  QWidget* parent = parentWidget();
  if (parent == FWatchedParent) return;
  if (FWatchedParent) FWatchedParent->removeEventFilter(this);
  FWatchedParent = parent;
  if (FWatchedParent) FWatchedParent->installEventFilter(this);
}

void TspSkinStatusBar::DockToParent() {
  QWidget* parent = parentWidget();
  if (FAlign != TspStatusBarAlign::alBottom || !parent || isWindow()) return;
  // A layout that holds the bar places it itself.
  if (parent->layout() && parent->layout()->indexOf(this) >= 0) return;
  const QRect area = parent->contentsRect();
  const QRect target(area.left(), area.top() + area.height() - height(), area.width(), height());
  if (target != geometry()) setGeometry(target);
}

bool TspSkinStatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FWatchedParent &&
      (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange))
    DockToParent();
  return TspSkinPanel::eventFilter(watched, event);
}

QImage TspSkinStatusBar::GripImage() {
  const auto* rec = RecordAs<TspDataSkinPanelControl>();
  const QImage* picture = rec ? Binding().Picture(rec->pictureindex) : nullptr;
  if (!picture || rec->gripperrect.IsEmpty()) return QImage();
  const TspRect& r = rec->gripperrect;
  const bool keyed = rec->grippertransparent;
  const int colour = int(rec->grippertransparentcolor);
  return ImageCache().Image(
      *picture, {TspSkinImages::kGripKind, keyed, colour}, r, QSize(r.Width(), r.Height()), [&] {
        QImage grip = picture->copy(r.ToQRect()).convertToFormat(QImage::Format_ARGB32);
        if (keyed) KeyOutColor(grip, SkinColor(rec->grippertransparentcolor).rgb());
        return grip;
      });
}

void TspSkinStatusBar::DrawSkinImage(QImage& image) {
  TspSkinPanel::DrawSkinImage(image);
  if (!GripShown()) return;
  const QRect grip = GripRect();
  const QImage piece = GripImage();
  if (!piece.isNull()) {
    QPainter p(&image);
    p.drawImage(grip.topLeft(), piece);
    return;
  }
  const TspSkinData* skin = SkinData();
  const QColor highlight =
      skin ? SkinColor(skin->SkinColors.cbtnhighlight) : palette().color(QPalette::Light);
  const QColor shadow =
      skin ? SkinColor(skin->SkinColors.cbtnshadow) : palette().color(QPalette::Dark);
  DrawLineGrip(image, TspRect::FromQRect(grip), highlight, shadow);
}

void TspSkinStatusBar::DrawDefaultImage(QImage& image) {
  TspSkinPanel::DrawDefaultImage(image);
  if (!GripShown()) return;
  DrawLineGrip(image, TspRect::FromQRect(GripRect()), palette().color(QPalette::Light),
               palette().color(QPalette::Dark));
}

void TspSkinStatusBar::SetSkinData(TspSkinData* value) {
  TspSkinPanel::SetSkinData(value);
  for (QObject* child : children())
    if (auto* control = qobject_cast<TspSkinControl*>(child)) control->SetSkinData(value);
}

void TspSkinStatusBar::ApplySkin() {
  TspSkinPanel::ApplySkin();
  UpdateGripMargins();
  DockToParent();
}

void TspSkinStatusBar::resizeEvent(QResizeEvent* event) {
  // A visible widget hears a resize of its own size whenever its margins change: the
  // panel would put its margins back over the grip's.
  if (event->size() == event->oldSize()) return;
  TspSkinPanel::resizeEvent(event);
  UpdateGripMargins();
  DockToParent();
}

void TspSkinStatusBar::changeEvent(QEvent* event) {
  TspSkinPanel::changeEvent(event);
  switch (event->type()) {
  case QEvent::ContentsRectChange:
    // The panel sets its own margins; the grip's width comes off them again.
    UpdateGripMargins();
    break;
  case QEvent::ParentChange:
    WatchParent();
    DockToParent();
    break;
  default:
    break;
  }
}

void TspSkinStatusBar::mousePressEvent(QMouseEvent* event) {
  QWidget* top = window();
  if (event->button() != Qt::LeftButton || top == this ||
      HitTest(event->position().toPoint()) != kHitBottomRight ||
      (top->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
    TspSkinPanel::mousePressEvent(event);
    return;
  }
  event->accept();
  if (QWindow* handle = top->windowHandle();
      handle && handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge))
    return;
  // The windowing system does not size windows for us: follow the mouse while it is held.
  FManualSizing = true;
  FPressGlobal = event->globalPosition().toPoint();
  FPressWindowSize = top->size();
}

void TspSkinStatusBar::mouseMoveEvent(QMouseEvent* event) {
  if (FManualSizing) {
    if (!(event->buttons() & Qt::LeftButton)) {
      FManualSizing = false;
    } else {
      QWidget* top = window();
      const QPoint delta = event->globalPosition().toPoint() - FPressGlobal;
      const QSize wanted = FPressWindowSize + QSize(delta.x(), delta.y());
      const QSize size = QLayout::closestAcceptableSize(top, wanted.expandedTo(QSize(1, 1)));
      if (size != top->size()) top->resize(size);
      event->accept();
      return;
    }
  }
  if (HitTest(event->position().toPoint()) == kHitBottomRight)
    setCursor(Qt::SizeFDiagCursor);
  else if (UseSkinCursor())
    ApplySkinCursor();
  else
    unsetCursor();
  TspSkinPanel::mouseMoveEvent(event);
}

void TspSkinStatusBar::mouseReleaseEvent(QMouseEvent* event) {
  if (FManualSizing && event->button() == Qt::LeftButton) {
    FManualSizing = false;
    event->accept();
    return;
  }
  TspSkinPanel::mouseReleaseEvent(event);
}
