#pragma once
// TspImageList: a list of pictures that controls refer to by index (a button shows one in
// place of its glyph). A component of its own, so a control's reference to it is cleared
// when it is destroyed.

#include <QImage>
#include <QObject>
#include <vector>

class TspImageList : public QObject {
public:
  explicit TspImageList(QObject* owner = nullptr) : QObject(owner) {}

  std::vector<QImage> Images;

  int Count() const { return int(Images.size()); }
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
  // The picture at `index`, or a null image for an index out of range.
  QImage Image(int index) const { return ValidIndex(index) ? Images[size_t(index)] : QImage(); }
};
