#pragma once
// The text engine inside the skinned edits: Qt's line edit without frame or background,
// so that the skinned frame and background painted by its parent show behind the text.
// Its owner hooks the keys, focus changes and mouse input it needs.

#include <QLineEdit>
#include <functional>

// The characters a key press types: empty for keys that type nothing, for control
// characters and for Ctrl combinations (Ctrl+Alt types, as AltGr does).
QString TypedText(const QKeyEvent* e);

class TspInnerEdit : public QLineEdit {
public:
  explicit TspInnerEdit(QWidget* parent);

  // Sees every key press first; returns true when it handled the key.
  std::function<bool(QKeyEvent*)> KeyPress;
  std::function<void(QKeyEvent*)> KeyRelease;
  std::function<void(QFocusEvent*)> FocusIn;
  std::function<void(QFocusEvent*)> FocusOut;
  // Pointer input over the text; each returns true when it handled the event.
  std::function<bool(QMouseEvent*)> MousePress;
  std::function<void(QMouseEvent*)> MouseMove;
  std::function<bool(QWheelEvent*)> Wheel;
  // A context menu request; returns true when it showed its own menu.
  std::function<bool(QContextMenuEvent*)> ContextMenu;

  // Select the whole text when the edit gains the focus other than by a click.
  bool AutoSelect = true;
  // Drop the selection when the focus goes; otherwise it stays and shows (and only the
  // user, with the focus, changes it).
  bool HideSelection = true;
  // Composed input (input methods) is dropped: a masked text takes keys only.
  bool RefuseInputMethod = false;

  // x of the first character of the text as drawn now.
  int TextStartX() const;
  // Text and selection colours for the enabled and the disabled look.
  void SetTextColors(const QColor& text, const QColor& disabledText, const QColor& highlight,
                     const QColor& highlightedText);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

private:
  void SelectionChanged();
  // The last selection, for fields that keep showing it while unfocused.
  struct TKept {
    int Start = -1;
    int Length = 0;
    int Cursor = 0;
    QString Text;
  };
  TKept FKept;
  bool FRestoring = false;
};
