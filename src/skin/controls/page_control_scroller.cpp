#include "skin/controls/page_control_internal.h"
#include "skin/controls/plain_look.h"

#include "skin/render/draw_helpers.h"

#include <QMouseEvent>
#include <QPainter>

using page_control_detail::Nonempty;

TspTabScroller::TspTabScroller(TspSkinPageControl* owner) : QWidget(owner), FOwner(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TspTabScroller::paintEvent(QPaintEvent*) {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Button));
  QPainter p(&image);
  const TspSkinData* skin = FOwner->SkinData();
  const TspDataSkinTabControl* tab = FOwner->Record();
  const TspDataSkinUpDownControl* rec = nullptr;
  if (tab && skin) {
    const int index = skin->FindControlData(tab->updown);
    if (index >= 0)
      rec = dynamic_cast<const TspDataSkinUpDownControl*>(skin->ControlList[size_t(index)].get());
  }
  const QImage* picture = rec && skin->ValidPictureIndex(rec->pictureindex)
                              ? &skin->ActivePictures[size_t(rec->pictureindex)]
                              : nullptr;
  for (int b = 0; b < 2; ++b) {
    const QRect r = Button(b);
    const bool hot = FHot == b, down = FDown == b && hot;
    const bool enabled = b == 0 ? FOwner->FirstTab() > 0 : FOwner->FirstTab() < Max;
    if (picture) {
      const TspRect normal = b == 0 ? rec->downbuttonrect : rec->upbuttonrect;
      const TspRect active =
          Nonempty(b == 0 ? rec->activedownbuttonrect : rec->activeupbuttonrect, normal);
      const TspRect pressed =
          Nonempty(b == 0 ? rec->downdownbuttonrect : rec->downupbuttonrect, active);
      const TspRect source = !enabled ? normal : down ? pressed : hot ? active : normal;
      const QImage piece = FOwner->Piece(*picture, source, r.size());
      if (!piece.isNull()) p.drawImage(r.topLeft(), piece);
    } else {
      p.fillRect(r, down             ? SkinColor(kPlainDownFill)
                    : hot && enabled ? SkinColor(kPlainHotFill)
                                     : palette().color(QPalette::Button));
      p.setPen(palette().color(QPalette::Dark));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      const QColor arrow =
          palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
      DrawArrow(p, TspRect::FromQRect(r), QColorToColor(arrow), b == 0 ? 1 : 2);
    }
  }
  p.end();
  QPainter(this).drawImage(0, 0, image);
}

void TspTabScroller::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  FDown = HitButton(e->position().toPoint());
  update();
}

void TspTabScroller::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const int b = HitButton(e->position().toPoint());
  const int down = FDown;
  FDown = -1;
  update();
  if (b >= 0 && b == down) FOwner->ScrollTo(FOwner->FirstTab() + (b == 0 ? -1 : 1));
}

void TspTabScroller::mouseMoveEvent(QMouseEvent* e) {
  const int b = HitButton(e->position().toPoint());
  if (b != FHot) {
    FHot = b;
    update();
  }
}

void TspTabScroller::leaveEvent(QEvent*) {
  FHot = -1;
  update();
}

QRect TspTabScroller::Button(int b) const {
  const int half = width() / 2;
  return b == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
}

int TspTabScroller::HitButton(const QPoint& pos) const {
  for (int b = 0; b < 2; ++b)
    if (Button(b).contains(pos)) return b;
  return -1;
}
