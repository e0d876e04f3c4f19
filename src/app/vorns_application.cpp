#include "app/vorns_application.h"

#include "skin/frame/edit_menu.h"

#include <QMessageBox>
#include <QWidget>
#include <exception>

namespace {
std::function<void(const QString&)>& Reporter() {
  static std::function<void(const QString&)> reporter;
  return reporter;
}

// A report while another is on screen (the box runs its own event loop) waits for none:
// the second box stacks on the first, as the platform's report would.
void ShowReportBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

// Runs `handler`; an exception it throws is reported instead of propagating. A template, so
// that every event's delivery wraps no std::function.
template <class Handler> void Reported(const Handler& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    TVornsApplication::ReportException(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    TVornsApplication::ReportException(QStringLiteral("Unknown error"));
  }
}
} // namespace

TVornsApplication::TVornsApplication(int& argc, char** argv) : QApplication(argc, argv) {
  InstallSkinnedEditMenus();
}

void TVornsApplication::ReportException(const QString& message) {
  if (Reporter())
    Reporter()(message);
  else
    ShowReportBox(message);
}

void TVornsApplication::SetReporter(std::function<void(const QString&)> reporter) {
  Reporter() = std::move(reporter);
}

bool TVornsApplication::notify(QObject* receiver, QEvent* event) {
  // The event counts as handled when its handler failed: that handler has ended.
  bool handled = true;
  Reported([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

void RunReported(const std::function<void()>& handler) {
  Reported(handler);
}
