#pragma once
// TspSkinWaveLabel: one line of text bent by a two-dimensional sine wave, coloured from the
// skin's standard-label record and optionally smoothed, over what lies behind the label.
// The application shows its CAPTCHA code in one.

#include "skin/controls/skin_control.h"
#include "skin/data/skin_values.h"
#include "skin/render/effect_bitmap.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <memory>

class TspSkinWaveLabel : public TspGraphicSkinControl {
public:
  explicit TspSkinWaveLabel(QWidget* parent = nullptr);

  // --- Published properties ----------------------------------------------------------------
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  // "Tahoma", 15 points, bold.
  const QFont& Font() const { return FFont; }
  void SetFont(const QFont& value);
  // Colour of the text when the skin gives none (UseSkinColor off, or no record); a system
  // colour reference (high bit set) is resolved when painting. Initially the window text.
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor value);
  TspAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TspAlignment value);
  // Divisors of the wave's phase; 0 in either switches the wave off. Negative values mirror
  // the phase.
  int XDiv() const { return FXDiv; }
  void SetXDiv(int value);
  int YDiv() const { return FYDiv; }
  void SetYDiv(int value);
  // Amplitude of the displacement in pixels.
  int RatioVal() const { return FRatioVal; }
  void SetRatioVal(int value);
  bool Antialiasing() const { return FAntialiasing; }
  void SetAntialiasing(bool value);
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool value);

  // The colour the text is painted in now: the record's fontcolor when UseSkinColor is on
  // and the skin has a standard-label record of SkinDataName, else FontColor; as RGB.
  TColor TextColor();
  // The label's pixels as the next paint draws them (null at width or height 0).
  QImage WaveImage();
  // The caption in black on white where the label places it, before the wave: every pixel
  // that is not pure white is text.
  QImage CaptionMask() const;

  // What lies behind the label always shows through it.
  void ParentBackgroundChanged() override { update(); }

protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

private:
  void Changed();

  QString FCaption;
  QFont FFont;
  TColor FFontColor;
  TspAlignment FAlignment = TspAlignment::taCenter;
  int FXDiv = 20;
  int FYDiv = 20;
  int FRatioVal = 5;
  // The caption drawn and waved: it changes with the text, the font and the wave, not with
  // what lies behind the label, so paints reuse it until one of those changes.
  std::unique_ptr<TspEffectBmp> FWavedMask;
  bool FAntialiasing = true;
  bool FUseSkinColor = true;
};
