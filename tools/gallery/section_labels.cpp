// Panels and labels: a panel with a caption and controls on it, a group box with a check mark,
// the skinned label, standard and text labels, and wave labels with and without smoothing.
#include "gallery_context.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"
#include "skin/controls/wave_label.h"

namespace {
constexpr int kLeftX = 8, kRightX = 196, kColW = 178;

TspSkinWaveLabel* WaveLabel(TGalleryContext& c, QWidget* parent, const QString& text,
                            const QRect& r, int xDiv, int yDiv, int ratio, bool smooth) {
  auto* wave = new TspSkinWaveLabel(parent);
  wave->SetCaption(text);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(20);
  font.setBold(true);
  wave->SetFont(font);
  wave->SetXDiv(xDiv);
  wave->SetYDiv(yDiv);
  wave->SetRatioVal(ratio);
  wave->SetAntialiasing(smooth);
  return Bind(c, wave, r);
}
} // namespace

void BuildLabelSection(TGalleryContext& c, QWidget* section) {
  const int top = kSectionTop + 4;

  // A panel with a caption, holding controls: its skin is their background.
  auto* panel = Bind(c, new TspSkinPanel(section), {kLeftX, top, kColW, 92});
  panel->SetCaption(Tr("Panel caption"));
  StdLabel(c, panel, Tr("Controls on a panel"), {10, 30, 158, 17});
  auto* details = new TspSkinButton(panel);
  details->SetCaption(Tr("Details"));
  details->SetLayout(TspButtonLayout::blGlyphRight);
  details->SetCanFocused(false);
  details->setGeometry(10, 54, 90, 25);
  details->SetSkinData(c.SkinData);
  SetGalleryGlyph(c, details, TGalleryGlyph::Arrow);

  // A group box with a check mark in its caption.
  auto* group = Bind(c, new TspSkinGroupBox(section), {kRightX, top, kColW, 92});
  group->SetCaption(Tr("Group box"));
  group->SetCheckedMode(true);
  group->SetChecked(true);
  StdLabel(c, group, Tr("Inside the group box"), {10, 34, 158, 17});
  StdLabel(c, group, Tr("Checked from its caption"), {10, 56, 158, 17});

  int y = top + 100;
  auto* skinned = Bind(c, new TspSkinLabel(section), {kLeftX, y, kColW, 19});
  skinned->SetCaption(Tr("Skinned label"));
  auto* skinnedOff = Bind(c, new TspSkinLabel(section), {kLeftX, y + 25, kColW, 19});
  skinnedOff->SetCaption(Tr("Disabled skinned label"));
  skinnedOff->setEnabled(false);
  StdLabel(c, section, Tr("Standard label"), {kLeftX, y + 50, kColW, 17});
  StdLabel(c, section, Tr("Disabled standard label"), {kLeftX, y + 70, kColW, 17})
      ->setEnabled(false);

  auto* text = new TspSkinTextLabel(section);
  text->SetAutoSize(false);
  text->SetWordWrap(true);
  text->SetLines({Tr("A text label holds lines:"), Tr("Milo is two years old,"),
                  Tr("house-trained and fond"), Tr("of long walks.")});
  Bind(c, text, {kRightX, y, kColW, 88});

  // The wave label as the application shows its CAPTCHA, the mirrored phase without
  // smoothing, and a flat one.
  y += 96;
  WaveLabel(c, section, QStringLiteral("X7K2Q"), {kLeftX, y, kColW, 44}, 20, 15, 10, true);
  WaveLabel(c, section, QStringLiteral("B4RN3"), {kRightX, y, kColW, 44}, -20, 15, 6, false);
  WaveLabel(c, section, Tr("Wave label, no wave"), {kLeftX, y + 50, kColW * 2 + 10, 30}, 0, 0, 0,
            true);
}
