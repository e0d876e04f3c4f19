#include "skin/controls/edit_menu_hook.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>

namespace {

TspEditMenuHook gHook = nullptr;

bool ClipboardHasText() {
  const QClipboard* c = QGuiApplication::clipboard();
  return c && !c->text().isEmpty();
}

// From the keyboard the menu opens at the centre of the edit; from the mouse at the pointer.
QPoint MenuPoint(QWidget* owner, const QContextMenuEvent* e) {
  if (e->reason() == QContextMenuEvent::Keyboard) return owner->mapToGlobal(owner->rect().center());
  return e->globalPos();
}

// A command that does nothing once the editor is gone.
template <class Editor, class Fn> std::function<void()> Guarded(Editor* editor, Fn fn) {
  QPointer<Editor> guard(editor);
  return [guard, fn] {
    if (guard) fn(guard.data());
  };
}

} // namespace

void SetEditMenuHook(TspEditMenuHook hook) {
  gHook = hook;
}

TspEditMenuHook EditMenuHook() {
  return gHook;
}

bool ShowEditMenu(QLineEdit* editor, QWidget* owner, TspSkinData* data,
                  const QContextMenuEvent* e) {
  if (!gHook) return false;
  TspEditMenuRequest r;
  r.Edit = owner;
  r.SkinData = data;
  r.At = MenuPoint(owner, e);
  const bool selection = editor->hasSelectedText();
  const bool writable = !editor->isReadOnly();
  r.Undo = {editor->isUndoAvailable() && writable,
            Guarded(editor, [](QLineEdit* x) { x->undo(); })};
  r.Cut = {selection && writable, Guarded(editor, [](QLineEdit* x) { x->cut(); })};
  r.Copy = {selection, Guarded(editor, [](QLineEdit* x) { x->copy(); })};
  r.Paste = {writable && ClipboardHasText(), Guarded(editor, [](QLineEdit* x) { x->paste(); })};
  r.Delete = {selection && writable, Guarded(editor, [](QLineEdit* x) {
                if (x->hasSelectedText()) x->del();
              })};
  r.SelectAll = {editor->selectedText() != editor->text(),
                 Guarded(editor, [](QLineEdit* x) { x->selectAll(); })};
  gHook(r);
  return true;
}

bool ShowEditMenu(QTextEdit* editor, QWidget* owner, TspSkinData* data,
                  const QContextMenuEvent* e) {
  if (!gHook) return false;
  TspEditMenuRequest r;
  r.Edit = owner;
  r.SkinData = data;
  r.At = MenuPoint(owner, e);
  const QTextCursor c = editor->textCursor();
  const bool selection = c.hasSelection();
  const bool writable = !editor->isReadOnly();
  r.Undo = {editor->document()->isUndoAvailable() && writable,
            Guarded(editor, [](QTextEdit* x) { x->undo(); })};
  r.Cut = {selection && writable, Guarded(editor, [](QTextEdit* x) { x->cut(); })};
  r.Copy = {selection, Guarded(editor, [](QTextEdit* x) { x->copy(); })};
  r.Paste = {writable && ClipboardHasText(), Guarded(editor, [](QTextEdit* x) { x->paste(); })};
  r.Delete = {selection && writable, Guarded(editor, [](QTextEdit* x) {
                QTextCursor cur = x->textCursor();
                cur.removeSelectedText();
                x->setTextCursor(cur);
              })};
  const int length = editor->document()->characterCount() - 1;
  r.SelectAll = {!(c.selectionStart() == 0 && c.selectionEnd() >= length),
                 Guarded(editor, [](QTextEdit* x) { x->selectAll(); })};
  gHook(r);
  return true;
}
