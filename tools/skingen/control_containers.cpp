// Containers and texts: panels, group boxes, labels, the status bar, the scroll box, the
// rich edit, and the page control with its tabs; also the gauge.

#include "control_common.h"
#include "paint.h"

#include <algorithm>
#include <cmath>

namespace {

// A box with a 1-pixel edge and square corners.
QImage EdgedBox(const QColor& fill, const QColor& edge, int w, int h) {
  QImage img = NewPart(w, h, fill);
  RoundedBox(img, img.rect(), 0, fill, edge);
  return img;
}

// Nine parts of a w x h box with a 1-pixel edge: corners of 4, everything else uniform,
// so the sides stretch and the centre tiles from its own piece.
TDescSection& NinePartEdged(TDescSection& s, int w, int h) {
  return s.Geometry({4, 4}, {w - 4, 4}, {4, h - 4}, {w - 4, h - 4}, {1, 1, w - 1, h - 1}, true,
                    false);
}

// A record that stretches sideways only: fixed ends of `end` pixels.
TDescSection& Horizontal(TDescSection& s, int w, int h, int end, const TspRect& client) {
  return s.Point("lefttoppoint", end, h / 2)
      .Point("righttoppoint", w - end, h / 2)
      .Point("leftbottompoint", 0, 0)
      .Point("rightbottompoint", 0, 0)
      .Rect("clientrect", client)
      .Flag("stretcheffect", true);
}

// The status bar's size grip: six dots in a triangle.
QImage Grip(const QColor& bg, const QColor& dot) {
  QImage img = NewPart(12, 12, bg);
  for (int row = 0; row < 3; ++row)
    for (int col = 2 - row; col < 3; ++col)
      FillRect(img, QRect(2 + col * 3, 2 + row * 3, 2, 2), dot);
  return img;
}

} // namespace

void BuildContainers(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  // Panels are white cards with a soft edge and square corners, so nested panels and
  // panels on white pages stay calm. A caption is the card's title: bold, at the top left,
  // over the white (the frame stays one pixel, so panels without one keep their client
  // area).
  const TspRect panel = b.Add(piPanels, EdgedBox(p.Surface, p.EdgeSoft, 30, 30));
  NinePartEdged(AddControlRecord(b, "panel", "panel", piPanels, panel), 30, 30)
      .Int("bgpictureindex", -1)
      .Rect("captionrect", {8, 1, 22, 24})
      .Text("alignment", "taleftjustify")
      .Font("", p.Text, true);
  b.ExpectText("panel text", p.Text, piPanels, Inset(panel, 2, 2));

  // Group box (the radio group): a card with a 20-pixel caption strip.
  {
    const int w = 40, h = 40, strip = 20;
    QImage img = EdgedBox(p.Surface, p.EdgeSoft, w, h);
    FillRect(img, QRect(1, 1, w - 2, strip - 1), p.SurfaceHeader);
    HLine(img, 1, w - 2, strip, p.EdgeSoft);
    const TspRect box = b.Add(piPanels, img);
    AddControlRecord(b, "groupbox", "panel", piPanels, box)
        .Geometry({4, strip + 1}, {w - 4, strip + 1}, {4, h - 4}, {w - 4, h - 4},
                  {1, strip + 1, w - 1, h - 1}, true, false)
        .Int("bgpictureindex", -1)
        .Rect("captionrect", {8, 1, w - 8, strip})
        .Text("alignment", "taleftjustify")
        .Font("", p.Text, true);
    b.ExpectText("group box caption", p.Text, piPanels,
                 {box.Left + 8, box.Top + 2, box.Right - 8, box.Top + strip - 1});
  }

  // Labels: text on the panel's white, no frame of their own.
  {
    const int w = 40, h = 19;
    const TspRect label = b.Add(piPanels, NewPart(w, h, p.Surface));
    Horizontal(AddControlRecord(b, "label", "label", piPanels, label), w, h, 3, {2, 0, w - 2, h})
        .Font("", p.Text);
    b.ExpectText("label text", p.Text, piPanels, label);
  }
  b.Desc.AddControl("stdlabel", "stdlabel")
      .Int("pictureindex", -1)
      .Rect("skinrect", {})
      .Font("", p.Text)
      .Colour("activefontcolor", p.Skin.Accent);
  b.ExpectText("standard label text", p.Text, p.Surface);
  b.ExpectText("standard label text on the page", p.Text, p.Window);
  b.ExpectText("calendar weekday names", p.Skin.Accent, p.Surface);

  // Status bar: white with a divider on top; the grip sits in its bottom-right corner.
  {
    const int w = 40, h = 22;
    QImage bar = NewPart(w, h, p.Surface);
    HLine(bar, 0, w - 1, 0, p.EdgeSoft);
    const TspRect barRect = b.Add(piPanels, bar);
    const TspRect grip = b.Add(piPanels, Grip(p.Surface, p.ThumbHot));
    Horizontal(AddControlRecord(b, "statusbar", "panel", piPanels, barRect), w, h, 2,
               {2, 1, w - 2, h})
        .Int("bgpictureindex", -1)
        .Rect("captionrect", {})
        .Text("alignment", "taleftjustify")
        .Font("", p.TextSecondary)
        .Rect("gripperrect", grip)
        .Flag("grippertransparent", false);
    b.ExpectText("status bar text", p.TextSecondary, piPanels, Inset(barRect, 2, 2));

    const int ph = 19;
    QImage cell = NewPart(w, ph, p.Surface);
    VLine(cell, 0, 3, ph - 4, p.Divider);
    const TspRect cellRect = b.Add(piPanels, cell);
    Horizontal(AddControlRecord(b, "statuspanel", "label", piPanels, cellRect), w, ph, 3,
               {6, 1, w - 3, ph - 1})
        .Font("", p.TextSecondary);
    b.ExpectText("status panel text", p.TextSecondary, piPanels, Inset(cellRect, 3, 3));
  }

  const TspRect scrollbox = b.Add(piPanels, EdgedBox(p.Surface, p.EdgeSoft, 30, 30));
  NinePartEdged(AddControlRecord(b, "scrollbox", "scrollbox", piPanels, scrollbox), 30, 30)
      .Int("bgpictureindex", -1);

  b.Desc.AddControl("richedit", "richedit")
      .Int("pictureindex", -1)
      .Rect("skinrect", {})
      .Font("", p.Text)
      .Colour("bgcolor", p.Surface);
}

namespace {

// Tabs: 24 pixels high on the window colour; the selected tab is one pixel taller, white,
// edged at the sides and top, and its 2-pixel accent underline covers the page's top edge.
constexpr int kTabW = 30, kTabH = 24;

QImage TabFace(const TSkinPalette& p, bool hot, bool selected) {
  const int h = selected ? kTabH + 1 : kTabH;
  QImage img = NewPart(kTabW, h, p.Window);
  if (selected) {
    RoundedBox(img, QRect(0, 0, kTabW, h + 4), 3, p.Surface, p.Edge);
    FillRect(img, QRect(0, h - 2, kTabW, 2), p.Skin.Accent);
  } else if (hot) {
    RoundedBox(img, QRect(0, 2, kTabW, h + 2), 3, p.Divider, QColor());
  }
  return img;
}

} // namespace

namespace {

// The gauges' progress bar: an accent tint light enough for the gauge text, with rounded
// ends. `band` in 0..1 adds a light sweep centred there along the bar (measured from the
// bottom of a vertical bar): the frames of the progress animation.
QImage ProgressBar(const TSkinPalette& p, int length, int thickness, bool vertical,
                   double band = -1) {
  const int w = vertical ? thickness : length, h = vertical ? length : thickness;
  QImage bar = NewPart(w, h, p.Surface);
  RoundedBox(bar, bar.rect(), 2, Mix(p.Skin.Accent, Qt::white, 0.42), QColor());
  if (band < -0.5) return bar;
  const double centre = band * length, half = std::max(6.0, length * 0.2);
  const QRgb surface = p.Surface.rgb();
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(bar.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (line[x] == surface) continue; // outside the rounded corners
      const double along = (vertical ? length - 1 - y : x) + 0.5;
      const double t = std::max(0.0, 1 - std::abs(along - centre) / half);
      if (t > 0) line[x] = Mix(QColor(line[x]), Qt::white, 0.6 * t * t).rgb();
    }
  }
  return bar;
}

// "gauge" (72 x 20, stretching sideways) or "vgauge" (20 x 72, stretching downwards): a
// white track with an edge, the progress bar 2 pixels inside it, and nine frames of a
// light sweep running along the bar, stacked (horizontal) or side by side (vertical).
void BuildGauge(TSkinBuild& b, bool vertical) {
  const TSkinPalette& p = b.Pal;
  constexpr int kLength = 72, kThickness = 20, kFrames = 9, kEnd = 4;
  const int w = vertical ? kThickness : kLength, h = vertical ? kLength : kThickness;
  QImage track = NewPart(w, h, p.Surface);
  RoundedBox(track, track.rect(), 3, p.Surface, p.Edge);
  const TspRect trackRect = b.Add(piTabs, track);
  const int barLength = kLength - 4, barThickness = kThickness - 4;
  const TspRect bar = b.Add(piTabs, ProgressBar(p, barLength, barThickness, vertical));
  QImage frames = vertical ? NewPart(barThickness * kFrames, barLength, p.Surface)
                           : NewPart(barLength, barThickness * kFrames, p.Surface);
  for (int k = 0; k < kFrames; ++k) {
    // The sweep enters before the bar's start and leaves past its end.
    const QImage frame =
        ProgressBar(p, barLength, barThickness, vertical, -0.2 + 1.4 * k / (kFrames - 1));
    Blit(frames, vertical ? k * barThickness : 0, vertical ? 0 : k * barThickness, frame);
  }
  const TspRect framesRect = b.Add(piTabs, frames);
  const TspRect inner{2, 2, w - 2, h - 2};
  TDescSection& s = AddControlRecord(b, vertical ? "vgauge" : "gauge", "gauge", piTabs, trackRect);
  if (vertical)
    s.Point("lefttoppoint", w / 2, kEnd)
        .Point("righttoppoint", 0, 0)
        .Point("leftbottompoint", w / 2, h - kEnd)
        .Point("rightbottompoint", 0, 0)
        .Rect("clientrect", inner)
        .Flag("stretcheffect", true);
  else
    Horizontal(s, w, h, kEnd, inner);
  s.Rect("progressarea", inner)
      .Rect("progressrect", bar)
      .Int("beginoffset", 3)
      .Int("endoffset", 3)
      .Flag("vertical", vertical)
      .Font("", p.Text)
      .Flag("progresstransparent", false)
      .Flag("progressstretch", true)
      .Rect("progressanimationskinrect", framesRect)
      .Int("progressanimationcountframes", kFrames)
      .Int("progressanimationtimerinterval", 35);
  const QString name = vertical ? QStringLiteral("vertical gauge") : QStringLiteral("gauge");
  b.ExpectText(name + " text", p.Text, piTabs, Inset(trackRect, 4, 4));
  b.ExpectText(name + " text over the progress", p.Text, piTabs, Inset(bar, 3, 3));
  b.ExpectText(name + " text over the animation", p.Text, piTabs, framesRect);
}

} // namespace

void BuildTabsAndGauge(TSkinBuild& b) {
  const TSkinPalette& p = b.Pal;

  const TspRect frame = b.Add(piTabs, EdgedBox(p.Surface, p.Edge, 30, 30));
  const TspRect tab = b.Add(piTabs, TabFace(p, false, false));
  const TspRect hot = b.Add(piTabs, TabFace(p, true, false));
  const TspRect active = b.Add(piTabs, TabFace(p, false, true));
  const TspRect strip = b.Add(piTabs, NewPart(10, 10, p.Window));
  AddControlRecord(b, "tab", "tab", piTabs, frame)
      .Rect("tabrect", tab)
      .Rect("activetabrect", active)
      .Rect("mouseintabrect", hot)
      .Rect("clientrect", {1, 1, 29, 29})
      .Int("bgpictureindex", -1)
      .Point("lefttoppoint", 4, 4)
      .Point("righttoppoint", 26, 4)
      .Point("leftbottompoint", 4, 26)
      .Point("rightbottompoint", 26, 26)
      .Int("tableftoffset", 4)
      .Int("tabrightoffset", 4)
      .Rect("tabsbgrect", strip)
      .Flag("tabstretcheffect", true)
      .Flag("leftstretch", true)
      .Flag("topstretch", true)
      .Flag("rightstretch", true)
      .Flag("bottomstretch", true)
      .Flag("stretcheffect", false)
      .Text("stretchtype", "stfull")
      .Font("", p.TextSecondary)
      .Colour("activefontcolor", p.Text)
      .Colour("focusfontcolor", p.Text)
      .Colour("mouseinfontcolor", p.Text)
      .Text("updown", "updown")
      .Flag("showfocus", false);
  b.ExpectText("tab caption", p.TextSecondary, piTabs, tab);
  b.ExpectText("hot tab caption", p.Text, piTabs, Inset(hot, 4, 5));
  b.ExpectText("selected tab caption", p.Text, piTabs, Inset(active, 4, 4));

  BuildGauge(b, false);
  BuildGauge(b, true);
}
