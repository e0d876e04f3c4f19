#include "picture_sheet.h"

#include "paint.h"

#include <algorithm>

namespace {
// Gaps between parts: nothing is ever read from them, and their loud colour makes a
// rectangle that strays off its part obvious in a preview.
constexpr int kGap = 2;
const QColor kGapColour(0xFF00FF);
} // namespace

TPictureSheet::TPictureSheet(QString fileName, int rowWidth)
    : FFileName(std::move(fileName)), FRowWidth(rowWidth) {}

TspRect TPictureSheet::Add(const QImage& part) {
  const int w = part.width(), h = part.height();
  if (FRowX > 0 && FRowX + w > FRowWidth) {
    FRowY += FRowHeight + kGap;
    FRowX = 0;
    FRowHeight = 0;
  }
  const QPoint pos(FRowX, FRowY);
  FParts.push_back({part.convertToFormat(QImage::Format_RGB32), pos});
  FRowX += w + kGap;
  FRowHeight = std::max(FRowHeight, h);
  FWidth = std::max(FWidth, pos.x() + w);
  FHeight = std::max(FHeight, pos.y() + h);
  return {pos.x(), pos.y(), pos.x() + w, pos.y() + h};
}

QImage TPictureSheet::Compose() const {
  QImage sheet = NewPart(std::max(FWidth, 1), std::max(FHeight, 1), kGapColour);
  for (const Part& p : FParts) Blit(sheet, p.Pos.x(), p.Pos.y(), p.Image);
  return sheet;
}
