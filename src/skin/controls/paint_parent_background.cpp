#include "skin/controls/paint_parent_background.h"

#include "skin/controls/skinnable.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

// The parent's own background over `area`, with `painter` in the parent's coordinates.
void PaintOwnBackground(QWidget* parent, QPainter& painter, const QRect& area) {
  if (auto* source = dynamic_cast<TspBackgroundSource*>(parent)) {
    source->PaintChildBackground(painter, area);
    // A container's own painting (a group box's caption, say) lies behind its children too.
    if (!parent->isWindow() && source->OwnPaintingBehindChildren())
      parent->render(&painter, area.topLeft(), QRegion(area), QWidget::RenderFlags());
    return;
  }
  if (parent->isWindow()) {
    // A form: only what it erases its background with.
    painter.fillRect(area, parent->palette().brush(parent->backgroundRole()));
    return;
  }
  if (parent->autoFillBackground() || parent->testAttribute(Qt::WA_OpaquePaintEvent)) {
    parent->render(&painter, area.topLeft(), QRegion(area), QWidget::DrawWindowBackground);
    return;
  }
  // A see-through container: what lies behind it, then its own painting.
  PaintParentBackground(parent, painter);
  parent->render(&painter, area.topLeft(), QRegion(area), QWidget::RenderFlags());
}

} // namespace

void PaintParentBackground(QWidget* control, QPainter& painter) {
  QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent || control->isWindow()) return;
  const QRect geometry = control->geometry();
  const QRect area = geometry & parent->rect();
  if (area.isEmpty()) return;

  painter.save();
  painter.translate(-geometry.topLeft());
  painter.setClipRect(area, Qt::IntersectClip);
  PaintOwnBackground(parent, painter, area);

  // Graphic controls below this one paint on the same surface, so they lie behind it.
  for (QObject* o : parent->children()) {
    if (o == control) break;
    auto* sibling = qobject_cast<QWidget*>(o);
    if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent)) continue;
    auto* skinnable = dynamic_cast<TspSkinnable*>(sibling);
    if (!skinnable || !skinnable->IsGraphicControl()) continue;
    const QRect overlap = sibling->geometry() & area;
    if (overlap.isEmpty()) continue;
    sibling->render(&painter, overlap.topLeft(), QRegion(overlap.translated(-sibling->pos())),
                    QWidget::RenderFlags());
  }
  painter.restore();
}

void PaintParentBackground(QWidget* control, QImage& canvas) {
  if (!control) return;
  if (canvas.size() != control->size() || canvas.format() != QImage::Format_RGB32)
    canvas = QImage(control->size(), QImage::Format_RGB32);
  if (canvas.isNull()) return;
  canvas.fill(control->palette().color(QPalette::Window));
  QPainter painter(&canvas);
  PaintParentBackground(control, painter);
}
