#include "skin/data/control_records.h"

// Keys in the order the description lists them, the base kind's first.

void TspDataSkinControl::VisitFields(TspFieldVisitor& v) {
  v.Integer("pictureindex", pictureindex, -1);
  v.Integer("maskpictureindex", maskpictureindex, -1);
  v.Integer("cursorindex", cursorindex, -1);
  v.Rect("skinrect", skinrect);
}

void TspDataSkinCustomControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Rect("clientrect", clientrect);
  v.Flag("leftstretch", leftstretch);
  v.Flag("topstretch", topstretch);
  v.Flag("rightstretch", rightstretch);
  v.Flag("bottomstretch", bottomstretch);
  v.Flag("stretcheffect", stretcheffect);
  v.Enum("stretchtype", stretchtype);
}

void TspDataSkinButtonControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("disabledfontcolor", disabledfontcolor, 0);
  v.Color("downfontcolor", downfontcolor, 0);
  v.Flag("morphing", morphing);
  v.Enum("morphkind", morphkind);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("downskinrect", downskinrect);
  v.Rect("focusedskinrect", focusedskinrect);
  v.Rect("disabledskinrect", disabledskinrect);
  v.Rect("animateskinrect", animateskinrect);
  v.Integer("framecount", framecount, 0);
  v.Integer("animateinterval", animateinterval, 25);
  v.Flag("showfocus", showfocus);
  v.Rect("menumarkerflatrect", menumarkerflatrect);
  v.Rect("menumarkerrect", menumarkerrect);
  v.Rect("menumarkeractiverect", menumarkeractiverect);
  v.Rect("menumarkerdownrect", menumarkerdownrect);
  v.Color("menumarkertransparentcolor", menumarkertransparentcolor, 0);
  v.Integer("glowlayerpictureindex", glowlayerpictureindex, -1);
  v.Integer("glowlayermaskpictureindex", glowlayermaskpictureindex, -1);
  v.Integer("glowlayeroffsetleft", glowlayeroffsetleft, 0);
  v.Integer("glowlayeroffsettop", glowlayeroffsettop, 0);
  v.Integer("glowlayeroffsetright", glowlayeroffsetright, 0);
  v.Integer("glowlayeroffsetbottom", glowlayeroffsetbottom, 0);
  v.Integer("glowlayershowoffsetx", glowlayershowoffsetx, 0);
  v.Integer("glowlayershowoffsety", glowlayershowoffsety, 0);
  v.Integer("glowlayeralphablendvalue", glowlayeralphablendvalue, 255);
}

void TspDataSkinMenuButtonControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinButtonControl::VisitFields(v);
  v.Rect("trackbuttonrect", trackbuttonrect);
}

void TspDataSkinPanelControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Integer("bgpictureindex", bgpictureindex, -1);
  v.Rect("captionrect", captionrect);
  v.Enum("alignment", alignment);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("uncheckimagerect", uncheckimagerect);
  v.Rect("markframerect", markframerect);
  v.Rect("framerect", framerect);
  v.Rect("frametextrect", frametextrect);
  v.Integer("frameleftoffset", frameleftoffset, 0);
  v.Integer("framerightoffset", framerightoffset, 0);
  v.Rect("gripperrect", gripperrect);
  v.Flag("grippertransparent", grippertransparent);
  v.Color("grippertransparentcolor", grippertransparentcolor, 0);
}

void TspDataSkinExPanelControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("rollhskinrect", rollhskinrect);
  v.Rect("rollvskinrect", rollvskinrect);
  v.Integer("rollleftoffset", rollleftoffset, 0);
  v.Integer("rollrightoffset", rollrightoffset, 0);
  v.Integer("rolltopoffset", rolltopoffset, 0);
  v.Integer("rollbottomoffset", rollbottomoffset, 0);
  v.Rect("rollvcaptionrect", rollvcaptionrect);
  v.Rect("rollhcaptionrect", rollhcaptionrect);
  v.Rect("closebuttonrect", closebuttonrect);
  v.Rect("closebuttonactiverect", closebuttonactiverect);
  v.Rect("closebuttondownrect", closebuttondownrect);
  v.Rect("hrollbuttonrect", hrollbuttonrect);
  v.Rect("hrollbuttonactiverect", hrollbuttonactiverect);
  v.Rect("hrollbuttondownrect", hrollbuttondownrect);
  v.Rect("hrestorebuttonrect", hrestorebuttonrect);
  v.Rect("hrestorebuttonactiverect", hrestorebuttonactiverect);
  v.Rect("hrestorebuttondownrect", hrestorebuttondownrect);
  v.Rect("vrollbuttonrect", vrollbuttonrect);
  v.Rect("vrollbuttonactiverect", vrollbuttonactiverect);
  v.Rect("vrollbuttondownrect", vrollbuttondownrect);
  v.Rect("vrestorebuttonrect", vrestorebuttonrect);
  v.Rect("vrestorebuttonactiverect", vrestorebuttonactiverect);
  v.Rect("vrestorebuttondownrect", vrestorebuttondownrect);
  v.Rect("captionrect", captionrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Flag("buttonstransparent", buttonstransparent);
  v.Color("buttonstransparentcolor", buttonstransparentcolor, 0);
}

void TspDataSkinCheckRadioControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("unenabledfontcolor", unenabledfontcolor, 0);
  v.Color("framefontcolor", framefontcolor, 0);
  v.Flag("morphing", morphing);
  v.Enum("morphkind", morphkind);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("checkimagearea", checkimagearea);
  v.Rect("textarea", textarea);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("uncheckimagerect", uncheckimagerect);
  v.Rect("activecheckimagerect", activecheckimagerect);
  v.Rect("activeuncheckimagerect", activeuncheckimagerect);
  v.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
  v.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
  v.Rect("grayedcheckimagerect", grayedcheckimagerect);
  v.Rect("activegrayedcheckimagerect", activegrayedcheckimagerect);
}

void TspDataSkinEditControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("disabledfontcolor", disabledfontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TspDataSkinMemoControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinEditControl::VisitFields(v);
  v.Color("bgcolor", bgcolor, 0);
  v.Color("activebgcolor", activebgcolor, 0);
}

void TspDataSkinSpinEditControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("disabledfontcolor", disabledfontcolor, 0);
  v.Rect("upbuttonrect", upbuttonrect);
  v.Rect("activeupbuttonrect", activeupbuttonrect);
  v.Rect("downupbuttonrect", downupbuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("activedownbuttonrect", activedownbuttonrect);
  v.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TspDataSkinComboBox::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("itemrect", itemrect);
  v.Rect("activeitemrect", activeitemrect);
  v.Rect("focusitemrect", focusitemrect);
  v.Integer("itemleftoffset", itemleftoffset, 0);
  v.Integer("itemrightoffset", itemrightoffset, 0);
  v.Rect("itemtextrect", itemtextrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("focusfontcolor", focusfontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Text("listboxname", listboxname, "");
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("unenabledbuttonrect", unenabledbuttonrect);
  v.Flag("itemstretcheffect", itemstretcheffect);
  v.Flag("focusitemstretcheffect", focusitemstretcheffect);
  v.Flag("showfocus", showfocus);
}

void TspDataSkinListBox::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("itemrect", itemrect);
  v.Rect("activeitemrect", activeitemrect);
  v.Rect("focusitemrect", focusitemrect);
  v.Integer("itemleftoffset", itemleftoffset, 0);
  v.Integer("itemrightoffset", itemrightoffset, 0);
  v.Rect("itemtextrect", itemtextrect);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("focusfontcolor", focusfontcolor, 0);
  v.Rect("captionrect", captionrect);
  v.Text("captionfontname", captionfontname, "Tahoma");
  v.Integer("captionfontheight", captionfontheight, 13);
  v.FontStyle("captionfontstyle", captionfontstyle);
  v.Color("captionfontcolor", captionfontcolor, 0);
  v.Rect("upbuttonrect", upbuttonrect);
  v.Rect("activeupbuttonrect", activeupbuttonrect);
  v.Rect("downupbuttonrect", downupbuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("activedownbuttonrect", activedownbuttonrect);
  v.Rect("downdownbuttonrect", downdownbuttonrect);
  v.Rect("checkbuttonrect", checkbuttonrect);
  v.Rect("activecheckbuttonrect", activecheckbuttonrect);
  v.Rect("downcheckbuttonrect", downcheckbuttonrect);
  v.Text("vscrollbarname", vscrollbarname, "vscrollbar");
  v.Text("hscrollbarname", hscrollbarname, "hscrollbar");
  v.Text("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
  v.Flag("showfocus", showfocus);
  v.Rect("disabledbuttonsrect", disabledbuttonsrect);
  v.Rect("buttonsarea", buttonsarea);
}

void TspDataSkinCheckListBox::VisitFields(TspFieldVisitor& v) {
  TspDataSkinListBox::VisitFields(v);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("itemcheckrect", itemcheckrect);
  v.Rect("uncheckimagerect", uncheckimagerect);
}

void TspDataSkinScrollBarControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("trackarea", trackarea);
  v.Rect("upbuttonrect", upbuttonrect);
  v.Rect("activeupbuttonrect", activeupbuttonrect);
  v.Rect("downupbuttonrect", downupbuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("activedownbuttonrect", activedownbuttonrect);
  v.Rect("downdownbuttonrect", downdownbuttonrect);
  v.Rect("thumbrect", thumbrect);
  v.Rect("activethumbrect", activethumbrect);
  v.Rect("downthumbrect", downthumbrect);
  v.Integer("thumboffset1", thumboffset1, 0);
  v.Integer("thumboffset2", thumboffset2, 0);
  v.Flag("thumbtransparent", thumbtransparent);
  v.Color("thumbtransparentcolor", thumbtransparentcolor, 0);
  v.Flag("thumbstretcheffect", thumbstretcheffect);
  v.Integer("thumbminsize", thumbminsize, 0);
  v.Integer("thumbminpagesize", thumbminpagesize, 0);
  v.Rect("glyphrect", glyphrect);
  v.Rect("activeglyphrect", activeglyphrect);
  v.Rect("downglyphrect", downglyphrect);
  v.Flag("glyphtransparent", glyphtransparent);
  v.Color("glyphtransparentcolor", glyphtransparentcolor, 0);
}

void TspDataSkinTabControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Rect("tabrect", tabrect);
  v.Rect("activetabrect", activetabrect);
  v.Rect("focustabrect", focustabrect);
  v.Rect("mouseintabrect", mouseintabrect);
  v.Rect("clientrect", clientrect);
  v.Integer("bgpictureindex", bgpictureindex, -1);
  v.Point("lefttoppoint", lefttoppoint);
  v.Point("righttoppoint", righttoppoint);
  v.Point("leftbottompoint", leftbottompoint);
  v.Point("rightbottompoint", rightbottompoint);
  v.Integer("tableftoffset", tableftoffset, 0);
  v.Integer("tabrightoffset", tabrightoffset, 0);
  v.Rect("tabsbgrect", tabsbgrect);
  v.Flag("tabstretcheffect", tabstretcheffect);
  v.Flag("leftstretch", leftstretch);
  v.Flag("topstretch", topstretch);
  v.Flag("rightstretch", rightstretch);
  v.Flag("bottomstretch", bottomstretch);
  v.Flag("stretcheffect", stretcheffect);
  v.Enum("stretchtype", stretchtype);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 0);
  v.Color("focusfontcolor", focusfontcolor, 0);
  v.Color("mouseinfontcolor", mouseinfontcolor, 0);
  v.Text("updown", updown, "");
  v.Flag("showfocus", showfocus);
  v.Integer("focusoffsetx", focusoffsetx, 0);
  v.Integer("focusoffsety", focusoffsety, 0);
  v.Rect("closebuttonrect", closebuttonrect);
  v.Rect("closebuttonactiverect", closebuttonactiverect);
  v.Rect("closebuttondownrect", closebuttondownrect);
  v.Flag("buttontransparent", buttontransparent);
  v.Color("buttontransparentcolor", buttontransparentcolor, 0);
  v.Rect("tableftbottomactiverect", tableftbottomactiverect);
  v.Rect("tableftbottomfocusrect", tableftbottomfocusrect);
}

void TspDataSkinGridControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Rect("fixedcellrect", fixedcellrect);
  v.Rect("selectcellrect", selectcellrect);
  v.Rect("focuscellrect", focuscellrect);
  v.Integer("fixedcellleftoffset", fixedcellleftoffset, 0);
  v.Integer("fixedcellrightoffset", fixedcellrightoffset, 0);
  v.Rect("fixedcelltextrect", fixedcelltextrect);
  v.Integer("cellleftoffset", cellleftoffset, 0);
  v.Integer("cellrightoffset", cellrightoffset, 0);
  v.Rect("celltextrect", celltextrect);
  v.Color("linescolor", linescolor, 0);
  v.Color("bgcolor", bgcolor, 0);
  v.Integer("bgpictureindex", bgpictureindex, -1);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("selectfontcolor", selectfontcolor, 0);
  v.Color("focusfontcolor", focusfontcolor, 0);
  v.Text("fixedfontname", fixedfontname, "Tahoma");
  v.Integer("fixedfontheight", fixedfontheight, 13);
  v.FontStyle("fixedfontstyle", fixedfontstyle);
  v.Color("fixedfontcolor", fixedfontcolor, 0);
  v.Flag("cellstretcheffect", cellstretcheffect);
  v.Flag("fixedcellstretcheffect", fixedcellstretcheffect);
  v.Flag("showfocus", showfocus);
}

void TspDataSkinLabelControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
}

void TspDataSkinStdLabelControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("activefontcolor", activefontcolor, 16711680);
}

void TspDataSkinBitLabelControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("skintextrect", skintextrect);
  v.Integer("symbolwidth", symbolwidth, 0);
  v.Integer("symbolheight", symbolheight, 0);
  v.Lines("symbols", symbols);
}

void TspDataSkinGaugeControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("progressarea", progressarea);
  v.Rect("progressrect", progressrect);
  v.Integer("beginoffset", beginoffset, 0);
  v.Integer("endoffset", endoffset, 0);
  v.Flag("vertical", vertical);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Flag("progresstransparent", progresstransparent);
  v.Color("progresstransparentcolor", progresstransparentcolor, 0);
  v.Flag("progressstretch", progressstretch);
  v.Rect("animationskinrect", animationskinrect);
  v.Integer("animationcountframes", animationcountframes, 0);
  v.Integer("animationtimerinterval", animationtimerinterval, 0);
  v.Rect("progressanimationskinrect", progressanimationskinrect);
  v.Integer("progressanimationcountframes", progressanimationcountframes, 0);
  v.Integer("progressanimationtimerinterval", progressanimationtimerinterval, 0);
  v.Integer("animationbeginoffset", animationbeginoffset, 0);
  v.Integer("animationendoffset", animationendoffset, 0);
}

void TspDataSkinTrackBarControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("trackarea", trackarea);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Flag("vertical", vertical);
  v.Flag("buttontransparent", buttontransparent);
  v.Color("buttontransparentcolor", buttontransparentcolor, 0);
}

void TspDataSkinSplitterControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("gripperrect", gripperrect);
  v.Flag("grippertransparent", grippertransparent);
  v.Color("grippertransparentcolor", grippertransparentcolor, 0);
}

void TspDataSkinUpDownControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("upbuttonrect", upbuttonrect);
  v.Rect("activeupbuttonrect", activeupbuttonrect);
  v.Rect("downupbuttonrect", downupbuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("activedownbuttonrect", activedownbuttonrect);
  v.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TspDataSkinScrollBoxControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Integer("bgpictureindex", bgpictureindex, -1);
}

void TspDataSkinControlBar::VisitFields(TspFieldVisitor& v) {
  TspDataSkinCustomControl::VisitFields(v);
  v.Rect("itemrect", itemrect);
  v.Integer("bgpictureindex", bgpictureindex, -1);
  v.Rect("hgriprect", hgriprect);
  v.Rect("vgriprect", vgriprect);
  v.Integer("gripoffset1", gripoffset1, 0);
  v.Integer("gripoffset2", gripoffset2, 0);
  v.Flag("itemstretcheffect", itemstretcheffect);
  v.Integer("itemoffset1", itemoffset1, 3);
  v.Integer("itemoffset2", itemoffset2, 3);
  v.Flag("itemtransparent", itemtransparent);
  v.Color("itemtransparentcolor", itemtransparentcolor, 0);
  v.Flag("griptransparent", griptransparent);
  v.Color("griptransparentcolor", griptransparentcolor, 0);
}

void TspDataSkinMainMenuBar::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Rect("itemsrect", itemsrect);
  v.Text("menubaritem", menubaritem, "");
  v.Text("closebutton", closebutton, "");
  v.Text("minbutton", minbutton, "");
  v.Text("maxbutton", maxbutton, "");
  v.Text("sysmenubutton", sysmenubutton, "");
  v.Color("trackmarkcolor", trackmarkcolor, 0);
  v.Color("trackmarkactivecolor", trackmarkactivecolor, 0);
  v.Flag("stretcheffect", stretcheffect);
  v.Flag("itemtransparent", itemtransparent);
}

void TspDataSkinTreeView::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("bgcolor", bgcolor, 0);
  v.Rect("expandimagerect", expandimagerect);
  v.Rect("noexpandimagerect", noexpandimagerect);
}

void TspDataSkinListView::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("bgcolor", bgcolor, 0);
}

void TspDataSkinRichEdit::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Text("fontname", fontname, "Tahoma");
  v.Integer("fontheight", fontheight, 13);
  v.FontStyle("fontstyle", fontstyle);
  v.Color("fontcolor", fontcolor, 0);
  v.Color("bgcolor", bgcolor, 0);
}

void TspDataSkinSlider::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Color("bgcolor", bgcolor, 0);
  v.Rect("hrulerrect", hrulerrect);
  v.Rect("hthumbrect", hthumbrect);
  v.Rect("vrulerrect", vrulerrect);
  v.Rect("vthumbrect", vthumbrect);
  v.Integer("edgesize", edgesize, 0);
  v.Color("pointscolor", pointscolor, 0);
}

void TspDataSkinBevel::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Color("lightcolor", lightcolor, 0);
  v.Color("darkcolor", darkcolor, 0);
}

void TspDataSkinFrameControl::VisitFields(TspFieldVisitor& v) {
  TspDataSkinControl::VisitFields(v);
  v.Integer("framescount", framescount, 1);
  v.Enum("framesplacement", framesplacement);
}

void TspDataSkinFrameRegulator::VisitFields(TspFieldVisitor& v) {
  TspDataSkinFrameControl::VisitFields(v);
  v.Enum("kind", kind);
}

void TspDataSkinFrameControl::AfterLoad() {
  TspDataSkinControl::AfterLoad();
  // Drawing divides by the frame count.
  if (framescount < 1) framescount = 1;
}
