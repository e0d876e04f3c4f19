// Status bar and gauges: horizontal gauges empty, part-way and full with their percentage,
// vertical gauges with rotated text and with the progress animation, and a status bar with
// panels (one with a glyph, one disabled, one right-aligned) and its size grip.
#include "gallery_context.h"
#include "skin/controls/gauge.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/status_panel.h"

namespace {
constexpr int kLeftX = 8, kGaugeW = 300, kRowStep = 26;
constexpr int kVerticalX = kLeftX + kGaugeW + 22, kVerticalH = 86;

TspSkinGauge* AddGauge(TGalleryContext& c, QWidget* section, const QRect& r, int value,
                       bool vertical) {
  auto* gauge = new TspSkinGauge(section);
  // Any size for the vertical ones' width; the skin's height for the horizontal ones.
  gauge->SetVertical(vertical);
  gauge->SetSkinDataName(vertical ? QStringLiteral("vgauge") : QStringLiteral("gauge"));
  gauge->SetValue(value);
  gauge->setGeometry(r);
  gauge->SetSkinData(c.SkinData);
  return gauge;
}

TspSkinStatusPanel* AddPanel(TGalleryContext& c, TspSkinStatusBar* bar, const QString& text,
                             const QRect& r) {
  auto* panel = new TspSkinStatusPanel(bar);
  panel->SetCaption(text);
  panel->setGeometry(r);
  panel->SetSkinData(c.SkinData);
  return panel;
}
} // namespace

void BuildStatusSection(TGalleryContext& c, QWidget* section) {
  const int top = kSectionTop + 4;
  const int values[] = {0, 35, 100};
  for (int i = 0; i < 3; ++i) {
    auto* gauge = AddGauge(c, section, {kLeftX, top + i * kRowStep, kGaugeW, 20}, values[i], false);
    gauge->SetShowPercent(true);
  }

  // Vertical: the percentage reads upwards; the second runs the progress animation.
  auto* vertical = AddGauge(c, section, {kVerticalX, top, 20, kVerticalH}, 60, true);
  vertical->SetShowPercent(true);
  auto* animated = AddGauge(c, section, {kVerticalX + 30, top, 20, kVerticalH}, 80, true);
  animated->SetProgressAnimationPause(600);
  animated->StartProgressAnimation();
  // A skin without frames stops it; the next skin with frames starts it again.
  c.AfterSkinChange.push_back([animated] {
    if (!animated->ProgressAnimationRunning()) animated->StartProgressAnimation();
  });

  // The bar sits where it is put rather than at the bottom of the section's frame.
  auto* bar = new TspSkinStatusBar(section);
  bar->SetAlign(TspStatusBarAlign::alNone);
  bar->setGeometry(kLeftX, top + kVerticalH + 8, section->width() - 2 * kLeftX, 22);
  bar->SetSizeGrip(true);
  auto* ready = AddPanel(c, bar, Tr("Ready"), {4, 2, 96, 19});
  const QImage glyph = GalleryGlyph(TGalleryGlyph::Paw);
  ready->SetGlyph(glyph.copy(0, 0, glyph.width() / 2, glyph.height())); // normal, disabled
  ready->SetNumGlyphs(2);
  AddPanel(c, bar, Tr("Offline"), {102, 2, 80, 19})->setEnabled(false);
  auto* version = AddPanel(c, bar, Tr("Save The Vorns 1.0"), {186, 2, 150, 19});
  version->SetAlignment(TspAlignment::taRightJustify);
  bar->SetSkinData(c.SkinData);
}
