#include "skin/frame/hint_look.h"

#include "skin/data/record_check.h"

#include "skin/controls/plain_look.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {
constexpr TColor kSysInfoText = 0x80000017;
} // namespace

TspHintLook MakeHintLook(const TspSkinData* data, const QFont& defaultFont, bool useSkinFont) {
  TspHintLook look;
  look.Font = defaultFont;
  look.FontColor = SkinColor(kSysInfoText);
  if (!data || data->IsEmpty()) return look;
  const TspDataSkinHintWindow& hw = data->HintWindow;
  if (hw.windowpictureindex == -1 || !data->ValidPictureIndex(hw.windowpictureindex)) return look;
  // A window record whose places its picture does not hold draws the plain hint.
  if (!WindowRecordDrawable(hw, &data->ActivePictures[size_t(hw.windowpictureindex)])) return look;
  look.Skinned = true;
  look.Picture = data->ActivePictures[size_t(hw.windowpictureindex)];
  if (hw.maskpictureindex != -1 && data->ValidPictureIndex(hw.maskpictureindex))
    look.Mask = data->ActivePictures[size_t(hw.maskpictureindex)];
  look.Geometry = {hw.clientrect, hw.lefttoppoint, hw.righttoppoint, hw.leftbottompoint,
                   hw.rightbottompoint};
  look.Flags = {hw.leftstretch,   hw.topstretch,    hw.rightstretch,
                hw.bottomstretch, hw.stretcheffect, int(hw.stretchtype)};
  look.Font = SkinFont(useSkinFont, hw.fontname, hw.fontheight, hw.fontstyle, defaultFont);
  look.FontColor = SkinColor(hw.fontcolor);
  return look;
}

QString ReplaceHintSeparator(const QString& text, const QString& separator) {
  if (separator.isEmpty()) return text;
  QString out;
  out.reserve(text.size());
  qsizetype from = 0;
  for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, from)) {
    out += QStringView(text).mid(from, at - from);
    out += QLatin1String("\n\r");
    from = at + separator.size();
  }
  out += QStringView(text).mid(from);
  return out;
}

QStringList HintLines(const QString& text) {
  QStringList lines;
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\n' && c != u'\r') {
      line += c;
      continue;
    }
    // A pair of different break characters is one break.
    if (i + 1 < text.size() && (text[i + 1] == u'\n' || text[i + 1] == u'\r') && text[i + 1] != c)
      ++i;
    lines << line;
    line.clear();
  }
  lines << line;
  return lines;
}

QSize MeasureHintLines(const QStringList& lines, const QFont& font) {
  const QFontMetrics fm(font);
  int w = 0;
  for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(line));
  return QSize(w, fm.height() * int(lines.size()));
}

void DrawHintLines(QPainter& p, const QStringList& lines, const QFont& font,
                   const QPoint& topLeft) {
  const QFontMetrics fm(font);
  p.setFont(font);
  int y = topLeft.y() + fm.ascent();
  for (const QString& line : lines) {
    p.drawText(topLeft.x(), y, line);
    y += fm.height();
  }
}

TspHintFrame MakeHintFrame(const TspHintLook& look, int w, int h, int widthMargin) {
  TspHintFrame frame;
  if (!look.Skinned) {
    frame.Size = QSize(w + 4, h + 4);
    frame.Scaled.ClientRect = {2, 2, w + 2, h + 2};
    return frame;
  }
  const int PW = look.Picture.width(), PH = look.Picture.height();
  const TspNinePartGeometry& g = look.Geometry;
  const TspRect& C = g.ClientRect;
  int W = w + C.Left + (PW - C.Right) + widthMargin;
  int H = h + C.Top + (PH - C.Bottom);
  // Each rule compares with the sizes the previous ones left.
  if (g.RT.X + (W - PW) < g.LT.X) W += g.LT.X - (g.RT.X + (W - PW));
  if (g.RB.X + (W - PW) < g.LB.X) W += g.LB.X - (g.RB.X + (W - PW));
  if (g.LB.Y + (H - PH) < g.LT.Y) H += g.LT.Y - (g.LB.Y + (H - PH));
  if (g.RB.Y + (H - PH) < g.RT.Y) H += g.RT.Y - (g.RB.Y + (H - PH));
  frame.Size = QSize(W, H);
  frame.Scaled = TargetGeometry(g, PW, PH, W, H);
  return frame;
}

QRect PlaceHint(const QPoint& proposed, const QSize& size, const QRect& area) {
  QRect r(proposed, size);
  if (r.left() + r.width() > area.left() + area.width()) r.moveLeft(r.left() - size.width() - 2);
  if (r.top() + r.height() > area.top() + area.height()) r.moveTop(r.top() - size.height() - 2);
  return r;
}
