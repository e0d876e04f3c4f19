#include "skin/data/skin_colors.h"

TspSkinColors::TspSkinColors() {
  IDName = QStringLiteral("SKINCOLORS");
  ResetFields();
}

void TspSkinColors::VisitFields(TspFieldVisitor& v) {
  v.Color("cbtnface", cbtnface, 0);
  v.Color("cbtntext", cbtntext, 0);
  v.Color("cwindow", cwindow, 0);
  v.Color("cwindowtext", cwindowtext, 0);
  v.Color("chighlight", chighlight, 0);
  v.Color("chighlighttext", chighlighttext, 0);
  v.Color("cbtnhighlight", cbtnhighlight, 0);
  v.Color("cbtnshadow", cbtnshadow, 0);
  v.Color("c3dlight", c3dlight, 0);
  v.Color("c3ddkshadow", c3ddkshadow, 0);
}
