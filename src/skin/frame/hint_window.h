#pragma once
// TspSkinHintWindow: the window that shows one hint. It never takes the focus or the
// activation and lets the mouse through to what lies below. Each hint recomputes the look
// (skinned from [HINTWINDOW] or plain), the lines, the size, the place in the work area,
// the window region and the alpha, and composes the window's picture once; painting only
// copies that picture.

#include "skin/frame/hint_look.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

class TspSkinHint;

class TspSkinHintWindow : public QWidget {
  Q_OBJECT
public:
  // Shows hints with the settings of `hint`, as long as it is active.
  explicit TspSkinHintWindow(TspSkinHint* hint);
  ~TspSkinHintWindow() override;

  // Shows `text` (the line separator not yet replaced) at the top-left of `rect`, moved
  // into the work area; the rectangle's size is ignored, the window sizes itself. Nothing
  // is shown while its hint component is not active or for an empty text.
  void ActivateHint(const QRect& rect, const QString& text);
  // Hides the window and stops a fade.
  void HideHint();

  // --- State of the last hint, for the frame and for tests --------------------------------
  // The window's text: the separators replaced.
  QString Text() const { return FText; }
  bool Skinned() const { return FLook.Skinned; }
  // A title or an image was shown.
  bool Titled() const { return FTitled; }
  // The scaled client rectangle of the hint picture (the plain look's text area otherwise).
  QRect HintClientArea() const { return FFrame.ClientArea(); }
  const TspHintFrame& Frame() const { return FFrame; }
  const TspHintLook& Look() const { return FLook; }
  // The window region (empty when the window is rectangular).
  const QRegion& Region() const { return FRegion; }
  // The alpha state last applied.
  bool AppliedAlphaBlend() const { return FAppliedAlphaBlend; }
  int AppliedAlphaBlendValue() const { return FAppliedAlphaBlendValue; }
  bool IsFading() const { return FFadeTimer.isActive(); }
  // The window's picture as the next paint copies it.
  const QImage& PaintImage() const { return FImage; }

  static constexpr int FadeStepInterval = 4; // ms: "more than 3 ms" between steps

protected:
  void paintEvent(QPaintEvent* e) override;
  bool event(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;

private:
  void ComposeImage(const QStringList& lines, const QString& title, const QImage& image);
  void ApplyAlpha(bool support, bool alphaBlend, int value, bool animation);
  void FadeStep();
  void StopFade();
  QRect WorkArea() const;

  QPointer<TspSkinHint> FHint;
  QString FText;
  QRect FLastRect;
  QString FLastSource;
  TspHintLook FLook;
  TspHintFrame FFrame;
  bool FTitled = false;
  QRegion FRegion;
  QImage FImage;
  bool FAppliedAlphaBlend = false;
  int FAppliedAlphaBlendValue = 255;
  int FFadeTarget = 255;
  int FFadeStep = 1;
  int FFadeAlpha = 255;
  QTimer FFadeTimer;
};
