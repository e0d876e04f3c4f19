#include "pictures.h"

#include "install_error.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const char* const kEmojiFontFile = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
const char* const kEmojiFamily = "Noto Color Emoji";

} // namespace

QString LoadEmojiFont() {
  if (QFile::exists(QString::fromLatin1(kEmojiFontFile))) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kEmojiFontFile));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) return families.front();
  }
  // Installed somewhere fontconfig knows.
  if (QFontDatabase::families().contains(QString::fromLatin1(kEmojiFamily)))
    return QString::fromLatin1(kEmojiFamily);
  throw EInstallError(std::string("The colour emoji font ") + kEmojiFontFile +
                      " is missing (Debian package fonts-noto-color-emoji)");
}

QImage DrawEmojiPicture(const QString& fontFamily, const QString& emoji, QColor background,
                        int side) {
  QImage image(side, side, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  QRadialGradient wash(side / 2.0, side * 0.45, side * 0.75);
  wash.setColorAt(0, background.lighter(112));
  wash.setColorAt(1, background.darker(104));
  painter.fillRect(image.rect(), wash);

  QFont font(fontFamily);
  font.setPixelSize(side * 7 / 10);
  painter.setFont(font);
  painter.drawText(image.rect(), Qt::AlignCenter, emoji);
  return image;
}

QImage DrawLogo(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = side / 100.0;
  const QColor teal(38, 110, 122), cream(250, 243, 228);

  // A cream disc in a teal ring.
  painter.setPen(QPen(teal, 6 * s));
  painter.setBrush(cream);
  painter.drawEllipse(QRectF(4 * s, 4 * s, 92 * s, 92 * s));

  // The paw: a main pad and four toes.
  painter.setPen(Qt::NoPen);
  painter.setBrush(teal);
  QPainterPath pad;
  pad.moveTo(50 * s, 48 * s);
  pad.cubicTo(66 * s, 48 * s, 76 * s, 64 * s, 72 * s, 73 * s);
  pad.cubicTo(68 * s, 82 * s, 58 * s, 77 * s, 50 * s, 77 * s);
  pad.cubicTo(42 * s, 77 * s, 32 * s, 82 * s, 28 * s, 73 * s);
  pad.cubicTo(24 * s, 64 * s, 34 * s, 48 * s, 50 * s, 48 * s);
  painter.drawPath(pad);
  const struct {
    double X, Y, Angle;
  } toes[] = {{24, 42, -25}, {39, 28, -8}, {61, 28, 8}, {76, 42, 25}};
  for (const auto& toe : toes) {
    painter.save();
    painter.translate(toe.X * s, toe.Y * s);
    painter.rotate(toe.Angle);
    painter.drawEllipse(QRectF(-7 * s, -9.5 * s, 14 * s, 19 * s));
    painter.restore();
  }
  return image;
}
