#include "skin/data/window_records.h"

#include "skin/render/bitmap.h"

TspFormInfo::TspFormInfo() {
  IDName = QStringLiteral("FORMINFO");
  ResetFields();
}

TspDataSkinPopupWindow::TspDataSkinPopupWindow() {
  IDName = QStringLiteral("POPUPWINDOW");
  ResetFields();
}

TspDataSkinHintWindow::TspDataSkinHintWindow() {
  IDName = QStringLiteral("HINTWINDOW");
  ResetFields();
  // Hints are drawn a size smaller until a skin says otherwise; a skin that leaves out
  // "fontheight" still gets the usual 13.
  fontheight = 12;
}

TspDataSkinLayerFrame::TspDataSkinLayerFrame() {
  IDName = QStringLiteral("LAYERFRAME");
  ResetFields();
}

TspDataSkinLayerFrame::~TspDataSkinLayerFrame() = default;

// Keys in the order the description lists them.

void TspFormInfo::VisitFields(TspFieldVisitor& v) {
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Rect("clientrect", clientrect);
  v.Integer("bgpictureindex", bgpictureindex, -1);
  v.Integer("mdibgpictureindex", mdibgpictureindex, -1);
  v.Flag("leftstretch", leftstretch);
  v.Flag("rightstretch", rightstretch);
  v.Flag("topstretch", topstretch);
  v.Flag("bottomstretch", bottomstretch);
  v.Flag("stretcheffect", stretcheffect);
  v.Enum("stretchtype", stretchtype);
  v.Flag("mdibgstretcheffect", mdibgstretcheffect);
  v.Enum("mdibgstretchtype", mdibgstretchtype);
  v.Rect("buttonsrect", buttonsrect);
  v.Rect("captionrect", captionrect);
  v.Integer("buttonsoffset", buttonsoffset, 0);
  v.Flag("buttonsinleft", buttonsinleft);
  v.Rect("maskrectarea", maskrectarea);
  v.Point("hittestlefttoppoint", hittestlefttoppoint);
  v.Point("hittestrighttoppoint", hittestrighttoppoint);
  v.Point("hittestleftbottompoint", hittestleftbottompoint);
  v.Point("hittestrightbottompoint", hittestrightbottompoint);
  v.Point("rollupleftpoint", rollupleftpoint);
  v.Point("rolluprightpoint", rolluprightpoint);
  v.Rect("mainmenurect", mainmenurect);
  v.Rect("iconrect", iconrect);
  v.Flag("mainmenupopupup", mainmenupopupup);
  v.Integer("borderwidth", borderwidth, 0);
  v.Integer("formminwidth", formminwidth, 0);
  v.Integer("formminheight", formminheight, 0);
  v.Flag("mditabstransparent", mditabstransparent);
  v.Flag("mainmenubartransparent", mainmenubartransparent);
  v.Integer("cursorindex", cursorindex, -1);
  v.Flag("autorenderinginactiveimage", autorenderinginactiveimage);
  v.Enum("inactiveeffect", inactiveeffect);
  v.Rect("sizegriparea", sizegriparea);
  v.Text("statusbarname", statusbarname, "");
}

void TspDataSkinPopupWindow::VisitFields(TspFieldVisitor& v) {
  v.Integer("windowpictureindex", windowpictureindex, -1);
  v.Integer("maskpictureindex", maskpictureindex, -1);
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Integer("cursorindex", cursorindex, -1);
  v.Rect("itemsrect", itemsrect);
  v.Color("scrollmarkercolor", scrollmarkercolor, 0);
  v.Color("scrollmarkeractivecolor", scrollmarkeractivecolor, 0);
  v.Flag("leftstretch", leftstretch);
  v.Flag("rightstretch", rightstretch);
  v.Flag("topstretch", topstretch);
  v.Flag("bottomstretch", bottomstretch);
  v.Flag("stretcheffect", stretcheffect);
  v.Enum("stretchtype", stretchtype);
}

void TspDataSkinHintWindow::VisitFields(TspFieldVisitor& v) {
  v.Integer("windowpictureindex", windowpictureindex, -1);
  v.Integer("maskpictureindex", maskpictureindex, -1);
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Rect("clientrect", clientrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Flag("leftstretch", leftstretch);
  v.Flag("rightstretch", rightstretch);
  v.Flag("topstretch", topstretch);
  v.Flag("bottomstretch", bottomstretch);
  v.Flag("stretcheffect", stretcheffect);
  v.Enum("stretchtype", stretchtype);
}

void TspDataSkinLayerFrame::VisitFields(TspFieldVisitor& v) {
  v.Integer("pictureindex", pictureindex, -1);
  v.Integer("maskpictureindex", maskpictureindex, -1);
  v.Integer("inactivepictureindex", inactivepictureindex, -1);
  v.Integer("inactivemaskpictureindex", inactivemaskpictureindex, -1);
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Rect("clientrect", clientrect);
  v.Integer("alphablendvalue", alphablendvalue, 255);
  v.Integer("inactivealphablendvalue", inactivealphablendvalue, 255);
  v.Rect("borderrect", borderrect);
  v.Flag("hittestenable", hittestenable);
  v.Flag("fullborder", fullborder);
  v.Integer("hittestsize", hittestsize, 0);
  v.Rect("captionrect", captionrect);
  v.Point("hittestlefttoppoint", hittestlefttoppoint);
  v.Point("hittestrighttoppoint", hittestrighttoppoint);
  v.Point("hittestleftbottompoint", hittestleftbottompoint);
  v.Point("hittestrightbottompoint", hittestrightbottompoint);
  v.Rect("buttonsrect", buttonsrect);
  v.Rect("sysmenubuttonrect", sysmenubuttonrect);
  v.Flag("fullstretch", fullstretch);
  v.Integer("rollupformheight", rollupformheight, 0);
  v.Integer("buttonstopoffset", buttonstopoffset, 0);
  v.Integer("sysbuttontopoffset", sysbuttontopoffset, 0);
  v.Integer("blurmaskpictureindex", blurmaskpictureindex, -1);
  v.Rect("intersectblurmaskrect", intersectblurmaskrect);
  v.Rect("excludeblurmaskrect", excludeblurmaskrect);
  v.Integer("leftoffset", leftoffset, 0);
  v.Integer("topoffset", topoffset, 0);
  v.Integer("widthoffset", widthoffset, 0);
  v.Integer("heightoffset", heightoffset, 0);
}
