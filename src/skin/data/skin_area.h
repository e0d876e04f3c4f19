#pragma once
// Named rectangles of the window frame, from [SKINAREAS]: entries
// "name:left,top,right,bottom;f1,f2,f3,f4,f5".

#include "skin/data/ini_text.h"
#include "skin/render/geometry.h"

#include <QString>
#include <array>
#include <memory>

class TspDataSkinArea {
public:
  QString IDName;
  TspRect AreaRect;
  // Five flags kept in entry order; nothing in the engine reads them yet.
  std::array<bool, 5> Flags{};
};

// The name runs to the LAST ":" and the rectangle from there to the LAST ";". The flags
// are read only when exactly nine characters follow that ";" (five flag characters and
// four commas), each true when it is "1"; otherwise all are false. An entry without ":"
// makes no area (nullptr). A malformed rectangle throws EConvertError.
std::unique_ptr<TspDataSkinArea> ParseSkinAreaEntry(QStringView entry);
// The entry text ParseSkinAreaEntry reads back.
QString FormatSkinAreaEntry(const TspDataSkinArea& area);
