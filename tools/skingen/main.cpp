// vorns-skingen OUTDIR [--preview PREVIEWDIR]
// Draws the four built-in skins and writes, for each, OUTDIR/<skn name>/ (skin.ini and
// its BMPs) and OUTDIR/<skn name>.skn. With --preview it also renders every record and a
// sample window per skin to PNG files, for looking at the result.

#include "preview.h"
#include "skin_build.h"
#include "skin_output.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <memory>

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  QString previewDir;
  if (const qsizetype at = args.indexOf("--preview"); at >= 0 && at + 1 < args.size()) {
    previewDir = args.at(at + 1);
    args.remove(at, 2);
  }
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: vorns-skingen OUTDIR [--preview PREVIEWDIR]\n");
    return 2;
  }

  // Drawing shapes needs no windowing system; only the preview draws text.
  std::unique_ptr<QCoreApplication> app;
  if (previewDir.isEmpty()) {
    app = std::make_unique<QCoreApplication>(argc, argv);
  } else {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }

  try {
    for (const TSkinAccent& accent : BuiltinSkinAccents()) {
      const TBuiltSkin skin = BuildSkin(MakePalette(accent));
      const QByteArray package = PackageBytes(skin);
      CheckSkin(skin, package);
      WriteSkin(skin, package, args.at(0));
      if (!previewDir.isEmpty()) WritePreviews(skin, previewDir);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorns-skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
