#include "skin/frame/form_client.h"

#include <QPaintEvent>
#include <QPainter>
#include <exception>

TspFormClient::TspFormClient(QWidget* form, std::function<QImage(QSize)> compose)
    : QWidget(form), FCompose(std::move(compose)) {
  setObjectName(QStringLiteral("spFormClient"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Presses on the client area are the controls', never the frame's.
  setAttribute(Qt::WA_NoMousePropagation);
}

void TspFormClient::InvalidateBackground() {
  FBackground = QImage();
  update();
}

const QImage& TspFormClient::Background() {
  if (FBackground.size() != size() && FCompose) {
    // Painting goes on whatever a skin asks for: a background that cannot be composed is
    // the plain button face.
    try {
      FBackground = FCompose(size());
    } catch (const std::exception&) {
      FBackground = QImage(size(), QImage::Format_RGB32);
      FBackground.fill(palette().color(QPalette::Button));
    }
  }
  return FBackground;
}

void TspFormClient::PaintChildBackground(QPainter& painter, const QRect& area) {
  const QImage& bg = Background();
  if (!bg.isNull()) painter.drawImage(area.topLeft(), bg, area);
}

void TspFormClient::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& bg = Background();
  if (!bg.isNull()) p.drawImage(event->rect().topLeft(), bg, event->rect());
}

void TspFormClient::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Stretched backgrounds depend on the size; tiled ones only start over.
  FBackground = QImage();
}
