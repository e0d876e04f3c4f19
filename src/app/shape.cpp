#include "app/shape.h"

#include <QPainter>

TShape::TShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void TShape::SetShape(TShapeType value) {
  if (FShape == value) return;
  FShape = value;
  update();
}

void TShape::SetBrushColor(const QColor& value) {
  if (FBrushColor == value) return;
  FBrushColor = value;
  update();
}

void TShape::SetPenColor(const QColor& value) {
  if (FPenColor == value) return;
  FPenColor = value;
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, FShape == TShapeType::stCircle);
  p.setPen(QPen(FPenColor, 1));
  p.setBrush(FBrushColor);
  // The outline lies inside the widget: a 10 by 10 circle is 10 pixels across.
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (FShape == TShapeType::stCircle)
    p.drawEllipse(box);
  else
    p.drawRect(box);
}
