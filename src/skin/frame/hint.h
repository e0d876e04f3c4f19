#pragma once
// TspSkinHint: the component that serves the application's tool tips with skinned hint
// windows. While active it answers every QEvent::ToolTip of the application (so the
// platform's tool tip never shows), takes the hinted control's text, title and image, shows
// them in its TspSkinHintWindow under the pointer and hides the window when Qt would hide a
// tool tip: the pointer leaves the control, a press, a key, a wheel turn, a change of the
// active window, or a timeout. It also shows the hints of frame objects (caption buttons)
// for the form controller, with its own window and timing.
//
// One component is active at a time in the process: activating one deactivates the others.

#include "skin/controls/image_list.h"
#include "skin/frame/hint_window.h"
#include "skin/render/layered_window.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

class TspSkinData;

// What OnShowHint may change before a hint shows.
struct TspHintInfo {
  QString HintStr;
  bool CanShow = true;
  QWidget* HintControl = nullptr;
  QPoint HintPos; // screen position of the hint's top-left
};

class TspSkinHint : public QObject {
  Q_OBJECT
public:
  // `supported` tells whether translucent windows are composed (LayeredWindowsSupported by
  // default; tests pass their own answer).
  explicit TspSkinHint(QObject* owner = nullptr,
                       std::function<bool()> supported = LayeredWindowsSupported);
  ~TspSkinHint() override;

  // --- Published properties ----------------------------------------------------------------
  // Each occurrence starts a new line.
  QString LineSeparator() const { return FLineSeparator; }
  void SetLineSeparator(const QString& value) { FLineSeparator = value; }
  // The font without a skin, or with UseSkinFont off.
  QFont DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value) { FDefaultFont = value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  // Reads false where translucent windows are not composed, whatever was set.
  bool AlphaBlendSupport() const;
  void SetAlphaBlendSupport(bool value) { FAlphaBlendSupport = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  // 0..255; values outside are clamped.
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value);
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
  // Guarded: reads as none once the skin data is destroyed.
  TspSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TspSkinData* value) { FSkinData = value; }
  // Activating deactivates every other component; deactivating hides its hints.
  bool Active() const { return FActive; }
  void SetActive(bool value);

  // The pause before a frame object's hint shows (Qt's tool tip wake-up delay by default).
  int HintPause() const { return FHintPause; }
  void SetHintPause(int ms) { FHintPause = std::max(0, ms); }
  // How long a hint stays, as QToolTip keeps a tip: this long plus 40 ms for every
  // character beyond the hundredth (control hints; frame object hints stay this long).
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = std::max(0, ms); }

  // Called for every control hint once the title and image are taken.
  std::function<void(QObject* sender, TspHintInfo& info)> OnShowHint;

  // The active component, or none.
  static TspSkinHint* ActiveHint();

  // --- Control hints -----------------------------------------------------------------------
  // What a tool tip event on `widget` does: the hint of the nearest widget from `widget` up
  // to its window that has a tool tip, below `globalPos`. Returns whether one was shown.
  bool ShowControlHint(QWidget* widget, const QPoint& globalPos);
  void HideHint();
  // The control whose hint shows, none when no control hint shows.
  QWidget* HintControl() const { return FHintControl; }

  // Run-time state of the control hint about to show.
  QString HintTitle() const { return FHintTitle; }
  TspImageList* HintImageList() const { return FHintImageList; }
  int HintImageIndex() const { return FHintImageIndex; }
  // The image to show: null without a list or for an index outside it.
  QImage HintImage() const;

  // --- Frame object hints (the form controller calls these) --------------------------------
  // After HintPause, shows `text` below the pointer (or with its top-left at `globalPos`)
  // for HintHidePause; a pending or shown object hint is replaced.
  void ShowFrameObjectHint(const QString& text);
  void ShowFrameObjectHint(const QString& text, const QPoint& globalPos);
  void HideFrameObjectHint();
  bool FrameObjectHintPending() const { return FObjectTimer.isActive() && !FObjectShown; }
  QString FrameObjectHintText() const { return FObjectText; }

  TspSkinHintWindow* HintWindow() const { return FHintWindow.get(); }
  TspSkinHintWindow* ObjectHintWindow() const { return FObjectWindow.get(); }

  // The pointer's visible height: a hint under the pointer starts this far below it.
  static constexpr int CursorHeight = 16;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void ClearHintImage();
  void ObjectTimerFired();
  void StartObjectHint(const QString& text, std::optional<QPoint> at);

  std::function<bool()> FSupported;
  QString FLineSeparator = QStringLiteral("@");
  QFont FDefaultFont;
  bool FUseSkinFont = true;
  bool FAlphaBlendSupport = true;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 200;
  bool FAlphaBlendAnimation = false;
  QPointer<TspSkinData> FSkinData;
  bool FActive = false;
  int FHintPause;
  int FHintHidePause = 10000;

  QPointer<QWidget> FHintControl;
  QMetaObject::Connection FControlGone;
  QString FHintTitle;
  QPointer<TspImageList> FHintImageList;
  int FHintImageIndex = -1;
  QTimer FHideTimer;

  QString FObjectText;
  std::optional<QPoint> FObjectPos;
  bool FObjectShown = false;
  QTimer FObjectTimer;

  std::unique_ptr<TspSkinHintWindow> FHintWindow;
  std::unique_ptr<TspSkinHintWindow> FObjectWindow;
};
