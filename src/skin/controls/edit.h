#pragma once
// The skinned edit family: a frame and background from the skin's "edit" (or
// "buttonedit") record around and behind Qt's line edit, which does the text editing.
// The edits derive from Qt's widget rather than the control bases and repeat the binding
// themselves (skin data, record, font rule, skin changes).
//
// TspSkinCustomEdit holds the frame, the optional button and side images, the mouse-over
// look and the edit mask; TspSkinEdit publishes it as the plain text field.

#include "skin/controls/edit_field.h"
#include "skin/controls/inner_edit.h"
#include "skin/controls/mask_engine.h"
#include "skin/controls/password_engine.h"
#include "skin/controls/skin_binding.h"
#include "skin/controls/skinnable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>

class TspSkinCustomEdit : public QWidget, public TspSkinnable {
public:
  explicit TspSkinCustomEdit(QWidget* parent = nullptr);
  ~TspSkinCustomEdit() override;

  // --- Binding ---------------------------------------------------------------------------
  TspSkinData* SkinData() const { return FBinding.SkinData(); }
  // Applies the skin unless the new value is none or holds no skin.
  void SetSkinData(TspSkinData* value);
  // "edit" for a new edit.
  QString SkinDataName() const { return FBinding.SkinDataName; }
  void SetSkinDataName(const QString& value);
  // Font of the plain look, and of the skinned look when UseSkinFont is off.
  const QFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value);
  // Font from the record; the height follows the record's skin rectangle.
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  // Size applied when the skin has no record (values above 0 only).
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value) { FDefaultWidth = value; }
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value) { FDefaultHeight = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value);
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value);
  std::function<void(QObject*)> OnMouseEnter;
  std::function<void(QObject*)> OnMouseLeave;

  // --- Look and extras -------------------------------------------------------------------
  // Background without a record (the palette's base colour at first).
  QColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(const QColor& value);
  // A button at the right end of the frame.
  bool ButtonMode() const { return FButtonMode; }
  void SetButtonMode(bool value);
  std::function<void(QObject*)> OnButtonClick;
  // Pictures for the button and the small image buttons inside the frame.
  const QList<QImage>& Images() const { return FImages; }
  void SetImages(const QList<QImage>& value);
  int ButtonImageIndex() const { return FButtonImageIndex; }
  void SetButtonImageIndex(int value);
  int LeftImageIndex() const { return FLeftImage.Index; }
  void SetLeftImageIndex(int value);
  int LeftImageHotIndex() const { return FLeftImage.HotIndex; }
  void SetLeftImageHotIndex(int value);
  int LeftImageDownIndex() const { return FLeftImage.DownIndex; }
  void SetLeftImageDownIndex(int value);
  int RightImageIndex() const { return FRightImage.Index; }
  void SetRightImageIndex(int value);
  int RightImageHotIndex() const { return FRightImage.HotIndex; }
  void SetRightImageHotIndex(int value);
  int RightImageDownIndex() const { return FRightImage.DownIndex; }
  void SetRightImageDownIndex(int value);
  std::function<void(QObject*)> OnLeftButtonClick;
  std::function<void(QObject*)> OnRightButtonClick;

  // --- Text ------------------------------------------------------------------------------
  QString Text() const;
  void SetText(const QString& value);
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  // 0 means unlimited.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  TspEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TspEditCharCase value);
  bool AutoSelect() const;
  void SetAutoSelect(bool value);
  bool HideSelection() const;
  void SetHideSelection(bool value);
  TspTextAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TspTextAlignment value);
  // After every change of the text, typed or set.
  std::function<void(QObject*)> OnChange;

  // --- State -----------------------------------------------------------------------------
  int RecordIndex() const { return FBinding.RecordIndex; }
  // The record while it is an edit record; none otherwise.
  const TspDataSkinEditControl* Record() const;
  bool MouseOver() const { return FMouseOver; }
  bool ButtonHot() const { return FButton.Hot; }
  bool ButtonPressed() const { return FButton.Down; }
  bool LeftImageHot() const { return FLeftImage.Hot; }
  bool LeftImageDown() const { return FLeftImage.Down; }
  bool RightImageHot() const { return FRightImage.Hot; }
  bool RightImageDown() const { return FRightImage.Down; }
  // Where the text goes (the fitted client rectangle of the frame).
  QRect TextRect() const { return FTextRect; }
  // Empty without ButtonMode.
  QRect ButtonRect() const { return FButton.Rect; }
  QRect LeftImageRect() const { return FLeftImage.Rect; }
  QRect RightImageRect() const { return FRightImage.Rect; }
  // The line edit that edits the text.
  TspInnerEdit* Editor() const { return FEditor; }

  // --- Skin changes ----------------------------------------------------------------------
  TspSkinData* BoundSkinData() const override { return SkinData(); }
  void DropSkinRecord() override;
  void ApplySkin() override;

  // The frame and background as the next paint draws them behind the text.
  QImage PaintImage();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // Called when leaving a masked field that is incomplete: the focus stays in the field
  // with the caret at the first missing position.
  std::function<void(QObject*)> OnValidateError;
  // The alert sound of a character the mask refuses (the platform's beep unless replaced).
  std::function<void()> AlertSound;

protected:
  // --- The edit mask, published by the mask and date edits ------------------------------
  QString EditMask() const { return FMask.EditMask(); }
  // Reformats the current text into the new mask.
  void SetEditMask(const QString& value);
  const TspEditMask& Mask() const { return FMask; }
  // The text as the field shows it: with the mask's blanks and literals.
  QString EditText() const;
  void SetEditText(const QString& value);
  // The user changed the text since it was last set.
  bool Modified() const { return FModified; }
  // What leaving the field checks: a masked field that was changed must be blank or have
  // every required position filled.
  bool IsValidEdit(int* firstMissing = nullptr) const;

  // Record lookup: RecordIndex stays -1 unless the record is an edit record.
  virtual void ReadSkinRecord();
  // Places the text engine and the button and image rectangles for the current size.
  virtual void UpdateLayout();
  // Font colour by state: active while focused or under the pointer.
  virtual void UpdateColors();

  virtual bool EditorKeyPress(QKeyEvent* e);
  virtual void EditorFocusIn(QFocusEvent* e);
  virtual void EditorFocusOut(QFocusEvent* e);
  virtual bool EditorMousePress(QMouseEvent* e);
  virtual void EditorMouseMove(QMouseEvent* e);

  // The font the record or DefaultFont gives.
  QFont EditFont() const;
  // The font the text engine gets: EditFont, unless a kind of edit adds to it.
  virtual QFont EditorFont() const { return EditFont(); }

  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  // A right click on the frame opens the text's menu too.
  void contextMenuEvent(QContextMenuEvent* e) override;

private:
  struct TSideButton {
    QRect Rect;
    bool Hot = false;
    bool Down = false;
    int Index = -1;
    int HotIndex = -1;
    int DownIndex = -1;
  };
  bool MaskKeyPress(QKeyEvent* e);
  void ApplyMaskState(const TspEditMask::TState& s);
  TspEditMask::TState MaskState() const;
  void ConfigureEditorForMask();
  void FitHeight();
  void DrawFrame(QImage& image);
  void DrawPlainFrame(QImage& image);
  void DrawButton(QImage& image);
  void DrawSideImages(QImage& image);
  const QImage* ImageAt(int index) const;
  void ClearHotFlags();
  void SkinDataDestroyed();

  TspSkinBinding FBinding;
  TspInnerEdit* FEditor;
  QFont FDefaultFont;
  bool FUseSkinFont = true;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 200;
  QColor FDefaultColor;
  bool FButtonMode = false;
  QList<QImage> FImages;
  int FButtonImageIndex = -1;
  TSideButton FButton, FLeftImage, FRightImage;
  int FMaxLength = 0;
  TspEditCharCase FCharCase = TspEditCharCase::ecNormal;
  TspTextAlignment FAlignment = TspTextAlignment::taLeftJustify;
  bool FMouseOver = false;
  QRect FTextRect;
  TspEditMask FMask;
  bool FModified = false;
  QString FOldEditText;
  bool FReEntering = false;
  bool FFitting = false;
  // The frame per state (normal, active).
};

// The plain text field.
class TspSkinEdit : public TspSkinCustomEdit {
public:
  explicit TspSkinEdit(QWidget* parent = nullptr) : TspSkinCustomEdit(parent) {}
};
