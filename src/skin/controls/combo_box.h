#pragma once
// The skinned combo box: a field from the skin's "combobox" record with a drop button that
// opens a skinned list in a pop-up window. The fixed style picks from the list only; the
// edit style has a text field as well.
//
// The change rule: OnChange fires exactly when the text the field shows changes, whichever
// way it changed (a pick from the list, a key, the wheel, Text or ItemIndex set by code, the
// text typed in the edit style). Refilling the items and selecting the item that was shown
// before is therefore silent; OnClick still fires for every selection.

#include "skin/controls/edit.h"
#include "skin/controls/popup_list_box.h"

#include <QElapsedTimer>
#include <functional>

enum class TspComboBoxStyle { spcbEditStyle, spcbFixedStyle };

class TspSkinComboBox;

// The drop-down list: a skinned list box in a pop-up window that leaves the activation with
// the form. Its keys go to the combo box; a press outside it closes it (as a cancel).
class TspSkinComboBox : public TspSkinCustomControl {
  Q_OBJECT
public:
  explicit TspSkinComboBox(QWidget* parent = nullptr);
  ~TspSkinComboBox() override;

  // --- Items and text -----------------------------------------------------------------------
  const QStringList& Items() const;
  // Replaces the items; the selection goes, the shown text stays.
  void SetItems(const QStringList& value);
  int AddItem(const QString& item);
  void ClearItems();
  int ItemIndex() const;
  // Selects an item: Text becomes it, then OnClick and (when the text changed) OnChange.
  void SetItemIndex(int value);
  QString Text() const;
  // The fixed style selects the item equal to the text, if any (silently).
  void SetText(const QString& value);
  TspComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TspComboBoxStyle value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  bool Sorted() const;
  void SetSorted(bool value);
  TspEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TspEditCharCase value);
  bool HideSelection() const;
  void SetHideSelection(bool value);
  // The field's colour without a record.
  QColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(const QColor& value);
  // On: the skin fixes the height. Off: any height, the field stretched to it.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  // The plain look shows the drop button only under the pointer or when open.
  bool ToolButtonStyle() const { return FToolButtonStyle; }
  void SetToolButtonStyle(bool value);
  TspImageList* Images() const { return FImages; }
  void SetImages(TspImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  const QList<int>& TabWidths() const { return FTabWidths; }
  void SetTabWidths(const QList<int>& value);
  int HorizontalExtent() const { return FHorizontalExtent; }
  void SetHorizontalExtent(int value) { FHorizontalExtent = std::max(value, 0); }

  // --- The drop-down list -------------------------------------------------------------------
  // 0: as wide as the combo box.
  int ListBoxWidth() const { return FListBoxWidth; }
  void SetListBoxWidth(int value) { FListBoxWidth = std::max(value, 0); }
  QString ListBoxCaption() const { return FListBoxCaption; }
  void SetListBoxCaption(const QString& value) { FListBoxCaption = value; }
  TspListBoxCaptionMode ListBoxCaptionMode() const { return FListBoxCaptionMode; }
  void SetListBoxCaptionMode(TspListBoxCaptionMode value) { FListBoxCaptionMode = value; }
  TspTextAlignment ListBoxCaptionAlignment() const { return FListBoxCaptionAlignment; }
  void SetListBoxCaptionAlignment(TspTextAlignment value) { FListBoxCaptionAlignment = value; }
  bool ListBoxUseSkinFont() const { return FListBoxUseSkinFont; }
  void SetListBoxUseSkinFont(bool value) { FListBoxUseSkinFont = value; }
  const QFont& ListBoxDefaultFont() const { return FListBoxDefaultFont; }
  void SetListBoxDefaultFont(const QFont& value) { FListBoxDefaultFont = value; }
  const QFont& ListBoxDefaultCaptionFont() const { return FListBoxDefaultCaptionFont; }
  void SetListBoxDefaultCaptionFont(const QFont& value) { FListBoxDefaultCaptionFont = value; }
  int ListBoxDefaultItemHeight() const { return FListBoxDefaultItemHeight; }
  void SetListBoxDefaultItemHeight(int value) { FListBoxDefaultItemHeight = std::max(value, 1); }
  bool ListBoxUseSkinItemHeight() const { return FListBoxUseSkinItemHeight; }
  void SetListBoxUseSkinItemHeight(bool value) { FListBoxUseSkinItemHeight = value; }
  bool ListBoxAlphaBlend() const { return FListBoxAlphaBlend; }
  void SetListBoxAlphaBlend(bool value) { FListBoxAlphaBlend = value; }
  int ListBoxAlphaBlendValue() const { return FListBoxAlphaBlendValue; }
  void SetListBoxAlphaBlendValue(int value) { FListBoxAlphaBlendValue = std::clamp(value, 0, 255); }
  // Fade the list in when it opens (with ListBoxAlphaBlend).
  bool ListBoxAlphaBlendAnimation() const { return FListBoxAlphaBlendAnimation; }
  void SetListBoxAlphaBlendAnimation(bool value) { FListBoxAlphaBlendAnimation = value; }

  // --- Events -------------------------------------------------------------------------------
  std::function<void(QObject*)> OnChange;
  std::function<void(QObject*)> OnClick;
  std::function<void(QObject*)> OnDropDown;
  std::function<void(QObject*)> OnCloseUp;
  TspDrawSkinItemEvent OnListBoxDrawItem;
  // Draws the current item in the field (over its skinned background).
  TspDrawSkinItemEvent OnComboBoxDrawItem;

  // --- Run-time -----------------------------------------------------------------------------
  bool DroppedDown() const { return FDropped; }
  // Opens the list (nothing without items).
  void DropDown();
  // Closes the list, taking its selection (accept) or returning to the item shown when it
  // opened.
  void CloseUp(bool accept);
  TspPopupListBox* ListBox() const { return FPopup; }
  // The text field of the edit style; none in the fixed style.
  TspInnerEdit* Editor() const { return FEditor; }
  bool MouseIn() const { return FMouseIn; }
  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FPressed; }
  QRect ButtonRect() const;
  // Where the current item (or the edit style's text) goes.
  QRect ItemRect() const;
  const TspDataSkinComboBox* ComboRecord() const { return RecordAs<TspDataSkinComboBox>(); }

  // The auto-complete clock in milliseconds (a monotonic clock unless replaced).
  std::function<qint64()> Clock;
  // Typed characters further apart than this start a new prefix.
  static constexpr int AutoCompleteDelay = 499; // ms

  void SetSkinData(TspSkinData* value) override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  void FitSizeToSkin(int& width, int& height) override;
  void DefaultFontChanged() override;

  QSize sizeHint() const override;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  // The combo box's key table; true when the key was used.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
  // Selects `index` as the user did: the list, Text, OnClick, OnChange.
  void SelectItem(int index, bool remember);
  // Shows `item` (in the CharCase) as the text, all of it selected in the field.
  void ShowItemText(const QString& item);
  void AutoCompleteChar(QChar c);
  // Fires OnChange when the shown text differs from the one last reported.
  void TextMayHaveChanged();
  void SyncPopup();
  void UpdateEditor();
  bool Focused() const;
  void DrawItem(QImage& image, const QRect& r, bool focused);
  void PickFromList(int index);

  TspPopupListBox* FPopup;
  TspInnerEdit* FEditor = nullptr;
  TspComboBoxStyle FStyle = TspComboBoxStyle::spcbFixedStyle;
  QString FText;
  QString FShownText; // the text OnChange last reported
  int FDropDownCount = 8;
  bool FAutoComplete = true;
  TspEditCharCase FCharCase = TspEditCharCase::ecNormal;
  QColor FDefaultColor;
  bool FUseSkinSize = true;
  bool FToolButtonStyle = false;
  QPointer<TspImageList> FImages;
  int FImageIndex = -1;
  QList<int> FTabWidths;
  int FHorizontalExtent = 0;
  int FListBoxWidth = 0;
  QString FListBoxCaption;
  TspListBoxCaptionMode FListBoxCaptionMode = TspListBoxCaptionMode::Off;
  TspTextAlignment FListBoxCaptionAlignment = TspTextAlignment::taLeftJustify;
  bool FListBoxUseSkinFont = true;
  QFont FListBoxDefaultFont;
  QFont FListBoxDefaultCaptionFont;
  int FListBoxDefaultItemHeight = 20;
  bool FListBoxUseSkinItemHeight = true;
  bool FListBoxAlphaBlend = false;
  int FListBoxAlphaBlendValue = 200;
  bool FListBoxAlphaBlendAnimation = false;

  bool FDropped = false;
  int FOldItemIndex = -1;
  bool FMouseIn = false;
  bool FButtonHot = false;
  bool FPressed = false;
  QString FPrefix;
  qint64 FLastKeyTime = 0;
  bool FHasLastKey = false;
  QElapsedTimer FClock;
  // The field stretched to a height other than the skin's (UseSkinSize off).
};
