#include "skin/controls/skin_tree.h"

#include "skin/controls/skinnable.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace {

template <class F> void Walk(QWidget* w, TspSkinData* changing, const F& f) {
  if (auto* s = dynamic_cast<TspSkinnable*>(w); s && (!changing || s->BoundSkinData() == changing))
    f(*s);
  // Applying a skin may create or delete children (a page control rebuilding its tabs):
  // walk a guarded copy of the list.
  std::vector<QPointer<QWidget>> children;
  for (QObject* o : w->children())
    if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow()) children.emplace_back(c);
  for (const QPointer<QWidget>& c : children)
    if (c) Walk(c.data(), changing, f);
}

} // namespace

void DropSkinRecords(QWidget* root, TspSkinData* changing) {
  if (root) Walk(root, changing, [](TspSkinnable& s) { s.DropSkinRecord(); });
}

void ApplySkins(QWidget* root, TspSkinData* changing) {
  if (root) Walk(root, changing, [](TspSkinnable& s) { s.ApplySkin(); });
}

TspSkinnedFormHook::TspSkinnedFormHook(QWidget* form) : QObject(form), FForm(form) {
  if (!form) return;
  form->installEventFilter(this);
  TspSkinData::AddSkinReceiver(form);
}

bool TspSkinnedFormHook::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FForm) {
    const int message = TspSkinMessageEvent::MessageOf(event);
    if (message == SkinMsgBeforeChange)
      DropSkinRecords(FForm, static_cast<TspSkinMessageEvent*>(event)->SkinData());
    else if (message == SkinMsgChange)
      ApplySkins(FForm, static_cast<TspSkinMessageEvent*>(event)->SkinData());
  }
  return QObject::eventFilter(watched, event);
}
