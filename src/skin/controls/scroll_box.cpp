#include "skin/controls/scroll_box.h"

#include "skin/controls/scroll_bar.h"
#include "skin/render/composition.h"

#include <QChildEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kHorizontal = 0, kVertical = 1;

// The area children are placed on: it paints nothing, so the box's client look shows.
class TspScrollBoxClient : public QWidget {
public:
  explicit TspScrollBoxClient(QWidget* parent) : QWidget(parent) { setAutoFillBackground(false); }
};

} // namespace

TspSkinScrollBox::TspSkinScrollBox(QWidget* parent)
    : TspSkinCustomControl(parent), FClient(new TspScrollBoxClient(this)) {
  SetSkinDataName(QStringLiteral("scrollbox"));
  // The frame strips and the client piece are painted apart, as a large panel's are.
  SetSeparateClientPaint(true);
  setFocusPolicy(Qt::NoFocus);
  FClient->installEventFilter(this);
  resize(150, 150);
  PlaceClient();
}

TspSkinScrollBox::~TspSkinScrollBox() {
  // The client and its children go before the box's members: no upkeep on their way out.
  FClient->removeEventFilter(this);
  for (QObject* o : FClient->children()) o->removeEventFilter(this);
  delete FClient;
  FClient = nullptr;
  Detach(FBars[kHorizontal].Bar);
  Detach(FBars[kVertical].Bar);
}

// --- Properties ------------------------------------------------------------------------------

void TspSkinScrollBox::SetBorderStyle(TspSkinBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  PlaceClient();
  update();
  UpdateScrollBars();
}

void TspSkinScrollBox::SetCanFocused(bool value) {
  FCanFocused = value;
  // A press on the client area or the frame focuses the box (Qt looks up the parents).
  setFocusPolicy(value ? Qt::ClickFocus : Qt::NoFocus);
}

QColor TspSkinScrollBox::Color() const {
  return FColor.isValid() ? FColor : palette().color(QPalette::Button);
}

void TspSkinScrollBox::SetColor(const QColor& value) {
  FColor = value;
  update();
}

int TspSkinScrollBox::BgPictureIndex() const {
  const auto* rec = RecordAs<TspDataSkinScrollBoxControl>();
  return rec ? rec->bgpictureindex : -1;
}

TspSkinScrollBox::Look TspSkinScrollBox::SkinLook() const {
  // A picture index the skin does not have counts as none, as other malformed values do.
  if (SkinData() && SkinData()->ValidPictureIndex(BgPictureIndex())) return Look::Picture;
  if (FBorderStyle == TspSkinBorderStyle::bvNone) return Look::Bare;
  return Look::Frame;
}

QRect TspSkinScrollBox::ClientRect() {
  ReadSkinRecord();
  if (RecordIndex() == -1)
    return FBorderStyle == TspSkinBorderStyle::bvNone ? rect() : rect().adjusted(1, 1, -1, -1);
  if (SkinLook() != Look::Frame) return rect();
  // The record's frame, as wide on each side as in the skin.
  const TspRect& s = SkinRect();
  const TspRect& c = SkinClientRect();
  const int left = std::max(c.Left, 0), top = std::max(c.Top, 0);
  const int right = std::max(s.Width() - c.Right, 0), bottom = std::max(s.Height() - c.Bottom, 0);
  return QRect(left, top, std::max(width() - left - right, 0),
               std::max(height() - top - bottom, 0));
}

void TspSkinScrollBox::PlaceClient() {
  if (!FClient) return;
  const QRect r = ClientRect();
  if (FClient->geometry() != r) FClient->setGeometry(r);
  const QMargins m(r.left(), r.top(), width() - r.right() - 1, height() - r.bottom() - 1);
  if (m != contentsMargins()) setContentsMargins(m);
}

// --- Painting --------------------------------------------------------------------------------

void TspSkinScrollBox::FillClient(QImage& image, const QRect& area, const QImage& tile) {
  if (tile.isNull() || area.isEmpty()) return;
  const QSize tileSize = StretchTileSize(StretchFlags(), tile.size(), area.size());
  const QImage piece =
      ImageCache().Piece(tile, TspRect{0, 0, tile.width(), tile.height()}, tileSize);
  if (piece.isNull()) return;
  QPainter p(&image);
  p.setBrushOrigin(area.topLeft());
  p.fillRect(area, QBrush(piece));
}

void TspSkinScrollBox::DrawSkinImage(QImage& image) {
  switch (SkinLook()) {
  case Look::Picture:
    FillClient(image, image.rect(), SkinData()->ActivePictures[size_t(BgPictureIndex())]);
    return;
  case Look::Bare: {
    const QImage* picture = SkinPicture();
    if (!picture) return;
    const TspRect& s = SkinRect();
    const TspRect& c = SkinClientRect();
    const TspRect piece{s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom};
    FillClient(image, image.rect(), ImageCache().Piece(*picture, piece, QSize()));
    return;
  }
  case Look::Frame:
    TspSkinCustomControl::DrawSkinImage(image);
    return;
  }
}

void TspSkinScrollBox::DrawDefaultImage(QImage& image) {
  image.fill(Color());
  QPainter p(&image);
  const QColor shadow = palette().color(QPalette::Dark);
  const QColor highlight = palette().color(QPalette::Light);
  // The box's raised and lowered frames are the panel's the other way round.
  if (FBorderStyle == TspSkinBorderStyle::bvFrame)
    DrawBorderStyleFrame(p, image.rect(), FBorderStyle, highlight, shadow);
  else
    DrawBorderStyleFrame(p, image.rect(), FBorderStyle, shadow, highlight);
}

void TspSkinScrollBox::paintEvent(QPaintEvent* e) {
  if (width() <= 0 || height() <= 0) return;
  ReadSkinRecord();
  if (RecordIndex() != -1 && SkinLook() == Look::Frame)
    TspSkinCustomControl::paintEvent(e); // frame strips and client apart where it can
  else
    TspSkinControl::paintEvent(e); // one image, composed by DrawSkinImage
}

// --- Skin and geometry -----------------------------------------------------------------------

void TspSkinScrollBox::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  // The frame may have another width in the new skin.
  PlaceClient();
  UpdateScrollBars();
  update();
}

void TspSkinScrollBox::resizeEvent(QResizeEvent* e) {
  TspSkinCustomControl::resizeEvent(e);
  PlaceClient();
  UpdateScrollBars();
}

void TspSkinScrollBox::showEvent(QShowEvent* e) {
  TspSkinCustomControl::showEvent(e);
  PlaceClient();
  UpdateScrollBars();
}

bool TspSkinScrollBox::BoxVisible() const {
  return parentWidget() ? isVisibleTo(parentWidget()) : !isHidden();
}

bool TspSkinScrollBox::event(QEvent* e) {
  switch (e->type()) {
  case QEvent::ShowToParent:
    UpdateScrollBars();
    break;
  case QEvent::HideToParent:
    // The bars go with the box.
    for (TAttached& a : FBars)
      if (a.Bar) a.Bar->hide();
    break;
  default:
    break;
  }
  return TspSkinCustomControl::event(e);
}

bool TspSkinScrollBox::eventFilter(QObject* watched, QEvent* e) {
  if (!FClient || FScrolling) return false;
  if (watched == FClient) {
    switch (e->type()) {
    case QEvent::ChildAdded:
      if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child()))
        w->installEventFilter(this);
      UpdateScrollBars();
      break;
    case QEvent::ChildRemoved:
    case QEvent::Resize:
      UpdateScrollBars();
      break;
    default:
      break;
    }
    return false;
  }
  if (watched->parent() == FClient) {
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
      UpdateScrollBars();
      break;
    default:
      break;
    }
  }
  return false;
}

// --- Attached bars ---------------------------------------------------------------------------

void TspSkinScrollBox::Detach(TspSkinScrollBar* bar) {
  if (!bar) return;
  bar->OnChange = nullptr;
  bar->OnLastChange = nullptr;
}

void TspSkinScrollBox::Attach(int axis, TspSkinScrollBar* value) {
  TAttached& a = FBars[axis];
  if (a.Bar == value) {
    UpdateScrollBars();
    return;
  }
  Detach(a.Bar);
  // What the old bar scrolled goes back to the start.
  ScrollChildren(axis, -a.Offset);
  a = TAttached();
  a.Bar = value;
  if (!value) {
    UpdateScrollBars();
    return;
  }
  value->SetCanFocused(false);
  value->setEnabled(true);
  value->hide();
  value->OnChange = [this, axis](QObject* sender) {
    const int position = static_cast<TspSkinScrollBar*>(sender)->Position();
    const int delta = position - FBars[axis].Offset;
    FBars[axis].Offset = position;
    ScrollChildren(axis, delta);
  };
  value->OnLastChange = [this](QObject*) {
    update();
    FClient->update();
  };
  UpdateScrollBars();
}

void TspSkinScrollBox::SetVScrollBar(TspSkinScrollBar* value) {
  Attach(kVertical, value);
}

void TspSkinScrollBox::SetHScrollBar(TspSkinScrollBar* value) {
  Attach(kHorizontal, value);
}

void TspSkinScrollBox::ScrollChildren(int axis, int delta) {
  if (delta == 0) return;
  FScrolling = true;
  const QPoint by = axis == kVertical ? QPoint(0, -delta) : QPoint(-delta, 0);
  for (QObject* o : FClient->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) w->move(w->pos() + by);
  FScrolling = false;
  FClient->update();
}

void TspSkinScrollBox::UpdateBar(int axis) {
  TAttached& a = FBars[axis];
  if (!a.Bar) {
    a.Needed = false;
    return;
  }
  const bool vertical = axis == kVertical;
  // A: how far the content reaches in the view now; B: the view's size.
  int reach = 0;
  for (QObject* o : FClient->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || !w->isVisibleTo(FClient)) continue;
    const QRect g = w->geometry();
    reach = std::max(reach, vertical ? g.y() + g.height() : g.x() + g.width());
  }
  const int view = vertical ? FClient->height() : FClient->width();
  int offset = a.Offset;
  if (view < reach + offset) {
    if (reach < view) {
      // The content shrank (or the view grew) while scrolled: scroll back so that the view
      // stays filled down to the content's end.
      const int back = view - reach;
      ScrollChildren(axis, -back);
      offset -= back;
      reach = view;
    }
    a.Offset = offset;
    a.Needed = true;
    a.Bar->SetScrollParams(0, offset + reach - 1, view, offset);
  } else {
    // Everything fits: back to the start.
    ScrollChildren(axis, -offset);
    a.Offset = 0;
    a.Needed = false;
    a.Bar->SetScrollParams(0, 0, 0, 0);
  }
  a.Bar->setVisible(a.Needed && BoxVisible());
}

void TspSkinScrollBox::UpdateScrollBars() {
  if (!FClient) return;
  // Showing a bar may resize the box (a layout makes room for it), which asks again.
  if (FUpdating) {
    FUpdateAgain = true;
    return;
  }
  FUpdating = true;
  for (int pass = 0; pass < 3; ++pass) {
    FUpdateAgain = false;
    UpdateBar(kVertical);
    UpdateBar(kHorizontal);
    if (FBars[kHorizontal].Bar && FBars[kVertical].Bar)
      FBars[kHorizontal].Bar->SetBoth(FBars[kVertical].Needed);
    if (!FUpdateAgain) break;
  }
  FUpdating = false;
}
