#pragma once
// TspVestimar: the form controller. Put on a top-level form, it takes the window's frame
// over: the form becomes frameless, its controls move onto one client widget placed at the
// frame's client rectangle, and the controller paints the border, caption and caption
// buttons from the skin (or a plain frame without one), shapes the window from the skin's
// mask, answers the mouse on the frame (caption buttons, moving, sizing, maximising) and
// follows skin changes. It sees every event of the form first, as an event filter.

#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_hit_test.h"
#include "skin/frame/frame_objects.h"
#include "skin/frame/frame_paint.h"
#include "skin/frame/layer_border.h"
#include "skin/frame/window_sizing.h"
#include "skin/render/layered_window.h"

#include <QFont>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <functional>
#include <memory>

class QMouseEvent;
class TspFormClient;
class TspSkinData;
class TspSkinMenu;
class TspSkinPopupMenu;

enum class TspPositionInMonitor { sppDefault, sppScreenCenter, sppDesktopCenter };
enum class TspWindowState { wsNormal, wsMinimized, wsMaximized };

class TspVestimar : public QObject {
  Q_OBJECT
public:
  // `form` must be a top-level widget; anything else throws std::invalid_argument. The
  // form's present controls move onto the client widget.
  explicit TspVestimar(QWidget* form);
  ~TspVestimar() override;

  // The controller of `widget`'s window, or none.
  static TspVestimar* ForWindow(const QWidget* widget);

  QWidget* Form() const { return FForm; }
  // The parent of every control of the form.
  QWidget* ClientWidget() const;
  // The skinned menu host of the form (the system menu and the controls' menus).
  TspSkinMenu* SkinMenu() const { return FSkinMenu; }

  // --- Published properties ---------------------------------------------------------------
  TspSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TspSkinData* value);
  TspSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TspSkinData* value) { FMenusSkinData = value; }
  bool SupportNCArea() const { return FSupportNCArea; }
  void SetSupportNCArea(bool value) { FSupportNCArea = value; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool value) { FSizeable = value; }
  bool NCDraggAble() const { return FNCDraggAble; }
  void SetNCDraggAble(bool value) { FNCDraggAble = value; }
  bool DraggAble() const { return FDraggAble; }
  void SetDraggAble(bool value) { FDraggAble = value; }
  bool Magnetic() const { return FMagnetic; }
  void SetMagnetic(bool value) { FMagnetic = value; }
  int MagneticSize() const { return FMagneticSize; }
  void SetMagneticSize(int value) { FMagneticSize = std::clamp(value, 0, 255); }
  TspBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TspBorderIcons value);
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool value);
  bool DisableSystemMenu() const { return FDisableSystemMenu; }
  void SetDisableSystemMenu(bool value);
  bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
  void SetUseDefaultSysMenu(bool value) { FUseDefaultSysMenu = value; }
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool value);
  bool UseSkinFontInCaption() const { return FUseSkinFontInCaption; }
  void SetUseSkinFontInCaption(bool value);
  const QFont& DefCaptionFont() const { return FDefCaptionFont; }
  void SetDefCaptionFont(const QFont& font, const QColor& colour);
  const QFont& DefInActiveCaptionFont() const { return FDefInActiveCaptionFont; }
  void SetDefInActiveCaptionFont(const QFont& font, const QColor& colour);
  // Menu options, handed to the skinned menu host.
  void SetUseSkinFontInMenu(bool value);
  void SetUseSkinSizeInMenu(bool value);
  void SetDefMenuItemHeight(int value);
  void SetDefMenuItemFont(const QFont& value);
  void SetMenusAlphaBlend(bool value);
  void SetMenusAlphaBlendAnimation(bool value);
  void SetMenusAlphaBlendValue(int value);
  void SetMaxMenuItemsInWindow(int value);
  TspPositionInMonitor PositionInMonitor() const { return FPositionInMonitor; }
  void SetPositionInMonitor(TspPositionInMonitor value) { FPositionInMonitor = value; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int value) { FMaxWidth = value; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int value) { FMaxHeight = value; }
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int value);
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int value);
  bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
  void SetMaximizeOnFullScreen(bool value) { FMaximizeOnFullScreen = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool value) { FAlphaBlendAnimation = value; }
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value) { FAlphaBlendValue = std::clamp(value, 0, 255); }
  bool ShowObjectHint() const { return FShowObjectHint; }
  void SetShowObjectHint(bool value) { FShowObjectHint = value; }
  bool UseDefaultObjectHint() const { return FUseDefaultObjectHint; }
  void SetUseDefaultObjectHint(bool value) { FUseDefaultObjectHint = value; }
  bool ClientInActiveEffect() const { return FClientInActiveEffect; }
  void SetClientInActiveEffect(bool value) { FClientInActiveEffect = value; }
  // Rolls the window up to its frame alone, or back down (with biRollUp only).
  void RollUp(bool up);
  bool RolledUp() const { return FRolledUp; }
  // The state the frame is in; setting it maximises, minimises or restores.
  TspWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TspWindowState value);

  // --- Events -------------------------------------------------------------------------------
  std::function<void(QObject*)> OnChangeSkinData;
  std::function<void(QObject*, const TspRect&)> OnChangeClientRect;
  std::function<void(QPainter&, const TspRect&, bool)> OnCaptionPaint;
  std::function<void(QObject*)> OnActivate, OnDeActivate;
  std::function<void(QObject*)> OnMinimize, OnRestore, OnMaximize, OnChangeRollUpState;
  std::function<void(const QString&)> OnMouseEnterEvent, OnMouseLeaveEvent;
  std::function<void(const QString&, Qt::MouseButton, int, int)> OnMouseDownEvent, OnMouseUpEvent;
  std::function<bool(const QString&)> OnActivateCustomObject;

  // --- Operations and state -----------------------------------------------------------------
  void ApplySkin();
  void UpdateFrameGeometry();
  void LayoutObjects();
  void UpdateRegion(bool reposition);
  // Recomposes the frame and repaints it.
  void RepaintFrame();
  bool IsFormActive() const;
  bool IsSkinned() const { return FSkinned; }
  // The translucent border around the form (windows only where translucency is composed).
  TspFormLayerBorder* LayerBorder() const { return FLayerBorder.get(); }
  // Replaces the answer to "are translucent windows composed here?" (tests give their own).
  void SetLayeredWindowsSupport(std::function<bool()> supported);
  // The glow frame around a hot caption button, and the one around a button that opens a
  // menu.
  TspLayerManager& GlowLayer() const { return *FGlowLayer; }
  TspLayerManager& MenuGlowLayer() const { return *FMenuGlowLayer; }
  bool CaptionAnimationRunning() const { return FCaptionTimer.isActive(); }
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }
  const TspFrameGeometry& FrameGeometry() const { return FGeometry; }
  // The client rectangle in window coordinates.
  TspRect ClientRect() const;
  // The window size whose client area is `client` in the present frame.
  QSize FormSizeForClient(const QSize& client) const;
  // The window's shape (the whole window rectangle when it has none of its own).
  const QRegion& WindowRegion() const { return FRegion; }
  const TspObjectList& Objects() const { return FObjects; }
  int HoveredIndex() const { return FHovered; }
  int CapturedIndex() const { return FCaptured; }
  const TspFramePainter& Painter() const { return FPainter; }
  TspHitCode HitTest(const QPoint& windowPoint) const;
  QSize MinTrackingSize() const;
  QSize MaxTrackingSize() const;
  QRect SavedNormalBounds() const { return FNormalBounds; }
  // Hover tracking of a window point; (-1, -1) with `active` false clears the hover.
  void TrackObject(const QPoint& p, bool active);
  // Redraws one object alone.
  void RedrawObject(int index);
  // The system menu as it would open now (built afresh).
  void BuildSystemMenu(TspSkinPopupMenu& menu);
  // Opens the system menu at a screen point, unless DisableSystemMenu.
  void ShowSystemMenu(const QPoint& globalPos);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // LayerBorderUpdate runs after a skin is applied, on every size change, on activation
  // changes, on showing and after maximise and restore: the border follows the window,
  // shows the active or inactive look, hides while maximised, minimised or rolled up.
  // ObjectHintShow runs when an object becomes hovered and ShowObjectHint is set (its Hint,
  // through the application's skinned hint); ObjectHintHide when the hovered object is left.
  void LayerBorderUpdate();
  void ObjectHintShow(int index);
  void ObjectHintHide();
  // The glow frame of a hot object (only with the skin data's ShowCaptionButtonGlowFrames,
  // where translucency is composed, and for objects with a glow picture), and hiding both
  // glow frames.
  void ShowObjectGlow(const TspActiveSkinObject& o);
  void HideGlowFrames();

  void SkinMessage(int message, TspSkinData* data);
  void FirstShow();
  // Moves the window back within reach when its caption lies off every screen.
  void KeepCaptionReachable();
  void SizeChanged();
  void ActiveChanged(bool active);
  void MousePress(QMouseEvent* e);
  void MouseMove(QMouseEvent* e);
  void MouseRelease(QMouseEvent* e);
  void MouseDoubleClick(QMouseEvent* e);
  void ReleaseCaptured(const QPoint& p, Qt::MouseButton button);
  void RunCommand(TspSkinStdButtonObject& button);
  void Maximize();
  void Restore();
  void Minimize();
  void ManualDrag(const QPoint& global);
  void UpdateCursor(TspHitCode code);
  void EnforceMinimumSize();
  void StartMorph(TspActiveSkinObject& o);
  void MorphTick();
  void FadeStep();
  void FinishFade();
  TspFramePaintInput PaintInput();
  TspObjectPaintContext PaintContext() const;
  TspTrackingInput TrackingInput() const;
  QRect MaximizeTarget() const;
  void ApplyVisibility();
  void ApplyClientSize();

  QWidget* FForm;
  // The form owns it; a form may delete its controls before the controller goes.
  QPointer<TspFormClient> FClient;
  TspSkinMenu* FSkinMenu = nullptr;
  QPointer<TspSkinData> FSkinData, FMenusSkinData;
  bool FSupportNCArea = true, FSizeable = true, FNCDraggAble = true, FDraggAble = false;
  bool FMagnetic = false;
  int FMagneticSize = 10;
  TspBorderIcons FBorderIcons = TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize |
                                TspBorderIcon::biMaximize | TspBorderIcon::biRollUp;
  bool FHideCaptionButtons = false, FDisableSystemMenu = false, FUseDefaultSysMenu = true;
  bool FShowIcon = false, FUseSkinFontInCaption = true;
  QFont FDefCaptionFont, FDefInActiveCaptionFont;
  QColor FDefCaptionColor, FDefInActiveCaptionColor;
  TspPositionInMonitor FPositionInMonitor = TspPositionInMonitor::sppDefault;
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  int FClientWidth = 0, FClientHeight = 0;
  bool FMaximizeOnFullScreen = false;
  bool FAlphaBlend = false, FAlphaBlendAnimation = false;
  int FAlphaBlendValue = 200;
  bool FShowObjectHint = false, FUseDefaultObjectHint = true, FClientInActiveEffect = false;

  bool FSkinned = false;
  // Between SkinMsgBeforeChange and SkinMsgChange nothing is painted.
  bool FSkinChanging = false;
  int FFrameWidth = 0, FFrameHeight = 0;
  TspFrameGeometry FGeometry;
  TspRect FDefaultCaption;
  TspObjectList FObjects;
  std::unique_ptr<TspFormLayerBorder> FLayerBorder;
  std::unique_ptr<TspLayerManager> FGlowLayer, FMenuGlowLayer;
  QRegion FRegion;
  TspFramePainter FPainter;
  bool FComposed = false;
  int FHovered = -1, FPrevHovered = -1, FCaptured = -1;
  bool FActive = false;
  TspWindowState FWindowState = TspWindowState::wsNormal;
  bool FChangingState = false;
  QRect FNormalBounds;
  bool FRolledUp = false, FRolledUpWhileMaximized = false;
  int FHeightBeforeRollUp = 0;
  bool FPendingFirstPositioning = true;
  bool FKeepingReachable = false;

  // A press on the caption or a sizing zone waits for the first move to start the
  // platform's move or size; without one the frame moves and sizes the window itself.
  enum class TDrag { None, Pending, Manual, System };
  TDrag FDrag = TDrag::None;
  TspHitCode FDragCode = HTNOWHERE;
  QPoint FDragStartGlobal;
  QRect FDragStartBounds;
  TspMagneticSnap FSnap;

  QTimer FMorphTimer;
  QTimer FCaptionTimer;
  void CaptionTick();
  QTimer FFadeTimer;
  double FFadeTarget = 1.0;
  // The form's screen is watched for size changes (a display change).
  void WatchScreen();
  void DisplayChanged();
  bool FScreenWatch = false;
  QList<QMetaObject::Connection> FScreenSignals;
  QTimer FHoverTimer;
  QPoint FLastPollPos;
  void HoverPoll();
  // Whether the pointer at `global` is over the form (or over one of its layers lying on it).
  bool PointerOverForm(const QPoint& global) const;
};
