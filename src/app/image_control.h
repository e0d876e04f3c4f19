#pragma once
// TImage: a picture on a form (logos, role and user pictures, animal pictures). Pictures are
// JPEG files decoded by our codec; the scaled copy on screen is made once per picture and
// size, not in every paint.

#include <QImage>
#include <QWidget>

class TImage : public QWidget {
  Q_OBJECT
public:
  explicit TImage(QWidget* parent = nullptr);

  const QImage& Picture() const { return FPicture; }
  void SetPicture(const QImage& value);
  // Reads a JPEG file; a file that cannot be read or decoded raises the codec's error and
  // leaves the picture as it was.
  void LoadFromFile(const QString& path);

  // Centre the picture in the control.
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  // Scale to the control keeping the picture's proportions (only down, unless Stretch).
  bool Proportional() const { return FProportional; }
  void SetProportional(bool value);
  // Scale to the control (with Proportional: as large as fits).
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  // Stored with the control: pictures are opaque JPEGs, what lies behind shows around them.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value) { FTransparent = value; }

  // Where the picture is drawn, in the control's coordinates.
  QRect PictureRect() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Changed();

  QImage FPicture;
  // The picture at the size last painted; a new size scales again.
  QImage FScaled;
  bool FCenter = false;
  bool FProportional = false;
  bool FStretch = false;
  bool FTransparent = false;
};
