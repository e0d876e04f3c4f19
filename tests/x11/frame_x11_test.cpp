// The frame under a real window manager: a program with a framed window driven through the
// X server with xdotool, as a user drives it with the mouse.

#include "x11_session.h"

#include <QRect>
#include <QRegularExpression>

namespace {

class FrameX11Test : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(session.Ok());
    program.setProcessEnvironment(session.Environment());
    program.start(QStringLiteral(FRAME_WINDOW), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(X11Session::WaitFor([this] {
      window =
          session
              .Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                               QStringLiteral("^FrameX11$")})
              .section(QLatin1Char('\n'), 0, 0)
              .trimmed();
      return !window.isEmpty() && Geometry().isValid();
    }));
    // Mapped and placed: the geometry no longer changes.
    QRect last;
    ASSERT_TRUE(X11Session::WaitFor([&] {
      const QRect now = Geometry();
      const bool settled = now == last;
      last = now;
      QTest::qWait(100);
      return settled;
    }));
  }
  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.terminate();
      if (!program.waitForFinished(5000)) program.kill();
    }
  }

  // The window's place and size as the X server reports them.
  QRect Geometry() const {
    const QString out =
        session.Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window});
    const QRegularExpression re(
        QStringLiteral("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(out);
    if (!m.hasMatch()) return {};
    return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                 m.captured(4).toInt());
  }
  void Xdo(const QStringList& args) const { session.Run(QStringLiteral("xdotool"), args); }
  void MoveTo(QPoint p) const {
    Xdo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(p.x()),
         QString::number(p.y())});
  }
  void Down() const { Xdo({QStringLiteral("mousedown"), QStringLiteral("1")}); }
  void Up() const { Xdo({QStringLiteral("mouseup"), QStringLiteral("1")}); }
  // A press at `from`, moves through `steps`, a release at the last.
  void Drag(QPoint from, std::initializer_list<QPoint> steps) const {
    MoveTo(from);
    Down();
    for (QPoint p : steps) MoveTo(p);
    Up();
  }
  void Click(QPoint p) const {
    MoveTo(p);
    Down();
    Up();
  }
  // Waits until the window's geometry satisfies `test`.
  template <class F> bool GeometryBecomes(F test) const {
    return X11Session::WaitFor([&] { return test(Geometry()); });
  }

  X11Session session;
  QProcess program;
  QString window;
};

TEST_F(FrameX11Test, DraggingTheCaptionMovesTheWindow) {
  const QRect start = Geometry();
  const QPoint grip = start.topLeft() + QPoint(150, 15);
  // The window manager moves from where the pointer is at the first move: the first step's
  // distance is not applied.
  Drag(grip,
       {grip + QPoint(4, 4), grip + QPoint(40, 30), grip + QPoint(80, 60), grip + QPoint(124, 94)});
  EXPECT_TRUE(GeometryBecomes([&](QRect g) {
    return g.topLeft() == start.topLeft() + QPoint(120, 90) && g.size() == start.size();
  })) << Geometry().x()
      << "," << Geometry().y();
}

TEST_F(FrameX11Test, DraggingTheBottomRightCornerSizesTheWindow) {
  const QRect start = Geometry();
  const QPoint corner = start.topLeft() + QPoint(start.width() - 2, start.height() - 2);
  Drag(corner, {corner + QPoint(2, 2), corner + QPoint(30, 20), corner + QPoint(62, 42)});
  EXPECT_TRUE(GeometryBecomes([&](QRect g) {
    return g.topLeft() == start.topLeft() && g.width() > start.width() + 40 &&
           g.height() > start.height() + 25;
  })) << Geometry().width()
      << "x" << Geometry().height();
}

TEST_F(FrameX11Test, TheMaximiseButtonMaximisesToTheWorkAreaAndRestores) {
  const QRect start = Geometry();
  // The buttons sit at the caption's right end: close, maximise, minimise, 30 pixels each.
  Click(start.topLeft() + QPoint(start.width() - 45, 15));
  // The work area is the whole 1280 x 1024 screen (no panel): a pixel is left on each side.
  EXPECT_TRUE(GeometryBecomes([](QRect g) { return g == QRect(1, 1, 1278, 1022); }))
      << Geometry().x() << "," << Geometry().y() << " " << Geometry().width() << "x"
      << Geometry().height();
  Click(QPoint(1 + 1278 - 45, 1 + 15));
  EXPECT_TRUE(GeometryBecomes([&](QRect g) { return g == start; }));
}

TEST_F(FrameX11Test, CaptionDoubleClickMaximisesAndRestores) {
  const QRect start = Geometry();
  MoveTo(start.topLeft() + QPoint(150, 15));
  Xdo({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
       QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
  EXPECT_TRUE(GeometryBecomes([](QRect g) { return g == QRect(1, 1, 1278, 1022); }));
  MoveTo(QPoint(300, 15));
  Xdo({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
       QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
  EXPECT_TRUE(GeometryBecomes([&](QRect g) { return g == start; }));
}

TEST_F(FrameX11Test, CloseRunsOnReleaseOverTheButtonOnly) {
  const QRect start = Geometry();
  const QPoint close = start.topLeft() + QPoint(start.width() - 15, 15);
  // Pressed, moved off, released elsewhere: the window stays.
  Drag(close, {close - QPoint(60, 0), close - QPoint(120, -40)});
  QTest::qWait(300);
  EXPECT_EQ(program.state(), QProcess::Running);
  Click(close);
  EXPECT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitCode(), 0);
}

} // namespace
