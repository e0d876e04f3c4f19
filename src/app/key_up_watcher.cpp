#include "app/key_up_watcher.h"

#include <QKeyEvent>
#include <QWidget>

TKeyUpWatcher::TKeyUpWatcher(QWidget* watched, std::function<void(int)> keyUp)
    : QObject(watched), FKeyUp(std::move(keyUp)) {
  watched->installEventFilter(this);
}

bool TKeyUpWatcher::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat())
      FKeyUp(key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? kEnterKey : key->key());
  }
  return false;
}

void WatchKeyUp(QWidget* watched, std::function<void(int)> keyUp) {
  new TKeyUpWatcher(watched, std::move(keyUp));
}
