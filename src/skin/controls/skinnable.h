#pragma once
// The two small interfaces that tie every skinned control together, whatever Qt class it
// derives from: the skin-change walk finds controls through TspSkinnable, and a control
// painting what lies behind it asks its parent through TspBackgroundSource.

class QPainter;
class QRect;
class TspSkinData;

// Implemented by every skinned control: the control bases do it, and the controls that
// derive from Qt's own classes (edits, page control, standard label) add it.
class TspSkinnable {
public:
  virtual ~TspSkinnable() = default;
  // The skin data object the control draws from, or none.
  virtual TspSkinData* BoundSkinData() const = 0;
  // Forget the record before the skin data is replaced: nothing of the old skin may be used.
  virtual void DropSkinRecord() = 0;
  // Find the record again in the loaded skin, refit and repaint.
  virtual void ApplySkin() = 0;
  // True for controls that, on the platform the skins come from, paint on their parent's
  // surface instead of owning a window: a control painting its parent's background paints
  // these lower siblings too.
  virtual bool IsGraphicControl() const { return false; }
};

// Implemented by skinned containers whose children see a background other than a plain
// fill: a panel answers with its skin image, a tab sheet with its page background.
class TspBackgroundSource {
public:
  virtual ~TspBackgroundSource() = default;
  // Paints this widget's background over `area` (in this widget's coordinates) with
  // `painter`, which is already set up in this widget's coordinates and clipped to `area`.
  virtual void PaintChildBackground(QPainter& painter, const QRect& area) = 0;
  // Whether what the widget paints of its own (a caption, a frame) lies over that
  // background behind its children; false where its painting is the background alone.
  virtual bool OwnPaintingBehindChildren() const { return true; }
};
