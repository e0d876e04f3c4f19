// Lists and choices: the list box, the data grid, check boxes and radio buttons, and the
// three scroll bars.

#include "control_common.h"
#include "paint.h"

namespace {

// Check and radio marks are drawn by the engine with their bottom-left colour left out.
// That colour is pure white around the mark; the white inside a box is one step off, so
// it stays, and the smoothed rims blend towards the white of the panels they sit on.
const QColor kKnockOut(0xFFFFFF);
const QColor kInsideWhite(0xFEFEFE);
constexpr int kMark = 13;

enum class TMark { Unchecked, Checked, Grayed };
enum class TMarkState { Normal, Hot, Disabled };

QImage CheckBoxMark(const TSkinPalette& p, TMark mark, TMarkState state) {
  QImage img = NewPart(kMark, kMark, kKnockOut);
  const QRect box(0, 0, kMark, kMark);
  const bool disabled = state == TMarkState::Disabled;
  const QColor accent = state == TMarkState::Hot ? p.Skin.AccentHover : p.Skin.Accent;
  if (mark == TMark::Checked) {
    const QColor fill = disabled ? p.Edge : accent;
    RoundedBox(img, box, 2.5, fill, fill);
    CheckMark(img, 6.5, 6.5, 1.6, p.TextOnAccent);
  } else {
    const QColor edge = disabled ? p.Edge : state == TMarkState::Hot ? p.Skin.Accent : p.EdgeStrong;
    RoundedBox(img, box, 2.5, disabled ? p.Window : kInsideWhite, edge);
    if (mark == TMark::Grayed) FillRect(img, QRect(3, 6, 7, 2), disabled ? p.Edge : accent);
  }
  img.setPixel(0, kMark - 1, kKnockOut.rgb());
  return img;
}

QImage RadioMark(const TSkinPalette& p, bool checked, TMarkState state) {
  QImage img = NewPart(kMark, kMark, kKnockOut);
  const QRectF box(0, 0, kMark, kMark);
  const bool disabled = state == TMarkState::Disabled;
  const QColor accent = state == TMarkState::Hot ? p.Skin.AccentHover : p.Skin.Accent;
  if (checked) {
    Disc(img, box, disabled ? p.Edge : accent);
    Disc(img, QRectF(4, 4, 5, 5), kInsideWhite);
  } else {
    const QColor ring = disabled ? p.Edge : state == TMarkState::Hot ? p.Skin.Accent : p.EdgeStrong;
    Disc(img, box, disabled ? p.Window : kInsideWhite, ring);
  }
  img.setPixel(0, kMark - 1, kKnockOut.rgb());
  return img;
}

// One check or radio record: the flat marks of every state, and a plain face for the
// non-flat look (the mark in a 20-pixel area at the left, the text after it).
void AddCheckRadio(TSkinBuild& b, const QString& name, bool radio) {
  const TSkinPalette& p = b.Pal;
  auto mark = [&](TMark m, TMarkState s) {
    return b.Add(piLists, radio ? RadioMark(p, m == TMark::Checked, s) : CheckBoxMark(p, m, s));
  };
  const int w = 40, h = 25;
  const TspRect face = b.Add(piLists, NewPart(w, h, p.Surface));
  const TspRect faceHot = b.Add(piLists, NewPart(w, h, p.SurfaceHot));
  const TspRect check = mark(TMark::Checked, TMarkState::Normal);
  const TspRect uncheck = mark(TMark::Unchecked, TMarkState::Normal);
  const TspRect checkHot = mark(TMark::Checked, TMarkState::Hot);
  const TspRect uncheckHot = mark(TMark::Unchecked, TMarkState::Hot);
  const TspRect checkOff = mark(TMark::Checked, TMarkState::Disabled);
  const TspRect uncheckOff = mark(TMark::Unchecked, TMarkState::Disabled);
  TDescSection& s = AddControlRecord(b, name, "checkradio", piLists, face)
                        .Point("lefttoppoint", 20, h / 2)
                        .Point("righttoppoint", w - 2, h / 2)
                        .Point("leftbottompoint", 0, 0)
                        .Point("rightbottompoint", 0, 0)
                        .Rect("clientrect", {0, 0, w, h})
                        .Flag("stretcheffect", true)
                        .Font("", p.Text)
                        .Colour("activefontcolor", p.Text)
                        .Colour("unenabledfontcolor", p.TextDisabled)
                        .Colour("framefontcolor", p.Text)
                        .Flag("morphing", false)
                        .Rect("activeskinrect", faceHot)
                        .Rect("checkimagearea", {0, 0, 20, h})
                        .Rect("textarea", {20, 0, w, h})
                        .Rect("checkimagerect", check)
                        .Rect("uncheckimagerect", uncheck)
                        .Rect("activecheckimagerect", checkHot)
                        .Rect("activeuncheckimagerect", uncheckHot)
                        .Rect("unenabledcheckimagerect", checkOff)
                        .Rect("unenableduncheckimagerect", uncheckOff);
  if (!radio) {
    s.Rect("grayedcheckimagerect", mark(TMark::Grayed, TMarkState::Normal))
        .Rect("activegrayedcheckimagerect", mark(TMark::Grayed, TMarkState::Hot));
  }
  b.ExpectText(name + " caption", p.Text, piLists, face);
  b.ExpectText(name + " caption on the page", p.Text, p.Window);
  b.ExpectText(name + " hot caption", p.Text, piLists, faceHot);
  b.ExpectText(name + " disabled caption", p.TextDisabled, piLists, face);
}

// A flat fill with an inner ring: the focused and selected row or cell.
QImage FocusedAccent(const TSkinPalette& p, int w, int h) {
  QImage img = NewPart(w, h, p.Skin.Accent);
  RoundedBox(img, QRect(1, 1, w - 2, h - 2), 0, p.Skin.Accent, p.FocusRing);
  return img;
}

} // namespace

void BuildLists(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  // List box: a white box with an edge; 18-pixel rows, the selected row filled with the
  // accent, the focused selected row with an inner ring as well.
  {
    const int w = 30, rowH = 18;
    QImage box = NewPart(w, w, p.Surface);
    RoundedBox(box, box.rect(), 0, p.Surface, p.Edge);
    const TspRect frame = b.Add(piLists, box);
    const TspRect item = b.Add(piLists, NewPart(w, rowH, p.Surface));
    const TspRect selected = b.Add(piLists, NewPart(w, rowH, p.Skin.Accent));
    const TspRect focused = b.Add(piLists, FocusedAccent(p, w, rowH));
    AddControlRecord(b, "listbox", "listbox", piLists, frame)
        .Geometry({4, 4}, {w - 4, 4}, {4, w - 4}, {w - 4, w - 4}, {1, 1, w - 1, w - 1}, true, true)
        .Rect("itemrect", item)
        .Rect("activeitemrect", selected)
        .Rect("focusitemrect", focused)
        .Int("itemleftoffset", 2)
        .Int("itemrightoffset", 2)
        .Rect("itemtextrect", {4, 0, w - 4, rowH})
        .Font("", p.Text)
        .Colour("activefontcolor", p.TextOnAccent)
        .Colour("focusfontcolor", p.TextOnAccent)
        .Text("vscrollbarname", "vscrollbar")
        .Text("hscrollbarname", "hscrollbar")
        .Text("bothhscrollbarname", "bothhscrollbar")
        .Flag("showfocus", false);
    b.ExpectText("list item text", p.Text, piLists, item);
    b.ExpectText("selected list item text", p.TextOnAccent, piLists, selected);
    b.ExpectText("focused list item text", p.TextOnAccent, piLists, Inset(focused, 2, 2));
  }

  // Data grid: titles on the header colour, the selected cell in the accent, the focused
  // one with an inner ring; the engine draws the lines and the plain cells.
  {
    const int w = 20, h = 19;
    const TspRect fixed = b.Add(piLists, NewPart(w, h, p.SurfaceHeader));
    const TspRect select = b.Add(piLists, NewPart(w, h, p.Skin.Accent));
    const TspRect focus = b.Add(piLists, FocusedAccent(p, w, h));
    AddControlRecord(b, "grid", "grid", piLists, {})
        .Rect("fixedcellrect", fixed)
        .Rect("selectcellrect", select)
        .Rect("focuscellrect", focus)
        .Int("fixedcellleftoffset", 3)
        .Int("fixedcellrightoffset", 3)
        .Rect("fixedcelltextrect", {3, 1, w - 3, h - 1})
        .Int("cellleftoffset", 3)
        .Int("cellrightoffset", 3)
        .Rect("celltextrect", {3, 1, w - 3, h - 1})
        .Colour("linescolor", p.Divider)
        .Colour("bgcolor", p.Surface)
        .Int("bgpictureindex", -1)
        .Font("", p.Text)
        .Colour("selectfontcolor", p.TextOnAccent)
        .Colour("focusfontcolor", p.TextOnAccent)
        .Font("fixed", p.TextSecondary, true)
        .Flag("cellstretcheffect", true)
        .Flag("fixedcellstretcheffect", true)
        .Flag("showfocus", false);
    b.ExpectText("grid title text", p.TextSecondary, piLists, fixed);
    b.ExpectText("grid cell text", p.Text, p.Surface);
    b.ExpectText("selected grid cell text", p.TextOnAccent, piLists, select);
    b.ExpectText("focused grid cell text", p.TextOnAccent, piLists, Inset(focus, 2, 2));
  }

  AddCheckRadio(b, "checkbox", false);
  AddCheckRadio(b, "radiobox", true);
}

namespace {

// Scroll bars: 14 pixels across, a flat track in the window colour, 14-pixel arrow
// buttons with 1-pixel chevrons, and a rounded thumb 3 pixels in from the sides.
constexpr int kBar = 14, kBarLength = 66, kThumbLength = 20, kThumbEnd = 5;

QImage Thumb(const TSkinPalette& p, const QColor& c, bool vertical) {
  const QSize size = vertical ? QSize(kBar, kThumbLength) : QSize(kThumbLength, kBar);
  QImage img = NewPart(size, p.Window);
  const QRect pill =
      vertical ? QRect(3, 1, kBar - 6, kThumbLength - 2) : QRect(1, 3, kThumbLength - 2, kBar - 6);
  RoundedBox(img, pill, 4, c, QColor());
  return img;
}

QImage ArrowButton(const QColor& bg, const QColor& glyph, TGlyphDirection dir) {
  QImage img = NewPart(kBar, kBar, bg);
  Chevron(img, kBar / 2, kBar / 2, 3, dir, glyph);
  return img;
}

// One scroll bar record in its own picture, at the origin. `corner` adds the square where
// a horizontal bar meets a vertical one.
void AddScrollBar(TSkinBuild& b, const QString& name, TPictureIndex picture, bool vertical,
                  int corner) {
  const TSkinPalette& p = b.Pal;
  const TGlyphDirection nearDir = vertical ? TGlyphDirection::Up : TGlyphDirection::Left;
  const TGlyphDirection farDir = vertical ? TGlyphDirection::Down : TGlyphDirection::Right;
  const int length = kBarLength + corner;
  // Along the bar: the near ("down") button, the track, the far ("up") button, the corner.
  const int farAt = kBarLength - kBar;
  auto along = [&](int a0, int a1) {
    return vertical ? TspRect{0, a0, kBar, a1} : TspRect{a0, 0, a1, kBar};
  };
  QImage bar = vertical ? NewPart(kBar, length, p.Window) : NewPart(length, kBar, p.Window);
  const TspRect nearButton = along(0, kBar), farButton = along(farAt, kBarLength);
  Blit(bar, nearButton.Left, nearButton.Top, ArrowButton(p.Window, p.Glyph, nearDir));
  Blit(bar, farButton.Left, farButton.Top, ArrowButton(p.Window, p.Glyph, farDir));
  const TspRect skin = b.Add(picture, bar);
  RequireOrigin(skin, "scroll bar");
  const TspRect nearHot = b.Add(picture, ArrowButton(p.SurfacePressed, p.Text, nearDir));
  const TspRect nearDown = b.Add(picture, ArrowButton(p.Edge, p.Text, nearDir));
  const TspRect farHot = b.Add(picture, ArrowButton(p.SurfacePressed, p.Text, farDir));
  const TspRect farDown = b.Add(picture, ArrowButton(p.Edge, p.Text, farDir));
  const TspRect thumb = b.Add(picture, Thumb(p, p.Thumb, vertical));
  const TspRect thumbHot = b.Add(picture, Thumb(p, p.ThumbHot, vertical));
  const TspRect thumbDown = b.Add(picture, Thumb(p, p.Skin.Accent, vertical));

  TDescSection& s = AddControlRecord(b, name, "scrollbar", picture, skin);
  if (vertical)
    s.Point("lefttoppoint", 0, kBar)
        .Point("righttoppoint", 0, 0)
        .Point("leftbottompoint", 0, farAt)
        .Point("rightbottompoint", 0, 0);
  else
    s.Point("lefttoppoint", kBar, 0)
        .Point("righttoppoint", farAt, 0)
        .Point("leftbottompoint", 0, 0)
        .Point("rightbottompoint", 0, 0);
  s.Rect("clientrect", along(kBar, farAt))
      .Flag("stretcheffect", true)
      .Rect("trackarea", along(kBar, farAt))
      .Rect("upbuttonrect", farButton)
      .Rect("activeupbuttonrect", farHot)
      .Rect("downupbuttonrect", farDown)
      .Rect("downbuttonrect", nearButton)
      .Rect("activedownbuttonrect", nearHot)
      .Rect("downdownbuttonrect", nearDown)
      .Rect("thumbrect", thumb)
      .Rect("activethumbrect", thumbHot)
      .Rect("downthumbrect", thumbDown)
      .Int("thumboffset1", kThumbEnd)
      .Int("thumboffset2", kThumbEnd)
      .Flag("thumbtransparent", false)
      .Flag("thumbstretcheffect", true)
      .Int("thumbminsize", 12)
      .Int("thumbminpagesize", 17)
      .Flag("glyphtransparent", false);
}

} // namespace

void BuildScrollBars(TSkinBuild& b) {
  AddScrollBar(b, "vscrollbar", piVScroll, true, 0);
  AddScrollBar(b, "hscrollbar", piHScroll, false, 0);
  AddScrollBar(b, "bothhscrollbar", piBothHScroll, false, kBar);
}
