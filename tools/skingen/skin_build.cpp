#include "skin_build.h"

#include <QHash>
#include <stdexcept>

namespace {

struct SheetLayout {
  const char* FileName;
  int RowWidth;
};

// File names in the skin folder, by picture index.
const SheetLayout kSheets[piCount] = {
    {"captionbuttons.bmp", 240},
    {"buttons.bmp", 160},
    {"edits.bmp", 160},
    {"hint.bmp", 64},
    {"popup.bmp", 64},
    {"menuitem.bmp", 96},
    {"layer.bmp", 64},
    {"layermask.bmp", 64},
    {"layermaskinactive.bmp", 64},
    {"vscrollbar.bmp", 96},
    {"panels.bmp", 160},
    {"lists.bmp", 160},
    {"tabs.bmp", 160},
    {"hscrollbar.bmp", 160},
    {"bothhscrollbar.bmp", 160},
};

QColor MostCommonColour(const QImage& img, const TspRect& area) {
  QHash<QRgb, int> counts;
  QRgb best = 0;
  int bestCount = -1;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const QRgb c = img.pixel(x, y) & 0xFFFFFF;
      const int n = ++counts[c];
      if (n > bestCount) bestCount = n, best = c;
    }
  return QColor::fromRgb(best);
}

} // namespace

TSkinBuild::TSkinBuild(const TSkinPalette& palette) : Pal(palette) {
  for (const SheetLayout& s : kSheets) FSheets.emplace_back(s.FileName, s.RowWidth);
}

TspRect TSkinBuild::Add(TPictureIndex picture, const QImage& part) {
  return Sheet(picture).Add(part);
}

void TSkinBuild::ExpectText(const QString& what, const QColor& text, TPictureIndex picture,
                            const TspRect& area) {
  FTextChecks.push_back({what, text, int(picture), area, QColor()});
}

void TSkinBuild::ExpectText(const QString& what, const QColor& text, const QColor& background) {
  FTextChecks.push_back({what, text, -1, {}, background});
}

void TSkinBuild::ExpectInside(const QString& what, TPictureIndex picture, const TspRect& r) {
  FInsideChecks.push_back({what, int(picture), r});
}

TBuiltSkin TSkinBuild::Finish() {
  TBuiltSkin out;
  out.Palette = Pal;
  out.Picture = Picture;
  out.InactivePicture = InactivePicture;
  for (const TPictureSheet& s : FSheets) {
    if (s.IsEmpty())
      throw std::runtime_error("active picture without parts: " + s.FileName().toStdString());
    out.ActivePictures.push_back(s.Compose());
    out.ActivePictureNames << s.FileName();
  }
  const QString skin = Pal.Skin.Colour + ": ";
  for (const InsideCheck& c : FInsideChecks) {
    const QImage& pic = out.ActivePictures.at(size_t(c.Picture));
    if (c.Rect.IsEmpty() || c.Rect.Left < 0 || c.Rect.Top < 0 || c.Rect.Right > pic.width() ||
        c.Rect.Bottom > pic.height())
      throw std::runtime_error((skin + c.What + " lies outside its picture").toStdString());
  }
  for (const TextCheck& c : FTextChecks) {
    QColor background = c.Background;
    if (c.Picture >= 0) {
      const QImage& pic = out.ActivePictures.at(size_t(c.Picture));
      if (c.Area.IsEmpty() || c.Area.Right > pic.width() || c.Area.Bottom > pic.height())
        throw std::runtime_error((skin + c.What + ": no area to test").toStdString());
      background = MostCommonColour(pic, c.Area);
    }
    const double ratio = ContrastRatio(c.Text, background);
    if (ratio < kMinTextContrast)
      throw std::runtime_error((skin + c.What +
                                QStringLiteral(": contrast %1 (text %2 on %3)")
                                    .arg(ratio, 0, 'f', 2)
                                    .arg(c.Text.name(), background.name()))
                                   .toStdString());
  }
  out.Description = Desc.Lines();
  return out;
}

TBuiltSkin BuildSkin(const TSkinPalette& palette) {
  TSkinBuild b(palette);
  b.Desc.Version()
      .Int("ver", 1)
      .Text("skinname", "Flat " + palette.Skin.Colour)
      .Text("skinauthor", "Save The Vorns")
      .Text("authoremail", "")
      .Text("authorurl", "")
      .Text("skincomments",
            "Flat " + palette.Skin.Colour.toLower() + " skin of the Save The Vorns family");
  TDescSection& pictures = b.Desc.Pictures();
  pictures.Text("picture", "frame.bmp")
      .Text("inactivepicture", "frameinactive.bmp")
      .Text("mask", "")
      .Text("rolluppicture", "")
      .Text("rollupmask", "")
      .Int("activepicturescount", piCount);
  for (int i = 0; i < piCount; ++i) pictures.Text(QString::number(i), kSheets[i].FileName);

  BuildFrame(b);
  BuildPopupAndHint(b);
  BuildLayerFrame(b);
  BuildButtons(b);
  BuildEdits(b);
  BuildContainers(b);
  BuildLists(b);
  BuildScrollBars(b);
  BuildTabsAndGauge(b);

  const TSkinPalette& p = palette;
  b.Desc.SkinColors()
      .Colour("cbtnface", p.Window)
      .Colour("cbtntext", p.Text)
      .Colour("cwindow", p.Surface)
      .Colour("cwindowtext", p.Text)
      .Colour("chighlight", p.Skin.Accent)
      .Colour("chighlighttext", p.TextOnAccent)
      .Colour("cbtnhighlight", p.Surface)
      .Colour("cbtnshadow", p.Edge)
      .Colour("c3dlight", p.Divider)
      .Colour("c3ddkshadow", p.EdgeStrong);
  b.ExpectText("system text on button face", p.Text, p.Window);
  b.ExpectText("window text", p.Text, p.Surface);
  b.ExpectText("highlight text", p.TextOnAccent, p.Skin.Accent);
  return b.Finish();
}
