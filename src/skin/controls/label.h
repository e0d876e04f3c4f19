#pragma once
// The skinned labels: TspSkinLabel, a label with a skinned frame of its own (record
// "label"), and two transparent labels that take only font and colour from the skin's
// "stdlabel" record: TspSkinStdLabel (one caption) and TspSkinTextLabel (a list of lines).

#include "skin/controls/border_style.h"
#include "skin/controls/skin_control.h"
#include "skin/data/skin_values.h"

#include <QPointer>
#include <QStringList>

class QShortcut;

// How TspSkinLabel shortens a caption too wide for its text rectangle.
enum class TspEllipsType { spetNoneEllips, spetEllips };
// How the transparent labels shorten a caption: at the end, or in the middle of a path.
enum class TspStdEllipsType { spetNone, spetEndEllips, spetPathEllips };
// Vertical placement of a transparent label's text.
enum class TspTextLayout { tlTop, tlCenter, tlBottom };

class TspSkinLabel : public TspSkinCustomControl {
public:
  explicit TspSkinLabel(QWidget* parent = nullptr);

  // --- Published properties ----------------------------------------------------------------
  QString Caption() const { return FCaption; }
  // Re-sizes (AutoSize) and repaints.
  void SetCaption(const QString& value);
  TspAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TspAlignment value);
  // The width follows the caption. A record without corner points switches it off.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Frame of the plain look.
  TspSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TspSkinBorderStyle value);
  // Text over what lies behind the label instead of the skin image.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Off: any size, the skin image stretched around the record's client rectangle.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  // Off: the text takes the colour of the default font (the palette's window text).
  bool UseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool value);
  TspEllipsType EllipsType() const { return FEllipsType; }
  void SetEllipsType(TspEllipsType value);
  bool ShadowEffect() const { return FShadowEffect; }
  void SetShadowEffect(bool value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor value);
  int ShadowOffset() const { return FShadowOffset; }
  void SetShadowOffset(int value);
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int value);
  bool ReflectionEffect() const { return FReflectionEffect; }
  void SetReflectionEffect(bool value);
  int ReflectionOffset() const { return FReflectionOffset; }
  void SetReflectionOffset(int value);

  // --- What the next paint uses ------------------------------------------------------------
  // The font and colour of the caption by the label's font rule; a disabled label fades
  // that colour toward the face under its text.
  QFont TextFont();
  QColor TextColor();
  // Where the caption goes, in the label's coordinates.
  QRect TextRect();

  void ApplySkin() override;
  void DropSkinRecord() override;
  // A transparent label shows what lies behind it: it repaints when that changes.
  void ParentBackgroundChanged() override;
  void FitSizeToSkin(int& width, int& height) override;
  void UpdateRegion() override;

protected:
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The caption in `textRect` with the label's font, colour, alignment, ellipsis, shadow or
  // reflection, faded when disabled: the one text drawing of the label and its kin.
  void DrawCaption(QImage& image, const QRect& textRect);

private:
  void AdjustAutoSize();
  void DrawShadow(QPainter& p, const QRect& textRect, const QFont& font, int flags,
                  const QString& text);
  void DrawReflection(QPainter& p, const QRect& textRect, const QFont& font, const QColor& color,
                      int flags, const QString& text);
  QImage StretchedSkinImage();

  QString FCaption;
  TspAlignment FAlignment = TspAlignment::taLeftJustify;
  bool FAutoSize = false;
  TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
  bool FTransparent = false;
  bool FUseSkinSize = true;
  bool FUseSkinFontColor = true;
  TspEllipsType FEllipsType = TspEllipsType::spetNoneEllips;
  bool FShadowEffect = false;
  TColor FShadowColor = 0;
  int FShadowOffset = 0;
  int FShadowSize = 3;
  bool FReflectionEffect = false;
  int FReflectionOffset = -5;
  // The skin image stretched to the label's size when UseSkinSize is off.
};

// What the two transparent labels share: the skin binding, the font and colour rule and
// the disabled (embossed) text. They paint only their text; what lies behind them shows.
class TspSkinStdLabelBase : public QWidget, public TspSkinnable {
public:
  ~TspSkinStdLabelBase() override;

  // --- Published properties ----------------------------------------------------------------
  TspSkinData* SkinData() const { return FBinding.SkinData(); }
  void SetSkinData(TspSkinData* value);
  QString SkinDataName() const { return FBinding.SkinDataName; }
  void SetSkinDataName(const QString& value);
  // Font when UseSkinFont is on and the skin has no record. The label's own font (QWidget's
  // font) serves when UseSkinFont is off; its colour is the palette's window text.
  const QFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool value);
  TspAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TspAlignment value);
  TspTextLayout Layout() const { return FLayout; }
  void SetLayout(TspTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  int RecordIndex() const { return FBinding.RecordIndex; }
  // The font and colour the text is drawn in now.
  QFont TextFont();
  QColor TextColor();
  // The colour of the text in place when disabled (over its highlight copy): TextColor
  // faded toward the face, still readable on it.
  QColor DisabledTextColor();

  // --- Skin changes --------------------------------------------------------------------------
  TspSkinData* BoundSkinData() const override { return SkinData(); }
  void DropSkinRecord() override;
  void ApplySkin() override;
  bool IsGraphicControl() const override { return true; }

protected:
  TspSkinStdLabelBase(QWidget* parent, QSize initialSize, bool autoSize);

  void ReadSkinRecord();
  // Text flags of the alignment and word wrap.
  int TextFlags() const;
  // What the transparent label most likely stands on.
  QColor FaceColor();
  // Draws `text` in `rect` with `flags`: embossed when disabled.
  void DrawLabelText(QPainter& p, const QRect& rect, const QString& text, int flags);
  // Sets the size to the text block when AutoSize is on, keeping the right edge of a
  // right-aligned label.
  void SetSizeToText(QSize textSize);
  virtual void AdjustBounds() = 0;
  void changeEvent(QEvent* event) override;

private:
  TspSkinBinding FBinding;
  QFont FDefaultFont;
  bool FUseSkinFont = true;
  bool FUseSkinColor = true;
  TspAlignment FAlignment = TspAlignment::taLeftJustify;
  TspTextLayout FLayout = TspTextLayout::tlTop;
  bool FWordWrap = false;
  bool FAutoSize;
};

class TspSkinStdLabel : public TspSkinStdLabelBase {
public:
  explicit TspSkinStdLabel(QWidget* parent = nullptr);

  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  TspStdEllipsType EllipsType() const { return FEllipsType; }
  void SetEllipsType(TspStdEllipsType value);
  // "&" marks the accelerator character (shown underlined; "&&" is a plain "&").
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  // The control that its accelerator focuses.
  QWidget* FocusControl() const { return FFocusControl; }
  void SetFocusControl(QWidget* value);

protected:
  void paintEvent(QPaintEvent* event) override;
  void AdjustBounds() override;

private:
  void UpdateShortcut();
  QString ShownText(const QFontMetrics& fm, int width) const;

  QString FCaption;
  TspStdEllipsType FEllipsType = TspStdEllipsType::spetNone;
  bool FShowAccelChar = true;
  QPointer<QWidget> FFocusControl;
  QShortcut* FShortcut = nullptr;
};

class TspSkinTextLabel : public TspSkinStdLabelBase {
public:
  explicit TspSkinTextLabel(QWidget* parent = nullptr);

  const QStringList& Lines() const { return FLines; }
  // Re-sizes (AutoSize) and repaints.
  void SetLines(const QStringList& value);

protected:
  void paintEvent(QPaintEvent* event) override;
  void AdjustBounds() override;

private:
  QStringList FLines;
};
