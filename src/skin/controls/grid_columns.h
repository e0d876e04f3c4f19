#pragma once
// The data grid's column definitions: each column is bound to a field by name and takes what
// it leaves unset from the grid and the field.

#include "skin/render/geometry.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class TspSkinCustomDBGrid;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TspColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

class TspColumn;

class TspColumnTitle {
public:
  explicit TspColumnTitle(TspColumn* column) : FColumn(column) {}
  // The field's display name, the field name without a field.
  QString Caption() const;
  void SetCaption(const QString& value);
  TAlignment Alignment() const { return FAlignment.value_or(TAlignment::taLeftJustify); }
  void SetAlignment(TAlignment value);
  // The grid's FixedColor unless set.
  TColor Color() const;
  void SetColor(TColor value);
  // The grid's TitleFont unless set.
  QFont Font() const;
  void SetFont(const QFont& value);
  // The colour of the title font: the grid's TitleFont colour unless set.
  TColor FontColor() const;
  void SetFontColor(TColor value);

private:
  TspColumn* FColumn;
  std::optional<TColor> FFontColor;
  std::optional<QString> FCaption;
  std::optional<TAlignment> FAlignment;
  std::optional<TColor> FColor;
  std::optional<QFont> FFont;
};

class TspColumn {
public:
  explicit TspColumn(TspSkinCustomDBGrid* grid);

  TspSkinCustomDBGrid* Grid() const { return FGrid; }
  const QString& FieldName() const { return FFieldName; }
  void SetFieldName(const QString& value);
  // The field's index in the data set as the last layout bound it; -1 without a field.
  int FieldIndex() const { return FFieldIndex; }
  void SetFieldIndex(int value) { FFieldIndex = value; }
  TspColumnTitle& Title() { return FTitle; }
  const TspColumnTitle& Title() const { return FTitle; }
  // The default width from the field and fonts unless set.
  int Width() const;
  void SetWidth(int value);
  bool WidthAssigned() const { return FWidth.has_value(); }
  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  TColor Color() const;
  void SetColor(TColor value);
  QFont Font() const;
  void SetFont(const QFont& value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const QStringList& PickList() const { return FPickList; }
  void SetPickList(const QStringList& value) { FPickList = value; }
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int value) { FDropDownRows = value; }
  TspColumnButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TspColumnButtonStyle value) { FButtonStyle = value; }
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool value) { FExpanded = value; }
  // Shown: visible and, when bound, to an existing field.
  bool Showing() const { return FVisible; }

private:
  TspSkinCustomDBGrid* FGrid;
  QString FFieldName;
  int FFieldIndex = -1;
  TspColumnTitle FTitle;
  std::optional<int> FWidth;
  std::optional<TAlignment> FAlignment;
  std::optional<TColor> FColor;
  std::optional<QFont> FFont;
  bool FReadOnly = false;
  bool FVisible = true;
  QStringList FPickList;
  int FDropDownRows = 7;
  TspColumnButtonStyle FButtonStyle = TspColumnButtonStyle::cbsAuto;
  bool FExpanded = false;
};

enum class TspDBGridColumnsState { csDefault, csCustomized };

class TspDBGridColumns {
public:
  explicit TspDBGridColumns(TspSkinCustomDBGrid* grid) : FGrid(grid) {}

  int Count() const { return int(FItems.size()); }
  TspColumn* operator[](int index) const { return FItems[size_t(index)].get(); }
  // A column added here makes the collection customized (persistent columns).
  TspColumn* Add();
  void Clear();
  TspDBGridColumnsState State() const { return FState; }
  // Back to one column per visible field, rebuilt at the next layout.
  void RestoreDefaults();

private:
  friend class TspSkinCustomDBGrid;
  void Remove(int index);

  TspSkinCustomDBGrid* FGrid;
  std::vector<std::unique_ptr<TspColumn>> FItems;
  TspDBGridColumnsState FState = TspDBGridColumnsState::csDefault;
};
