// Push buttons, the small square buttons, the tab scroller and the text fields.

#include "control_common.h"
#include "paint.h"

namespace {

// Push button: 23 pixels high, rounded 3, fixed ends of 4 and 5 pixels, an 11-pixel
// middle that tiles.
constexpr int kButtonW = 20, kButtonH = 23;

enum class TFace { Normal, Hot, Down, Focused, Disabled };

QColor ToolDownFill(const TSkinPalette& p) {
  return Mix(p.Skin.Accent, Qt::white, 0.72);
}

// The face of a button-like box. Hot, pressed and focused faces are accent boxes that
// carry white text; the focused one has an inner ring so it still reads as focused
// while the mouse is elsewhere.
QImage ButtonFace(const TSkinPalette& p, QSize size, TFace face, double radius = 3) {
  QImage img = NewPart(size, p.Surface);
  const QRect r(QPoint(0, 0), size);
  switch (face) {
  case TFace::Normal:
    RoundedBox(img, r, radius, p.Surface, p.Edge);
    break;
  case TFace::Hot:
    RoundedBox(img, r, radius, p.Skin.AccentHover, p.Skin.AccentHover);
    break;
  case TFace::Down:
    RoundedBox(img, r, radius, p.Skin.AccentDown, p.Skin.AccentDown);
    break;
  case TFace::Focused:
    RoundedBox(img, r, radius, p.Skin.Accent, p.Skin.Accent);
    RoundedBox(img, r.adjusted(2, 2, -2, -2), radius - 1, p.Skin.Accent, p.FocusRing);
    break;
  case TFace::Disabled:
    RoundedBox(img, r, radius, p.Window, p.EdgeSoft);
    break;
  }
  return img;
}

// Small square buttons (the month calendar's steppers and its selected day): flat until
// the mouse comes, then a light face; pressed, an accent box with white text.
QImage SquareFace(const TSkinPalette& p, QSize size, TFace face) {
  QImage img = NewPart(size, p.Surface);
  const QRect r(QPoint(0, 0), size);
  switch (face) {
  case TFace::Normal:
  case TFace::Disabled:
    break;
  case TFace::Hot:
    RoundedBox(img, r, 3, p.SurfaceHot, p.Edge);
    break;
  case TFace::Down:
  case TFace::Focused:
    RoundedBox(img, r, 3, p.Skin.Accent, p.Skin.Accent);
    break;
  }
  return img;
}

// Tool buttons (speed buttons): a light box that tints with the accent under the mouse and
// holds a deeper tint while down or checked, so a checked tool stays readable as a state
// and its glyph and caption keep their colours.
QImage ToolFace(const TSkinPalette& p, QSize size, TFace face) {
  QImage img = NewPart(size, p.Surface);
  const QRect r(QPoint(0, 0), size);
  switch (face) {
  case TFace::Normal:
  case TFace::Focused:
    RoundedBox(img, r, 3, p.Surface, p.Edge);
    break;
  case TFace::Hot:
    RoundedBox(img, r, 3, p.AccentTint, p.Skin.Accent);
    break;
  case TFace::Down:
    RoundedBox(img, r, 3, ToolDownFill(p), p.Skin.AccentDown);
    break;
  case TFace::Disabled:
    RoundedBox(img, r, 3, p.Window, p.EdgeSoft);
    break;
  }
  return img;
}

// One half of the tab scroller: a bordered square with a chevron.
QImage StepperFace(const TSkinPalette& p, TGlyphDirection dir, TFace face) {
  const QColor fill = face == TFace::Hot    ? p.SurfaceHot
                      : face == TFace::Down ? p.SurfacePressed
                                            : p.Surface;
  const QColor edge = face == TFace::Normal ? p.Edge : p.Skin.Accent;
  QImage img = NewPart(20, 20, p.Surface);
  RoundedBox(img, img.rect(), 3, fill, edge);
  Chevron(img, 10, 10, 3, dir, face == TFace::Normal ? p.Glyph : p.Text);
  return img;
}

// The faces of a push-button record and the caption colour on each; an empty rectangle is
// a state without a face of its own.
struct TButtonFaces {
  TspRect Normal, Hot, Down, Focused, Disabled;
  QColor Text, HotText, DownText, FocusedText, DisabledText;
};

// Writes the keys that follow a push-button record's geometry (caption colours, the faces of
// the other states, no morphing, focus rectangle or glow) and asks for the caption to be
// readable on every face; `what` names the button in those checks.
void ButtonStates(TSkinBuild& b, TDescSection& s, const QString& what, const TButtonFaces& f) {
  s.Font("", f.Text)
      .Colour("activefontcolor", f.HotText)
      .Colour("downfontcolor", f.DownText)
      .Colour("disabledfontcolor", f.DisabledText)
      .Rect("activeskinrect", f.Hot)
      .Rect("downskinrect", f.Down);
  if (!f.Focused.IsEmpty()) s.Rect("focusedskinrect", f.Focused);
  if (!f.Disabled.IsEmpty()) s.Rect("disabledskinrect", f.Disabled);
  s.Flag("morphing", false)
      .Flag("showfocus", false)
      .Int("glowlayerpictureindex", -1)
      .Int("glowlayermaskpictureindex", -1);
  b.ExpectText(what + " text", f.Text, piButtons, Inset(f.Normal, 5, 5));
  b.ExpectText("hot " + what + " text", f.HotText, piButtons, Inset(f.Hot, 5, 5));
  b.ExpectText("pressed " + what + " text", f.DownText, piButtons, Inset(f.Down, 5, 5));
  if (!f.Focused.IsEmpty())
    b.ExpectText("focused " + what + " text", f.FocusedText, piButtons, Inset(f.Focused, 5, 5));
  if (!f.Disabled.IsEmpty())
    b.ExpectText("disabled " + what + " text", f.DisabledText, piButtons, Inset(f.Disabled, 5, 5));
}

} // namespace

void BuildButtons(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  // The tab scroller first: it sits at the picture's origin (see skin_build.h). The left
  // half steps back ("down"), the right half forward ("up").
  QImage updown = NewPart(40, 20, p.Surface);
  Blit(updown, 0, 0, StepperFace(p, TGlyphDirection::Left, TFace::Normal));
  Blit(updown, 20, 0, StepperFace(p, TGlyphDirection::Right, TFace::Normal));
  const TspRect updownRect = b.Add(piButtons, updown);
  RequireOrigin(updownRect, "updown");
  const TspRect upHot = b.Add(piButtons, StepperFace(p, TGlyphDirection::Right, TFace::Hot));
  const TspRect upDown = b.Add(piButtons, StepperFace(p, TGlyphDirection::Right, TFace::Down));
  const TspRect downHot = b.Add(piButtons, StepperFace(p, TGlyphDirection::Left, TFace::Hot));
  const TspRect downDown = b.Add(piButtons, StepperFace(p, TGlyphDirection::Left, TFace::Down));
  AddControlRecord(b, "updown", "updown", piButtons, updownRect)
      .Rect("clientrect", {0, 0, 40, 20})
      .Rect("upbuttonrect", {20, 0, 40, 20})
      .Rect("activeupbuttonrect", upHot)
      .Rect("downupbuttonrect", upDown)
      .Rect("downbuttonrect", {0, 0, 20, 20})
      .Rect("activedownbuttonrect", downHot)
      .Rect("downdownbuttonrect", downDown);

  const QSize buttonSize(kButtonW, kButtonH);
  const TspRect normal = b.Add(piButtons, ButtonFace(p, buttonSize, TFace::Normal));
  const TspRect hot = b.Add(piButtons, ButtonFace(p, buttonSize, TFace::Hot));
  const TspRect down = b.Add(piButtons, ButtonFace(p, buttonSize, TFace::Down));
  const TspRect focused = b.Add(piButtons, ButtonFace(p, buttonSize, TFace::Focused));
  const TspRect disabled = b.Add(piButtons, ButtonFace(p, buttonSize, TFace::Disabled));
  TDescSection& button = AddControlRecord(b, "button", "button", piButtons, normal)
                             .Point("lefttoppoint", 4, 11)
                             .Point("righttoppoint", kButtonW - 5, 11)
                             .Point("leftbottompoint", 0, 0)
                             .Point("rightbottompoint", 0, 0)
                             .Rect("clientrect", {3, 2, kButtonW - 3, kButtonH - 2})
                             .Flag("stretcheffect", false);
  ButtonStates(b, button, "button",
               {normal, hot, down, focused, disabled, p.Text, p.TextOnAccent, p.TextOnAccent,
                p.TextOnAccent, p.TextDisabled});

  const QSize squareSize(23, 23);
  const TspRect sqNormal = b.Add(piButtons, SquareFace(p, squareSize, TFace::Normal));
  const TspRect sqHot = b.Add(piButtons, SquareFace(p, squareSize, TFace::Hot));
  const TspRect sqDown = b.Add(piButtons, SquareFace(p, squareSize, TFace::Down));
  TDescSection& square =
      AddControlRecord(b, "resizebutton", "button", piButtons, sqNormal)
          .Geometry({4, 4}, {19, 4}, {4, 19}, {19, 19}, {3, 3, 20, 20}, true, true);
  ButtonStates(
      b, square, "square button",
      {sqNormal, sqHot, sqDown, {}, {}, p.Text, p.Text, p.TextOnAccent, {}, p.TextDisabled});

  // Tool buttons, 25 x 25: corners of 4 that stay, sides and centre that stretch, so a
  // tool button with a caption can be any width.
  const QSize toolSize(25, 25);
  const TspRect toolNormal = b.Add(piButtons, ToolFace(p, toolSize, TFace::Normal));
  const TspRect toolHot = b.Add(piButtons, ToolFace(p, toolSize, TFace::Hot));
  const TspRect toolDown = b.Add(piButtons, ToolFace(p, toolSize, TFace::Down));
  const TspRect toolDisabled = b.Add(piButtons, ToolFace(p, toolSize, TFace::Disabled));
  TDescSection& tool =
      AddControlRecord(b, "toolbutton", "button", piButtons, toolNormal)
          .Geometry({4, 4}, {21, 4}, {4, 21}, {21, 21}, {3, 3, 22, 22}, true, true);
  ButtonStates(b, tool, "tool button",
               {toolNormal,
                toolHot,
                toolDown,
                {},
                toolDisabled,
                p.Text,
                p.Text,
                p.Text,
                {},
                p.TextDisabled});
}

namespace {

// Text fields: 19 pixels high (20 for the spin edit, 21 for the combo box), rounded 2,
// a 1-pixel edge that turns to the accent under the mouse and with the focus.
constexpr int kEditH = 19, kSpinH = 20, kComboH = 21;

QImage FieldFrame(const TSkinPalette& p, QSize size, bool active) {
  QImage img = NewPart(size, p.Surface);
  RoundedBox(img, QRect(QPoint(0, 0), size), 2, p.Surface, active ? p.Skin.Accent : p.Edge);
  return img;
}

// A small calendar: the date edit's button.
void CalendarGlyph(QImage& img, int x, int y, const QColor& c) {
  FillRect(img, QRect(x, y + 1, 11, 3), c);
  HLine(img, x, x + 10, y + 9, c);
  VLine(img, x, y + 1, y + 9, c);
  VLine(img, x + 10, y + 1, y + 9, c);
  SetPixel(img, x + 3, y, c);
  SetPixel(img, x + 7, y, c);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col) SetPixel(img, x + 3 + 2 * col, y + 5 + 2 * row, c);
}

// A button inside a field's edge: a face of its own colour with a glyph.
template <typename Glyph> QImage FieldButton(QSize size, const QColor& fill, Glyph glyph) {
  QImage img = NewPart(size, fill);
  glyph(img);
  return img;
}

void BuildSpinEdit(TSkinBuild& b);
void BuildComboBox(TSkinBuild& b);

} // namespace

void BuildEdits(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  // Date edit (button edit) first, at the picture's origin: a 16 x 17 button inside the
  // edge at the right end, parted from the text by a 1-pixel divider.
  {
    const int w = 40;
    const QRect button(w - 17, 1, 16, kEditH - 2);
    auto frame = [&](bool active) {
      QImage img = FieldFrame(p, QSize(w, kEditH), active);
      VLine(img, button.left() - 1, 1, kEditH - 2, p.Divider);
      CalendarGlyph(img, button.left() + 3, button.top() + 3, p.Glyph);
      return img;
    };
    auto face = [&](const QColor& fill, const QColor& glyph) {
      return FieldButton(button.size(), fill,
                         [&](QImage& img) { CalendarGlyph(img, 3, 3, glyph); });
    };
    const TspRect normal = b.Add(piEdits, frame(false));
    RequireOrigin(normal, "buttonedit");
    const TspRect active = b.Add(piEdits, frame(true));
    const TspRect hot = b.Add(piEdits, face(p.SurfaceHot, p.Text));
    const TspRect down = b.Add(piEdits, face(p.SurfacePressed, p.Text));
    const TspRect off = b.Add(piEdits, face(p.Surface, p.Edge));
    AddControlRecord(b, "buttonedit", "edit", piEdits, normal)
        .Point("lefttoppoint", 4, 9)
        .Point("righttoppoint", button.left() - 2, 9)
        .Point("leftbottompoint", 0, 0)
        .Point("rightbottompoint", 0, 0)
        .Rect("clientrect", {4, 2, button.left() - 2, kEditH - 2})
        .Flag("stretcheffect", true)
        .Rect("activeskinrect", active)
        .Font("", p.Text)
        .Colour("disabledfontcolor", p.TextDisabled)
        .Colour("activefontcolor", p.Text)
        .Rect("buttonrect", TspRect::FromQRect(button))
        .Rect("activebuttonrect", hot)
        .Rect("downbuttonrect", down)
        .Rect("unenabledbuttonrect", off);
    b.ExpectInside("buttonedit button", piEdits, TspRect::FromQRect(button));
    b.ExpectText("date edit text", p.Text, piEdits, Inset(normal, 6, 5));
    b.ExpectText("disabled date edit text", p.TextDisabled, piEdits, Inset(normal, 6, 5));
  }

  const TspRect normal = b.Add(piEdits, FieldFrame(p, QSize(20, kEditH), false));
  const TspRect active = b.Add(piEdits, FieldFrame(p, QSize(20, kEditH), true));
  AddControlRecord(b, "edit", "edit", piEdits, normal)
      .Point("lefttoppoint", 4, 9)
      .Point("righttoppoint", 16, 9)
      .Point("leftbottompoint", 0, 0)
      .Point("rightbottompoint", 0, 0)
      .Rect("clientrect", {4, 2, 16, kEditH - 2})
      .Flag("stretcheffect", true)
      .Rect("activeskinrect", active)
      .Font("", p.Text)
      .Colour("disabledfontcolor", p.TextDisabled)
      .Colour("activefontcolor", p.Text);
  b.ExpectText("edit text", p.Text, piEdits, Inset(normal, 4, 4));
  b.ExpectText("disabled edit text", p.TextDisabled, piEdits, Inset(normal, 4, 4));

  BuildSpinEdit(b);
  BuildComboBox(b);
}

namespace {

void BuildSpinEdit(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;
  // Spin edit, at the origin of its picture: two stacked 15 x 9 buttons inside the edge.
  const int w = 44;
  const QRect up(w - 16, 1, 15, 9), down(w - 16, 10, 15, 9);
  auto arrows = [&](QImage& img, const QRect& r, TGlyphDirection dir, const QColor& c) {
    Chevron(img, r.left() + 7, r.top() + 4, 3, dir, c);
  };
  auto frame = [&](bool active) {
    QImage img = FieldFrame(p, QSize(w, kSpinH), active);
    VLine(img, up.left() - 1, 1, kSpinH - 2, p.Divider);
    arrows(img, up, TGlyphDirection::Up, p.Glyph);
    arrows(img, down, TGlyphDirection::Down, p.Glyph);
    return img;
  };
  auto face = [&](const QRect& r, TGlyphDirection dir, const QColor& fill) {
    QImage img = NewPart(r.size(), fill);
    arrows(img, QRect(QPoint(0, 0), r.size()), dir, p.Text);
    return img;
  };
  const TspRect normal = b.Add(piTabs, frame(false));
  RequireOrigin(normal, "spinedit");
  const TspRect active = b.Add(piTabs, frame(true));
  const TspRect upHot = b.Add(piTabs, face(up, TGlyphDirection::Up, p.SurfaceHot));
  const TspRect upDown = b.Add(piTabs, face(up, TGlyphDirection::Up, p.SurfacePressed));
  const TspRect downHot = b.Add(piTabs, face(down, TGlyphDirection::Down, p.SurfaceHot));
  const TspRect downDown = b.Add(piTabs, face(down, TGlyphDirection::Down, p.SurfacePressed));
  AddControlRecord(b, "spinedit", "spinedit", piTabs, normal)
      .Point("lefttoppoint", 4, 10)
      .Point("righttoppoint", up.left() - 2, 10)
      .Point("leftbottompoint", 0, 0)
      .Point("rightbottompoint", 0, 0)
      .Rect("clientrect", {4, 2, up.left() - 2, kSpinH - 2})
      .Flag("stretcheffect", true)
      .Rect("activeskinrect", active)
      .Font("", p.Text)
      .Colour("activefontcolor", p.Text)
      .Colour("disabledfontcolor", p.TextDisabled)
      .Rect("upbuttonrect", TspRect::FromQRect(up))
      .Rect("activeupbuttonrect", upHot)
      .Rect("downupbuttonrect", upDown)
      .Rect("downbuttonrect", TspRect::FromQRect(down))
      .Rect("activedownbuttonrect", downHot)
      .Rect("downdownbuttonrect", downDown);
  b.ExpectText("spin edit text", p.Text, piTabs, Inset(normal, 5, 5));
}

void BuildComboBox(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;
  // Combo box, at the origin of its picture: a 17 x 19 drop button inside the edge.
  const int w = 40;
  const QRect button(w - 18, 1, 17, kComboH - 2);
  const TspRect client{3, 3, button.left() - 2, kComboH - 3};
  auto frame = [&](bool active) {
    QImage img = FieldFrame(p, QSize(w, kComboH), active);
    VLine(img, button.left() - 1, 1, kComboH - 2, p.Divider);
    Chevron(img, button.left() + 8, button.top() + 9, 3, TGlyphDirection::Down, p.Glyph);
    return img;
  };
  auto face = [&](const QColor& fill, const QColor& glyph) {
    QImage img = NewPart(button.size(), fill);
    Chevron(img, 8, 9, 3, TGlyphDirection::Down, glyph);
    return img;
  };
  const TspRect normal = b.Add(piLists, frame(false));
  RequireOrigin(normal, "combobox");
  const TspRect active = b.Add(piLists, frame(true));
  const TspRect hot = b.Add(piLists, face(p.SurfaceHot, p.Text));
  const TspRect down = b.Add(piLists, face(p.SurfacePressed, p.Text));
  const TspRect off = b.Add(piLists, face(p.Surface, p.Edge));
  const TspRect item = b.Add(piLists, NewPart(20, client.Height(), p.Surface));
  const TspRect focusItem = b.Add(piLists, NewPart(20, client.Height(), p.AccentTint));
  AddControlRecord(b, "combobox", "combobox", piLists, normal)
      .Point("lefttoppoint", 4, 10)
      .Point("righttoppoint", button.left() - 2, 10)
      .Point("leftbottompoint", 0, 0)
      .Point("rightbottompoint", 0, 0)
      .Rect("clientrect", client)
      .Flag("stretcheffect", true)
      .Rect("activeskinrect", active)
      .Rect("itemrect", item)
      .Rect("activeitemrect", item)
      .Rect("focusitemrect", focusItem)
      .Int("itemleftoffset", 2)
      .Int("itemrightoffset", 2)
      .Rect("itemtextrect", {3, 0, 17, client.Height()})
      .Font("", p.Text)
      .Colour("focusfontcolor", p.Text)
      .Colour("activefontcolor", p.Text)
      .Text("listboxname", "listbox")
      .Rect("buttonrect", TspRect::FromQRect(button))
      .Rect("activebuttonrect", hot)
      .Rect("downbuttonrect", down)
      .Rect("unenabledbuttonrect", off)
      .Flag("itemstretcheffect", true)
      .Flag("focusitemstretcheffect", true)
      .Flag("showfocus", false);
  b.ExpectInside("combobox button", piLists, TspRect::FromQRect(button));
  b.ExpectText("combo box text", p.Text, piLists, item);
  b.ExpectText("focused combo box text", p.Text, piLists, focusItem);
}

} // namespace
