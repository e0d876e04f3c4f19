#pragma once
// A private X session for the tests that need a real window system: an Xvfb server on a
// free display, the openbox window manager on it and, when asked, the xcompmgr compositor,
// all started by the fixture and stopped with it. A missing tool fails the test.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class X11Session {
public:
  // Starts the server, the window manager and, with `compositor`, xcompmgr; check Ok()
  // (failures are reported).
  explicit X11Session(bool compositor = false) {
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
      if (!Require(tool)) return;
    if (compositor && !Require("xcompmgr")) return;
    // A display whose number another server (one this process cannot see the lock file of)
    // also answers under is no use: clients would reach that one. Such a server is kept
    // until a good one runs, so that the next try gets another number.
    std::vector<std::unique_ptr<QProcess>> unusable;
    for (int attempt = 0; attempt < 8 && !FServer; ++attempt) {
      auto server =
          Start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")},
                false);
      // The server writes its display number once it accepts clients.
      if (!server->waitForReadyRead(20000)) {
        ADD_FAILURE() << "Xvfb did not start";
        return;
      }
      FDisplay = QStringLiteral(":") + QString::fromLatin1(server->readLine()).trimmed();
      if (Run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")}).trimmed() ==
          QLatin1String("1280 1024"))
        FServer = std::move(server);
      else
        unusable.push_back(std::move(server));
    }
    for (auto& server : unusable) Stop(*server);
    if (!FServer) {
      ADD_FAILURE() << "no display of its own for Xvfb";
      return;
    }
    FWindowManager = Start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")}, true);
    // The window manager is up when it names itself on the root window. A server that has
    // just taken the display number of one still going away may refuse the first
    // connection: a window manager that gave up is started again.
    if (!WaitFor([this] {
          if (FWindowManager->state() == QProcess::NotRunning)
            FWindowManager =
                Start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")}, true);
          return Run(QStringLiteral("xprop"),
                     {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
              .contains("window id");
        })) {
      ADD_FAILURE() << "openbox did not start on " << FDisplay.toStdString() << " (state "
                    << FWindowManager->state() << ", exit " << FWindowManager->exitCode()
                    << "): " << FWindowManager->readAllStandardError().toStdString()
                    << FWindowManager->readAllStandardOutput().toStdString() << " xprop: "
                    << Run(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                           .toStdString();
      return;
    }
    if (compositor) {
      FCompositor = Start(QStringLiteral("xcompmgr"), {}, true);
      if (FCompositor->state() != QProcess::Running) {
        ADD_FAILURE() << "xcompmgr did not start: "
                      << FCompositor->readAllStandardError().toStdString();
        return;
      }
    }
    FOk = true;
  }
  ~X11Session() {
    for (auto* p : {&FCompositor, &FWindowManager, &FServer})
      if (*p) Stop(**p);
  }

  // The compositor, while it runs (none without one asked for).
  const QProcess* Compositor() const { return FCompositor.get(); }

  bool Ok() const { return FOk; }
  QString Display() const { return FDisplay; }
  // The environment of a program run in the session.
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), FDisplay);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
  }
  // Runs a tool in the session to its end and returns its standard output.
  QString Run(const QString& program, const QStringList& args) const {
    QProcess p;
    p.setProcessEnvironment(Environment());
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
  }
  // Polls `condition` for up to 20 seconds (the programs start at their own pace).
  template <class F> static bool WaitFor(F condition) {
    return QTest::qWaitFor([&] { return condition(); }, 20000);
  }

private:
  static void Stop(QProcess& p) {
    p.terminate();
    if (!p.waitForFinished(5000)) p.kill();
    p.waitForFinished(5000);
  }
  static bool Require(const char* tool) {
    if (!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return true;
    ADD_FAILURE() << tool << " is not installed (scripts/setup installs it)";
    return false;
  }
  std::unique_ptr<QProcess> Start(const QString& program, const QStringList& args, bool inSession) {
    auto p = std::make_unique<QProcess>();
    if (inSession) p->setProcessEnvironment(Environment());
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start(program, args);
    p->waitForStarted(10000);
    return p;
  }

  std::unique_ptr<QProcess> FServer, FWindowManager, FCompositor;
  QString FDisplay;
  bool FOk = false;
};
