// The frame under a real window manager: a program with a framed window driven through the
// X server with xdotool, as a user drives it with the mouse.

#include "x11_session.h"

#include <QRect>
#include <QRegion>
#include <QRegularExpression>
#include <memory>
#include <vector>

namespace {

class FrameX11Test : public ::testing::Test {
protected:
  // Whether the session runs a compositor (translucent windows composed).
  virtual bool Composited() const { return false; }
  void SetUp() override {
    session = std::make_unique<X11Session>(Composited());
    ASSERT_TRUE(session->Ok());
    program.setProcessEnvironment(session->Environment());
    program.start(QStringLiteral(FRAME_WINDOW), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(X11Session::WaitFor([this] {
      window =
          session
              ->Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
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
  QRect Geometry() const { return GeometryOf(window); }
  QRect GeometryOf(const QString& id) const {
    const QString out =
        session->Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id});
    const QRegularExpression re(
        QStringLiteral("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(out);
    if (!m.hasMatch()) return {};
    return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                 m.captured(4).toInt());
  }
  void Xdo(const QStringList& args) const { session->Run(QStringLiteral("xdotool"), args); }
  void MoveTo(QPoint p) const {
    Xdo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(p.x()),
         QString::number(p.y())});
  }
  void Down() const { Xdo({QStringLiteral("mousedown"), QStringLiteral("1")}); }
  void Up() const { Xdo({QStringLiteral("mouseup"), QStringLiteral("1")}); }
  // A press at `from`, moves through `steps`, a release at the last.
  void Drag(QPoint from, const std::vector<QPoint>& steps) const {
    MoveTo(from);
    Down();
    for (QPoint p : steps) MoveTo(p);
    Up();
  }
  void Click(QPoint p) const {
    // The button lights up on a move over it; a busy program may take a moment to see it.
    MoveTo(p + QPoint(1, 1));
    MoveTo(p);
    QTest::qWait(150);
    Down();
    Up();
  }
  // Waits until the window's geometry satisfies `test`.
  template <class F> bool GeometryBecomes(F test) const {
    return X11Session::WaitFor([&] { return test(Geometry()); });
  }

  // The program's windows the X server shows: the form and any border bands.
  std::vector<QRect> ShownWindows() const {
    std::vector<QRect> shown;
    const QStringList ids =
        session
            ->Run(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--pid"),
                   QString::number(program.processId()), QStringLiteral("--onlyvisible"),
                   QStringLiteral("")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& id : ids) {
      const QRect g = GeometryOf(id.trimmed());
      if (g.isValid()) shown.push_back(g);
    }
    return shown;
  }

  std::unique_ptr<X11Session> session;
  QProcess program;
  QString window;
};

TEST_F(FrameX11Test, DraggingTheCaptionMovesTheWindow) {
  const QRect start = Geometry();
  const QPoint grip = start.topLeft() + QPoint(150, 15);
  const std::vector<QPoint> steps = {QPoint(4, 4), QPoint(40, 30), QPoint(80, 60), QPoint(124, 94)};
  std::vector<QPoint> path;
  for (const QPoint& step : steps) path.push_back(grip + step);
  Drag(grip, path);
  // The window manager moves the window from where the pointer was when it began the move,
  // which is the first step or, on a loaded machine, the press or a later step; whichever
  // it was, the window follows the pointer to its end by that point's distance.
  EXPECT_TRUE(GeometryBecomes([&](QRect g) {
    const QPoint moved = g.topLeft() - start.topLeft();
    bool follows = moved == steps.back();
    for (size_t i = 0; i + 1 < steps.size(); ++i) follows |= moved == steps.back() - steps[i];
    return follows && g.size() == start.size();
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

// Where no compositor runs, translucent windows would show black: the form alone shows.
TEST_F(FrameX11Test, NoLayeredBorderWithoutACompositor) {
  QTest::qWait(300);
  const std::vector<QRect> shown = ShownWindows();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.front(), Geometry());
}

class FrameX11CompositedTest : public FrameX11Test {
protected:
  bool Composited() const override { return true; }
};

// With a compositor the skin's translucent border lies around the form, on all four sides,
// and goes while the window is maximised.
TEST_F(FrameX11CompositedTest, TheLayeredBorderShowsAroundTheWindowAndHidesWhenMaximised) {
  const QRect form = Geometry();
  std::vector<QRect> shown;
  ASSERT_TRUE(X11Session::WaitFor([&] {
    shown = ShownWindows();
    return shown.size() == 5;
  })) << shown.size();
  QRegion around;
  for (const QRect& r : shown)
    if (r != form) {
      EXPECT_FALSE(r.intersects(form));
      around += r;
    }
  const QRect outline = around.boundingRect();
  EXPECT_TRUE(outline.contains(form));
  EXPECT_LT(outline.left(), form.left());
  EXPECT_GT(outline.right(), form.right());
  EXPECT_LT(outline.top(), form.top());
  EXPECT_GT(outline.bottom(), form.bottom());

  Click(form.topLeft() + QPoint(form.width() - 45, 15));
  ASSERT_TRUE(GeometryBecomes([](QRect g) { return g.width() > 1000; }));
  EXPECT_TRUE(X11Session::WaitFor([&] { return ShownWindows().size() == 1; }));
  Click(QPoint(1 + 1278 - 45, 1 + 15));
  ASSERT_TRUE(GeometryBecomes([&](QRect g) { return g == form; }));
  EXPECT_TRUE(X11Session::WaitFor([&] { return ShownWindows().size() == 5; }));
}
