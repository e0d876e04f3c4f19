#pragma once
// Records of skin objects, the parts of a window frame: one class per record kind of the
// [SKINOBJECTS] registry, each field named by its key. The keys each kind reads, in order,
// are in object_records.cpp; a new record holds the defaults of all of them.

#include "skin/data/skin_record.h"

#include <QImage>
#include <memory>
#include <vector>

class TspBitmap;
class TspDataSkinLayerFrame;
class TspSkinData;

class TspDataSkinObject : public TspSkinRecord {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinObject)
  TspDataSkinObject() { ResetFields(); }
  QString hint;
  bool rollup;
  int activepictureindex;
  int activemaskpictureindex;
  bool skinrectinapicture;
  int cursorindex;
  TspRect skinrect;
  TspRect activeskinrect;
  TspRect inactiveskinrect;
  bool morphing;
  TspMorphKind morphkind;
  int glowlayerpictureindex;
  int glowlayermaskpictureindex;
  int glowlayeroffsetx;
  int glowlayeroffsety;
  int glowlayeralphablendvalue;
  void VisitFields(TspFieldVisitor& v) override;
  // Runs once the keys are read, with the skin the record belongs to. Only the button
  // records make anything here: their state images with alpha.
  virtual void PrepareImages(TspSkinData&) {}
};

class TspDataUserObject : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataUserObject)
  // Reads only "rollup", "skinrect" and "cursorindex"; the other fields of the object
  // record keep their defaults.
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinButton : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinButton)
  TspDataSkinButton();
  TspRect downrect;
  TspRect disableskinrsect;
  int groupindex;
  int alphamaskpictureindex;
  int alphamaskactivepictureindex;
  int alphamaskinactivepictureindex;
  void VisitFields(TspFieldVisitor& v) override;

  ~TspDataSkinButton() override;
  // The pixels that the state images of all the buttons of one skin may take together.
  // Far above what caption buttons need, but a description that names one large cut in
  // many records cannot exhaust memory.
  static constexpr qint64 MaxImagePixels = qint64(1) << 24;
  // The normal, active, down and inactive state images, cut from picture
  // "activepictureindex" with alpha from the alpha masks; absent where not made.
  std::unique_ptr<TspBitmap> NormalImage, ActiveImage, DownImage, InactiveImage;
  // Makes the state images from the skin's active pictures and layer frame, spending the
  // skin's TspSkinData::ButtonImagePixelsLeft.
  void PrepareImages(TspSkinData& data) override;
  // The work of PrepareImages on the two parts of the skin it reads. With `pixelsLeft`,
  // each image made takes its pixels from it, and one that would need more than is left
  // throws EOutOfResources.
  virtual void PrepareImagesFrom(const std::vector<QImage>& activePictures,
                                 const TspDataSkinLayerFrame& layerFrame,
                                 qint64* pixelsLeft = nullptr);

protected:
  // Whether the skin wants the state images: only a layered border around the whole frame
  // draws caption buttons with alpha.
  virtual bool WantsImages(const TspDataSkinLayerFrame& layerFrame) const;
  // Frees `image`, then cuts `rect` out of picture "activepictureindex" with alpha from
  // active picture `maskIndex` (opaque without a valid mask). A rectangle wider or taller
  // than the picture cuts nothing.
  void MakeImage(std::unique_ptr<TspBitmap>& image, const std::vector<QImage>& activePictures,
                 const TspRect& rect, int maskIndex, qint64* pixelsLeft) const;
};

class TspDataSkinStdButton : public TspDataSkinButton {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinStdButton)
  TspDataSkinStdButton();
  TspStdCommand command;
  TspRect restorerect;
  TspRect restoreactiverect;
  TspRect restoredownrect;
  TspRect restoreinactiverect;
  QString restorehint;
  void VisitFields(TspFieldVisitor& v) override;

  ~TspDataSkinStdButton() override;
  // The restore-state images, made under the same condition as the four of the base.
  std::unique_ptr<TspBitmap> RestoreImage, RestoreActiveImage, RestoreDownImage,
      RestoreInactiveImage;
  void PrepareImagesFrom(const std::vector<QImage>& activePictures,
                         const TspDataSkinLayerFrame& layerFrame,
                         qint64* pixelsLeft = nullptr) override;

protected:
  void AfterLoad() override;
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMainMenuBarButton)
};

class TspDataSkinCaptionMenuButton : public TspDataSkinButton {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCaptionMenuButton)
  TspDataSkinCaptionMenuButton() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor downfontcolor;
  TColor inactivefontcolor;
  int leftoffset;
  int rightoffset;
  int topposition;
  TspRect clientrect;
  void VisitFields(TspFieldVisitor& v) override;

protected:
  // Caption menu buttons and caption tabs always draw from their state images.
  bool WantsImages(const TspDataSkinLayerFrame&) const override { return true; }
};

class TspDataSkinCaptionTab : public TspDataSkinButton {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCaptionTab)
  TspDataSkinCaptionTab() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor downfontcolor;
  int leftoffset;
  int rightoffset;
  int topposition;
  TspRect clientrect;
  void VisitFields(TspFieldVisitor& v) override;

protected:
  // Caption menu buttons and caption tabs always draw from their state images.
  bool WantsImages(const TspDataSkinLayerFrame&) const override { return true; }
};

class TspDataSkinCaption : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinCaption)
  TspDataSkinCaption() { ResetFields(); }
  bool defaultcaption;
  TspRect textrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TspAlignment alignment;
  bool shadow;
  TColor shadowcolor;
  bool light;
  TColor lightcolor;
  TColor activelightcolor;
  TColor activeshadowcolor;
  TspRect framerect;
  TspRect activeframerect;
  TspRect frametextrect;
  int frameleftoffset;
  int framerightoffset;
  bool stretcheffect;
  TspRect animateskinrect;
  int framecount;
  int animateinterval;
  bool inactiveanimation;
  bool fullframe;
  bool vistagloweffect;
  bool vistaglowinactiveeffect;
  bool gloweffect;
  bool glowinactiveeffect;
  int glowsize;
  TColor glowcolor;
  TColor glowactivecolor;
  int glowoffset;
  bool reflectioneffect;
  TColor reflactioncolor;
  TColor reflactionactivecolor;
  int reflectionoffset;
  TspRect dividerrect;
  TspRect inactivedividerrect;
  bool dividertransparent;
  TColor dividertransparentcolor;
  int quickbuttonalphamaskpictureindex;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMenuItem : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMenuItem)
  TspDataSkinMenuItem() { ResetFields(); }
  int itemleftoffset;
  int itemrightoffset;
  TspRect dividerrect;
  int dividerleftoffset;
  int dividerrightoffset;
  TspRect textrect;
  TspRect imagerect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor unenabledfontcolor;
  bool stretcheffect;
  bool inactivestretcheffect;
  bool dividerstretcheffect;
  TspRect animateskinrect;
  int framecount;
  int animateinterval;
  bool inactiveanimation;
  bool useimagecolor;
  TColor imagecolor;
  TColor activeimagecolor;
  bool inactivetransparent;
  TspRect checkimagerect;
  TspRect activecheckimagerect;
  TspRect radioimagerect;
  TspRect activeradioimagerect;
  TspRect arrowimagerect;
  TspRect activearrowimagerect;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMainMenuItem : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMainMenuItem)
  TspDataSkinMainMenuItem() { ResetFields(); }
  int itemleftoffset;
  int itemrightoffset;
  TspRect downrect;
  TspRect textrect;
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor downfontcolor;
  TColor unenabledfontcolor;
  bool stretcheffect;
  TspRect animateskinrect;
  int framecount;
  int animateinterval;
  bool inactiveanimation;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinMainMenuBarItem)
};

class TspDataSkinLabel : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinLabel)
  TspDataSkinLabel() { ResetFields(); }
  QString fontname;
  int fontheight;
  TspFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TspAlignment alignment;
  QString textvalue;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinBitLabel : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinBitLabel)
  TspDataSkinBitLabel() { ResetFields(); }
  QString textvalue;
  int symbolwidth;
  int symbolheight;
  QStringList symbols;
  bool transparent;
  TColor transparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinGauge : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinGauge)
  TspDataSkinGauge() { ResetFields(); }
  int minvalue;
  int maxvalue;
  TspGaugeKind kind;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinSwitch)
};

class TspDataSkinTrackBar : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinTrackBar)
  TspDataSkinTrackBar() { ResetFields(); }
  TspRect buttonrect;
  TspRect activebuttonrect;
  TspPoint beginpoint;
  TspPoint endpoint;
  int minvalue;
  int maxvalue;
  bool mousedownchangevalue;
  bool buttontransparent;
  TColor buttontransparentcolor;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinFrameGaugeObject)
  TspDataSkinFrameGaugeObject() { ResetFields(); }
  int minvalue;
  int maxvalue;
  int countframes;
  TspFramesPlacement framesplacement;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinFrameRegulatorObject)
  TspDataSkinFrameRegulatorObject() { ResetFields(); }
  int minvalue;
  int maxvalue;
  int countframes;
  TspFramesPlacement framesplacement;
  TspRegulatorKind kind;
  void VisitFields(TspFieldVisitor& v) override;
};

class TspDataSkinAnimate : public TspDataSkinObject {
public:
  TSP_SKIN_RECORD_KIND(TspDataSkinAnimate)
  TspDataSkinAnimate() { ResetFields(); }
  int countframes;
  bool cycle;
  bool buttonstyle;
  int timerinterval;
  TspStdCommand command;
  TspRect downskinrect;
  TspRect restorerect;
  TspRect restoreactiverect;
  TspRect restoredownrect;
  TspRect restoreinactiverect;
  QString restorehint;
  void VisitFields(TspFieldVisitor& v) override;
};
