#include "gallery_screenshot.h"

#include "gallery_skins.h"
#include "gallery_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

namespace {
// One picture per sheet: gallery-<tag>.png for the first, gallery-<tag>-<n>.png for sheet n.
bool SavePicture(TGalleryWindow& window, const QString& dir, const QString& tag,
                 QStringList* errors) {
  const int shown = window.Sheet();
  bool written = true;
  for (int sheet = 0; sheet < TGalleryWindow::kSheetCount && written; ++sheet) {
    window.ShowSheet(sheet);
    window.RestoreForcedStates();
    QApplication::processEvents();
    const QString name = sheet == 0 ? tag : QStringLiteral("%1-%2").arg(tag).arg(sheet + 1);
    const QString path = QDir(dir).filePath("gallery-" + name + ".png");
    written = window.grab().toImage().save(path, "PNG");
    if (!written && errors) *errors << QStringLiteral("cannot write %1").arg(path);
  }
  window.ShowSheet(shown);
  return written;
}
} // namespace

bool WriteGalleryScreenshots(TGalleryWindow& window, const QString& dir,
                             const QStringList& packages, QStringList* errors) {
  if (!QDir().mkpath(dir)) {
    if (errors) *errors << QStringLiteral("cannot create %1").arg(dir);
    return false;
  }
  TGallerySkins& skins = window.Skins();
  for (int choice = 0; choice <= skins.NoSkinChoice(); ++choice) {
    window.SelectSkin(choice);
    if (!SavePicture(window, dir, skins.FileTag(choice), errors)) return false;
  }
  bool complete = true;
  for (const QString& package : packages) {
    QString error;
    if (!skins.OpenPackageFile(package, &error)) {
      if (errors) *errors << error;
      complete = false;
      continue;
    }
    if (!SavePicture(window, dir, skins.FileTag(skins.Current()), errors)) return false;
  }
  return complete;
}
