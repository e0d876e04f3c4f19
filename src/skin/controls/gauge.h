#pragma once
// TspSkinGauge: a progress bar, horizontal (record "gauge") or vertical (record "vgauge"),
// with optional text and percentage and, where the record has frames for it, an animated
// progress image that runs in bursts separated by a pause.

#include "skin/controls/skin_control.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QTimer;

// Replaces the drawing of the progress and the text: the canvas of the gauge's image, the
// area the progress grows in and the progress rectangle (right and bottom exclusive).
using TspGaugePaintEvent = std::function<void(
    QObject* sender, QPainter& Cnvs, const TspRect& AProgressArea, const TspRect& AProgressRect)>;

class TspSkinGauge : public TspSkinCustomControl {
  Q_OBJECT
public:
  explicit TspSkinGauge(QWidget* parent = nullptr);
  ~TspSkinGauge() override;

  // --- Published properties ----------------------------------------------------------------
  int MinValue() const { return FMinValue; }
  // Raises Value to the new minimum when below it. Nothing checks MinValue <= MaxValue.
  void SetMinValue(int value);
  int MaxValue() const { return FMaxValue; }
  // Lowers Value to the new maximum when above it.
  void SetMaxValue(int value);
  int Value() const { return FValue; }
  // Clamped to MaxValue, then to MinValue; repaints only when the value changes.
  void SetValue(int value);
  // With a record, the record's orientation wins.
  bool Vertical() const { return FVertical; }
  void SetVertical(bool value);
  // Off: any size, the skin image stretched over the control.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  bool ShowProgressText() const { return FShowProgressText; }
  void SetShowProgressText(bool value);
  QString ProgressText() const { return FProgressText; }
  void SetProgressText(const QString& value);
  bool ShowPercent() const { return FShowPercent; }
  void SetShowPercent(bool value);
  // Translucent text (skinned look with UseSkinSize on only).
  bool TextAlphaBlend() const { return FTextAlphaBlend; }
  void SetTextAlphaBlend(bool value);
  int TextAlphaBlendValue() const { return FTextAlphaBlendValue; }
  void SetTextAlphaBlendValue(int value);
  // Milliseconds between two runs of the animation; negative values are ignored.
  int ProgressAnimationPause() const { return FProgressAnimationPause; }
  void SetProgressAnimationPause(int value);

  TspGaugePaintEvent OnGaugePaint;

  // --- Operations ----------------------------------------------------------------------------
  // Runs the progress animation when the record has frames for it; otherwise nothing.
  void StartProgressAnimation();
  void StopProgressAnimation();
  bool ProgressAnimationRunning() const { return FFrameTimer != nullptr; }
  // 0 while no animation frame shows, else 1..progressanimationcountframes.
  int FrameNumber() const { return FFrame; }

  // --- What the next paint uses -----------------------------------------------------------
  // (Value - MinValue) / (MaxValue - MinValue), 0 for an empty range.
  double Fraction() const;
  // The progress rectangle of an area at the current value.
  TspRect ProgressRect(const TspRect& area) const;
  // Trunc(Fraction x 100).
  int Percent() const;
  // ProgressText (when shown) followed by the percentage and "%" (when shown).
  QString GaugeText() const;
  // The record's progress area fitted to the control's size.
  const TspRect& FittedProgressArea() const { return FFittedProgressArea; }
  // The rectangle of animation frame `frame` (1..N) in the skin picture.
  TspRect AnimationFrameRect(int frame) const;

  void ReadSkinRecord() override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateRegion() override;
  void ApplySkin() override;

protected:
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void changeEvent(QEvent* event) override;

private:
  // The record while it is a gauge record; none otherwise.
  const TspDataSkinGaugeControl* GaugeRecord() const { return RecordAs<TspDataSkinGaugeControl>(); }
  void ComputeFittedProgressArea(QSize size);
  // The progress image of the record over `image` at `p`; false when the record's progress
  // image has no middle left after its end pieces (then no text is drawn either).
  bool DrawProgressImage(QImage& image, const TspRect& p);
  void DrawText(QImage& image, bool skinned);
  void StartFrames();
  void FrameTick();
  void Changed() { update(); }

  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  bool FVertical = false;
  bool FUseSkinSize = true;
  bool FShowProgressText = false;
  QString FProgressText;
  bool FShowPercent = false;
  bool FTextAlphaBlend = false;
  int FTextAlphaBlendValue = 200;
  int FProgressAnimationPause = 1000;

  TspRect FFittedProgressArea;
  int FFrame = 0;
  std::unique_ptr<QTimer> FPauseTimer;
  std::unique_ptr<QTimer> FFrameTimer;
};
