#pragma once
// The client widget of a framed form: it lies on the frame's client rectangle, holds every
// control of the form and paints the skin's client background, which controls that paint
// their parent's background see through TspBackgroundSource.

#include "skin/controls/skinnable.h"

#include <QImage>
#include <QWidget>
#include <functional>

class TspFormClient : public QWidget, public TspBackgroundSource {
  Q_OBJECT
public:
  // `compose` makes the background for a size; it is called once per size and after
  // InvalidateBackground.
  TspFormClient(QWidget* form, std::function<QImage(QSize)> compose);

  // Forgets the composed background (the skin changed) and repaints.
  void InvalidateBackground();
  const QImage& Background();

  void PaintChildBackground(QPainter& painter, const QRect& area) override;
  bool OwnPaintingBehindChildren() const override { return false; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  std::function<QImage(QSize)> FCompose;
  QImage FBackground;
};
