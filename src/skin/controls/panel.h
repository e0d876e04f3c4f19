#pragma once
// TspSkinPanel: the container the screens are laid out on, painted from the skin's "panel"
// record with its frame strips and its client piece tiled apart (no full-size image of a
// large panel), with an optional caption bar that can carry a check mark and roll the
// panel up to its caption. TspSkinGroupBox: the same with the caption bar on and the
// "groupbox" record, the frame of a radio group.

#include "skin/controls/border_style.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_control.h"
#include "skin/data/skin_values.h"

#include <QImage>
#include <QPointer>
#include <functional>

// Where the caption image goes: beside the caption as one group, or at the bar's left.
enum class TspImagePosition { spipDefault, spipLeft };

class TspSkinPanel : public TspSkinCustomControl, public TspBackgroundSource {
public:
  explicit TspSkinPanel(QWidget* parent = nullptr);

  // --- Published properties ----------------------------------------------------------------
  // Frame of the plain look; with a skin, bvNone drops the skin frame and tiles the client
  // piece over the whole panel.
  TspSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TspSkinBorderStyle value);
  // Drawn in the record's caption rectangle, or in the plain caption bar.
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  bool CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(bool value);
  // Caption alignment of the plain caption bar.
  TspAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TspAlignment value);
  // Height of the plain caption bar (22).
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int value);
  // Shows what lies behind the panel instead of the skin.
  bool TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(bool value);
  // Paints nothing of its own (what lies behind shows) and keeps the whole panel as client.
  bool EmptyDrawing() const { return FEmptyDrawing; }
  void SetEmptyDrawing(bool value);
  // A left release in the caption rolls the panel up to its caption or back down; only
  // with CaptionMode on.
  bool RollUpMode() const { return FRollUpMode; }
  void SetRollUpMode(bool value);
  bool RollUpState() const { return FRollUpState; }
  void SetRollUpState(bool value);
  std::function<void(QObject*)> OnChangeRollUpState;
  // A check mark in the caption, toggled by a click on the caption.
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  std::function<void(QObject*)> OnChecked;
  // Caption at the bottom instead of the top.
  bool RibbonStyle() const { return FRibbonStyle; }
  void SetRibbonStyle(bool value);
  // Caption image: a strip of NumGlyphs cells (the second is the disabled look).
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  TspImagePosition ImagePosition() const { return FImagePosition; }
  void SetImagePosition(TspImagePosition value);
  // A picture of this list (by CaptionImageIndex) shows in the glyph's place; the reference
  // is cleared when the list is destroyed.
  TspImageList* CaptionImageList() const { return FCaptionImageList; }
  void SetCaptionImageList(TspImageList* value);
  int CaptionImageIndex() const { return FCaptionImageIndex; }
  void SetCaptionImageIndex(int value);
  // Height before rolling up; -1 when not rolled up.
  int RealHeight() const { return FRealHeight; }
  // Stored with the panel (Qt disables the children of a disabled panel by itself).
  bool AutoEnabledControls() const { return FAutoEnabledControls; }
  void SetAutoEnabledControls(bool value) { FAutoEnabledControls = value; }

  // Where child controls go; also set as the widget's contents margins, so layouts use it.
  QRect ClientRect();
  // The rectangle of the caption: the record's caption rectangle moved with the fitted
  // geometry, or the plain caption bar. Empty when the panel shows no caption.
  QRect CaptionRect();

  // What the panel's children see behind them: its own look.
  void PaintChildBackground(QPainter& painter, const QRect& area) override;

  void ApplySkin() override;
  void ParentBackgroundChanged() override;

protected:
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  enum class Look { Empty, Transparent, Picture, Tiled, Common };
  Look SkinLook() const;
  void Changed();
  void UpdateClientMargins();
  int RolledUpHeight();
  void RollUp();
  void RollDown();
  // Check mark, glyph and caption text in `r`.
  void DrawCaptionContent(QPainter& p, QRect r, const QFont& font, const QColor& color,
                          TspAlignment alignment);
  void TileClientPiece(QImage& image, const QRect& area);
  // A caption, check mark or caption image to draw.
  bool HasCaptionContent() const;
  // The caption lies (partly) below the record's top frame strip, over the client area.
  bool CaptionOverClient();

  TspSkinBorderStyle FBorderStyle = TspSkinBorderStyle::bvFrame;
  QString FCaption;
  bool FCaptionMode = false;
  TspAlignment FDefaultAlignment = TspAlignment::taLeftJustify;
  int FDefaultCaptionHeight = 22;
  bool FTransparentMode = false;
  bool FEmptyDrawing = false;
  bool FRollUpMode = false;
  bool FRollUpState = false;
  bool FCheckedMode = false;
  bool FChecked = false;
  bool FRibbonStyle = false;
  QImage FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  TspImagePosition FImagePosition = TspImagePosition::spipDefault;
  QPointer<TspImageList> FCaptionImageList;
  int FCaptionImageIndex = -1;
  int FRealHeight = -1;
  bool FAutoEnabledControls = true;
  QSize FSavedMinimum, FSavedMaximum;
};

class TspSkinGroupBox : public TspSkinPanel {
public:
  explicit TspSkinGroupBox(QWidget* parent = nullptr);
};
