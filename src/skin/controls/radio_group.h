#pragma once
// TspSkinRadioGroup: a skinned group box holding one radio button per item, laid out in
// columns; exactly one item (or none) is chosen. The buttons are TspGroupButtons the group
// creates and frees itself as the items change. Arrow keys move the choice through the
// group, and only the chosen button is a tab stop, so Tab enters and leaves the group in
// one step.

#include "skin/controls/check_radio_box.h"
#include "skin/controls/panel.h"

#include <QFont>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class TspSkinCustomRadioGroup;

// One radio button of a radio group: flat, GroupIndex 1, focusable, its keys also seen by
// the group.
class TspGroupButton : public TspSkinCheckRadioBox {
  Q_OBJECT
public:
  TspGroupButton(TspSkinCustomRadioGroup* group, int index);

  // Position in the group's items.
  int Index() const { return FIndex; }

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

private:
  friend class TspSkinCustomRadioGroup;
  TspSkinCustomRadioGroup* FGroup;
  int FIndex;
};

class TspSkinCustomRadioGroup : public TspSkinGroupBox {
  Q_OBJECT
public:
  explicit TspSkinCustomRadioGroup(QWidget* parent = nullptr);
  ~TspSkinCustomRadioGroup() override;

  // --- Published properties ----------------------------------------------------------------
  // One button per item, captioned by it; the choice is kept when it still names an item.
  QStringList Items() const { return FItems; }
  void SetItems(const QStringList& value);
  // The chosen item, -1 for none; values outside -1..n - 1 are clamped. Setting it does not
  // fire OnClick (a user's choice does).
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  // 1..16; values outside are clamped.
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  // Record of the buttons ("radiobox").
  QString ButtonSkinDataName() const { return FButtonSkinDataName; }
  void SetButtonSkinDataName(const QString& value);
  // Font of the buttons' captions without a skin font.
  const QFont& ButtonDefaultFont() const { return FButtonDefaultFont; }
  void SetButtonDefaultFont(const QFont& value);
  // Button i shows picture i of the list beside its caption.
  TspImageList* Images() const { return FImages; }
  void SetImages(TspImageList* value);

  // After the user chose an item (by mouse, Space, accelerator or arrow key).
  std::function<void(QObject*)> OnClick;

  // --- Run-time state ----------------------------------------------------------------------
  int ButtonCount() const { return int(FButtons.size()); }
  TspGroupButton* Button(int index) const;

  // Whether the user may change the choice; the plain group always may. When it may not,
  // Space and Backspace on a button are swallowed.
  virtual bool CanModify() const { return true; }

  // Places the buttons in columns over the client area.
  void ArrangeButtons();

  void SetSkinData(TspSkinData* value) override;
  void ApplySkin() override;

protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  friend class TspGroupButton;
  void UpdateButtons();
  void ButtonClicked(TspGroupButton* button);
  // A key pressed on a button: the arrows move the choice. True when it was used.
  bool ButtonKeyPress(TspGroupButton* button, QKeyEvent* e);
  // The chosen button is the tab stop; the first one while nothing is chosen.
  void UpdateTabStops();

  QStringList FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  QString FButtonSkinDataName = QStringLiteral("radiobox");
  QFont FButtonDefaultFont;
  QPointer<TspImageList> FImages;
  std::vector<TspGroupButton*> FButtons; // owned as children
  bool FUpdating = false;
};

class TspSkinRadioGroup : public TspSkinCustomRadioGroup {
  Q_OBJECT
public:
  explicit TspSkinRadioGroup(QWidget* parent = nullptr);
};
