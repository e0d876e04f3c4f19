// skintool compose: the normal image of a control record at a size, fitted and composed
// the way a skinned control paints itself.

#include "commands.h"
#include "skin/controls/control_image.h"
#include "skin/render/bmp_codec.h"
#include "skin_file.h"

namespace {
constexpr int kMaxSide = 16384;

int ParseSide(const QString& text, const char* what) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value <= 0 || value > kMaxSide)
    throw ToolError(QStringLiteral("%1 must be a whole number from 1 to %2, not \"%3\"")
                        .arg(what)
                        .arg(kMaxSide)
                        .arg(text)
                        .toStdString());
  return value;
}
} // namespace

QImage ComposeRecord(const TspSkinData& skin, const TspDataSkinControl& record, QSize size) {
  TspControlGeometry g = ControlGeometry(record);
  if (g.Mode == kCompositionNone)
    throw ToolError(QStringLiteral("record \"%1\" has an empty skin rectangle")
                        .arg(record.IDName)
                        .toStdString());
  const QImage* picture = RecordPicture(record, skin.ActivePictures);
  if (!picture)
    throw ToolError(QStringLiteral("record \"%1\" names no picture of the skin")
                        .arg(record.IDName)
                        .toStdString());
  const QSize fitted = FitSizeToSkin(g, size);
  // Fixed and one-way records take a side from the skin rectangle, which the file gives:
  // bound the image before allocating it.
  if (fitted.width() > kMaxSide || fitted.height() > kMaxSide ||
      qint64(fitted.width()) * fitted.height() > kMaxPicturePixels)
    throw ToolError(QStringLiteral("record \"%1\" would compose to %2x%3 pixels, more than %4")
                        .arg(record.IDName)
                        .arg(fitted.width())
                        .arg(fitted.height())
                        .arg(kMaxPicturePixels)
                        .toStdString());
  QImage image;
  ComposeControlImage(image, *picture, g, record.skinrect, fitted);
  if (image.isNull())
    throw ToolError(
        QStringLiteral("out of memory composing record \"%1\"").arg(record.IDName).toStdString());
  return image;
}

int RunCompose(const QStringList& args) {
  const int width = ParseSide(args[2], "WIDTH");
  const int height = ParseSide(args[3], "HEIGHT");
  const auto skin = LoadSkin(args[0]);
  const QImage image = ComposeRecord(*skin, FindControlRecord(*skin, args[1]), {width, height});
  WriteBmpFile(image, args[4]);
  return 0;
}
