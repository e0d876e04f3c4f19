#include "skin/controls/gauge.h"

#include "skin/controls/color_key.h"
#include "skin/controls/plain_look.h"
#include "skin/data/record_check.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdint>

namespace {

// The plain look's progress colour, RGB(0, 178, 19).
constexpr TColor kPlainProgress = 1290752;
// A record asking for frames without a pace would repaint without rest.
constexpr int kFallbackFrameInterval = 35;

// Trunc(numerator / denominator x length) in exact integer arithmetic: floating point would
// make 29 of 0..100 a 28 per cent gauge.
int ScaledTrunc(std::int64_t numerator, std::int64_t denominator, std::int64_t length) {
  if (denominator == 0) return 0;
  return int((numerator * length) / denominator);
}

void CopyScaled(QPainter& p, const TspRect& dst, const QImage& picture, const TspRect& src) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  p.drawImage(dst.ToQRect(), picture, src.ToQRect());
}

} // namespace

TspSkinGauge::TspSkinGauge(QWidget* parent) : TspSkinCustomControl(parent) {
  SetSkinDataName(QStringLiteral("gauge"));
  resize(100, 20);
}

TspSkinGauge::~TspSkinGauge() = default;

// --- Properties ---------------------------------------------------------------------------------

void TspSkinGauge::SetMinValue(int value) {
  FMinValue = value;
  if (FValue < FMinValue) FValue = FMinValue;
  Changed();
}

void TspSkinGauge::SetMaxValue(int value) {
  FMaxValue = value;
  if (FValue > FMaxValue) FValue = FMaxValue;
  Changed();
}

void TspSkinGauge::SetValue(int value) {
  if (value > FMaxValue)
    value = FMaxValue;
  else if (value < FMinValue)
    value = FMinValue;
  if (value == FValue) return;
  FValue = value;
  Changed();
}

void TspSkinGauge::SetVertical(bool value) {
  FVertical = value;
  Changed();
}

void TspSkinGauge::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  ReadSkinRecord();
  int w = width(), h = height();
  FitSizeToSkin(w, h);
  if (QSize(w, h) != size()) resize(w, h);
  UpdateRegion();
  Changed();
}

void TspSkinGauge::SetShowProgressText(bool value) {
  FShowProgressText = value;
  Changed();
}

void TspSkinGauge::SetProgressText(const QString& value) {
  FProgressText = value;
  Changed();
}

void TspSkinGauge::SetShowPercent(bool value) {
  FShowPercent = value;
  Changed();
}

void TspSkinGauge::SetTextAlphaBlend(bool value) {
  FTextAlphaBlend = value;
  if (RecordIndex() != -1 && !GaugeText().isEmpty()) Changed();
}

void TspSkinGauge::SetTextAlphaBlendValue(int value) {
  FTextAlphaBlendValue = std::clamp(value, 0, 255);
  if (FTextAlphaBlend && RecordIndex() != -1 && !GaugeText().isEmpty()) Changed();
}

void TspSkinGauge::SetProgressAnimationPause(int value) {
  if (value < 0) return;
  FProgressAnimationPause = value;
  if (FPauseTimer) FPauseTimer->setInterval(value);
}

// --- Arithmetic ---------------------------------------------------------------------------------

double TspSkinGauge::Fraction() const {
  if (FMaxValue == FMinValue) return 0;
  return (double(FValue) - FMinValue) / (double(FMaxValue) - FMinValue);
}

TspRect TspSkinGauge::ProgressRect(const TspRect& area) const {
  const std::int64_t num = std::int64_t(FValue) - FMinValue;
  const std::int64_t den = std::int64_t(FMaxValue) - FMinValue;
  TspRect p = area;
  // Kept inside the area, whatever range the setters let through.
  if (FVertical) {
    const int fill =
        std::clamp(ScaledTrunc(num, den, area.Height()), 0, std::max(area.Height(), 0));
    p.Top = area.Bottom - fill;
  } else {
    const int fill = std::clamp(ScaledTrunc(num, den, area.Width()), 0, std::max(area.Width(), 0));
    p.Right = area.Left + fill;
  }
  return p;
}

int TspSkinGauge::Percent() const {
  return ScaledTrunc(std::int64_t(FValue) - FMinValue, std::int64_t(FMaxValue) - FMinValue, 100);
}

QString TspSkinGauge::GaugeText() const {
  QString text;
  if (FShowProgressText) text = FProgressText;
  if (FShowPercent) text += QString::number(Percent()) + QLatin1Char('%');
  return text;
}

TspRect TspSkinGauge::AnimationFrameRect(int frame) const {
  const TspDataSkinGaugeControl* rec = GaugeRecord();
  if (!rec) return {};
  const int n = rec->progressanimationcountframes;
  const TspRect& ar = rec->progressanimationskinrect;
  if (n <= 0 || frame < 1 || frame > n || ar.IsEmpty()) return {};
  if (rec->progressrect.Width() < ar.Width()) {
    const int fw = ar.Width() / n;
    return {ar.Left + fw * (frame - 1), ar.Top, ar.Left + fw * frame, ar.Bottom};
  }
  const int fh = ar.Height() / n;
  return {ar.Left, ar.Top + fh * (frame - 1), ar.Right, ar.Top + fh * frame};
}

// --- Record and size ----------------------------------------------------------------------------

void TspSkinGauge::ReadSkinRecord() {
  TspSkinCustomControl::ReadSkinRecord();
  // The skin decides the orientation.
  if (const TspDataSkinGaugeControl* rec = GaugeRecord()) FVertical = rec->vertical;
  ComputeFittedProgressArea(size());
}

void TspSkinGauge::ComputeFittedProgressArea(QSize size) {
  const TspDataSkinGaugeControl* rec = GaugeRecord();
  if (!rec) {
    FFittedProgressArea = TspRect();
    return;
  }
  TspControlGeometry g = Geometry();
  const QSize fitted = ::FitSizeToSkin(g, size);
  // An area outside the skin is a mistake of the description: no progress rather than an
  // image the size it names.
  if (!SkinHolds(rec->skinrect, rec->progressarea)) {
    FFittedProgressArea = TspRect();
    return;
  }
  TspRect a = rec->progressarea;
  if (g.Mode != kCompositionNone && g.Mode != kCompositionFixed) {
    if (FVertical)
      a.Bottom += fitted.height() - g.SkinRect.Height();
    else
      a.Right += fitted.width() - g.SkinRect.Width();
  }
  FFittedProgressArea = a;
}

void TspSkinGauge::FitSizeToSkin(int& width, int& height) {
  const int requestedWidth = width, requestedHeight = height;
  TspSkinCustomControl::FitSizeToSkin(width, height);
  ComputeFittedProgressArea(QSize(width, height));
  // Off: the skin image is stretched over any size.
  if (!FUseSkinSize) {
    width = requestedWidth;
    height = requestedHeight;
  }
}

void TspSkinGauge::UpdateRegion() {
  // A stretched gauge has no mask of its shape.
  if (FUseSkinSize)
    TspSkinCustomControl::UpdateRegion();
  else
    clearMask();
}

void TspSkinGauge::ApplySkin() {
  const bool running = ProgressAnimationRunning();
  if (running) StopProgressAnimation();
  TspSkinCustomControl::ApplySkin();
  if (running) StartProgressAnimation();
}

void TspSkinGauge::changeEvent(QEvent* event) {
  TspSkinCustomControl::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange) update();
}

// --- Animation ----------------------------------------------------------------------------------

void TspSkinGauge::StartProgressAnimation() {
  ReadSkinRecord();
  const TspDataSkinGaugeControl* rec = GaugeRecord();
  if (!rec || rec->progressanimationskinrect.IsEmpty()) return;
  FPauseTimer.reset();
  FFrameTimer.reset();
  FPauseTimer = std::make_unique<QTimer>();
  FPauseTimer->setInterval(FProgressAnimationPause);
  QObject::connect(FPauseTimer.get(), &QTimer::timeout, this, [this] { StartFrames(); });
  FFrameTimer = std::make_unique<QTimer>();
  const int interval = rec->progressanimationtimerinterval;
  FFrameTimer->setInterval(interval > 0 ? interval : kFallbackFrameInterval);
  QObject::connect(FFrameTimer.get(), &QTimer::timeout, this, [this] { FrameTick(); });
  StartFrames();
}

void TspSkinGauge::StartFrames() {
  FPauseTimer->stop();
  FFrame = 0;
  FFrameTimer->start();
  update();
}

void TspSkinGauge::FrameTick() {
  ++FFrame;
  const TspDataSkinGaugeControl* rec = GaugeRecord();
  if (!rec || FFrame > rec->progressanimationcountframes) {
    // The run is over: the plain progress image shows through the pause.
    FPauseTimer->start();
    FFrameTimer->stop();
    FFrame = 0;
  }
  update();
}

void TspSkinGauge::StopProgressAnimation() {
  FFrame = 0;
  if (!FFrameTimer) return;
  FFrameTimer->stop();
  FPauseTimer->stop();
  FFrameTimer.reset();
  FPauseTimer.reset();
  update();
}

// --- Painting -----------------------------------------------------------------------------------

bool TspSkinGauge::DrawProgressImage(QImage& image, const TspRect& p) {
  const TspDataSkinGaugeControl* rec = GaugeRecord();
  if (!rec) return false;
  const TspRect& pr = rec->progressrect;
  const int bo = rec->beginoffset, eo = rec->endoffset;
  // A progress image that is all end pieces has nothing to grow with: the gauge then shows
  // neither progress nor text.
  if ((FVertical ? pr.Height() : pr.Width()) - bo - eo <= 0) return false;
  const QImage* picture = Binding().Picture(rec->pictureindex);
  if (p.IsEmpty() || !picture) return true;

  const int pw = p.Width(), ph = p.Height();
  QImage b(pw, ph, QImage::Format_ARGB32);
  b.fill(0);
  {
    QPainter bp(&b);
    bp.setCompositionMode(QPainter::CompositionMode_Source);
    const bool animated = FFrameTimer && FFrameTimer->isActive() && FFrame > 0 &&
                          rec->progressanimationcountframes > 0;
    TspRect s = animated ? AnimationFrameRect(FFrame) : pr;
    const bool stretch = rec->progressstretch || animated;
    if (!FVertical) {
      if (pw - bo - eo > 0) {
        const TspRect m{bo, 0, pw - eo, ph};
        s.Left += bo;
        s.Right -= eo;
        if (stretch) {
          CopyScaled(bp, m, *picture, s);
        } else if (const int e = s.Width(); e > 0) {
          const int r = m.Width();
          for (int k = 0; k <= r / e; ++k) {
            const int cut = std::max(0, e * (k + 1) - r);
            CopyScaled(bp, {m.Left + k * e, m.Top, m.Left + k * e + e - cut, m.Bottom}, *picture,
                       {s.Left, s.Top, s.Right - cut, s.Bottom});
          }
        }
      }
      CopyScaled(bp, {0, 0, bo, ph}, *picture, {pr.Left, pr.Top, pr.Left + bo, pr.Bottom});
      CopyScaled(bp, {pw - eo, 0, pw, ph}, *picture, {pr.Right - eo, pr.Top, pr.Right, pr.Bottom});
    } else {
      if (ph - bo - eo > 0) {
        const TspRect m{0, bo, pw, ph - eo};
        s.Top += bo;
        s.Bottom -= eo;
        if (stretch) {
          CopyScaled(bp, m, *picture, s);
        } else if (const int e = s.Height(); e > 0) {
          // Tiles stack upwards from the bottom; the topmost is cut at its top.
          const int r = m.Height();
          for (int k = 0; k <= r / e; ++k) {
            const int cut = std::max(0, e * (k + 1) - r);
            CopyScaled(bp, {m.Left, m.Bottom - e * (k + 1) + cut, m.Right, m.Bottom - k * e},
                       *picture, {s.Left, s.Top + cut, s.Right, s.Bottom});
          }
        }
      }
      CopyScaled(bp, {0, 0, pw, bo}, *picture, {pr.Left, pr.Top, pr.Right, pr.Top + bo});
      CopyScaled(bp, {0, ph - eo, pw, ph}, *picture,
                 {pr.Left, pr.Bottom - eo, pr.Right, pr.Bottom});
    }
  }
  if (rec->progresstransparent) KeyOutColor(b, SkinColor(rec->progresstransparentcolor).rgb());
  QPainter ip(&image);
  ip.drawImage(p.Left, p.Top, b);
  return true;
}

void TspSkinGauge::DrawText(QImage& image, bool skinned) {
  const QString text = GaugeText();
  if (text.isEmpty() || image.isNull()) return;
  const TspDataSkinGaugeControl* rec = skinned ? GaugeRecord() : nullptr;
  const QFont font = rec ? SkinFont(rec->fontname, rec->fontheight, rec->fontstyle) : DefaultFont();
  const QColor color = rec ? SkinColor(rec->fontcolor) : palette().color(QPalette::WindowText);
  const QFontMetrics fm(font, &image);
  const int tw = fm.horizontalAdvance(text), th = fm.height();
  const int w = image.width(), h = image.height();
  const int fontHeight = font.pixelSize() > 0 ? font.pixelSize() : th;
  QPainter p(&image);
  p.setFont(font);
  p.setPen(color);
  if (!FVertical) {
    int y = h / 2 - th / 2;
    if (fontHeight % 2 != 0) --y;
    p.drawText(w / 2 - tw / 2, y + fm.ascent(), text);
  } else {
    // Reading upwards: the text's top faces left and it starts at its lower end.
    int y = tw / 2 + h / 2;
    if (fontHeight % 2 != 0) --y;
    p.translate(w / 2 - th / 2, y);
    p.rotate(-90);
    p.drawText(0, fm.ascent(), text);
  }
}

void TspSkinGauge::DrawSkinImage(QImage& image) {
  // At the fitted size; with UseSkinSize off that differs from the control's.
  QImage skin = StateImage(SkinRect());
  if (skin.isNull()) skin = image;
  const TspRect p = ProgressRect(FFittedProgressArea);
  bool text = true;
  if (OnGaugePaint) {
    QPainter painter(&skin);
    OnGaugePaint(this, painter, FFittedProgressArea, p);
    text = false;
  } else {
    text = DrawProgressImage(skin, p);
  }
  if (!FUseSkinSize) {
    // Stretched over the control; the text goes on afterwards, never translucent.
    image = skin.size() == size()
                ? skin
                : skin.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (text) DrawText(image, true);
    return;
  }
  image = skin;
  if (!text) return;
  if (!FTextAlphaBlend || GaugeText().isEmpty()) {
    DrawText(image, true);
    return;
  }
  const QImage under = image.copy();
  DrawText(image, true);
  BlendOverBackground(image, under, FTextAlphaBlendValue);
}

void TspSkinGauge::DrawDefaultImage(QImage& image) {
  image.fill(palette().color(QPalette::Base));
  const int w = image.width(), h = image.height();
  const TspRect area{1, 1, w - 1, h - 1};
  const TspRect p = ProgressRect(area);
  {
    QPainter painter(&image);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(0, 0, w - 1, h - 1);
    if (OnGaugePaint) {
      OnGaugePaint(this, painter, area, p);
      return;
    }
    if (!p.IsEmpty()) painter.fillRect(p.ToQRect(), SkinColor(kPlainProgress));
  }
  DrawText(image, false);
}
