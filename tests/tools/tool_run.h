#pragma once
// What the tests of the built tools share: running one as a separate program and judging
// how it ended.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

struct ToolRun {
  bool Exited = false; // ended by itself: not killed by a signal, not hung
  int Status = -1;
  QByteArray Out, Err;
};

// Runs `program` with `args` and no input; one that has not ended after `timeoutMs` is
// killed and reported as not exited.
// `childSetup` runs in the child before the program starts (limits, for example); the
// program sees `environment` (the test's own by default).
inline ToolRun
RunProgram(const QString& program, const QStringList& args, int timeoutMs,
           std::function<void()> childSetup = {},
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(environment);
  if (childSetup) p.setChildProcessModifier(childSetup);
  p.start(program, args);
  ToolRun r;
  if (!p.waitForStarted(10000)) return r;
  p.closeWriteChannel();
  if (!p.waitForFinished(timeoutMs)) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.Exited = p.exitStatus() == QProcess::NormalExit;
  r.Status = p.exitCode();
  r.Out = p.readAllStandardOutput();
  r.Err = p.readAllStandardError();
  return r;
}

// Ended by itself with status 0 and nothing on stderr.
inline ::testing::AssertionResult Succeeded(const ToolRun& r) {
  if (r.Exited && r.Status == 0 && r.Err.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "exited " << r.Exited << " status " << r.Status << " stderr: " << r.Err.toStdString();
}

// The whole file, or nothing when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
