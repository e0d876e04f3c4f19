#pragma once
// The data grid's in-place editor: a borderless line edit over the current cell showing the
// field's edit text. In a read-only grid (or over a read-only column) it shows the value and
// lets it be selected and copied, but not changed.
//
// A column may give it a button at its right end: a drop-down button that opens the column's
// pick list under the editor, or an ellipsis button that fires the grid's OnEditButtonClick.

#include <QImage>
#include <QLineEdit>

class TspSkinCustomDBGrid;
class TspDBPopupListbox;

enum class TspEditButton { None, DropDown, Ellipsis };

class TspSkinInplaceEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TspSkinInplaceEdit(TspSkinCustomDBGrid* grid);
  ~TspSkinInplaceEdit() override;

  // Places the editor over `cell` (grid coordinates) with `text`, selected.
  void ShowOver(const QRect& cell, const QString& text, const QFont& font, bool readOnly);
  // The text differs from what the field held when the editor was filled.
  bool Changed() const { return text() != FOriginal; }
  const QString& OriginalText() const { return FOriginal; }
  void Revert() { setText(FOriginal); }
  // The text went into the field: it is the unchanged text from now on.
  void Accept() { FOriginal = text(); }

  // --- The button and the pick list -------------------------------------------------------
  TspEditButton Button() const { return FButton; }
  void SetButton(TspEditButton value);
  // The button's rectangle in the editor; empty without a button.
  QRect ButtonRect() const;
  bool ButtonPressed() const { return FButtonDown; }
  TspDBPopupListbox* PickList() const { return FList; }
  bool ListVisible() const { return FListVisible; }
  // Opens the current column's pick list under the editor (above it near the screen's
  // bottom), on the item equal to the text.
  void DropDown();
  // Closes the list; `accept` puts its selected item into the editor when the value may be
  // changed.
  void CloseUp(bool accept);

protected:
  // Keys that move between cells or records go to the grid.
  void keyPressEvent(QKeyEvent* e) override;
  // Leaving the editor for another control writes what was typed.
  void focusOutEvent(QFocusEvent* e) override;
  // The skinned edit menu (Undo ... Select All, built anew each time) where one is
  // installed; the platform's menu otherwise.
  void contextMenuEvent(QContextMenuEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void hideEvent(QHideEvent* e) override;

private:
  void ButtonClicked();
  // The button's face for its size, kind, state and the grid's skin.
  const QImage& ButtonImage();

  TspSkinCustomDBGrid* FGrid;
  QString FOriginal;
  TspEditButton FButton = TspEditButton::None;
  bool FButtonDown = false;  // pressed and the pointer over it
  bool FButtonPress = false; // a press on the button is in progress
  TspDBPopupListbox* FList;
  bool FListVisible = false;
  QImage FButtonImage;
  qint64 FButtonKey = -1;
};
