// The layered border on a real X server with a window manager and a compositor, the probe
// program running under the xcb platform.

#include "x11_session.h"

#include <QColor>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QRect ParseRect(const QString& text) {
  const QStringList p = text.split(' ');
  return p.size() == 4 ? QRect(p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt()) : QRect();
}

} // namespace

TEST(LayerBorderX11, BandsAroundTheFormLetClicksThroughAndHideWhenMaximised) {
  X11Session session(true);
  ASSERT_TRUE(session.Ok());
  QTemporaryDir home;

  QProcess probe;
  QProcessEnvironment env = session.Environment();
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
  ASSERT_EQ(at("supported"), "1") << "xcompmgr running: "
                                  << (session.Compositor()->state() == QProcess::Running);
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
