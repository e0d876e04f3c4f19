#pragma once
// The error banner: "ERROR", the code, a title and the details on a panel that slides down
// over the window's header, with "?" (the documentation at the code's entry) and "X". The
// form's timer slides it away at its next tick once the mouse is not over it.

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

class QWidget;
class TfrmMain;
class TspSkinButton;
class TspSkinPanel;
class TspSkinStdLabel;

class TErrorBanner {
public:
  static constexpr int kWidth = 972;
  static constexpr int kHeight = 57;

  // The banner on `client`, hidden, at the top edge.
  TErrorBanner(TfrmMain& form, QWidget* client);

  // Fills the texts, writes the console's error line, slides the banner in (unless it is
  // shown already) and arms the form's timer (unless it is armed already).
  void ShowError(const QString& title, int code, const QString& details);
  // Slides the banner away when the mouse is not over it, and disarms the timer.
  void tmrErrorMSGTimer();
  void btnErrorCloseClick();
  void btnErrorQuestionClick();

  // Top edge, hidden (start-up).
  void PlaceHidden();
  // Follows the client's width: the banner one pixel wider on each side.
  void FitToWidth(int clientWidth);
  // True from the start of a slide in until the end of a slide out.
  bool Shown() const;
  // A slide is running.
  bool Sliding() const { return FSlideTimer.isActive(); }

  TspSkinPanel* pnlErrorMain = nullptr;
  TspSkinStdLabel* lblErrorERR = nullptr;
  TspSkinStdLabel* lblErrorCode = nullptr;
  TspSkinStdLabel* lblErrorHeader = nullptr;
  TspSkinStdLabel* lblErrorDetails = nullptr;
  TspSkinButton* btnErrorQuestion = nullptr;
  TspSkinButton* btnErrorClose = nullptr;

private:
  // Slides over the form's ErrorAnimationMs: in from above the top edge, or out upwards.
  void SlideIn();
  void SlideOut();
  void StartSlide(bool in);
  void SlideStep();

  TfrmMain& FForm;
  QTimer FSlideTimer;
  QElapsedTimer FSlideClock;
  bool FSlidingIn = false;
  int FSlideFrom = 0;
  int FSlideDuration = 0;
};
