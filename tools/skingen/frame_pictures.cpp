// The window frame and everything around it: the frame picture and its inactive twin,
// the caption and its buttons, popup menus, hints and the soft layered shadow.

#include "paint.h"
#include "skin_build.h"

#include <algorithm>
#include <cmath>

namespace {

// Frame picture: a 30-pixel caption bar and a 4-pixel sizing border whose outer pixel is
// the edge; the rest of the border is page colour, so the window reads as a thin outline.
constexpr int kFrameW = 200, kFrameH = 120;
constexpr int kCaptionH = 30;
constexpr int kBorder = 4;
constexpr int kButton = 30; // caption buttons are square and as high as the bar
const TspRect kClient{kBorder, kCaptionH, kFrameW - kBorder, kFrameH - kBorder};
const TspRect kButtonsArea{kFrameW - 3 * kButton, 0, kFrameW, kCaptionH};

QImage DrawFrame(const TSkinPalette& p, bool active) {
  const QColor bar = active ? p.Skin.Accent : p.CaptionInactive;
  const QColor edge = active ? p.Skin.Accent : p.FrameInactiveEdge;
  QImage img = NewPart(kFrameW, kFrameH, p.Window);
  FillRect(img, QRect(0, 0, kFrameW, kCaptionH), bar);
  // A light bar needs a line to part it from the page; the accent bar does not.
  if (!active) HLine(img, 0, kFrameW - 1, kCaptionH - 1, p.EdgeSoft);
  HLine(img, 0, kFrameW - 1, 0, edge);
  HLine(img, 0, kFrameW - 1, kFrameH - 1, edge);
  VLine(img, 0, 0, kFrameH - 1, edge);
  VLine(img, kFrameW - 1, 0, kFrameH - 1, edge);
  return img;
}

enum class TCaptionGlyph { Close, Maximize, Restore, Minimize, Menu };

void DrawCaptionGlyph(QImage& img, TCaptionGlyph g, const QColor& c, const QColor& bg) {
  const int x = (kButton - 10) / 2, y = (kButton - 10) / 2;
  switch (g) {
  case TCaptionGlyph::Close:
    GlyphClose(img, x, y, c);
    break;
  case TCaptionGlyph::Maximize:
    GlyphMaximize(img, x, y, c);
    break;
  case TCaptionGlyph::Restore:
    GlyphRestore(img, x, y, c, bg);
    break;
  case TCaptionGlyph::Minimize:
    GlyphMinimize(img, x, y, c);
    break;
  case TCaptionGlyph::Menu:
    GlyphMenu(img, x, y, c);
    break;
  }
}

struct TButtonImages {
  TspRect Normal, Hot, Down, Inactive;
};

// The four looks of one caption button, cut from the frame at the place the button takes
// there, so that edges and bars line up exactly. Hot and pressed fills keep the window's
// outer edge (the top row, and the right column at the window's right end).
TButtonImages AddCaptionButton(TSkinBuild& b, int frameX, TCaptionGlyph glyph, bool isClose) {
  const TSkinPalette& p = b.Pal;
  const QRect place(frameX, 0, kButton, kButton);
  const bool atRightEdge = frameX + kButton == kFrameW;
  const QRect fillArea(0, 1, atRightEdge ? kButton - 1 : kButton, kButton - 1);
  auto look = [&](const QImage& frame, const QColor* fill, const QColor& glyphColour) {
    QImage img = Crop(frame, place);
    QColor bg = img.pixel(kButton / 2, kButton / 2);
    if (fill) {
      FillRect(img, fillArea, *fill);
      bg = *fill;
    }
    DrawCaptionGlyph(img, glyph, glyphColour, bg);
    return img;
  };
  const QColor hot = isClose ? p.CloseHot : p.CaptionButtonHot;
  const QColor down = isClose ? p.CloseDown : p.CaptionButtonDown;
  TButtonImages r;
  r.Normal = b.Add(piCaptionButtons, look(b.Picture, nullptr, p.TextOnAccent));
  r.Hot = b.Add(piCaptionButtons, look(b.Picture, &hot, p.TextOnAccent));
  r.Down = b.Add(piCaptionButtons, look(b.Picture, &down, p.TextOnAccent));
  r.Inactive = b.Add(piCaptionButtons, look(b.InactivePicture, nullptr, p.CaptionInactiveText));
  return r;
}

TDescSection& AddStdButton(TSkinBuild& b, const QString& name, const QString& command,
                           const QString& hint, const TButtonImages& img) {
  return b.Desc.AddObject(name, "stdbutton")
      .Text("hint", hint)
      .Int("activepictureindex", piCaptionButtons)
      .Flag("skinrectinapicture", true)
      .Rect("skinrect", img.Normal)
      .Rect("activeskinrect", img.Hot)
      .Rect("inactiveskinrect", img.Inactive)
      .Rect("downrect", img.Down)
      .Text("command", command);
}

} // namespace

void BuildFrame(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;
  b.Picture = DrawFrame(p, true);
  b.InactivePicture = DrawFrame(p, false);

  // Corner points inside the client rectangle; every band is uniform along its length,
  // so the sides are stretched (one scaled copy) rather than tiled.
  b.Desc.FormInfo()
      .Point("lefttoppoint", 10, 40)
      .Point("righttoppoint", 100, 40)
      .Point("leftbottompoint", 10, 110)
      .Point("rightbottompoint", 190, 110)
      .Rect("clientrect", kClient)
      .Int("bgpictureindex", -1)
      .Int("mdibgpictureindex", -1)
      .Flag("leftstretch", true)
      .Flag("rightstretch", true)
      .Flag("topstretch", true)
      .Flag("bottomstretch", true)
      .Flag("stretcheffect", false)
      .Text("stretchtype", "stfull")
      .Rect("buttonsrect", kButtonsArea)
      .Rect("captionrect", {0, 0, kFrameW, kCaptionH})
      .Int("buttonsoffset", 0)
      .Flag("buttonsinleft", false)
      .Rect("maskrectarea", {})
      .Point("hittestlefttoppoint", 8, 8)
      .Point("hittestrighttoppoint", kFrameW - 8, 8)
      .Point("hittestleftbottompoint", 8, kFrameH - 8)
      .Point("hittestrightbottompoint", kFrameW - 8, kFrameH - 8)
      .Int("borderwidth", kBorder)
      .Int("formminwidth", kFrameW)
      .Int("formminheight", 0)
      .Int("cursorindex", -1)
      .Flag("autorenderinginactiveimage", false)
      .Text("inactiveeffect", "iebrightness");

  // The caption covers the bar up to the buttons and stretches with the window; its text
  // starts 12 pixels in and stops 10 pixels before the buttons.
  b.Desc.AddObject("caption", "caption")
      .Flag("skinrectinapicture", false)
      .Rect("skinrect", {0, 0, kButtonsArea.Left, kCaptionH})
      .Flag("defaultcaption", true)
      .Rect("textrect", {12, 0, kButtonsArea.Left - 10, kCaptionH})
      .Font("", p.CaptionInactiveText, true)
      .Colour("activefontcolor", p.TextOnAccent)
      .Text("alignment", "taleftjustify");
  b.ExpectText("caption text", p.TextOnAccent, p.Skin.Accent);
  b.ExpectText("inactive caption text", p.CaptionInactiveText, p.CaptionInactive);

  const TButtonImages close = AddCaptionButton(b, kFrameW - kButton, TCaptionGlyph::Close, true);
  const TButtonImages max =
      AddCaptionButton(b, kFrameW - 2 * kButton, TCaptionGlyph::Maximize, false);
  const TButtonImages restore =
      AddCaptionButton(b, kFrameW - 2 * kButton, TCaptionGlyph::Restore, false);
  const TButtonImages min =
      AddCaptionButton(b, kFrameW - 3 * kButton, TCaptionGlyph::Minimize, false);
  const TButtonImages menu = AddCaptionButton(b, 0, TCaptionGlyph::Menu, false);

  AddStdButton(b, "closebutton", "cmclose", "Close", close);
  AddStdButton(b, "maxbutton", "cmmaximize", "Maximize", max)
      .Rect("restorerect", restore.Normal)
      .Rect("restoreactiverect", restore.Hot)
      .Rect("restoredownrect", restore.Down)
      .Rect("restoreinactiverect", restore.Inactive)
      .Text("restorehint", "Restore");
  AddStdButton(b, "minbutton", "cmminimize", "Minimize", min);
  AddStdButton(b, "sysmenubutton", "cmsysmenu", "System menu", menu);
}

namespace {

// Menu items: 22 pixels high; the hot item is an accent box with rounded ends, kept 2
// pixels off the sides by fixed ends of 6 pixels.
constexpr int kItemW = 40, kItemH = 22;
constexpr int kItemEnd = 6;

QImage MenuItem(const TSkinPalette& p, bool hot) {
  QImage img = NewPart(kItemW, kItemH, p.Surface);
  if (hot) RoundedBox(img, QRect(2, 1, kItemW - 4, kItemH - 2), 3, p.Skin.Accent, QColor());
  return img;
}

QImage MenuMark(const QColor& bg, const QColor& fg, bool radio) {
  QImage img = NewPart(16, 16, bg);
  if (radio)
    Disc(img, QRectF(5, 5, 6, 6), fg);
  else
    CheckMark(img, 8, 8, 1.5, fg);
  return img;
}

QImage MenuArrow(const QColor& bg, const QColor& fg) {
  QImage img = NewPart(9, 9, bg);
  Chevron(img, 4, 4, 3, TGlyphDirection::Right, fg);
  return img;
}

} // namespace

void BuildPopupAndHint(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  // Popup window: white with a 1-pixel edge; items start 2 pixels in from the sides and
  // 3 from the top and bottom.
  QImage window = NewPart(24, 24, p.Surface);
  RoundedBox(window, window.rect(), 0, p.Surface, p.Edge);
  b.Add(piPopup, window);
  b.Desc.PopupWindow()
      .Int("windowpictureindex", piPopup)
      .Int("maskpictureindex", -1)
      .Point("lefttoppoint", 4, 4)
      .Point("righttoppoint", 20, 4)
      .Point("leftbottompoint", 4, 20)
      .Point("rightbottompoint", 20, 20)
      .Rect("itemsrect", {2, 3, 22, 21})
      .Colour("scrollmarkercolor", p.Glyph)
      .Colour("scrollmarkeractivecolor", p.Skin.Accent)
      .Flag("leftstretch", true)
      .Flag("rightstretch", true)
      .Flag("topstretch", true)
      .Flag("bottomstretch", true)
      .Flag("stretcheffect", true)
      .Text("stretchtype", "stfull");

  const TspRect normal = b.Add(piMenuItem, MenuItem(p, false));
  const TspRect hot = b.Add(piMenuItem, MenuItem(p, true));
  QImage divider = NewPart(kItemW, 7, p.Surface);
  HLine(divider, 8, kItemW - 9, 3, p.Divider);
  const TspRect dividerRect = b.Add(piMenuItem, divider);
  const TspRect check = b.Add(piMenuItem, MenuMark(p.Surface, p.Text, false));
  const TspRect checkHot = b.Add(piMenuItem, MenuMark(p.Skin.Accent, p.TextOnAccent, false));
  const TspRect radio = b.Add(piMenuItem, MenuMark(p.Surface, p.Text, true));
  const TspRect radioHot = b.Add(piMenuItem, MenuMark(p.Skin.Accent, p.TextOnAccent, true));
  const TspRect arrow = b.Add(piMenuItem, MenuArrow(p.Surface, p.Text));
  const TspRect arrowHot = b.Add(piMenuItem, MenuArrow(p.Skin.Accent, p.TextOnAccent));

  b.Desc.AddObject("menuitem", "menuitem")
      .Int("activepictureindex", piMenuItem)
      .Flag("skinrectinapicture", true)
      .Rect("skinrect", normal)
      .Rect("activeskinrect", hot)
      .Int("itemleftoffset", kItemEnd)
      .Int("itemrightoffset", kItemEnd)
      .Rect("dividerrect", dividerRect)
      .Int("dividerleftoffset", 8)
      .Int("dividerrightoffset", 8)
      .Rect("textrect", {26, 0, kItemW - 8, kItemH})
      .Rect("imagerect", {6, 3, 22, 19})
      .Font("", p.Text)
      .Colour("activefontcolor", p.TextOnAccent)
      .Colour("unenabledfontcolor", p.TextDisabled)
      .Flag("stretcheffect", true)
      .Flag("inactivestretcheffect", true)
      .Flag("dividerstretcheffect", true)
      .Rect("checkimagerect", check)
      .Rect("activecheckimagerect", checkHot)
      .Rect("radioimagerect", radio)
      .Rect("activeradioimagerect", radioHot)
      .Rect("arrowimagerect", arrow)
      .Rect("activearrowimagerect", arrowHot);
  b.ExpectText("menu item text", p.Text, piMenuItem, normal);
  b.ExpectText("hot menu item text", p.TextOnAccent, piMenuItem, hot);
  b.ExpectText("disabled menu item text", p.TextDisabled, piMenuItem, normal);

  // Hint: white, a 1-pixel edge, 6 pixels of padding at the sides and 5 above and below
  // (the reader adds 5 more to the width). Its text keeps the grey that hints have always
  // had in the built-in skins, RGB(68, 68, 68).
  const QColor hintText(68, 68, 68);
  QImage hint = NewPart(16, 16, p.Surface);
  RoundedBox(hint, hint.rect(), 0, p.Surface, p.Edge);
  const TspRect hintRect = b.Add(piHint, hint);
  b.Desc.HintWindow()
      .Int("windowpictureindex", piHint)
      .Int("maskpictureindex", -1)
      .Point("lefttoppoint", 3, 3)
      .Point("righttoppoint", 13, 3)
      .Point("leftbottompoint", 3, 13)
      .Point("rightbottompoint", 13, 13)
      .Rect("clientrect", {6, 5, 10, 11})
      .Font("", hintText)
      .Flag("leftstretch", true)
      .Flag("rightstretch", true)
      .Flag("topstretch", true)
      .Flag("bottomstretch", true)
      .Flag("stretcheffect", true)
      .Text("stretchtype", "stfull");
  b.ExpectText("hint text", hintText, piHint,
               {hintRect.Left + 2, hintRect.Top + 2, hintRect.Right - 2, hintRect.Bottom - 2});
}

namespace {

// Layered shadow: the window sits in the middle 16 x 16 of a 32 x 32 picture; the mask
// fades from `peak` next to the window to nothing 8 pixels out.
constexpr int kShadow = 8, kLayerSide = 32;

QImage ShadowMask(int peak) {
  QImage img = NewPart(kLayerSide, kLayerSide, Qt::black);
  const double l = kShadow, t = kShadow, r = kLayerSide - kShadow, bt = kLayerSide - kShadow;
  for (int y = 0; y < kLayerSide; ++y)
    for (int x = 0; x < kLayerSide; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double dx = std::max({l - cx, 0.0, cx - r});
      const double dy = std::max({t - cy, 0.0, cy - bt});
      const double d = std::hypot(dx, dy);
      if (d <= 0 || d >= kShadow) continue;
      const double f = 1.0 - d / kShadow;
      const int a = int(std::lround(peak * f * f));
      img.setPixel(x, y, qRgb(a, a, a));
    }
  return img;
}

} // namespace

void BuildLayerFrame(TSkinBuild& b) {
  b.Add(piLayer, NewPart(kLayerSide, kLayerSide, b.Pal.ShadowColor));
  b.Add(piLayerMask, ShadowMask(60));
  b.Add(piLayerInactiveMask, ShadowMask(32));
  const int c0 = kShadow, c1 = kLayerSide - kShadow;
  b.Desc.LayerFrame()
      .Int("pictureindex", piLayer)
      .Int("maskpictureindex", piLayerMask)
      .Int("inactivepictureindex", piLayer)
      .Int("inactivemaskpictureindex", piLayerInactiveMask)
      .Point("lefttoppoint", c0 + 4, c0)
      .Point("righttoppoint", c1 - 4, c0)
      .Point("leftbottompoint", c0 + 4, c1)
      .Point("rightbottompoint", c1 - 4, c1)
      .Rect("clientrect", {c0, c0, c1, c1})
      .Int("alphablendvalue", 255)
      .Int("inactivealphablendvalue", 255)
      .Rect("borderrect", {})
      .Flag("hittestenable", false)
      .Flag("fullborder", false)
      .Int("hittestsize", 0)
      .Flag("fullstretch", true)
      .Int("blurmaskpictureindex", -1)
      .Int("leftoffset", 0)
      .Int("topoffset", 0)
      .Int("widthoffset", 0)
      .Int("heightoffset", 0);
}
