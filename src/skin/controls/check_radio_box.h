#pragma once
// TspSkinCheckRadioBox: a check box or radio button drawn from the skin's "checkbox" or
// "radiobox" record. Flat (the usual look) it paints only the record's check image and the
// caption over what lies behind it; framed it composes the record's face to its size and
// places the check image and caption in the record's areas. Three states (unchecked,
// checked, grayed), a hot look under the mouse, the focus shown by a dotted rectangle,
// boxes of one parent made mutually exclusive by a shared GroupIndex.

#include "skin/controls/image_list.h"
#include "skin/controls/skin_control.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

class QPainter;

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TspSkinCheckRadioBox : public TspSkinCustomControl {
  Q_OBJECT
public:
  explicit TspSkinCheckRadioBox(QWidget* parent = nullptr);
  ~TspSkinCheckRadioBox() override;

  // --- Published properties ----------------------------------------------------------------
  bool Checked() const { return FChecked; }
  // Checked boxes of the same parent and GroupIndex (not 0) are unchecked; OnClick fires
  // when the state changed, except for a radio box being unchecked.
  void SetChecked(bool value);
  TCheckBoxState State() const { return FState; }
  // Checked follows (State == cbChecked); OnClick fires when the state changed.
  void SetState(TCheckBoxState value);
  // A click on an unchecked check box (not a radio) makes it grayed first.
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  // A click only checks. Changing it also picks the matching record ("radiobox" or
  // "checkbox") and GroupIndex (1 or 0), as a form designer would.
  bool Radio() const { return FRadio; }
  void SetRadio(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  // Only the check image and the caption, over the parent's background: no size fitting,
  // no window region, no morphing.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  // Takes the keyboard focus (and is a tab stop). A new box takes it only by a click.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  // Off: an enabled box writes in DefaultFontColor rather than the record's colours.
  bool UseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool value);
  // The colour that goes with DefaultFont (0x00BBGGRR; a system colour reference allowed).
  TColor DefaultFontColor() const { return FDefaultFontColor; }
  void SetDefaultFontColor(TColor value);
  // A picture between the check image and the caption; the reference is cleared when the
  // list is destroyed.
  TspImageList* Images() const { return FImages; }
  void SetImages(TspImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // '&' marks the accelerator, which focuses and toggles the box.
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);

  std::function<void(QObject*)> OnClick;

  // --- Run-time state ----------------------------------------------------------------------
  bool MouseIn() const { return FMouseIn; }
  bool MousePressed() const { return FMousePressed; }
  double MorphValue() const { return FMorphValue; }
  bool Morphing() const { return FMorphTimer.isActive(); }
  static constexpr int MorphInterval = 20; // ms

  // The click of the mouse and the accelerator: not a radio, the opposite state; a radio,
  // checked.
  void ToggleCheck();
  // Where the check image goes: in the flat and plain looks at x = 3, centred vertically;
  // framed, centred in the record's check image area.
  QRect CheckImageRect() const;

  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateRegion() override;
  void ParentBackgroundChanged() override;

protected:
  // A release of the left button over the box, or the grayed cycle's step.
  virtual void Click();
  bool event(QEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void moveEvent(QMoveEvent* e) override;

private:
  void SetMouseIn(bool value);
  // Starts the morph where the framed look morphs, else repaints.
  void Refresh();
  void MorphTick();
  // Ends a morph with the value of the look the box has now.
  void StopMorphAndSettle();
  bool MorphingOn() const;
  bool HotLook() const;
  bool FocusShown() const;
  void UpdateShortcut();
  // The record's image for the state; `mixWhite` when a grayed state lacks its own image.
  TspRect CheckRect(bool& mixWhite) const;
  // The part `part` (relative to `rect`) of the piece `rect` of the skin picture, with the
  // piece's bottom-left colour made transparent, cached per skin.
  QImage KeyedPiece(const TspRect& rect, bool mixWhite, const QRect& part);
  // The record's check image for the state at CheckImageRect, which it returns.
  QRect DrawCheckImage(QImage& image);
  QFont CaptionFont() const;
  QColor CaptionColor(bool hot) const;
  // Image of the image list and caption from x = `left`, in `area`; the focus rectangle
  // around the caption (or what stands in its place) when focused.
  void DrawContent(QImage& image, int left, const QRect& area, const QRect& checkRect,
                   const QFont& font, const QColor& color);
  void DrawFlatSkin(QImage& image);
  void DrawFramedSkin(QImage& image);
  QImage FramedImage(bool hot);

  bool FChecked = false;
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
  bool FAllowGrayed = false;
  bool FRadio = false;
  int FGroupIndex = 0;
  bool FFlat = true;
  bool FWordWrap = false;
  bool FCanFocused = true;
  bool FUseSkinFontColor = true;
  TColor FDefaultFontColor;
  QPointer<TspImageList> FImages;
  int FImageIndex = -1;
  QString FCaption;

  bool FMouseIn = false;
  bool FMousePressed = false;
  bool FSpaceDown = false;
  double FMorphValue = 0;
  QTimer FMorphTimer;
  int FShortcutId = 0;
};

// The published name of the check box; the same class.
using TspSkinCheckBox = TspSkinCheckRadioBox;
