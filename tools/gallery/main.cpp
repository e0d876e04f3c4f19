// vorns-gallery: every skinned control in each of its states, in any skin.
//   vorns-gallery                   the window, with a skin list and an open button
//   vorns-gallery --screenshot DIR  writes DIR/gallery-<skin>.png for each built-in skin
//                                   and for no skin, then exits (no screen needed)

#include "gallery_screenshot.h"
#include "gallery_window.h"
#include "skin/controls/skin_fonts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  QString screenshotDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0) {
      if (i + 1 >= argc) {
        std::fputs("usage: vorns-gallery [--screenshot DIR]\n", stderr);
        return 2;
      }
      screenshotDir = QString::fromLocal8Bit(argv[i + 1]);
    }
  }
  const bool screenshots = !screenshotDir.isEmpty();
  // Pictures are drawn without a screen unless the caller chose a platform.
  if (screenshots && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (screenshots && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());

  QApplication app(argc, argv);
  RegisterSkinFonts();
  TGalleryWindow window;
  window.show();
  if (!screenshots) return app.exec();

  window.activateWindow();
  QApplication::processEvents();
  QString error;
  if (!WriteGalleryScreenshots(window, screenshotDir, &error)) {
    std::fprintf(stderr, "vorns-gallery: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
