#include "skin/controls/label.h"
#include "skin/controls/plain_look.h"

#include "skin/controls/mnemonic.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/render/composition.h"
#include "skin/render/draw_helpers.h"
#include "skin/render/text_effects.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <cmath>

namespace {

int HorizontalFlag(TspAlignment a) {
  switch (a) {
  case TspAlignment::taRightJustify:
    return Qt::AlignRight;
  case TspAlignment::taCenter:
    return Qt::AlignHCenter;
  default:
    return Qt::AlignLeft;
  }
}

// The height the font was asked for, as a skin gives it (pixels).
int FontHeight(const QFont& font, const QFontMetrics& fm) {
  return font.pixelSize() > 0 ? font.pixelSize() : fm.height();
}

// `text` in pure red on black in a 32-bit bitmap of `size`: red is the text's coverage.

double Luminance(const QColor& c) {
  auto linear = [](int channel) {
    const double v = channel / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                channel(a.blue(), b.blue()));
}

// The colour of `role` as the widget has it while enabled: a disabled widget's palette
// answers with its disabled group, whose text the labels fade themselves.
QColor EnabledColor(const QWidget& w, QPalette::ColorRole role) {
  return w.isEnabled() ? w.palette().color(role) : w.palette().color(QPalette::Active, role);
}

// Disabled text is the enabled colour faded toward the face it stands on, only as far as it
// stays readable: half the enabled contrast, kept between 3:1 and 4.5:1. Text that is
// already fainter than that keeps its colour.
QColor FadedTextColor(const QColor& text, const QColor& face) {
  const double full = Contrast(text, face);
  const double wanted = std::clamp(full / 2, 3.0, 4.5);
  if (full <= wanted) return text;
  double readable = 0, faint = 1;
  for (int i = 0; i < 12; ++i) {
    const double t = (readable + faint) / 2;
    (Contrast(Mix(text, face, t), face) >= wanted ? readable : faint) = t;
  }
  return Mix(text, face, readable);
}

} // namespace

// --- TspSkinLabel -----------------------------------------------------------------------------

TspSkinLabel::TspSkinLabel(QWidget* parent) : TspSkinCustomControl(parent) {
  SetSkinDataName(QStringLiteral("label"));
  resize(75, 21);
}

void TspSkinLabel::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  AdjustAutoSize();
  update();
}

void TspSkinLabel::SetAlignment(TspAlignment value) {
  FAlignment = value;
  update();
}

void TspSkinLabel::SetAutoSize(bool value) {
  FAutoSize = value;
  AdjustAutoSize();
}

void TspSkinLabel::SetBorderStyle(TspSkinBorderStyle value) {
  FBorderStyle = value;
  update();
}

void TspSkinLabel::SetTransparent(bool value) {
  FTransparent = value;
  update();
}

void TspSkinLabel::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  ReadSkinRecord();
  int w = width(), h = height();
  FitSizeToSkin(w, h);
  if (QSize(w, h) != size()) resize(w, h);
  UpdateRegion();
  update();
}

void TspSkinLabel::SetUseSkinFontColor(bool value) {
  FUseSkinFontColor = value;
  update();
}

void TspSkinLabel::SetEllipsType(TspEllipsType value) {
  FEllipsType = value;
  update();
}

void TspSkinLabel::SetShadowEffect(bool value) {
  FShadowEffect = value;
  update();
}

void TspSkinLabel::SetShadowColor(TColor value) {
  FShadowColor = value;
  update();
}

void TspSkinLabel::SetShadowOffset(int value) {
  FShadowOffset = value;
  update();
}

void TspSkinLabel::SetShadowSize(int value) {
  FShadowSize = std::max(value, 0);
  update();
}

void TspSkinLabel::SetReflectionEffect(bool value) {
  FReflectionEffect = value;
  update();
}

void TspSkinLabel::SetReflectionOffset(int value) {
  FReflectionOffset = value;
  update();
}

QFont TspSkinLabel::TextFont() {
  ReadSkinRecord();
  if (const auto* rec = RecordAs<TspDataSkinLabelControl>())
    return SkinFont(rec->fontname, rec->fontheight, rec->fontstyle);
  return DefaultFont();
}

QColor TspSkinLabel::TextColor() {
  ReadSkinRecord();
  const auto* rec = RecordAs<TspDataSkinLabelControl>();
  if (rec && FUseSkinFontColor) return SkinColor(rec->fontcolor);
  return EnabledColor(*this, QPalette::WindowText);
}

QRect TspSkinLabel::TextRect() {
  ReadSkinRecord();
  if (FTransparent) return rect();
  if (RecordIndex() == -1) return rect().adjusted(3, 3, -3, -3);
  if (FUseSkinSize) return FittedClientRect().ToQRect();
  const TspRect& c = SkinClientRect();
  return QRect(c.Left, c.Top, c.Width() + width() - SkinRect().Width(),
               c.Height() + height() - SkinRect().Height());
}

void TspSkinLabel::FitSizeToSkin(int& width, int& height) {
  // Without the skin's size rules the label takes any size.
  if (FUseSkinSize) TspSkinCustomControl::FitSizeToSkin(width, height);
}

void TspSkinLabel::UpdateRegion() {
  if (FUseSkinSize)
    TspSkinCustomControl::UpdateRegion();
  else
    clearMask();
}

void TspSkinLabel::ApplySkin() {
  TspSkinCustomControl::ApplySkin();
  // A fixed image cannot grow with its caption.
  if (RecordIndex() != -1 && GeometryMode() == TspGeometryMode::Fixed) FAutoSize = false;
  AdjustAutoSize();
}

void TspSkinLabel::DropSkinRecord() {
  TspSkinCustomControl::DropSkinRecord();
}

void TspSkinLabel::resizeEvent(QResizeEvent* event) {
  TspSkinCustomControl::resizeEvent(event);
}

void TspSkinLabel::ParentBackgroundChanged() {
  if (FTransparent)
    update();
  else
    TspSkinCustomControl::ParentBackgroundChanged();
}

void TspSkinLabel::moveEvent(QMoveEvent* event) {
  TspSkinCustomControl::moveEvent(event);
  if (FTransparent) update();
}

void TspSkinLabel::changeEvent(QEvent* event) {
  TspSkinCustomControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) update();
}

void TspSkinLabel::AdjustAutoSize() {
  if (!FAutoSize) return;
  const QFont font = TextFont();
  const int tw = QFontMetrics(font, this).horizontalAdvance(FCaption);
  // The text rectangle grows or shrinks to the caption's width; without a record the label
  // is the caption's width and a 2-pixel margin on each side.
  const int w = RecordIndex() == -1 ? tw + 4 : std::max(width() + tw - TextRect().width(), 1);
  if (w != width()) resize(w, height());
}

QImage TspSkinLabel::StretchedSkinImage() {
  const QImage* picture = SkinPicture();
  const auto* rec = RecordAs<TspDataSkinCustomControl>();
  if (!picture || !rec) return QImage();
  const QColor fill = palette().color(QPalette::Button);
  const TspRect& c = rec->clientrect;
  return ImageCache().Image(
      *picture,
      {TspSkinImages::kStretchedLabelKind, c.Left, c.Top, c.Right, c.Bottom, int(fill.rgb())},
      rec->skinrect, size(), [&] {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(fill);
        ComposeStretchedImage(image, *picture, rec->skinrect, c, true);
        return image;
      });
}

void TspSkinLabel::DrawSkinImage(QImage& image) {
  if (FTransparent) {
    PaintParentBackground(this, image);
  } else if (FUseSkinSize) {
    TspSkinCustomControl::DrawSkinImage(image);
  } else {
    const QImage stretched = StretchedSkinImage();
    if (!stretched.isNull()) image = stretched;
  }
  DrawCaption(image, TextRect());
}

void TspSkinLabel::DrawDefaultImage(QImage& image) {
  if (FTransparent) {
    PaintParentBackground(this, image);
  } else {
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    DrawBorderStyleFrame(p, image.rect(), FBorderStyle, palette().color(QPalette::Light),
                         palette().color(QPalette::Dark));
  }
  DrawCaption(image, TextRect());
}

void TspSkinLabel::DrawCaption(QImage& image, const QRect& textRect) {
  if (FCaption.isEmpty() || image.isNull()) return;
  const QFont font = TextFont();
  QColor color = TextColor();
  if (!isEnabled()) {
    // The face is whatever the label painted under its text: skin image, plain fill or
    // what lies behind it.
    const QRect r = textRect & image.rect();
    if (!r.isEmpty()) color = FadedTextColor(color, image.pixelColor(r.center()));
  }
  QPainter p(&image);
  p.setFont(font);
  const QFontMetrics fm(font, &image);
  const QString text = FEllipsType == TspEllipsType::spetEllips
                           ? fm.elidedText(FCaption, Qt::ElideRight, textRect.width())
                           : FCaption;
  const int tw = fm.horizontalAdvance(text), th = fm.height();
  int y = textRect.top() + textRect.height() / 2 - th / 2;
  if (FontHeight(font, fm) % 2 != 0) --y;
  int x = textRect.left();
  if (FAlignment == TspAlignment::taRightJustify)
    x = textRect.left() + textRect.width() - tw;
  else if (FAlignment == TspAlignment::taCenter)
    x = textRect.left() + (textRect.width() - tw) / 2;
  const int flags = HorizontalFlag(FAlignment) | Qt::AlignTop;

  if (FShadowEffect) {
    QRect r = textRect;
    r.setTop(y);
    DrawShadow(p, r, font, flags, text);
  } else if (FReflectionEffect) {
    // The reflected caption sits at the top of its rectangle with its mirror below.
    y = textRect.top();
    DrawReflection(p, textRect, font, color, flags, text);
  }
  p.setPen(color);
  p.drawText(x, y + fm.ascent(), text);
}

// The effects follow the text as drawn, shortened or not.
void TspSkinLabel::DrawShadow(QPainter& p, const QRect& r, const QFont& font, int flags,
                              const QString& text) {
  TColor shadow = FShadowColor;
  if (RecordIndex() != -1 && FUseSkinFontColor && SkinData())
    shadow = DarkenColor(SkinData()->SkinColors.cbtnface, 70);
  DrawTextHalo(p, r, font, flags, text, ColorToQColor(ColorToRGB(shadow)), FShadowSize,
               {FShadowOffset, FShadowOffset});
}

void TspSkinLabel::DrawReflection(QPainter& p, const QRect& r, const QFont& font,
                                  const QColor& color, int flags, const QString& text) {
  DrawTextReflection(p, r, font, flags, text, color, FReflectionOffset);
}

// --- TspSkinStdLabelBase -----------------------------------------------------------------------

TspSkinStdLabelBase::TspSkinStdLabelBase(QWidget* parent, QSize initialSize, bool autoSize)
    : QWidget(parent), FDefaultFont(DefaultSkinFont()), FAutoSize(autoSize) {
  FBinding.SkinDataName = QStringLiteral("stdlabel");
  resize(initialSize);
}

TspSkinStdLabelBase::~TspSkinStdLabelBase() = default;

void TspSkinStdLabelBase::SetSkinData(TspSkinData* value) {
  if (FBinding.SetSkinData(value, this, [this] {
        DropSkinRecord();
        AdjustBounds();
        update();
      })) {
    ApplySkin();
  } else {
    DropSkinRecord();
    AdjustBounds();
    update();
  }
}

void TspSkinStdLabelBase::SetSkinDataName(const QString& value) {
  FBinding.SkinDataName = value;
  update();
}

void TspSkinStdLabelBase::SetDefaultFont(const QFont& value) {
  FDefaultFont = value;
  AdjustBounds();
  update();
}

void TspSkinStdLabelBase::SetUseSkinFont(bool value) {
  FUseSkinFont = value;
  AdjustBounds();
  update();
}

void TspSkinStdLabelBase::SetUseSkinColor(bool value) {
  FUseSkinColor = value;
  update();
}

void TspSkinStdLabelBase::SetAlignment(TspAlignment value) {
  FAlignment = value;
  update();
}

void TspSkinStdLabelBase::SetLayout(TspTextLayout value) {
  FLayout = value;
  update();
}

void TspSkinStdLabelBase::SetWordWrap(bool value) {
  FWordWrap = value;
  AdjustBounds();
  update();
}

void TspSkinStdLabelBase::SetAutoSize(bool value) {
  FAutoSize = value;
  AdjustBounds();
}

void TspSkinStdLabelBase::ReadSkinRecord() {
  FBinding.ReadSkinRecord();
}

QFont TspSkinStdLabelBase::TextFont() {
  ReadSkinRecord();
  const auto* rec = FBinding.RecordAs<TspDataSkinStdLabelControl>();
  if (!FUseSkinFont) return font();
  if (!rec) return FDefaultFont;
  return SkinFont(true, rec->fontname, rec->fontheight, rec->fontstyle, FDefaultFont);
}

QColor TspSkinStdLabelBase::TextColor() {
  ReadSkinRecord();
  const auto* rec = FBinding.RecordAs<TspDataSkinStdLabelControl>();
  if (rec && FUseSkinColor) return SkinColor(rec->fontcolor);
  return EnabledColor(*this, QPalette::WindowText);
}

QColor TspSkinStdLabelBase::DisabledTextColor() {
  return FadedTextColor(TextColor(), FaceColor());
}

QColor TspSkinStdLabelBase::FaceColor() {
  // The label is transparent: the face is the form's, the skin's button face when skinned.
  const TspSkinData* skin = FBinding.RecordAs<TspDataSkinStdLabelControl>() ? SkinData() : nullptr;
  return skin ? SkinColor(skin->SkinColors.cbtnface) : EnabledColor(*this, QPalette::Window);
}

void TspSkinStdLabelBase::DropSkinRecord() {
  FBinding.Drop();
}

void TspSkinStdLabelBase::ApplySkin() {
  // Applying re-reads the record even when nothing the binding watches changed.
  FBinding.Invalidate();
  ReadSkinRecord();
  AdjustBounds();
  update();
}

int TspSkinStdLabelBase::TextFlags() const {
  return HorizontalFlag(FAlignment) | Qt::AlignTop | Qt::TextExpandTabs |
         (FWordWrap ? Qt::TextWordWrap : 0);
}

void TspSkinStdLabelBase::DrawLabelText(QPainter& p, const QRect& rect, const QString& text,
                                        int flags) {
  if (isEnabled()) {
    p.setPen(TextColor());
    p.drawText(rect, flags, text);
    return;
  }
  // Embossed: a highlight one pixel right and down, the faded text in place. The skin's
  // shadow colour in place would all but vanish on the face.
  const TspSkinData* skin = FBinding.RecordAs<TspDataSkinStdLabelControl>() ? SkinData() : nullptr;
  const QColor highlight =
      skin ? SkinColor(skin->SkinColors.cbtnhighlight) : palette().color(QPalette::Light);
  p.setPen(highlight);
  p.drawText(rect.translated(1, 1), flags, text);
  p.setPen(DisabledTextColor());
  p.drawText(rect, flags, text);
}

void TspSkinStdLabelBase::SetSizeToText(QSize textSize) {
  if (!FAutoSize) return;
  QRect g = geometry();
  if (FAlignment == TspAlignment::taRightJustify) {
    const int right = g.left() + g.width();
    g.setLeft(right - textSize.width());
  }
  g.setSize(textSize);
  if (g != geometry()) setGeometry(g);
}

void TspSkinStdLabelBase::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
  case QEvent::FontChange:
    AdjustBounds();
    update();
    break;
  case QEvent::EnabledChange:
  case QEvent::PaletteChange:
    update();
    break;
  default:
    break;
  }
}

// --- TspSkinStdLabel ----------------------------------------------------------------------------

TspSkinStdLabel::TspSkinStdLabel(QWidget* parent) : TspSkinStdLabelBase(parent, {65, 17}, true) {}

void TspSkinStdLabel::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  UpdateShortcut();
  AdjustBounds();
  update();
}

void TspSkinStdLabel::SetEllipsType(TspStdEllipsType value) {
  FEllipsType = value;
  update();
}

void TspSkinStdLabel::SetShowAccelChar(bool value) {
  FShowAccelChar = value;
  UpdateShortcut();
  AdjustBounds();
  update();
}

void TspSkinStdLabel::SetFocusControl(QWidget* value) {
  FFocusControl = value;
  UpdateShortcut();
}

void TspSkinStdLabel::UpdateShortcut() {
  delete FShortcut;
  FShortcut = nullptr;
  if (!FShowAccelChar || !FFocusControl) return;
  const QKeySequence key = MnemonicKey(FCaption);
  if (key.isEmpty()) return;
  FShortcut = new QShortcut(key, this);
  QObject::connect(FShortcut, &QShortcut::activated, this, [this] {
    if (FFocusControl && FFocusControl->isEnabled())
      FFocusControl->setFocus(Qt::ShortcutFocusReason);
  });
}

QString TspSkinStdLabel::ShownText(const QFontMetrics& fm, int width) const {
  switch (FEllipsType) {
  case TspStdEllipsType::spetEndEllips:
    return fm.elidedText(FCaption, Qt::ElideRight, width);
  case TspStdEllipsType::spetPathEllips:
    return fm.elidedText(FCaption, Qt::ElideMiddle, width);
  default:
    return FCaption;
  }
}

void TspSkinStdLabel::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0 || FCaption.isEmpty()) return;
  QPainter p(this);
  const QFont font = TextFont();
  p.setFont(font);
  int flags = TextFlags() & ~Qt::AlignTop;
  flags |= FShowAccelChar ? Qt::TextShowMnemonic : 0;
  flags |= Layout() == TspTextLayout::tlCenter   ? Qt::AlignVCenter
           : Layout() == TspTextLayout::tlBottom ? Qt::AlignBottom
                                                 : Qt::AlignTop;
  DrawLabelText(p, rect(), ShownText(QFontMetrics(font, this), width()), flags);
}

void TspSkinStdLabel::AdjustBounds() {
  if (!AutoSize()) return;
  const QFont font = TextFont();
  const QFontMetrics fm(font, this);
  const int flags = TextFlags() | (FShowAccelChar ? Qt::TextShowMnemonic : 0);
  const QRect bound(0, 0, WordWrap() ? std::max(width(), 1) : 1 << 20, 1 << 20);
  QSize s = fm.boundingRect(bound, flags, FCaption).size();
  s.setHeight(std::max(s.height(), fm.height()));
  SetSizeToText(s);
}

// --- TspSkinTextLabel ---------------------------------------------------------------------------

TspSkinTextLabel::TspSkinTextLabel(QWidget* parent) : TspSkinStdLabelBase(parent, {65, 65}, true) {}

void TspSkinTextLabel::SetLines(const QStringList& value) {
  FLines = value;
  AdjustBounds();
  update();
}

void TspSkinTextLabel::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0 || FLines.isEmpty()) return;
  QPainter p(this);
  const QFont font = TextFont();
  p.setFont(font);
  const QString text = FLines.join(QLatin1Char('\n'));
  const int flags = TextFlags();
  // The block is measured first and placed as Layout says.
  const int blockHeight =
      QFontMetrics(font, this).boundingRect(QRect(0, 0, width(), 1 << 20), flags, text).height();
  int top = 0;
  if (Layout() == TspTextLayout::tlCenter)
    top = (height() - blockHeight) / 2;
  else if (Layout() == TspTextLayout::tlBottom)
    top = height() - blockHeight;
  DrawLabelText(p, QRect(0, top, width(), std::max(blockHeight, height() - top)), text, flags);
}

void TspSkinTextLabel::AdjustBounds() {
  if (!AutoSize()) return;
  const QFontMetrics fm(TextFont(), this);
  const QRect bound(0, 0, WordWrap() ? std::max(width(), 1) : 1 << 20, 1 << 20);
  QSize s = fm.boundingRect(bound, TextFlags(), FLines.join(QLatin1Char('\n'))).size();
  s.setHeight(std::max(s.height(), fm.height()));
  SetSizeToText(s);
}
