#pragma once
// TspSkinStatusPanel: a skinned label for the status bar (record "statuspanel") with an
// optional image at the left of its caption: a picture of an image list, or a glyph strip
// whose second cell is the disabled look.

#include "skin/controls/image_list.h"
#include "skin/controls/label.h"

#include <QImage>
#include <QPointer>

class TspSkinStatusPanel : public TspSkinLabel {
  Q_OBJECT
public:
  explicit TspSkinStatusPanel(QWidget* parent = nullptr);

  // --- Published properties ----------------------------------------------------------------
  // Source of the panel image; reads as none once the list is destroyed.
  TspImageList* ImageList() const { return FImageList; }
  void SetImageList(TspImageList* value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // A strip of NumGlyphs equal cells; copied. Re-sizes when AutoSize is on.
  const QImage& Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& value);
  // 1 or 2 (values outside are clamped); cell 2 is the disabled look.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);

  // The label's, with room for the image when AutoSize is on.
  void SetCaption(const QString& value);
  void SetAutoSize(bool value);

  // The image the panel shows and its width (one glyph cell): the list's picture when the
  // glyph is empty and the index names one, else the glyph, else none.
  enum class TImageKind { None, ListImage, Glyph };
  TImageKind ImageKind() const;
  int ImageWidth() const;
  // Where the caption goes after the image, in the panel's coordinates.
  QRect ContentRect();

  void ApplySkin() override;

protected:
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;

private:
  void AdjustPanelSize();
  // Draws the image at (x, y) and returns its width, 0 without one.
  int DrawImage(QPainter& p, int x, int y);

  QPointer<TspImageList> FImageList;
  int FImageIndex = -1;
  QImage FGlyph;
  int FNumGlyphs = 1;
};
