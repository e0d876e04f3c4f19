#pragma once
// The skinned list box: a frame from the skin's "listbox" record around an inner list whose
// every visible item is painted from the same record, with a skinned vertical scroll bar
// that shows when the items do not fit, and an optional caption band.
//
// TspListBox is the inner list: item storage, selection, keys, scrolling and hit testing.
// It paints only the rows it shows, so painting costs the same for ten items or a million.

#include "skin/controls/image_list.h"
#include "skin/controls/list_item_painter.h"
#include "skin/controls/skin_control.h"

#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class TspSkinListBox;
class TspSkinScrollBar;

using TspListMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                             Qt::KeyboardModifiers Shift, int X, int Y)>;
using TspListMouseMoveEvent =
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
// Setting Key to 0 keeps the key from the list.
using TspListKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
// Setting Key to a null character keeps the character from the list.
using TspListKeyPressEvent = std::function<void(QObject* Sender, QChar& Key)>;
// Draws the content of item `Index` over its skinned background. The painter is set up in
// the item's coordinates (0, 0 is the item's top-left corner) and clipped to the item.
using TspDrawSkinItemEvent =
    std::function<void(QObject* Sender, QPainter& Cnvs, int Index, TspOwnerDrawState State,
                       const QRect& TextRct, int ItemHeight, int ItemWidth)>;

class TspListBox : public QWidget {
  Q_OBJECT
public:
  explicit TspListBox(QWidget* parent = nullptr);

  // --- Items --------------------------------------------------------------------------------
  const QStringList& Items() const { return FItems; }
  // Replaces every item (sorted when Sorted is on); the selection is cleared.
  void SetItems(const QStringList& items);
  // Appends, or inserts at its sorted place; returns the index it went to.
  int AddItem(const QString& item);
  void InsertItem(int index, const QString& item);
  void DeleteItem(int index);
  void ClearItems();
  int Count() const { return int(FItems.size()); }

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);

  // --- Selection ----------------------------------------------------------------------------
  // The selected item (-1 none); with MultiSelect the item with the focus rectangle. Setting
  // it scrolls the item into view and notifies nobody.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  // With MultiSelect: Shift and Ctrl extend the selection; without, a click toggles.
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool value) { FExtendedSelect = value; }
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  int SelCount() const;

  // --- Layout and scrolling -----------------------------------------------------------------
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  // 0: one column scrolled by rows; above 0: that many columns, items flowing down each.
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int value);
  // Whole rows that fit (at least 1).
  int VisibleRows() const;
  // The largest TopIndex: the last items fill the view.
  int MaxTopIndex() const;
  // Width of the item content; the items scroll sideways when it exceeds the list's width.
  int HorizontalExtent() const { return FHorizontalExtent; }
  void SetHorizontalExtent(int value);
  int HorizontalPosition() const { return FHorizontalPosition; }
  void SetHorizontalPosition(int value);
  // The item under `pos`, or -1 (with `existing` false: the row's index even past the end).
  int ItemAtPos(QPoint pos, bool existing = true) const;
  QRect ItemRect(int index) const;
  void MakeVisible(int index);

  // --- Hooks of the owner -------------------------------------------------------------------
  // Paints the list's background (behind and below the items) into the image.
  std::function<void(QImage&)> PaintBackground;
  // Paints item `index` at `rect` of the image.
  std::function<void(QImage&, int index, const QRect& rect, TspOwnerDrawState state)> PaintItem;
  // The user changed the selection (a click on an item, a key).
  std::function<void()> UserSelect;
  // The top index, the number of items or the rows that fit changed.
  std::function<void()> ScrollChanged;
  // Input as the list received it, for the owner's events; key hooks may clear the key.
  std::function<void(QMouseEvent*)> MouseDown, MouseMove, MouseUp, DblClick;
  std::function<void(int&key, Qt::KeyboardModifiers)> KeyDown, KeyUp;
  std::function<void(QChar&)> KeyPress;
  // Sees the wheel first; true when it used the event.
  std::function<bool(QWheelEvent*)> Wheel;
  // In a drop-down: the item under the pointer follows it without a button pressed, and a
  // release over an item picks it.
  bool HotTrack = false;
  std::function<void(int index)> Pick;

  // The image the next paint draws (tests and tools).
  QImage PaintImage();

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  int ColumnWidth() const;
  int InsertPosition(const QString& item) const;
  void Changed(bool scroll);
  // A user's move of the focus to `index` with `modifiers` (keys and clicks).
  void UserMoveTo(int index, Qt::KeyboardModifiers modifiers, bool toggle);
  void SelectRange(int from, int to);
  void ClearSelection();

  QStringList FItems;
  std::vector<char> FSelected; // per item, with MultiSelect only
  bool FSorted = false;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  int FItemIndex = -1;
  int FAnchor = -1;
  int FItemHeight = 20;
  int FColumns = 0;
  int FTopIndex = 0;
  int FHorizontalExtent = 0;
  int FHorizontalPosition = 0;
  bool FDragging = false;
};

enum class TspListBoxCaptionMode { Off, On };

class TspSkinListBox : public TspSkinCustomControl {
  Q_OBJECT
public:
  explicit TspSkinListBox(QWidget* parent = nullptr);
  ~TspSkinListBox() override;

  // --- Items and selection (the inner list's) -----------------------------------------------
  const QStringList& Items() const { return FListBox->Items(); }
  void SetItems(const QStringList& value);
  int AddItem(const QString& item) { return FListBox->AddItem(item); }
  void ClearItems() { FListBox->ClearItems(); }
  int ItemIndex() const { return FListBox->ItemIndex(); }
  void SetItemIndex(int value) { FListBox->SetItemIndex(value); }
  bool Sorted() const { return FListBox->Sorted(); }
  void SetSorted(bool value) { FListBox->SetSorted(value); }
  bool MultiSelect() const { return FListBox->MultiSelect(); }
  void SetMultiSelect(bool value) { FListBox->SetMultiSelect(value); }
  bool ExtandedSelect() const { return FListBox->ExtendedSelect(); }
  void SetExtandedSelect(bool value) { FListBox->SetExtendedSelect(value); }
  bool Selected(int index) const { return FListBox->Selected(index); }
  void SetSelected(int index, bool value) { FListBox->SetSelected(index, value); }
  int SelCount() const { return FListBox->SelCount(); }
  int TopIndex() const { return FListBox->TopIndex(); }
  void SetTopIndex(int value) { FListBox->SetTopIndex(value); }
  int Columns() const { return FListBox->Columns(); }
  void SetColumns(int value);
  // Rows the list shows: above 0, the control takes the height for that many rows.
  int RowCount() const { return FRowCount; }
  void SetRowCount(int value);
  // Column widths for item text split at tab characters.
  const QList<int>& TabWidths() const { return FTabWidths; }
  void SetTabWidths(const QList<int>& value);
  int HorizontalExtent() const { return FListBox->HorizontalExtent(); }
  void SetHorizontalExtent(int value);
  TspImageList* Images() const { return FImages; }
  void SetImages(TspImageList* value);
  // -1: item i shows image i; else every item shows this one.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // Item height from the record's itemrect (otherwise DefaultItemHeight).
  bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
  void SetUseSkinItemHeight(bool value);
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int value);
  // The items' font when the record's is not used.
  const QFont& ListBoxFont() const { return FListBoxFont; }
  void SetListBoxFont(const QFont& value);
  TspTextAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TspTextAlignment value);

  // --- Caption band ---------------------------------------------------------------------------
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  TspListBoxCaptionMode CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(TspListBoxCaptionMode value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int value);
  const QFont& DefaultCaptionFont() const { return FDefaultCaptionFont; }
  void SetDefaultCaptionFont(const QFont& value);
  // Up, down and check buttons at the right of the caption band.
  bool ShowCaptionButtons() const { return FShowCaptionButtons; }
  void SetShowCaptionButtons(bool value);
  // A strip of NumGlyphs cells (the second the disabled look) before the caption.
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  // Replace the default step of the caption's up and down buttons (the previous and next item).
  std::function<void(QObject*)> OnUpButtonClick;
  std::function<void(QObject*)> OnDownButtonClick;
  std::function<void(QObject*)> OnCheckButtonClick;

  // --- Events -------------------------------------------------------------------------------
  TspDrawSkinItemEvent OnDrawItem;
  // A click on an item, or a key that moved the selection.
  std::function<void(QObject*)> OnListBoxClick;
  std::function<void(QObject*)> OnListBoxDblClick;
  TspListMouseEvent OnListBoxMouseDown;
  TspListMouseMoveEvent OnListBoxMouseMove;
  TspListMouseEvent OnListBoxMouseUp;
  TspListKeyEvent OnListBoxKeyDown;
  TspListKeyPressEvent OnListBoxKeyPress;
  TspListKeyEvent OnListBoxKeyUp;

  // --- Parts --------------------------------------------------------------------------------
  TspListBox* ListBox() const { return FListBox; }
  TspSkinScrollBar* ScrollBar() const { return FVScrollBar; }
  TspSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  // Where the inner list, the caption band and the bars go at the current size.
  QRect ListRect() const;
  QRect CaptionRect() const { return FCaptionRect; }
  // The record while it is a list box record.
  const TspDataSkinListBox* ListRecord() const { return RecordAs<TspDataSkinListBox>(); }
  // The font of the items as the record and UseSkinFont choose it.
  QFont ItemFont() const;
  // The control height that shows `rows` whole rows (without a horizontal bar).
  int HeightForRows(int rows) const;

  void SetSkinData(TspSkinData* value) override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  void DefaultFontChanged() override;

  // Lays out the inner list, the caption band and the bars for the current size (a hidden
  // control hears of its new size only when shown).
  void UpdateLayout();

protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

  // Brings the bars in step with the inner list.
  void UpdateScrollBars();
  virtual void ItemsClicked();

private:
  void PaintListBackground(QImage& image);
  void PaintListItem(QImage& image, int index, const QRect& rect, TspOwnerDrawState state);
  void DrawCaption(QImage& image);
  void UpdateItemHeight();
  int CaptionButtonAt(QPoint pos) const;
  QRect CaptionButtonRect(int button) const;

  TspListBox* FListBox;
  TspSkinScrollBar* FVScrollBar;
  TspSkinScrollBar* FHScrollBar;
  QList<int> FTabWidths;
  QPointer<TspImageList> FImages;
  int FImageIndex = -1;
  bool FUseSkinItemHeight = true;
  int FDefaultItemHeight = 20;
  int FRowCount = 0;
  QFont FListBoxFont;
  TspTextAlignment FAlignment = TspTextAlignment::taLeftJustify;
  QString FCaption;
  TspListBoxCaptionMode FCaptionMode = TspListBoxCaptionMode::Off;
  int FDefaultCaptionHeight = 20;
  QFont FDefaultCaptionFont;
  bool FShowCaptionButtons = false;
  QImage FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  QRect FCaptionRect;
  int FPressedCaptionButton = -1;
  bool FInLayout = false;
};
