#pragma once
// Push buttons. TspSkinButton is the windowed button of every screen: it paints one of the
// five images of its record (normal, hot, pressed, focused, disabled), an optional glyph
// and its caption, and works as a default or cancel button, a toggle, a group member or an
// auto-repeating button. TspSkinSpeedButton is its non-windowed twin without focus.
//
// Both share TspButtonControl, instantiated once per base family: the state machine of the
// mouse, the image choice, the hover animation and morph, auto-repeat and the glow frame.

#include "skin/controls/button_animation.h"
#include "skin/controls/button_layout.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_control.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class QPainter;
class TspLayerManager;

// Posted by a button to itself to show and hide its glow frame (TspControlMessageEvent).
constexpr int ButtonGlowShowMessage = 0x0590;
constexpr int ButtonGlowHideMessage = 0x0591;

// Called after a button's background is painted: `R` is the content rectangle; setting
// `DrawDefault` false leaves out the glyph and the caption.
using TspButtonPaintEvent = std::function<void(QObject* Sender, QPainter& Cnvs, const TspRect& R,
                                               bool ADown, bool AMouseIn, bool& DrawDefault)>;

// The values a button takes from its record when the skin is read, with the record's
// fallbacks applied (a hot image stands in for a missing pressed one, and so on).
struct TspButtonSkinValues {
  bool FromButtonRecord = false; // false: a record of another kind, drawn from skinrect only
  QString fontname;
  int fontheight = 13;
  TspFontStyles fontstyle;
  TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0;
  // Grey (RGB 128, 128, 128) without a button record, or when the record's disabled colour
  // is its enabled one.
  TColor disabledfontcolor = 8421504;
  TspRect skinrect, clientrect, activeskinrect, downskinrect, disabledskinrect, focusedskinrect;
  bool morphing = false;
  TspMorphKind morphkind = TspMorphKind::mkDefault;
  TspRect animateskinrect;
  int framecount = 0, animateinterval = 25;
  bool showfocus = false;
  int glowlayerpictureindex = -1, glowlayermaskpictureindex = -1;
  int glowlayeroffsetleft = 0, glowlayeroffsettop = 0, glowlayeroffsetright = 0,
      glowlayeroffsetbottom = 0;
  int glowlayershowoffsetx = 0, glowlayershowoffsety = 0, glowlayeralphablendvalue = 255;
};

template <class Base> class TspButtonControl : public Base {
public:
  ~TspButtonControl() override;

  // --- Published properties ----------------------------------------------------------------
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  // A strip of NumGlyphs equal cells: normal, disabled, pressed, hot.
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value); // 1..4; others are refused
  TspButtonLayout Layout() const { return FLayout; }
  void SetLayout(TspButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value); // -1 centres glyph and caption; below -1 is refused
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  TspImageList* ImageList() const { return FImageList; }
  void SetImageList(TspImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // In the normal state, show the parent's background instead of the skin image.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Keep the record's size rules; off, any size, the image stretched around its client rect.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  // Off: an enabled button writes in DefaultFontColor rather than the record's colours.
  bool UseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool value);
  // The colour that goes with DefaultFont (0x00BBGGRR; a system colour reference allowed):
  // the caption colour of the plain look, and of the skinned look without UseSkinFontColor.
  TColor DefaultFontColor() const { return FDefaultFontColor; }
  void SetDefaultFontColor(TColor value);
  bool Down() const { return FDown; }
  // Down in a group (GroupIndex above 0) without AllowAllUp sets the group's others up.
  void SetDown(bool value);
  int GroupIndex() const { return FGroupIndex; }
  virtual void SetGroupIndex(int value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  // A toggle: sets GroupIndex to -1; clearing it returns -1 to 0.
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool value);
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool value);
  int RepeatInterval() const { return FRepeatInterval; } // ms
  void SetRepeatInterval(int value);
  bool AlwaysShowLayeredFrame() const { return FAlwaysShowLayeredFrame; }
  void SetAlwaysShowLayeredFrame(bool value) { FAlwaysShowLayeredFrame = value; }

  std::function<void(QObject*)> OnClick;
  TspButtonPaintEvent OnPaint;

  // --- Run-time state ----------------------------------------------------------------------
  bool MouseIn() const { return FMouseIn; }
  bool MousePressed() const { return FMousePressed; }
  double MorphValue() const { return FMorphValue; }
  int AnimationFrame() const { return FAnimationFrame; }
  bool AnimationRunning() const { return FAnimationTimer.isActive(); }
  bool Morphing() const { return FMorphTimer.isActive(); }
  bool Repeating() const { return FRepeatTimer.isActive(); }
  const TspButtonSkinValues& SkinValues() const { return FSkin; }
  // The first repeat comes this long after the press; then every RepeatInterval.
  static constexpr int RepeatDelay = 500;  // ms
  static constexpr int MorphInterval = 20; // ms

  // The glow frame's layer; `supported` replaces the platform check (tests).
  TspLayerManager& GlowLayer();
  void SetGlowLayerSupport(std::function<bool()> supported);

  // The content rectangle: the fitted client rect, or with UseSkinSize off the record's
  // client rect grown with the control. The whole control without a record.
  TspRect ContentRect() const;

  // --- Virtual operations ------------------------------------------------------------------
  // Background of `rect` (a state rectangle of the record), focus rectangle, OnPaint, glyph
  // and caption into `bitmap`, which has the control's size.
  virtual void ComposeButtonImage(QImage& bitmap, const TspRect& rect, bool active, bool down);
  // OnClick (the button also passes ModalResult to its dialog first).
  virtual void FireClick();

  void ReadSkinRecord() override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateRegion() override;
  void ParentBackgroundChanged() override;

protected:
  explicit TspButtonControl(QWidget* parent);

  // Hooks where the windowed button differs from the speed button.
  // Can take the focus and has it.
  virtual bool FocusedLook() const { return false; }
  // The button keeps its hot look after the mouse leaves (an active default button).
  virtual bool KeepsHotLook() const { return false; }
  // Whether a press may go on: the windowed button first takes the focus.
  virtual bool AcceptPress() { return true; }
  // Background drawn at all in this state (a flat speed button leaves it out when idle).
  virtual bool DrawsBackground(bool active, bool down) const;
  virtual bool DrawsCaption() const { return true; }
  virtual void CaptionChanged() {}

  TspButtonLook Look() const;
  bool EffectsOn() const;
  bool MorphingOn() const;
  bool CanAnimate() const;
  bool InGroup() const { return FGroupIndex != 0; }
  // Hot and pressed looks switch on enter and leave in this state.
  bool ReactsToHover() const;

  void StartFrameAnimation(bool forward);
  void StopFrameAnimation();
  // Starts the morph when the skin morphs, else repaints.
  void Refresh();
  void StartRepeat();
  void StopRepeat();
  void StopMorph();
  // Ends a held press without a click (the button was disabled or hidden meanwhile).
  void CancelPress();
  void MouseEntered();
  void MouseLeft();
  void SetMouseIn(bool value) { FMouseIn = value; }
  // The pointer is over the control, as enter, leave and drags say.
  bool Hovered() const { return FHovered; }
  void SetMorphValue(double value) { FMorphValue = value; }
  void PostGlowMessage(int message);
  void ShowGlow();
  void HideGlow();

  // The font and caption colour of a state, by the font rule and the record's colours.
  QFont CaptionFont() const;
  QColor CaptionColor(bool active, bool down) const;
  // Focus rectangle, OnPaint, glyph and caption over an already painted background.
  void DrawContent(QImage& bitmap, const TspRect& content, const QFont& font, const QColor& color,
                   bool active, bool down, bool focusRect);

  bool event(QEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  void RepeatTick();
  void AnimationTick();
  void MorphTick();
  // The record's state rectangle composed for UseSkinSize off, cached per size and skin.
  QImage StretchedStateImage(const QImage& picture, const TspRect& rect);
  void DrawGlyph(QPainter& p, TspPoint at, QSize cell, bool active, bool down);
  QSize GlyphSize() const;
  QSize CaptionSize(const QFont& font, QSize box);

  QString FCaption;
  QImage FGlyph;
  int FNumGlyphs = 1;
  TspButtonLayout FLayout = TspButtonLayout::blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 1;
  QPointer<TspImageList> FImageList;
  int FImageIndex = -1;
  bool FTransparent = false;
  bool FUseSkinSize = true;
  bool FUseSkinFontColor = true;
  TColor FDefaultFontColor;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FCheckedMode = false;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FAlwaysShowLayeredFrame = false;

  TspButtonSkinValues FSkin;
  // The binding's resolution FSkin was copied under.
  quint64 FSkinResolution = 0;
  bool FMouseIn = false;
  bool FHovered = false;
  bool FMousePressed = false;
  bool FCheckedPending = false;
  bool FGroupRepress = false;
  double FMorphValue = 0;
  int FAnimationFrame = 0;
  bool FAnimationForward = false;
  bool FRepeatFirstTick = false;
  QTimer FAnimationTimer, FRepeatTimer, FMorphTimer;
  std::function<bool()> FGlowSupport;
  std::unique_ptr<TspLayerManager> FGlow;
  // The caption's measured size for the last font, text and box.
  QFont FMeasuredFont;
  QString FMeasuredCaption;
  QSize FMeasuredBox, FMeasured;
};

extern template class TspButtonControl<TspSkinCustomControl>;
extern template class TspButtonControl<TspGraphicSkinCustomControl>;

// The push button: record "button", 75 x 25, takes the focus.
class TspSkinButton : public TspButtonControl<TspSkinCustomControl> {
public:
  explicit TspSkinButton(QWidget* parent = nullptr);
  ~TspSkinButton() override;

  // Takes the keyboard focus (a tab stop); a non-zero GroupIndex clears it.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  // Enter anywhere in the window clicks the default button; Esc the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value);
  // Handed to the owning dialog when clicked: a non-zero value closes it with that result.
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }

  // This button currently answers Enter as the default one.
  bool DefaultActive() const { return FDefaultActive; }

  void SetGroupIndex(int value) override;
  void FireClick() override;

protected:
  bool FocusedLook() const override;
  bool KeepsHotLook() const override;
  bool AcceptPress() override;
  void CaptionChanged() override;

  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  // Where the focus went in this button's window: DefaultActive and the default look follow.
  void FocusMoved(QWidget* now);
  // Every button of the window re-reads DefaultActive from the window's focus.
  void AnnounceActiveControl();
  void WatchDialogKeys();
  void UpdateShortcut();

  bool FCanFocused = true;
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
  bool FDefaultActive = false;
  bool FSpaceDown = false;
  int FShortcutId = 0;
  QPointer<QWidget> FDialogKeyWindow;
  QMetaObject::Connection FFocusWatch;
};

// The tool button: record "toolbutton", 25 x 25, never takes the focus.
class TspSkinSpeedButton : public TspButtonControl<TspGraphicSkinCustomControl> {
public:
  explicit TspSkinSpeedButton(QWidget* parent = nullptr);

  // Without mouse-over, down or group-down state only glyph and caption are drawn.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // Showing or hiding the caption takes the matching width when it is above 0.
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  int WidthWithCaption() const { return FWidthWithCaption; }
  void SetWidthWithCaption(int value);
  int WidthWithoutCaption() const { return FWidthWithoutCaption; }
  void SetWidthWithoutCaption(int value);

protected:
  bool DrawsBackground(bool active, bool down) const override;
  bool DrawsCaption() const override { return FShowCaption; }

private:
  bool FFlat = false;
  bool FShowCaption = true;
  int FWidthWithCaption = 0;
  int FWidthWithoutCaption = 0;
};
