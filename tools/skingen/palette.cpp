#include "palette.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

} // namespace

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                channel(a.blue(), b.blue()));
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const std::vector<TSkinAccent>& BuiltinSkinAccents() {
  // The accents are dark enough for white text (at least 4.5:1), which is why green and
  // orange sit deeper than their brightest forms; hover and pressed go darker still, so
  // white text stays legible in every state.
  static const std::vector<TSkinAccent> accents = {
      {"Blue", "sknBlue", QColor(0x2D6CDF), QColor(0x255FCB), QColor(0x1F54B5)},
      {"Green", "sknGreen", QColor(0x1E7E4E), QColor(0x196F44), QColor(0x145C38)},
      {"Orange", "sknOrange", QColor(0xC4500A), QColor(0xAE4708), QColor(0x923C07)},
      {"Purple", "sknPurple", QColor(0x7447D1), QColor(0x673CC2), QColor(0x5830AB)},
  };
  return accents;
}

TSkinPalette MakePalette(const TSkinAccent& accent) {
  TSkinPalette p;
  p.Skin = accent;
  p.Window = QColor(0xF3F5F8);
  p.Surface = QColor(0xFFFFFF);
  p.SurfaceHot = QColor(0xEEF2F8);
  p.SurfacePressed = QColor(0xE1E7F0);
  p.SurfaceHeader = QColor(0xF3F5F8);
  p.Edge = QColor(0xC7CFDA);
  p.EdgeSoft = QColor(0xDDE3EA);
  p.EdgeStrong = QColor(0x8A93A3);
  p.Divider = QColor(0xE3E8EF);
  p.Text = QColor(0x1E2430);
  p.TextSecondary = QColor(0x4A5262);
  p.TextDisabled = QColor(0x646C7C);
  p.TextOnAccent = QColor(0xFFFFFF);
  p.Thumb = QColor(0xC2CAD6);
  p.ThumbHot = QColor(0x9AA4B3);
  p.Glyph = QColor(0x4A5262);

  p.CaptionInactive = QColor(0xE6EAF0);
  p.CaptionInactiveText = QColor(0x4A5262);
  p.FrameInactiveEdge = QColor(0xB4BDCA);
  p.CaptionButtonHot = Mix(accent.Accent, Qt::white, 0.16);
  p.CaptionButtonDown = Mix(accent.Accent, Qt::black, 0.16);
  p.CloseHot = QColor(0xE04848);
  p.CloseDown = QColor(0xB83434);

  p.AccentTint = Mix(accent.Accent, Qt::white, 0.88);
  p.FocusRing = Mix(accent.Accent, Qt::white, 0.45);
  p.ShadowColor = QColor(0, 0, 0);
  return p;
}
