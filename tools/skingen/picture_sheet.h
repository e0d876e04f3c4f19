#pragma once
// One active picture of a skin: the parts of several records packed into rows. Parts are
// placed in the order they are added, so the same drawing always yields the same picture.

#include "skin/render/geometry.h"

#include <QImage>
#include <QString>
#include <vector>

class TPictureSheet {
public:
  // `fileName` is the BMP's name in the skin folder; rows are at most `rowWidth` wide
  // (a wider part gets a row of its own).
  TPictureSheet(QString fileName, int rowWidth);

  // Places a part and returns where it lies in the finished picture.
  TspRect Add(const QImage& part);
  // A picture that holds exactly one part at (0, 0) keeps the part's own size.
  QImage Compose() const;

  const QString& FileName() const { return FFileName; }
  bool IsEmpty() const { return FParts.empty(); }

private:
  struct Part {
    QImage Image;
    QPoint Pos;
  };
  QString FFileName;
  int FRowWidth;
  std::vector<Part> FParts;
  int FRowX = 0, FRowY = 0, FRowHeight = 0;
  int FWidth = 0, FHeight = 0;
};
