#pragma once
// Records of skin controls: one class per record kind of the [SKINCONTROLS] registry,
// each field named by its key. The keys each kind reads, in order, are in
// control_records.cpp; a new record holds the defaults of all of them.

#include "skin/data/skin_record.h"

class TspDataSkinControl : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinControl)
  TspDataSkinControl() { ResetFields(); }
  int pictureindex;
  int maskpictureindex;
  int cursorindex;
  TspRect skinrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinCustomControl : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCustomControl)
  TspDataSkinCustomControl() { ResetFields(); }
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  TspRect clientrect;
  bool leftstretch;
  bool topstretch;
  bool rightstretch;
  bool bottomstretch;
  bool stretcheffect;
  TspStretchType stretchtype;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinButtonControl)
  TspDataSkinButtonControl() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor disabledfontcolor;
  TColor downfontcolor;
  bool morphing;
  TspMorphKind morphkind;
  TspRect activeskinrect;
  TspRect downskinrect;
  TspRect focusedskinrect;
  TspRect disabledskinrect;
  TspRect animateskinrect;
  int framecount;
  int animateinterval;
  bool showfocus;
  TspRect menumarkerflatrect;
  TspRect menumarkerrect;
  TspRect menumarkeractiverect;
  TspRect menumarkerdownrect;
  TColor menumarkertransparentcolor;
  int glowlayerpictureindex;
  int glowlayermaskpictureindex;
  int glowlayeroffsetleft;
  int glowlayeroffsettop;
  int glowlayeroffsetright;
  int glowlayeroffsetbottom;
  int glowlayershowoffsetx;
  int glowlayershowoffsety;
  int glowlayeralphablendvalue;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMenuButtonControl)
  TspDataSkinMenuButtonControl() { ResetFields(); }
  TspRect trackbuttonrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinPanelControl)
  TspDataSkinPanelControl() { ResetFields(); }
  int bgpictureindex;
  TspRect captionrect;
  TspAlignment alignment;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TspRect checkimagerect;
  TspRect uncheckimagerect;
  TspRect markframerect;
  TspRect framerect;
  TspRect frametextrect;
  int frameleftoffset;
  int framerightoffset;
  TspRect gripperrect;
  bool grippertransparent;
  TColor grippertransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinExPanelControl)
  TspDataSkinExPanelControl() { ResetFields(); }
  TspRect rollhskinrect;
  TspRect rollvskinrect;
  int rollleftoffset;
  int rollrightoffset;
  int rolltopoffset;
  int rollbottomoffset;
  TspRect rollvcaptionrect;
  TspRect rollhcaptionrect;
  TspRect closebuttonrect;
  TspRect closebuttonactiverect;
  TspRect closebuttondownrect;
  TspRect hrollbuttonrect;
  TspRect hrollbuttonactiverect;
  TspRect hrollbuttondownrect;
  TspRect hrestorebuttonrect;
  TspRect hrestorebuttonactiverect;
  TspRect hrestorebuttondownrect;
  TspRect vrollbuttonrect;
  TspRect vrollbuttonactiverect;
  TspRect vrollbuttondownrect;
  TspRect vrestorebuttonrect;
  TspRect vrestorebuttonactiverect;
  TspRect vrestorebuttondownrect;
  TspRect captionrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  bool buttonstransparent;
  TColor buttonstransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCheckRadioControl)
  TspDataSkinCheckRadioControl() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor unenabledfontcolor;
  TColor framefontcolor;
  bool morphing;
  TspMorphKind morphkind;
  TspRect activeskinrect;
  TspRect checkimagearea;
  TspRect textarea;
  TspRect checkimagerect;
  TspRect uncheckimagerect;
  TspRect activecheckimagerect;
  TspRect activeuncheckimagerect;
  TspRect unenabledcheckimagerect;
  TspRect unenableduncheckimagerect;
  TspRect grayedcheckimagerect;
  TspRect activegrayedcheckimagerect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinEditControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinEditControl)
  TspDataSkinEditControl() { ResetFields(); }
  TspRect activeskinrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor disabledfontcolor;
  TColor activefontcolor;
  TspRect buttonrect;
  TspRect activebuttonrect;
  TspRect downbuttonrect;
  TspRect unenabledbuttonrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMemoControl)
  TspDataSkinMemoControl() { ResetFields(); }
  TColor bgcolor;
  TColor activebgcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinSpinEditControl)
  TspDataSkinSpinEditControl() { ResetFields(); }
  TspRect activeskinrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor disabledfontcolor;
  TspRect upbuttonrect;
  TspRect activeupbuttonrect;
  TspRect downupbuttonrect;
  TspRect downbuttonrect;
  TspRect activedownbuttonrect;
  TspRect downdownbuttonrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinComboBox : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinComboBox)
  TspDataSkinComboBox() { ResetFields(); }
  TspRect activeskinrect;
  TspRect itemrect;
  TspRect activeitemrect;
  TspRect focusitemrect;
  int itemleftoffset;
  int itemrightoffset;
  TspRect itemtextrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor focusfontcolor;
  TColor activefontcolor;
  QString listboxname;
  TspRect buttonrect;
  TspRect activebuttonrect;
  TspRect downbuttonrect;
  TspRect unenabledbuttonrect;
  bool itemstretcheffect;
  bool focusitemstretcheffect;
  bool showfocus;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinListBox : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinListBox)
  TspDataSkinListBox() { ResetFields(); }
  TspRect itemrect;
  TspRect activeitemrect;
  TspRect focusitemrect;
  int itemleftoffset;
  int itemrightoffset;
  TspRect itemtextrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor focusfontcolor;
  TspRect captionrect;
  QString captionfontname;
  int captionfontheight;
  TspFontStyles captionfontstyle;
  TColor captionfontcolor;
  TspRect upbuttonrect;
  TspRect activeupbuttonrect;
  TspRect downupbuttonrect;
  TspRect downbuttonrect;
  TspRect activedownbuttonrect;
  TspRect downdownbuttonrect;
  TspRect checkbuttonrect;
  TspRect activecheckbuttonrect;
  TspRect downcheckbuttonrect;
  QString vscrollbarname;
  QString hscrollbarname;
  QString bothhscrollbarname;
  bool showfocus;
  TspRect disabledbuttonsrect;
  TspRect buttonsarea;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCheckListBox)
  TspDataSkinCheckListBox() { ResetFields(); }
  TspRect checkimagerect;
  TspRect itemcheckrect;
  TspRect uncheckimagerect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinScrollBarControl)
  TspDataSkinScrollBarControl() { ResetFields(); }
  TspRect trackarea;
  TspRect upbuttonrect;
  TspRect activeupbuttonrect;
  TspRect downupbuttonrect;
  TspRect downbuttonrect;
  TspRect activedownbuttonrect;
  TspRect downdownbuttonrect;
  TspRect thumbrect;
  TspRect activethumbrect;
  TspRect downthumbrect;
  int thumboffset1;
  int thumboffset2;
  bool thumbtransparent;
  TColor thumbtransparentcolor;
  bool thumbstretcheffect;
  int thumbminsize;
  int thumbminpagesize;
  TspRect glyphrect;
  TspRect activeglyphrect;
  TspRect downglyphrect;
  bool glyphtransparent;
  TColor glyphtransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinTabControl : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinTabControl)
  TspDataSkinTabControl() { ResetFields(); }
  TspRect tabrect;
  TspRect activetabrect;
  TspRect focustabrect;
  TspRect mouseintabrect;
  TspRect clientrect;
  int bgpictureindex;
  TspPoint lefttoppoint;
  TspPoint righttoppoint;
  TspPoint leftbottompoint;
  TspPoint rightbottompoint;
  int tableftoffset;
  int tabrightoffset;
  TspRect tabsbgrect;
  bool tabstretcheffect;
  bool leftstretch;
  bool topstretch;
  bool rightstretch;
  bool bottomstretch;
  bool stretcheffect;
  TspStretchType stretchtype;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor focusfontcolor;
  TColor mouseinfontcolor;
  QString updown;
  bool showfocus;
  int focusoffsetx;
  int focusoffsety;
  TspRect closebuttonrect;
  TspRect closebuttonactiverect;
  TspRect closebuttondownrect;
  bool buttontransparent;
  TColor buttontransparentcolor;
  TspRect tableftbottomactiverect;
  TspRect tableftbottomfocusrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinGridControl : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinGridControl)
  TspDataSkinGridControl() { ResetFields(); }
  TspRect fixedcellrect;
  TspRect selectcellrect;
  TspRect focuscellrect;
  int fixedcellleftoffset;
  int fixedcellrightoffset;
  TspRect fixedcelltextrect;
  int cellleftoffset;
  int cellrightoffset;
  TspRect celltextrect;
  TColor linescolor;
  TColor bgcolor;
  int bgpictureindex;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor selectfontcolor;
  TColor focusfontcolor;
  QString fixedfontname;
  int fixedfontheight;
  TspFontStyles fixedfontstyle;
  TColor fixedfontcolor;
  bool cellstretcheffect;
  bool fixedcellstretcheffect;
  bool showfocus;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinLabelControl)
  TspDataSkinLabelControl() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinStdLabelControl : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinStdLabelControl)
  TspDataSkinStdLabelControl() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinBitLabelControl)
  TspDataSkinBitLabelControl() { ResetFields(); }
  TspRect skintextrect;
  int symbolwidth;
  int symbolheight;
  QStringList symbols;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinGaugeControl)
  TspDataSkinGaugeControl() { ResetFields(); }
  TspRect progressarea;
  TspRect progressrect;
  int beginoffset;
  int endoffset;
  bool vertical;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  bool progresstransparent;
  TColor progresstransparentcolor;
  bool progressstretch;
  TspRect animationskinrect;
  int animationcountframes;
  int animationtimerinterval;
  TspRect progressanimationskinrect;
  int progressanimationcountframes;
  int progressanimationtimerinterval;
  int animationbeginoffset;
  int animationendoffset;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinTrackBarControl)
  TspDataSkinTrackBarControl() { ResetFields(); }
  TspRect activeskinrect;
  TspRect trackarea;
  TspRect buttonrect;
  TspRect activebuttonrect;
  bool vertical;
  bool buttontransparent;
  TColor buttontransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinSplitterControl)
  TspDataSkinSplitterControl() { ResetFields(); }
  TspRect gripperrect;
  bool grippertransparent;
  TColor grippertransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinUpDownControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinUpDownControl)
  TspDataSkinUpDownControl() { ResetFields(); }
  TspRect upbuttonrect;
  TspRect activeupbuttonrect;
  TspRect downupbuttonrect;
  TspRect downbuttonrect;
  TspRect activedownbuttonrect;
  TspRect downdownbuttonrect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinScrollBoxControl)
  TspDataSkinScrollBoxControl() { ResetFields(); }
  int bgpictureindex;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinControlBar)
  TspDataSkinControlBar() { ResetFields(); }
  TspRect itemrect;
  int bgpictureindex;
  TspRect hgriprect;
  TspRect vgriprect;
  int gripoffset1;
  int gripoffset2;
  bool itemstretcheffect;
  int itemoffset1;
  int itemoffset2;
  bool itemtransparent;
  TColor itemtransparentcolor;
  bool griptransparent;
  TColor griptransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMainMenuBar : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMainMenuBar)
  TspDataSkinMainMenuBar() { ResetFields(); }
  TspRect itemsrect;
  QString menubaritem;
  QString closebutton;
  QString minbutton;
  QString maxbutton;
  QString sysmenubutton;
  TColor trackmarkcolor;
  TColor trackmarkactivecolor;
  bool stretcheffect;
  bool itemtransparent;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinTreeView : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinTreeView)
  TspDataSkinTreeView() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;
  TspRect expandimagerect;
  TspRect noexpandimagerect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinListView : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinListView)
  TspDataSkinListView() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinRichEdit : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinRichEdit)
  TspDataSkinRichEdit() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinSlider : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinSlider)
  TspDataSkinSlider() { ResetFields(); }
  TColor bgcolor;
  TspRect hrulerrect;
  TspRect hthumbrect;
  TspRect vrulerrect;
  TspRect vthumbrect;
  int edgesize;
  TColor pointscolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinBevel : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinBevel)
  TspDataSkinBevel() { ResetFields(); }
  TColor lightcolor;
  TColor darkcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinFrameControl : public TspDataSkinControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinFrameControl)
  TspDataSkinFrameControl() { ResetFields(); }
  int framescount;
  TspFramesPlacement framesplacement;
  void VisitFields(TspFieldVisitor& v) override;

protected:
  void AfterLoad() override;
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinFrameGauge)
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinAnimateControl)
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinSwitchControl)
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinFrameRegulator)
  TspDataSkinFrameRegulator() { ResetFields(); }
  TspRegulatorKind kind;
  void VisitFields(TspFieldVisitor& v) override;
};
