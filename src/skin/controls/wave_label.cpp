#include "skin/controls/wave_label.h"

#include "skin/controls/paint_parent_background.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/effect_bitmap.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

// The platform's system colour "window text".
constexpr TColor kWindowText = 0x80000008u;

} // namespace

TspSkinWaveLabel::TspSkinWaveLabel(QWidget* parent)
    : TspGraphicSkinControl(parent), FFont(QStringLiteral("Tahoma"), 15, QFont::Bold),
      FFontColor(kWindowText) {
  SetSkinDataName(QStringLiteral("stdlabel"));
  resize(200, 40);
}

void TspSkinWaveLabel::Changed() {
  FWavedMask.reset();
  update();
}

void TspSkinWaveLabel::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  Changed();
}

void TspSkinWaveLabel::SetFont(const QFont& value) {
  FFont = value;
  Changed();
}

void TspSkinWaveLabel::SetFontColor(TColor value) {
  FFontColor = value;
  Changed();
}

void TspSkinWaveLabel::SetAlignment(TspAlignment value) {
  FAlignment = value;
  Changed();
}

void TspSkinWaveLabel::SetXDiv(int value) {
  FXDiv = value;
  Changed();
}

void TspSkinWaveLabel::SetYDiv(int value) {
  FYDiv = value;
  Changed();
}

void TspSkinWaveLabel::SetRatioVal(int value) {
  FRatioVal = value;
  Changed();
}

void TspSkinWaveLabel::SetAntialiasing(bool value) {
  FAntialiasing = value;
  Changed();
}

void TspSkinWaveLabel::SetUseSkinColor(bool value) {
  FUseSkinColor = value;
  Changed();
}

TColor TspSkinWaveLabel::TextColor() {
  ReadSkinRecord();
  const auto* rec = FUseSkinColor ? RecordAs<TspDataSkinStdLabelControl>() : nullptr;
  return ColorToRGB(rec ? rec->fontcolor : FFontColor);
}

QImage TspSkinWaveLabel::WaveImage() {
  const int w = width(), h = height();
  if (w <= 0 || h <= 0) return QImage();

  if (!FWavedMask || FWavedMask->Width() != w || FWavedMask->Height() != h) {
    FWavedMask = std::make_unique<TspEffectBmp>(CaptionMask());
    FWavedMask->Wave(FXDiv, FYDiv, FRatioVal);
  }

  QImage background;
  PaintParentBackground(this, background);
  TspEffectBmp out(background);
  out.Tint(*FWavedMask, TextColor(), AlphaBlend() ? AlphaBlendValue() / 255.0 : 1.0);
  if (FAntialiasing) out.SmoothEdges(*FWavedMask, 1);
  return out.ToImage();
}

QImage TspSkinWaveLabel::CaptionMask() const {
  const int w = std::max(width(), 0), h = std::max(height(), 0);
  QImage maskImage(w, h, QImage::Format_RGB32);
  maskImage.fill(Qt::white);
  if (FCaption.isEmpty() || maskImage.isNull()) return maskImage;
  const QFontMetrics fm(FFont, &maskImage);
  const int tw = fm.horizontalAdvance(FCaption), th = fm.height();
  int x = 0;
  switch (FAlignment) {
  case TspAlignment::taLeftJustify:
    x = 10;
    break;
  case TspAlignment::taRightJustify:
    x = w - tw - 10;
    break;
  case TspAlignment::taCenter:
    x = w / 2 - tw / 2;
    break;
  }
  const int y = std::max(h / 2 - th / 2, 0);
  QPainterPath path;
  path.addText(QPointF(std::max(x, 0), y + fm.ascent()), FFont, FCaption);
  // The smoothing averages every edge pixel of the text with its diagonal neighbours: that
  // takes about half a pixel off each side of a stroke and turns a stroke two pixels wide
  // into a half-tone. Half a pixel of outline around the glyphs gives it back, so every
  // stroke keeps a core in the full text colour.
  QPainter p(&maskImage);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 0.5));
  p.setBrush(Qt::black);
  p.drawPath(path);
  return maskImage;
}

void TspSkinWaveLabel::paintEvent(QPaintEvent*) {
  // The label has a pipeline of its own: its blend is the tint, not the base's blend.
  const QImage image = WaveImage();
  if (image.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image);
}

void TspSkinWaveLabel::moveEvent(QMoveEvent* event) {
  TspGraphicSkinControl::moveEvent(event);
  // What lies behind the label changed with its position.
  update();
}
