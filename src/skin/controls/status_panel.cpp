#include "skin/controls/status_panel.h"
#include "skin/controls/plain_look.h"

#include "skin/render/draw_helpers.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

TspSkinStatusPanel::TspSkinStatusPanel(QWidget* parent) : TspSkinLabel(parent) {
  SetSkinDataName(QStringLiteral("statuspanel"));
  resize(120, height());
}

void TspSkinStatusPanel::SetImageList(TspImageList* value) {
  if (value == FImageList) return;
  FImageList = value;
  AdjustPanelSize();
  update();
}

void TspSkinStatusPanel::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  AdjustPanelSize();
  update();
}

void TspSkinStatusPanel::SetGlyph(const QImage& value) {
  FGlyph = value.copy();
  AdjustPanelSize();
  update();
}

void TspSkinStatusPanel::SetNumGlyphs(int value) {
  FNumGlyphs = std::clamp(value, 1, 2);
  AdjustPanelSize();
  update();
}

void TspSkinStatusPanel::SetCaption(const QString& value) {
  TspSkinLabel::SetCaption(value);
  AdjustPanelSize();
}

void TspSkinStatusPanel::SetAutoSize(bool value) {
  TspSkinLabel::SetAutoSize(value);
  AdjustPanelSize();
}

TspSkinStatusPanel::TImageKind TspSkinStatusPanel::ImageKind() const {
  if (FGlyph.isNull() && FImageList && FImageList->ValidIndex(FImageIndex))
    return TImageKind::ListImage;
  if (!FGlyph.isNull()) return TImageKind::Glyph;
  return TImageKind::None;
}

int TspSkinStatusPanel::ImageWidth() const {
  switch (ImageKind()) {
  case TImageKind::ListImage:
    return FImageList->Images[size_t(FImageIndex)].width();
  case TImageKind::Glyph:
    return FGlyph.width() / FNumGlyphs;
  default:
    return 0;
  }
}

QRect TspSkinStatusPanel::ContentRect() {
  ReadSkinRecord();
  QRect r = RecordIndex() != -1 ? FittedClientRect().ToQRect()
                                : TspRect{3, 3, width() - 3, height() - 3}.ToQRect();
  if (ImageKind() != TImageKind::None) r.setLeft(r.left() + ImageWidth() + 2);
  return r;
}

void TspSkinStatusPanel::ApplySkin() {
  TspSkinLabel::ApplySkin();
  AdjustPanelSize();
}

void TspSkinStatusPanel::AdjustPanelSize() {
  if (!AutoSize()) return;
  ReadSkinRecord();
  const TImageKind kind = ImageKind();
  const int e = kind == TImageKind::None ? 0 : ImageWidth() + 3;
  const int tw = QFontMetrics(TextFont(), this).horizontalAdvance(Caption());
  int extra = 0;
  if (RecordIndex() != -1)
    extra = GeometryMode() == TspGeometryMode::Fixed ? 0 : e + tw - FittedClientRect().Width();
  else
    extra = e + tw + 4 - width();
  if (extra > 0) resize(width() + extra, height());
}

int TspSkinStatusPanel::DrawImage(QPainter& p, int x, int y) {
  switch (ImageKind()) {
  case TImageKind::ListImage: {
    const QImage& image = FImageList->Images[size_t(FImageIndex)];
    if (isEnabled()) {
      p.drawImage(x, y, image);
    } else {
      QStyleOption option;
      option.initFrom(this);
      p.drawPixmap(
          x, y, style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(image), &option));
    }
    return image.width();
  }
  case TImageKind::Glyph: {
    // A one-cell strip has no disabled look: its only cell serves for both.
    const int cell = !isEnabled() && FNumGlyphs >= 2 ? 2 : 1;
    DrawGlyphFromStrip(p, x, y, cell, FNumGlyphs, FGlyph);
    return FGlyph.width() / FNumGlyphs;
  }
  default:
    return 0;
  }
}

namespace {
int ImageHeight(const QImage& glyph, TspImageList* list, int index, bool listImage) {
  return listImage ? list->Images[size_t(index)].height() : glyph.height();
}
} // namespace

void TspSkinStatusPanel::DrawSkinImage(QImage& image) {
  const QImage composed = StateImage(SkinRect());
  if (composed.size() == image.size()) {
    image = composed;
  } else if (!composed.isNull()) {
    // A height the record cannot take (UseSkinSize off): the rest keeps the window colour.
    QPainter p(&image);
    p.drawImage(0, 0, composed);
  }
  QRect r = FittedClientRect().ToQRect();
  const TImageKind kind = ImageKind();
  if (kind != TImageKind::None) {
    const int ih = ImageHeight(FGlyph, FImageList, FImageIndex, kind == TImageKind::ListImage);
    QPainter p(&image);
    const int w = DrawImage(p, r.left(), r.top() + r.height() / 2 - ih / 2);
    r.setLeft(r.left() + w + 2);
  }
  DrawCaption(image, r);
}

void TspSkinStatusPanel::DrawDefaultImage(QImage& image) {
  image.fill(palette().color(QPalette::Button));
  const int w = image.width(), h = image.height();
  QRect r = TspRect{3, 3, w - 3, h - 3}.ToQRect();
  {
    QPainter p(&image);
    if (h - 6 > 0) p.fillRect(QRect(0, 3, 1, h - 6), palette().color(QPalette::Dark));
    switch (ImageKind()) {
    case TImageKind::ListImage: {
      const int ih = FImageList->Images[size_t(FImageIndex)].height();
      r.setLeft(r.left() + DrawImage(p, 3, r.top() + r.height() / 2 - ih / 2) + 2);
      break;
    }
    case TImageKind::Glyph:
      // Centred in the whole panel rather than in the content rectangle.
      r.setLeft(r.left() + DrawImage(p, 3, h / 2 - FGlyph.height() / 2) + 2);
      break;
    default:
      break;
    }
  }
  DrawCaption(image, r);
}
