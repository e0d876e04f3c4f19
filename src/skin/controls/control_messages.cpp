#include "skin/controls/control_messages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <vector>

void SendParentBackgroundChanged(QWidget* control) {
  if (!control) return;
  // A child may delete a sibling while it handles the message; guarded pointers skip it.
  std::vector<QPointer<QWidget>> children;
  for (QObject* o : control->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) children.emplace_back(w);
  for (const QPointer<QWidget>& w : children) {
    if (!w) continue;
    TspControlMessageEvent e(ParentBackgroundChangedMessage);
    QCoreApplication::sendEvent(w, &e);
  }
}
