#include "app/image_control.h"

#include "skin/render/jpeg_codec.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void TImage::SetPicture(const QImage& value) {
  FPicture = value;
  Changed();
}

void TImage::LoadFromFile(const QString& path) {
  SetPicture(ReadJpegFile(path));
}

void TImage::SetCenter(bool value) {
  if (FCenter == value) return;
  FCenter = value;
  Changed();
}

void TImage::SetProportional(bool value) {
  if (FProportional == value) return;
  FProportional = value;
  Changed();
}

void TImage::SetStretch(bool value) {
  if (FStretch == value) return;
  FStretch = value;
  Changed();
}

QRect TImage::PictureRect() const {
  if (FPicture.isNull()) return {};
  QSize size = FPicture.size();
  const QSize box = this->size();
  if (FProportional) {
    // Shrinks always, grows only when stretching.
    if (FStretch || size.width() > box.width() || size.height() > box.height())
      size.scale(box, Qt::KeepAspectRatio);
  } else if (FStretch) {
    size = box;
  }
  QPoint at(0, 0);
  if (FCenter) at = QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2);
  return {at, size};
}

void TImage::Changed() {
  FScaled = QImage();
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  const QRect target = PictureRect();
  if (target.isEmpty()) return;
  if (target.size() == FPicture.size()) {
    QPainter(this).drawImage(target.topLeft(), FPicture);
    return;
  }
  if (FScaled.size() != target.size())
    FScaled = FPicture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QPainter(this).drawImage(target.topLeft(), FScaled);
}
