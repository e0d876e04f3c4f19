#include "gallery_screenshot.h"

#include "gallery_skins.h"
#include "gallery_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

bool WriteGalleryScreenshots(TGalleryWindow& window, const QString& dir, QString* error) {
  if (!QDir().mkpath(dir)) {
    if (error) *error = QStringLiteral("cannot create %1").arg(dir);
    return false;
  }
  TGallerySkins& skins = window.Skins();
  const int initial = skins.Current();
  for (int choice = 0; choice <= skins.NoSkinChoice(); ++choice) {
    window.SelectSkin(choice);
    window.RestoreForcedStates();
    QApplication::processEvents();
    const QString path = QDir(dir).filePath("gallery-" + skins.FileTag(choice) + ".png");
    if (!window.grab().toImage().save(path, "PNG")) {
      if (error) *error = QStringLiteral("cannot write %1").arg(path);
      return false;
    }
  }
  window.SelectSkin(initial);
  return true;
}
