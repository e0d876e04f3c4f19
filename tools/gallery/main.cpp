// vorns-gallery: every skinned control in each of its states, in any skin.
//   vorns-gallery [PACKAGE.skn ...]
//       the window, with a skin list and an open button; packages given are opened
//   vorns-gallery --screenshot DIR [PACKAGE.skn ...]
//       writes DIR/gallery-<skin>.png (and gallery-<skin>-2.png for the second sheet) for
//       each built-in skin, for no skin and for each
//       package, then exits (no screen needed): 0 when all were written, 1 otherwise, 2 on
//       bad usage

#include "gallery_screenshot.h"
#include "gallery_window.h"
#include "skin/controls/skin_fonts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  QString screenshotDir;
  QStringList packages;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0) {
      if (i + 1 >= argc || !screenshotDir.isEmpty()) {
        std::fputs("usage: vorns-gallery [--screenshot DIR] [PACKAGE.skn ...]\n", stderr);
        return 2;
      }
      screenshotDir = QString::fromLocal8Bit(argv[++i]);
    } else {
      packages << QString::fromLocal8Bit(argv[i]);
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
  if (!screenshots) {
    for (const QString& package : packages) window.OpenPackageFile(package);
    return app.exec();
  }

  window.activateWindow();
  QApplication::processEvents();
  QStringList errors;
  const bool written = WriteGalleryScreenshots(window, screenshotDir, packages, &errors);
  for (const QString& error : errors)
    std::fprintf(stderr, "vorns-gallery: %s\n", qPrintable(error));
  return written ? 0 : 1;
}
