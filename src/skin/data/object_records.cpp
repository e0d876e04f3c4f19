#include "skin/data/object_records.h"

// Keys in the order the description lists them, the base kind's first. The state images
// of the button records are made in button_images.cpp.

void TspDataSkinObject::VisitFields(TspFieldVisitor& v) {
  v.Text("hint", hint, "");
  v.Flag("rollup", rollup);
  v.Integer("activepictureindex", activepictureindex, -1);
  v.Integer("activemaskpictureindex", activemaskpictureindex, -1);
  v.Flag("skinrectinapicture", skinrectinapicture);
  v.Integer("cursorindex", cursorindex, -1);
  v.Rect("skinrect", skinrect);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("inactiveskinrect", inactiveskinrect);
  v.Flag("morphing", morphing);
  v.Enum("morphkind", morphkind);
  v.Integer("glowlayerpictureindex", glowlayerpictureindex, -1);
  v.Integer("glowlayermaskpictureindex", glowlayermaskpictureindex, -1);
  v.Integer("glowlayeroffsetx", glowlayeroffsetx, 0);
  v.Integer("glowlayeroffsety", glowlayeroffsety, 0);
  v.Integer("glowlayeralphablendvalue", glowlayeralphablendvalue, 255);
}

void TspDataUserObject::VisitFields(TspFieldVisitor& v) {
  v.Flag("rollup", rollup);
  v.Rect("skinrect", skinrect);
  v.Integer("cursorindex", cursorindex, -1);
}

void TspDataSkinButton::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Rect("downrect", downrect);
  v.Rect("disableskinrsect", disableskinrsect);
  v.Integer("groupindex", groupindex, -1);
  v.Integer("alphamaskpictureindex", alphamaskpictureindex, -1);
  v.Integer("alphamaskactivepictureindex", alphamaskactivepictureindex, -1);
  v.Integer("alphamaskinactivepictureindex", alphamaskinactivepictureindex, -1);
}

void TspDataSkinStdButton::VisitFields(TspFieldVisitor& v) {
  TspDataSkinButton::VisitFields(v);
  v.Enum("command", command);
  v.Rect("restorerect", restorerect);
  v.Rect("restoreactiverect", restoreactiverect);
  v.Rect("restoredownrect", restoredownrect);
  v.Rect("restoreinactiverect", restoreinactiverect);
  v.Text("restorehint", restorehint, "");
}

void TspDataSkinCaptionMenuButton::VisitFields(TspFieldVisitor& v) {
  TspDataSkinButton::VisitFields(v);
  v.Text("fontName", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("downfontcolor", downfontcolor, 0);
  v.Color("inactivefontcolor", inactivefontcolor, 0);
  v.Integer("leftoffset", leftoffset, 10);
  v.Integer("rightoffset", rightoffset, 10);
  v.Integer("topposition", topposition, 0);
  v.Rect("clientrect", clientrect);
}

void TspDataSkinCaptionTab::VisitFields(TspFieldVisitor& v) {
  TspDataSkinButton::VisitFields(v);
  v.Text("fontName", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("downfontcolor", downfontcolor, 0);
  v.Integer("leftoffset", leftoffset, 10);
  v.Integer("rightoffset", rightoffset, 10);
  v.Integer("topposition", topposition, 0);
  v.Rect("clientrect", clientrect);
}

void TspDataSkinCaption::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Flag("defaultcaption", defaultcaption);
  v.Rect("textrect", textrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Enum("alignment", alignment);
  v.Flag("shadow", shadow);
  v.Color("shadowcolor", shadowcolor, 0);
  v.Flag("light", light);
  v.Color("lightcolor", lightcolor, 0);
  v.Color("activelightcolor", activelightcolor, 0);
  v.Color("activeshadowcolor", activeshadowcolor, 0);
  v.Rect("framerect", framerect);
  v.Rect("activeframerect", activeframerect);
  v.Rect("frametextrect", frametextrect);
  v.Integer("frameleftoffset", frameleftoffset, 0);
  v.Integer("framerightoffset", framerightoffset, 0);
  v.Flag("stretcheffect", stretcheffect);
  v.Rect("animateskinrect", animateskinrect);
  v.Integer("framecount", framecount, 0);
  v.Integer("animateinterval", animateinterval, 25);
  v.Flag("inactiveanimation", inactiveanimation);
  v.Flag("fullframe", fullframe);
  v.Flag("vistagloweffect", vistagloweffect);
  v.Flag("vistaglowinactiveeffect", vistaglowinactiveeffect);
  v.Flag("gloweffect", gloweffect);
  v.Flag("glowinactiveeffect", glowinactiveeffect);
  v.Integer("glowsize", glowsize, 3);
  v.Color("glowcolor", glowcolor, 0);
  v.Color("glowactivecolor", glowactivecolor, 0);
  v.Integer("glowoffset", glowoffset, 0);
  v.Flag("reflectioneffect", reflectioneffect);
  v.Color("reflactioncolor", reflactioncolor, 0);
  v.Color("reflactionactivecolor", reflactionactivecolor, 0);
  v.Integer("reflectionoffset", reflectionoffset, 0);
  v.Rect("dividerrect", dividerrect);
  v.Rect("inactivedividerrect", inactivedividerrect);
  v.Flag("dividertransparent", dividertransparent);
  v.Color("dividertransparentcolor", dividertransparentcolor, 0);
  v.Integer("quickbuttonalphamaskpictureindex", quickbuttonalphamaskpictureindex, -1);
}

void TspDataSkinMenuItem::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("itemleftoffset", itemleftoffset, 0);
  v.Integer("itemrightoffset", itemrightoffset, 0);
  v.Rect("dividerrect", dividerrect);
  v.Integer("dividerleftoffset", dividerleftoffset, 0);
  v.Integer("dividerrightoffset", dividerrightoffset, 0);
  v.Rect("textrect", textrect);
  v.Rect("imagerect", imagerect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("unenabledfontcolor", unenabledfontcolor, 0);
  v.Flag("stretcheffect", stretcheffect);
  v.Flag("inactivestretcheffect", inactivestretcheffect);
  v.Flag("dividerstretcheffect", dividerstretcheffect);
  v.Rect("animateskinrect", animateskinrect);
  v.Integer("framecount", framecount, 0);
  v.Integer("animateinterval", animateinterval, 25);
  v.Flag("inactiveanimation", inactiveanimation);
  v.Flag("useimagecolor", useimagecolor);
  v.Color("imagecolor", imagecolor, 0);
  v.Color("activeimagecolor", activeimagecolor, 0);
  v.Flag("inactivetransparent", inactivetransparent);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("activecheckimagerect", activecheckimagerect);
  v.Rect("radioimagerect", radioimagerect);
  v.Rect("activeradioimagerect", activeradioimagerect);
  v.Rect("arrowimagerect", arrowimagerect);
  v.Rect("activearrowimagerect", activearrowimagerect);
}

void TspDataSkinMainMenuItem::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("itemleftoffset", itemleftoffset, 0);
  v.Integer("itemrightoffset", itemrightoffset, 0);
  v.Rect("downrect", downrect);
  v.Rect("textrect", textrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("downfontcolor", downfontcolor, 0);
  v.Color("unenabledfontColor", unenabledfontcolor, 0);
  v.Flag("stretcheffect", stretcheffect);
  v.Rect("animateskinrect", animateskinrect);
  v.Integer("framecount", framecount, 0);
  v.Integer("animateinterval", animateinterval, 25);
  v.Flag("inactiveanimation", inactiveanimation);
}

void TspDataSkinLabel::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Text("fontName", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Enum("alignment", alignment);
  v.Text("textvalue", textvalue, "");
}

void TspDataSkinBitLabel::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Text("textvalue", textvalue, "");
  v.Integer("symbolwidth", symbolwidth, 0);
  v.Integer("symbolheight", symbolheight, 0);
  v.Lines("symbols", symbols);
  v.Flag("transparent", transparent);
  v.Color("transparentcolor", transparentcolor, 16711935);
}

void TspDataSkinGauge::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("minvalue", minvalue, 0);
  v.Integer("maxvalue", maxvalue, 0);
  v.Enum("kind", kind);
}

void TspDataSkinTrackBar::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Point("beginpoint", beginpoint);
  v.Point("endpoint", endpoint);
  v.Integer("minvalue", minvalue, 0);
  v.Integer("maxvalue", maxvalue, 0);
  v.Flag("mousedownchangevalue", mousedownchangevalue);
  v.Flag("buttontransparent", buttontransparent);
  v.Color("buttontransparentcolor", buttontransparentcolor, 0);
}

void TspDataSkinFrameGaugeObject::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("minvalue", minvalue, 0);
  v.Integer("maxvalue", maxvalue, 0);
  v.Integer("countframes", countframes, 0);
  v.Enum("framesplacement", framesplacement);
}

void TspDataSkinFrameRegulatorObject::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("minvalue", minvalue, 0);
  v.Integer("maxvalue", maxvalue, 0);
  v.Integer("countframes", countframes, 0);
  v.Enum("framesplacement", framesplacement);
  v.Enum("kind", kind);
}

void TspDataSkinAnimate::VisitFields(TspFieldVisitor& v) {
  TspDataSkinObject::VisitFields(v);
  v.Integer("countframes", countframes, 1);
  v.Flag("cycle", cycle);
  v.Flag("buttonstyle", buttonstyle);
  v.Integer("timerinterval", timerinterval, 50);
  v.Enum("command", command);
  v.Rect("downskinrect", downskinrect);
  v.Rect("restorerect", restorerect);
  v.Rect("restoreactiverect", restoreactiverect);
  v.Rect("restoredownrect", restoredownrect);
  v.Rect("restoreinactiverect", restoreinactiverect);
  v.Text("restorehint", restorehint, "");
}

void TspDataSkinStdButton::AfterLoad() {
  TspDataSkinButton::AfterLoad();
  // Skins name the restore state only where it differs from what the hint implies.
  if (!restorehint.isEmpty()) return;
  if ((hint == u"Maximize" && command == TspStdCommand::cmMaximize) ||
      (hint == u"Minimize" && command == TspStdCommand::cmMinimize) ||
      ((hint == u"RollUp" || hint == u"Roll Up") && command == TspStdCommand::cmRollUp))
    restorehint = QStringLiteral("Restore");
}
