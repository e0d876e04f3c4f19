// The layered border on a real X server: its own Xvfb (on a free display number), openbox
// and xcompmgr, with the probe program under the xcb platform. A missing tool fails.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A program started for the test and stopped with it.
class Started {
public:
  explicit Started(const QString& program, const QStringList& args, const QString& display = {}) {
    if (!display.isEmpty()) {
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("DISPLAY", display);
      FProcess.setProcessEnvironment(env);
    }
    FProcess.start(program, args);
  }
  ~Started() {
    if (FProcess.state() == QProcess::NotRunning) return;
    FProcess.terminate();
    if (!FProcess.waitForFinished(5000)) {
      FProcess.kill();
      FProcess.waitForFinished(5000);
    }
  }
  QProcess& Process() { return FProcess; }

private:
  QProcess FProcess;
};

QRect ParseRect(const QString& text) {
  const QStringList p = text.split(' ');
  return p.size() == 4 ? QRect(p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt()) : QRect();
}

} // namespace

TEST(LayerBorderX11, BandsAroundTheFormLetClicksThroughAndHideWhenMaximised) {
  for (const char* tool : {"Xvfb", "openbox", "xcompmgr", "xdotool", "wmctrl"})
    ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty()) << tool << " is not installed";
  QTemporaryDir home;

  // Xvfb picks a free display and writes its number to standard output.
  Started xvfb("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  ASSERT_TRUE(xvfb.Process().waitForStarted(5000));
  QByteArray number;
  while (!number.contains('\n') && xvfb.Process().waitForReadyRead(10000))
    number += xvfb.Process().readAllStandardOutput();
  ASSERT_TRUE(number.contains('\n')) << "Xvfb gave no display number";
  const QString display = ":" + QString::fromLatin1(number.trimmed());

  Started wm("openbox", {"--sm-disable"}, display);
  ASSERT_TRUE(wm.Process().waitForStarted(5000));
  Started compositor("xcompmgr", {}, display);
  ASSERT_TRUE(compositor.Process().waitForStarted(5000));
  // The window manager answers once it manages the screen.
  bool managed = false;
  for (int i = 0; i < 100 && !managed; ++i) {
    Started query("wmctrl", {"-m"}, display);
    managed = query.Process().waitForFinished(5000) && query.Process().exitCode() == 0;
    if (!managed) QThread::msleep(100);
  }
  ASSERT_TRUE(managed) << "openbox does not manage the screen";
  ASSERT_EQ(compositor.Process().state(), QProcess::Running)
      << "xcompmgr stopped: " << compositor.Process().readAllStandardError().toStdString();

  QProcess probe;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("XDG_RUNTIME_DIR", home.path());
  probe.setProcessEnvironment(env);
  probe.start(LAYER_X11_PROBE, {});
  ASSERT_TRUE(probe.waitForFinished(90000));
  const QString out = QString::fromLocal8Bit(probe.readAllStandardOutput());
  ASSERT_EQ(probe.exitCode(), 0) << out.toStdString() << probe.readAllStandardError().toStdString();

  QMap<QString, QString> seen;
  for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
    seen[line.section(' ', 0, 0)] = line.section(' ', 1);
  const auto at = [&](const char* key) { return seen.value(QString::fromLatin1(key)); };
  SCOPED_TRACE(out.toStdString());

  EXPECT_EQ(at("platform"), "xcb");
  ASSERT_EQ(at("supported"), "1") << "xcompmgr: "
                                  << (compositor.Process().state() == QProcess::Running)
                                  << compositor.Process().readAllStandardError().toStdString();
  EXPECT_EQ(at("windows"), "4");
  const QRect form = ParseRect(at("form"));
  const QRect top = ParseRect(at("band0")), bottom = ParseRect(at("band1"));
  const QRect left = ParseRect(at("band2")), right = ParseRect(at("band3"));
  // Placed around the form by the window manager as asked.
  EXPECT_EQ(left.right() + 1, form.left());
  EXPECT_EQ(right.left(), form.right() + 1);
  EXPECT_LE(top.top(), form.top());
  EXPECT_GE(bottom.bottom(), form.bottom());
  EXPECT_EQ(top.width(), right.right() - left.left() + 1);
  EXPECT_EQ(at("active"), "1");
  // Translucent over the green window beneath: neither black nor the bare green.
  const QColor over(at("pixel_over"));
  ASSERT_TRUE(over.isValid());
  EXPECT_GT(over.green(), 0);
  EXPECT_NE(over, QColor(0, 255, 0));
  // The click went through the band to the window beneath, which then took the activation.
  ASSERT_EQ(at("xdotool"), "1");
  EXPECT_EQ(at("beneath_presses"), "1");
  EXPECT_EQ(at("active_after_click"), "0");
  EXPECT_EQ(at("band_focus"), "0");
  // Raised by the click, the window beneath covers the band, which stays with its form.
  EXPECT_EQ(at("pixel_under"), "#00ff00");
  EXPECT_EQ(at("maximised_windows"), "0");
  EXPECT_EQ(at("restored_windows"), "4");
  EXPECT_EQ(ParseRect(at("restored_form")), form);
}
