#include "skin/controls/grid_columns.h"

#include "skin/controls/db_grid.h"
#include "store/table_cursor.h"

QString TspColumnTitle::Caption() const {
  return FCaption.value_or(FColumn->FieldName());
}

void TspColumnTitle::SetCaption(const QString& value) {
  FCaption = value;
  FColumn->Grid()->update();
}

void TspColumnTitle::SetAlignment(TAlignment value) {
  FAlignment = value;
  FColumn->Grid()->update();
}

TColor TspColumnTitle::Color() const {
  return FColor.value_or(FColumn->Grid()->FixedColor());
}

void TspColumnTitle::SetColor(TColor value) {
  FColor = value;
  FColumn->Grid()->update();
}

QFont TspColumnTitle::Font() const {
  return FFont.value_or(FColumn->Grid()->TitleFont());
}

void TspColumnTitle::SetFont(const QFont& value) {
  FFont = value;
  FColumn->Grid()->LayoutColumns();
}

TColor TspColumnTitle::FontColor() const {
  return FFontColor.value_or(FColumn->Grid()->TitleFontColor());
}

void TspColumnTitle::SetFontColor(TColor value) {
  FFontColor = value;
  FColumn->Grid()->update();
}

TspColumn::TspColumn(TspSkinCustomDBGrid* grid) : FGrid(grid), FTitle(this) {}

void TspColumn::SetFieldName(const QString& value) {
  FFieldName = value;
  FGrid->LayoutColumns();
}

int TspColumn::Width() const {
  return FWidth ? *FWidth : FGrid->DefaultColumnWidth(*this);
}

void TspColumn::SetWidth(int value) {
  FWidth = std::max(value, 0);
  FGrid->LayoutColumns();
}

TAlignment TspColumn::Alignment() const {
  if (FAlignment) return *FAlignment;
  // Numbers line up on the right, as the data set's fields align them.
  const TTableCursor* cursor = FGrid->DataSet();
  if (cursor && FFieldIndex >= 0) {
    const TFieldKind kind = cursor->FieldKind(FFieldIndex);
    if (kind == TFieldKind::Integer || kind == TFieldKind::Float) return TAlignment::taRightJustify;
  }
  return TAlignment::taLeftJustify;
}

void TspColumn::SetAlignment(TAlignment value) {
  FAlignment = value;
  FGrid->update();
}

TColor TspColumn::Color() const {
  return FColor.value_or(FGrid->Color());
}

void TspColumn::SetColor(TColor value) {
  FColor = value;
  FGrid->update();
}

QFont TspColumn::Font() const {
  return FFont.value_or(FGrid->Font());
}

void TspColumn::SetFont(const QFont& value) {
  FFont = value;
  FGrid->LayoutColumns();
}

void TspColumn::SetVisible(bool value) {
  FVisible = value;
  FGrid->LayoutColumns();
}

TspColumn* TspDBGridColumns::Add() {
  FState = TspDBGridColumnsState::csCustomized;
  FItems.push_back(std::make_unique<TspColumn>(FGrid));
  return FItems.back().get();
}

void TspDBGridColumns::Remove(int index) {
  FItems.erase(FItems.begin() + index);
}

void TspDBGridColumns::Clear() {
  FItems.clear();
  FGrid->LayoutColumns();
}

void TspDBGridColumns::RestoreDefaults() {
  FItems.clear();
  FState = TspDBGridColumnsState::csDefault;
  FGrid->LayoutColumns();
}
