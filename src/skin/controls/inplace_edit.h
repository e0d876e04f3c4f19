#pragma once
// The data grid's in-place editor: a borderless line edit over the current cell showing the
// field's edit text. In a read-only grid (or over a read-only column) it shows the value and
// lets it be selected and copied, but not changed.

#include <QLineEdit>

class TspSkinCustomDBGrid;

class TspSkinInplaceEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TspSkinInplaceEdit(TspSkinCustomDBGrid* grid);

  // Places the editor over `cell` (grid coordinates) with `text`, selected.
  void ShowOver(const QRect& cell, const QString& text, const QFont& font, bool readOnly);
  // The text differs from what the field held when the editor was filled.
  bool Changed() const { return text() != FOriginal; }
  const QString& OriginalText() const { return FOriginal; }
  void Revert() { setText(FOriginal); }
  // The text went into the field: it is the unchanged text from now on.
  void Accept() { FOriginal = text(); }

protected:
  // Keys that move between cells or records go to the grid.
  void keyPressEvent(QKeyEvent* e) override;
  // Leaving the editor for another control writes what was typed.
  void focusOutEvent(QFocusEvent* e) override;

private:
  TspSkinCustomDBGrid* FGrid;
  QString FOriginal;
};
