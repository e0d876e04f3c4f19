#pragma once
// The application object. Its notify() is the default error report: an exception that
// escapes an event handler (an error of the store, the settings file, a value conversion or
// the file system) ends that handler only; its message is shown and the window stays open.

#include <QApplication>
#include <QString>
#include <functional>

class TVornsApplication : public QApplication {
  Q_OBJECT
public:
  TVornsApplication(int& argc, char** argv);

  // Shows the report of an exception that ended a handler: a message box with its message,
  // or the test hook below when set.
  static void ReportException(const QString& message);
  // Replaces the message box (tests assert the report through it); empty restores it.
  static void SetReporter(std::function<void(const QString&)> reporter);

  bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `handler` as notify() runs an event handler: an exception it throws is reported as
// above instead of propagating. For code that runs outside event delivery (the program entry's
// first show, tests).
void RunReported(const std::function<void()>& handler);
