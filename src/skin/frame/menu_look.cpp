#include "skin/frame/menu_look.h"

#include "skin/data/record_check.h"

#include "skin/controls/plain_look.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"

namespace {

constexpr TColor kSysWindowText = 0x80000008;
constexpr TColor kSysBtnShadow = 0x80000010;

const TspDataSkinMenuItem* FindMenuItem(const TspSkinData& data) {
  for (const char* name : {"MENUITEM", "menuitem"}) {
    const int i = data.FindObjectData(QString::fromLatin1(name));
    if (i < 0) continue;
    if (auto* rec = dynamic_cast<const TspDataSkinMenuItem*>(data.ObjectList[size_t(i)].get()))
      return rec;
  }
  return nullptr;
}

template <class Rec>
bool TakeHeaderLook(const TspSkinData& data, const TspDataSkinControl* c, TspMenuLook& look) {
  auto* rec = dynamic_cast<const Rec*>(c);
  if (!rec) return false;
  look.HeaderFont = SkinFont(true, rec->fontname, rec->fontheight, rec->fontstyle, look.Font);
  look.HeaderColor = SkinColor(rec->fontcolor);
  if (const QImage* picture = RecordPicture(*rec, data.ActivePictures)) {
    look.HeaderPicture = *picture;
    look.HeaderGeometry = ControlGeometry(*rec);
  }
  return true;
}

// The header's font, colour and image: those of the skin's "menuheader" label, else "label".
void ReadHeaderLook(const TspSkinData& data, TspMenuLook& look) {
  for (const char* name : {"menuheader", "label"}) {
    const int i = data.FindControlData(QString::fromLatin1(name));
    if (i < 0) continue;
    const TspDataSkinControl* c = data.ControlList[size_t(i)].get();
    if (TakeHeaderLook<TspDataSkinStdLabelControl>(data, c, look) ||
        TakeHeaderLook<TspDataSkinLabelControl>(data, c, look))
      return;
  }
}

} // namespace

TspMenuLook MakeMenuLook(const TspSkinData* data, const TspMenuOptions& o) {
  TspMenuLook look;
  look.Font = o.DefaultItemFont;
  look.ItemHeight = o.DefaultItemHeight;
  look.FontColor = SkinColor(kSysWindowText);
  look.ActiveFontColor = look.FontColor;
  look.DisabledFontColor = SkinColor(kSysBtnShadow);
  look.ScrollMarkerColor = SkinColor(kSysBtnShadow);
  look.ScrollMarkerActiveColor = SkinColor(0x80000012);
  look.HeaderFont = look.Font;
  look.HeaderFont.setBold(true);
  look.HeaderColor = look.FontColor;
  if (!data || data->IsEmpty()) return look;

  const TspDataSkinPopupWindow& pw = data->PopupWindow;
  // A window record whose places its picture does not hold draws the plain window.
  if (pw.windowpictureindex != -1 && data->ValidPictureIndex(pw.windowpictureindex) &&
      WindowRecordDrawable(pw, &data->ActivePictures[size_t(pw.windowpictureindex)])) {
    look.SkinnedWindow = true;
    look.WindowPicture = data->ActivePictures[size_t(pw.windowpictureindex)];
    if (data->ValidPictureIndex(pw.maskpictureindex))
      look.MaskPicture = data->ActivePictures[size_t(pw.maskpictureindex)];
    look.WindowGeometry = {pw.itemsrect, pw.lefttoppoint, pw.righttoppoint, pw.leftbottompoint,
                           pw.rightbottompoint};
    look.WindowFlags = {pw.leftstretch,   pw.topstretch,    pw.rightstretch,
                        pw.bottomstretch, pw.stretcheffect, int(pw.stretchtype)};
    look.ScrollMarkerColor = SkinColor(pw.scrollmarkercolor);
    look.ScrollMarkerActiveColor = SkinColor(pw.scrollmarkeractivecolor);
  }

  const TspDataSkinMenuItem* mi = FindMenuItem(*data);
  // An item record whose places its picture does not hold draws the plain items.
  if (mi && data->ValidPictureIndex(mi->activepictureindex) && !mi->skinrect.IsEmpty() &&
      ObjectDrawable(*mi, data->Picture, data->ActivePictures)) {
    look.SkinnedItems = true;
    look.ItemPicture = data->ActivePictures[size_t(mi->activepictureindex)];
    look.SkinRect = mi->skinrect;
    look.ActiveSkinRect = mi->activeskinrect.IsEmpty() ? mi->skinrect : mi->activeskinrect;
    look.DividerRect = mi->dividerrect;
    look.ItemLeftOffset = mi->itemleftoffset;
    look.ItemRightOffset = mi->itemrightoffset;
    look.DividerLeftOffset = mi->dividerleftoffset;
    look.DividerRightOffset = mi->dividerrightoffset;
    look.StretchEffect = mi->stretcheffect;
    look.InactiveStretchEffect = mi->inactivestretcheffect;
    look.DividerStretchEffect = mi->dividerstretcheffect;
    look.InactiveTransparent = mi->inactivetransparent;
    look.TextRect = mi->textrect;
    look.ImageRect = mi->imagerect;
    look.CheckRect = mi->checkimagerect;
    look.ActiveCheckRect = mi->activecheckimagerect;
    look.RadioRect = mi->radioimagerect;
    look.ActiveRadioRect = mi->activeradioimagerect;
    look.ArrowRect = mi->arrowimagerect;
    look.ActiveArrowRect = mi->activearrowimagerect;
    if (!mi->animateskinrect.IsEmpty() && mi->framecount > 0) {
      look.AnimateSkinRect = mi->animateskinrect;
      look.FrameCount = mi->framecount;
      if (mi->animateinterval > 0) look.AnimateInterval = mi->animateinterval;
    }
    look.Morphing = mi->morphing && data->EnableSkinEffects();
    look.MorphKind = mi->morphkind;
    look.FontColor = SkinColor(mi->fontcolor);
    look.ActiveFontColor = SkinColor(mi->activefontcolor);
    look.DisabledFontColor = SkinColor(mi->unenabledfontcolor);
    if (o.UseSkinFont) {
      look.Font = SkinFont(true, mi->fontname, mi->fontheight, mi->fontstyle, o.DefaultItemFont);
    }
    if (o.UseSkinSize) look.ItemHeight = mi->skinrect.Height();
    look.SeparatorHeight = mi->dividerrect.IsEmpty() ? 4 : mi->dividerrect.Height();
    look.HeaderFont = look.Font;
    look.HeaderFont.setBold(true);
    look.HeaderColor = look.FontColor;
    ReadHeaderLook(*data, look);
  }
  return look;
}
