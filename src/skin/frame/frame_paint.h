#pragma once
// The frame's pixels: the four border images composed off-screen from the skin's frame
// picture (or the plain frame), with the frame objects and the caption text drawn into
// them, and the client background. Composition runs once per size, active state, caption
// text and skin; a single object is redrawn alone into the images it lies on.

#include "skin/frame/caption_buttons.h"
#include "skin/frame/frame_objects.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <functional>

class QPainter;
class TspSkinData;

struct TspFramePaintInput {
  // Skinned when set, not empty and its frame record drawable.
  const TspSkinData* Skin = nullptr;
  bool FrameDrawable = true;
  TspFrameGeometry Geometry;
  int Width = 0, Height = 0;
  TspObjectList* Objects = nullptr;
  TspObjectPaintContext Context;
  QString Caption;
  bool UseSkinFontInCaption = true;
  QFont DefCaptionFont, DefInActiveCaptionFont;
  QColor DefCaptionColor, DefInActiveCaptionColor;
  // Replaces the caption text drawing: the painter, the caption's rectangle and whether
  // the form is active.
  std::function<void(QPainter&, const TspRect&, bool)> OnCaptionPaint;
  // The plain frame: the caption rectangle left by its buttons, tool-window sizes and the
  // form's icon.
  TspRect DefaultCaption;
  bool ToolWindow = false;
  QImage Icon;

  bool Skinned() const;
};

class TspFramePainter {
public:
  // Recomposes the four images for `in`.
  void Compose(const TspFramePaintInput& in);
  // Redraws `object` alone into the images and returns its rectangle in the window.
  QRect RedrawObject(const TspFramePaintInput& in, const TspActiveSkinObject& object);
  // Copies the images, clipped to `dirty`, to the window.
  void Paint(QPainter& painter, const QRegion& dirty) const;
  // Forgets the images (the skin they came from goes away).
  void Clear();
  bool IsEmpty() const { return FTop.isNull() && FBottom.isNull(); }

  // The images and where they go, for tests and tools.
  const QImage& Top() const { return FTop; }
  const QImage& Bottom() const { return FBottom; }
  const QImage& Left() const { return FLeft; }
  const QImage& Right() const { return FRight; }
  QPoint TopAt() const { return {0, 0}; }
  QPoint LeftAt() const { return {0, FTop.height()}; }
  QPoint RightAt() const { return {FWidth - FRight.width(), FTop.height()}; }
  QPoint BottomAt() const { return {0, FHeight - FBottom.height()}; }

private:
  void DrawObjects(const TspFramePaintInput& in);
  void DrawObjectInto(const TspFramePaintInput& in, const TspActiveSkinObject& object);
  void DrawCaption(const TspFramePaintInput& in, const TspSkinCaptionObject& caption);
  void DrawDefaultCaption(const TspFramePaintInput& in);

  int FWidth = 0, FHeight = 0;
  // The composed bands before objects were drawn, to redraw an object over.
  QImage FBaseTop, FBaseBottom;
  QImage FTop, FBottom, FLeft, FRight;
};

// The client background of a client area of clientWidth x clientHeight in a frame of
// frameWidth x frameHeight: the skin's client picture tiled or stretched, or clBtnFace.
QImage ComposeClientBackground(const TspSkinData* skin, int clientWidth, int clientHeight,
                               int frameWidth, int frameHeight);

// The plain frame's colours: the skin data's system colours, or the platform's without one.
TspFrameColors FrameColors(const TspSkinData* skin);

// The skin's inactive effect applied to `image` in place.
void ApplyInactiveEffect(QImage& image, TspInactiveEffect effect);
