#pragma once
// The text engine of the password edit: its text, caret, selection, keys and the cell
// layout that shows one symbol per character. The password edit paints it and feeds it
// input; everything that decides what a key or a click does lives here, so it can be
// checked without a window.
//
// A password never leaves the field: there is no copy or cut, only paste.

#include <QString>
#include <Qt>
#include <functional>

enum class TspEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// `s` in the case `charCase` asks for; shared by every field that has a CharCase.
QString ApplyCharCase(TspEditCharCase charCase, const QString& s);

enum class TspTextAlignment { taLeftJustify, taRightJustify, taCenter };

// Where the cells of a password edit lie: one cell per character, from the content
// rectangle's left edge.
struct TspPasswordLayout {
  int ContentLeft = 0;
  int ContentWidth = 0;
  int CellWidth = 1;
  TspTextAlignment Alignment = TspTextAlignment::taLeftJustify;

  // The cell width of a content rectangle `contentHeight` high.
  static int CellWidthFor(int contentHeight) { return contentHeight / 2 + 3; }
};

class TspPasswordEngine {
public:
  // Called after every change of the text.
  std::function<void()> OnChange;

  QString Text() const { return FText; }
  // Converts by CharCase, puts the caret at the end and clears the selection.
  void SetText(const QString& value);
  int MaxLength() const { return FMaxLength; }
  // 0 means unlimited. The current text is kept even when it is longer.
  void SetMaxLength(int value) { FMaxLength = value < 0 ? 0 : value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TspEditCharCase CharCase() const { return FCharCase; }
  // Converts the current text too.
  void SetCharCase(TspEditCharCase value);

  // Caret position, 0..length.
  int CaretPos() const { return FCaret; }
  int Anchor() const { return FAnchor; }
  // Signed: negative when the selection extends left of the anchor.
  int SignedSelLength() const { return FSelLength; }
  int SelStart() const { return FSelLength < 0 ? FAnchor + FSelLength : FAnchor; }
  int SelLength() const { return FSelLength < 0 ? -FSelLength : FSelLength; }
  bool HasSelection() const { return FSelLength != 0; }
  bool IsSelected(int index) const {
    return index >= SelStart() && index < SelStart() + SelLength();
  }

  // Caret moves: with `extend` the selection grows from the anchor to the new caret,
  // otherwise it is cleared and the anchor follows the caret.
  void MoveTo(int pos, bool extend);
  void MoveLeft(bool word, bool extend);
  void MoveRight(bool word, bool extend);
  void Home(bool extend) { MoveTo(0, extend); }
  void End(bool extend) { MoveTo(int(FText.size()), extend); }
  void SelectAll();
  void ClearSelection();
  // From the start of the word that holds `index` to the start of the next word.
  void SelectWordAt(int index);

  // Each returns whether the text changed. All do nothing when ReadOnly.
  bool Backspace();
  bool Delete();
  // Replaces the selection by `text`. Control characters are dropped; an insertion that
  // would make the text longer than a positive MaxLength is refused and only collapses
  // the selection.
  bool Insert(const QString& text);

  // One key as the edit receives it: `text` is the key's character text, `clipboard`
  // reads the clipboard on paste. Returns whether the key was used.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                 const std::function<QString()>& clipboard);

  // Words are separated by spaces.
  int PrevWordStart(int pos) const;
  int NextWordStart(int pos) const;

  // --- Layout ------------------------------------------------------------------------
  // 1-based index of the first character shown.
  int FirstVisible() const { return FFirstVisible; }
  void SetLayout(const TspPasswordLayout& layout);
  const TspPasswordLayout& Layout() const { return FLayout; }
  // Shift of every cell when the whole text fits (right or centre alignment).
  int AlignmentShift() const;
  // x of the caret standing at position `pos`.
  int CaretX(int pos) const;
  // Left edge of the cell of character `index` (0-based): where a caret before it stands.
  int CellX(int index) const { return CaretX(index); }
  // Caret position for a pointer at `x`.
  int PosAtX(int x) const;
  // The pointer moved to `x` with the button held: the selection grows to the caret
  // position there; at or beyond the right edge it goes one character further than the
  // character at the edge (left of the content, one before the first shown), so the text
  // scrolls.
  void DragTo(int x);
  // Scrolls so that the caret shows: while it lies right of the content it moves on
  // (not past the text length); left of the first shown character it becomes that.
  void ScrollToCaret();

private:
  void SetCaret(int pos, bool extend);
  void ReplaceSelection(const QString& text);
  void Changed();

  QString FText;
  int FCaret = 0;
  int FAnchor = 0;
  int FSelLength = 0;
  int FFirstVisible = 1;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TspEditCharCase FCharCase = TspEditCharCase::ecNormal;
  TspPasswordLayout FLayout;
};
