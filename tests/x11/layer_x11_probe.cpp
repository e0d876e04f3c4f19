// Run by the layered border's X server test under the xcb platform, with a window manager
// and a compositing manager on its own display: a frameless skinned form with its layered
// border over another window. Prints "key value" lines of what it saw, for the test to
// check; exits 0 when it got that far.

#include "skin/builtin/builtin_skins.h"
#include "skin/data/skin_data.h"
#include "skin/frame/layer_border.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdio>

namespace {

void Report(const char* key, const QString& value) {
  std::printf("%s %s\n", key, qPrintable(value));
  std::fflush(stdout);
}
void Report(const char* key, int value) {
  Report(key, QString::number(value));
}
void Report(const char* key, const QRect& r) {
  Report(key, QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
}

class Beneath : public QWidget {
public:
  int Presses = 0;

protected:
  void mousePressEvent(QMouseEvent*) override { ++Presses; }
};

// Waits for `done`, up to five seconds; what follows reports whether it came.
template <class F> void WaitFor(F done) {
  (void)QTest::qWaitFor(done, 5000);
}

bool Xdotool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral("xdotool"), args);
  return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Report("platform", QGuiApplication::platformName());
  // The compositing manager may still be claiming its selection.
  const bool supported = QTest::qWaitFor([] { return LayeredWindowsSupported(); }, 10000);
  Report("supported", supported);

  Beneath beneath;
  beneath.setWindowTitle(QStringLiteral("beneath"));
  beneath.setGeometry(40, 40, 640, 520);
  beneath.setAutoFillBackground(true);
  QPalette green = beneath.palette();
  green.setColor(QPalette::Window, QColor(0, 255, 0));
  beneath.setPalette(green);
  beneath.show();
  // A window manager still starting may drop the first map request: map once more.
  if (!QTest::qWaitForWindowExposed(&beneath, 10000)) {
    beneath.hide();
    beneath.show();
    if (!QTest::qWaitForWindowExposed(&beneath, 10000)) return 2;
  }

  QWidget form(nullptr, Qt::FramelessWindowHint);
  form.setWindowTitle(QStringLiteral("form"));
  form.setGeometry(220, 180, 300, 200);
  auto* data = new TspSkinData(&form);
  data->SetSkinList(CreateBuiltinSkinList(&form));
  TspFormLayerBorder border(&form, data);
  int bandFocus = 0;
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [&](QWindow* w) {
    if (w && w->objectName() == QLatin1String("TspFormLayerWindow")) ++bandFocus;
  });
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form, 20000)) return 3;
  WaitFor([&] { return border.Active(); });

  Report("windows", border.WindowCount());
  Report("form", form.frameGeometry());
  for (int i = 0; i < 4; ++i) {
    TspFormLayerWindow* w = border.Window(TspFormLayerBorder::Band(i));
    Report(("band" + std::to_string(i)).c_str(), w && w->isExposed() ? w->geometry() : QRect());
  }
  Report("active", border.Active());

  // A click on the left band lands on the window beneath it, which takes the activation.
  if (TspFormLayerWindow* left = border.Window(TspFormLayerBorder::LeftBand)) {
    const QPoint at = left->geometry().center();
    // What the screen shows there: the band blended over the green window beneath it.
    const auto shown = [&] {
      QCoreApplication::processEvents();
      const QImage pixel =
          QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
      return pixel.isNull() ? QString() : QColor(pixel.pixel(0, 0)).name();
    };
    // Painted and composed in its own time.
    WaitFor([&] { return shown() != QLatin1String("#00ff00"); });
    Report("pixel_over", shown());
    const bool clicked =
        Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    WaitFor([&] { return beneath.Presses > 0; });
    Report("beneath_presses", beneath.Presses);
    Report("xdotool", clicked);
    WaitFor([&] { return !border.Active(); });
    Report("active_after_click", border.Active());
    Report("inactive_alpha", left->ConstantAlpha());
    // The window beneath now lies above the form and its border.
    WaitFor([&] { return shown() == QLatin1String("#00ff00"); });
    Report("pixel_under", shown());
  }
  form.activateWindow();
  (void)QTest::qWaitForWindowActive(&form);
  Report("band_focus", bandFocus);

  form.showMaximized();
  WaitFor([&] { return form.isMaximized() && border.WindowCount() == 0; });
  Report("maximised_windows", border.WindowCount());
  form.showNormal();
  WaitFor([&] { return !form.isMaximized() && border.WindowCount() > 0; });
  WaitFor([&] { return form.frameGeometry() == QRect(220, 180, 300, 200); });
  Report("restored_windows", border.WindowCount());
  Report("restored_form", form.frameGeometry());
  Report("restored_layer", border.LayerBounds());
  return 0;
}
