#include "app/app_fonts.h"

#include "skin/controls/skin_fonts.h"

#include <QFontDatabase>

namespace {
// Liberation Sans (installed by the setup) has the Segoe faces' height; narrowed to 94 per
// cent it has their width, so "ERROR" in 47 pixels fits the banner's 161-pixel label. The
// light face, drawn from the same regular font, goes a little narrower still: its digits in
// 47 pixels must fit the banner's 73-pixel code label.
constexpr int kSegoeStretch = 94;
constexpr int kSegoeLightStretch = 92;
const char* const kSegoeStandIn = "Liberation Sans";
} // namespace

void RegisterAppFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterSkinFonts();
  QFont::insertSubstitution(QString::fromLatin1(kSegoeUI), QString::fromLatin1(kSegoeStandIn));
  QFont::insertSubstitution(QString::fromLatin1(kSegoeUILight), QString::fromLatin1(kSegoeStandIn));
}

QFont AppFont(const char* family, int pixelSize, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  if (bold)
    font.setBold(true);
  else if (qstrcmp(family, kSegoeUILight) == 0)
    font.setWeight(QFont::Light);
  if (qstrcmp(family, kSegoeUI) == 0)
    font.setStretch(kSegoeStretch);
  else if (qstrcmp(family, kSegoeUILight) == 0)
    font.setStretch(kSegoeLightStretch);
  return font;
}
