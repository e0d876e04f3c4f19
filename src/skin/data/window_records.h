#pragma once
// Descriptions of the skinned window parts that every skin has once: the window frame
// ([FORMINFO]), popup menus ([POPUPWINDOW]), hints ([HINTWINDOW]) and the layered border
// ([LAYERFRAME]). Each reads its fixed section; IDName holds that section's name.

#include "skin/data/skin_record.h"

#include <memory>

class TspBitmap;

class TspFormInfo : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspFormInfo)
  TspFormInfo();
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  TspRect clientrect;
  int bgpictureindex;
  int mdibgpictureindex;
  bool leftstretch;
  bool rightstretch;
  bool topstretch;
  bool bottomstretch;
  bool stretcheffect;
  TspStretchType stretchtype;
  bool mdibgstretcheffect;
  TspStretchType mdibgstretchtype;
  TspRect buttonsrect;
  TspRect captionrect;
  int buttonsoffset;
  bool buttonsinleft;
  TspRect maskrectarea;
  TspPoint hittestlefttoppoint;
  TspPoint hittestrighttoppoint;
  TspPoint hittestleftbottompoint;
  TspPoint hittestrightbottompoint;
  TspPoint rollupleftpoint;
  TspPoint rolluprightpoint;
  TspRect mainmenurect;
  TspRect iconrect;
  bool mainmenupopupup;
  int borderwidth;
  int formminwidth;
  int formminheight;
  bool mditabstransparent;
  bool mainmenubartransparent;
  int cursorindex;
  bool autorenderinginactiveimage;
  TspInactiveEffect inactiveeffect;
  TspRect sizegriparea;
  QString statusbarname;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinPopupWindow : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinPopupWindow)
  TspDataSkinPopupWindow();
  int windowpictureindex;
  int maskpictureindex;
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  int cursorindex;
  TspRect itemsrect;
  TColor scrollmarkercolor;
  TColor scrollmarkeractivecolor;
  bool leftstretch;
  bool rightstretch;
  bool topstretch;
  bool bottomstretch;
  bool stretcheffect;
  TspStretchType stretchtype;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinHintWindow : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinHintWindow)
  TspDataSkinHintWindow();
  int windowpictureindex;
  int maskpictureindex;
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  TspRect clientrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  bool leftstretch;
  bool rightstretch;
  bool topstretch;
  bool bottomstretch;
  bool stretcheffect;
  TspStretchType stretchtype;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinLayerFrame : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinLayerFrame)
  TspDataSkinLayerFrame();
  int pictureindex;
  int maskpictureindex;
  int inactivepictureindex;
  int inactivemaskpictureindex;
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  TspRect clientrect;
  int alphablendvalue;
  int inactivealphablendvalue;
  TspRect borderrect;
  bool hittestenable;
  bool fullborder;
  int hittestsize;
  TspRect captionrect;
  TspPoint hittestlefttoppoint;
  TspPoint hittestrighttoppoint;
  TspPoint hittestleftbottompoint;
  TspPoint hittestrightbottompoint;
  TspRect buttonsrect;
  TspRect sysmenubuttonrect;
  bool fullstretch;
  int rollupformheight;
  int buttonstopoffset;
  int sysbuttontopoffset;
  int blurmaskpictureindex;
  TspRect intersectblurmaskrect;
  TspRect excludeblurmaskrect;
  int leftoffset;
  int topoffset;
  int widthoffset;
  int heightoffset;
  void VisitFields(TspFieldVisitor& v) override;

  ~TspDataSkinLayerFrame() override;
  // The border images with alpha, built by the skin data object after loading; absent
  // while the skin has no layered border.
  std::unique_ptr<TspBitmap> ActiveBorder, InactiveBorder;
};