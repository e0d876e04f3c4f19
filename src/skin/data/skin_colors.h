#pragma once
// The skin's replacements for the platform's system colours, from [SKINCOLORS].

#include "skin/data/skin_record.h"

class TspSkinColors : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspSkinColors)
  TspSkinColors();
  TColor cbtnface;
  TColor cbtntext;
  TColor cwindow;
  TColor cwindowtext;
  TColor chighlight;
  TColor chighlighttext;
  TColor cbtnhighlight;
  TColor cbtnshadow;
  TColor c3dlight;
  TColor c3ddkshadow;
  void VisitFields(TspFieldVisitor& v) override;
};
