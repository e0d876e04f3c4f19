#pragma once
// What lies behind a control, for controls that blend over it or draw transparently.

class QImage;
class QPainter;
class QWidget;

// Paints into `painter`, in `control`'s coordinates and clipped to the parent's area,
// what lies behind the control: the parent's background (a TspBackgroundSource parent
// answers for itself; a form gives its palette background; any other parent its own
// painting over what lies behind it in turn), then, from the bottom up, each visible
// graphic sibling below the control that overlaps it, at its own position and clipped to
// its own size. Nothing for a control without a parent.
void PaintParentBackground(QWidget* control, QPainter& painter);
// The same into an image of the control's size (RGB32); the image is made that size.
void PaintParentBackground(QWidget* control, QImage& canvas);
