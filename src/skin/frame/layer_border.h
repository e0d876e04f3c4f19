#pragma once
// TspFormLayerBorder: the soft translucent border (shadow or glow) around a form, drawn by
// up to four TspFormLayerWindow bands placed around it from the skin's [LAYERFRAME].
//
// The form controller owns one per form and forwards the form's events to FormEvent (or
// calls the operations itself); until then the border follows its form through an event
// filter: moves, resizes, window state changes (hidden while maximised or minimised),
// activation (the inactive picture and alpha), show, hide and the skin messages. Windows
// are created only where translucent windows are composed.

#include "skin/frame/layer_bands.h"
#include "skin/frame/layer_window.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class TspSkinData;

class TspFormLayerBorder : public QObject {
public:
  enum Band { TopBand, BottomBand, LeftBand, RightBand };

  // `form` is the host form (a top-level widget). With `followForm` the border installs an
  // event filter on it and handles its events; without, the owner calls FormEvent.
  // `supported` tells whether translucent windows are composed (LayeredWindowsSupported by
  // default; tests pass their own answer).
  TspFormLayerBorder(QWidget* form, TspSkinData* skinData, bool followForm = true,
                     std::function<bool()> supported = LayeredWindowsSupported);
  ~TspFormLayerBorder() override;

  QWidget* HostForm() const { return FForm; }
  TspSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TspSkinData* value);

  // The border may be shown: a loaded skin with a layer picture, ShowLayeredBorders,
  // translucent windows composed, a top-level form. The controller adds its own conditions
  // (a skinnable form, the border not suppressed) before ShowBorder.
  bool InUse() const;

  // --- Operations ----------------------------------------------------------------------------
  // Creates and places the windows at the form's current bounds. Nothing happens while the
  // border is not in use.
  void ShowBorder();
  // Frees the windows.
  void HideBorder();
  // Recomposes the images for the form's current size and places the windows.
  void UpdateBorder();
  // Moves the windows to the form's current position without recomposing.
  void MoveBorder();
  // Recomposes and places the windows for given form bounds (screen coordinates).
  void SetBorderBounds(const QRect& formBounds);
  // Scales the active and inactive alpha by the form's alpha (0..255); `apply` shows the
  // windows with the new values.
  void SetBorderAlpha(int formAlpha, bool apply);
  // The active or inactive picture and alpha.
  void SetBorderActive(bool active);
  // Shows the border with its alpha rising from 0 to the active alpha, stepped by a timer.
  void FadeInBorder();

  // What the form controller forwards: moves, resizes, window state changes, activation,
  // show, hide and the skin messages of the host form. Returns nothing; never consumes.
  void FormEvent(QEvent* event);

  // --- State ---------------------------------------------------------------------------------
  bool Shown() const { return FShown; }
  bool Active() const { return FActive; }
  int ActiveAlpha() const { return FActiveAlpha; }
  int InactiveAlpha() const { return FInactiveAlpha; }
  // The alpha the windows show now.
  int CurrentAlpha() const;
  bool IsFading() const { return FFadeTimer.isActive(); }
  // The layer rectangle of the last placement (screen coordinates).
  QRect LayerBounds() const { return FLayerRect; }
  // A band's window, none when the band is empty or the border hidden.
  TspFormLayerWindow* Window(Band band) const { return FWindows[size_t(band)].get(); }
  const TspLayerBands& Bands() const { return FBands; }
  int WindowCount() const;

  static constexpr int FadeStepInterval = 6; // ms: "more than 5 ms" between steps

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  const TspBitmap* SourcePicture() const;
  void Compose(const QRect& formBounds);
  void PlaceWindows();
  // Keeps the bands directly above the form in the stacking order.
  void Restack();
  void ApplyAlpha();
  void StopFade();
  void FadeStep();
  bool FormShowsNormal() const;

  QPointer<QWidget> FForm;
  QPointer<TspSkinData> FSkinData;
  std::function<bool()> FSupported;
  TspLayerBands FBands;
  std::array<std::unique_ptr<TspFormLayerWindow>, 4> FWindows;
  QRect FFormBounds;
  QRect FLayerRect;
  bool FShown = false;
  bool FActive = true;
  int FFormAlpha = 255;
  int FActiveAlpha = 255;
  int FInactiveAlpha = 255;
  int FFadeAlpha = -1; // -1: not fading
  QTimer FFadeTimer;
};
