#pragma once
// Hands the key releases of a control to its page's key-up handler, with Enter as key code
// 13, as every screen's handlers expect it. Auto-repeated releases are left out: holding
// Enter down runs the action once, on the real release.

#include <QObject>
#include <functional>

class QWidget;

// The key code of Enter as the key-up handlers receive it.
inline constexpr int kEnterKey = 13;

class TKeyUpWatcher : public QObject {
public:
  // Owned by `watched`; watches it until it goes.
  TKeyUpWatcher(QWidget* watched, std::function<void(int)> keyUp);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::function<void(int)> FKeyUp;
};

// A watcher on `watched` calling `keyUp` with each released key.
void WatchKeyUp(QWidget* watched, std::function<void(int)> keyUp);
