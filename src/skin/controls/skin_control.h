#pragma once
// The four bases of the skinned controls. They bind a control to a skin data object and to
// one named record of its skin, paint through one off-screen image per paint, fall back to
// a plain look without a record, optionally blend over the parent's background, and follow
// skin changes.
//
// On Qt every control is a widget; the "graphic" (non-windowed) bases are widgets too, but
// they have no window region, and a control painting what lies behind it paints its lower
// graphic siblings (paint_parent_background.h). The binding and the pipeline live once, in
// TspSkinControlBase; the frame geometry of the custom bases lives once, in the template
// TspCustomSkinBase, instantiated for both families.
//
// The template cannot carry Q_OBJECT: a control class below it that is looked up with
// qobject_cast or findChildren<T> must declare Q_OBJECT itself, or those match every
// widget of its nearest Q_OBJECT base. Without it, use dynamic_cast.

#include "skin/controls/image_list.h"
#include "skin/controls/skin_binding.h"
#include "skin/controls/skinnable.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <optional>

class TspSkinControlBase : public QWidget, public TspSkinnable {
  Q_OBJECT
public:
  ~TspSkinControlBase() override;

  // --- Published properties ----------------------------------------------------------------
  TspSkinData* SkinData() const { return FBinding.SkinData(); }
  // Applies the skin unless the new value is none or holds no skin; none repaints plain.
  virtual void SetSkinData(TspSkinData* value);
  QString SkinDataName() const { return FBinding.SkinDataName; }
  // Stores; the record is looked up again on the next paint or ApplySkin.
  virtual void SetSkinDataName(const QString& value);
  bool DrawDefault() const { return FDrawDefault; }
  void SetDrawDefault(bool value);
  bool AlphaBlend() const { return FAlphaBlend; }
  virtual void SetAlphaBlend(bool value);
  // 0..255 (255 opaque); values outside are clamped.
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  virtual void SetAlphaBlendValue(int value);
  bool UseSkinCursor() const { return FUseSkinCursor; }
  void SetUseSkinCursor(bool value);
  // Stored with the control; no effect on painting or layout.
  QString AreaName() const { return FAreaName; }
  void SetAreaName(const QString& value) { FAreaName = value; }
  // Title and picture number for the skinned hint window.
  QString HintTitle() const { return FHintTitle; }
  void SetHintTitle(const QString& value) { FHintTitle = value; }
  int HintImageIndex() const { return FHintImageIndex; }
  void SetHintImageIndex(int value) { FHintImageIndex = value; }
  // Guarded: reads as none once the list is destroyed.
  TspImageList* HintImageList() const { return FHintImageList; }
  void SetHintImageList(TspImageList* value) { FHintImageList = value; }

  // Called with the control after the mouse entered or left it.
  std::function<void(QObject*)> OnMouseEnter;
  std::function<void(QObject*)> OnMouseLeave;

  // --- State -------------------------------------------------------------------------------
  int RecordIndex() const { return FBinding.RecordIndex; }
  // The record's "cursorindex" as ApplySkin last read it, -1 when none.
  int CursorIndex() const { return FCursorIndex; }
  const TspDataSkinControl* Record() const { return FBinding.Record(); }
  template <class R> const R* RecordAs() const { return FBinding.RecordAs<R>(); }
  // True while the control handles a paint event (windowed controls only).
  bool InPaintMessage() const { return FInPaintMessage; }

  // --- Virtual operations ------------------------------------------------------------------
  // RecordIndex from the skin data (-1 without one, with an empty one, or without a record
  // named SkinDataName).
  virtual void ReadSkinRecord();
  // The plain look into `image` (already of the control's size and filled with the
  // palette's window colour). The base draws nothing more.
  virtual void DrawDefaultImage(QImage& image);
  // The skinned look into `image`; called only with a record. The base draws nothing.
  virtual void DrawSkinImage(QImage& image);
  // ReadSkinRecord; the skin cursor; repaint.
  void ApplySkin() override;
  // RecordIndex := -1 and every cached image of the old skin dropped.
  void DropSkinRecord() override;
  // When alpha-blended: repaint, then tell the children (windowed) ; repaint only (graphic).
  virtual void ParentBackgroundChanged();

  TspSkinData* BoundSkinData() const override { return SkinData(); }
  bool IsGraphicControl() const override { return FGraphic; }

  // The whole pipeline without the final copy: the control's image as the next paint
  // would draw it (null at width or height 0). Tests and tools use it.
  QImage PaintImage();
  // The plain look at the control's size, as without a record.
  QImage PlainImage();

protected:
  TspSkinControlBase(bool graphic, QWidget* parent);

  // Composed record images, kept by the skin data for all its controls.
  TspSkinImages ImageCache() const { return TspSkinImages(FBinding.SkinData()); }
  TspSkinBinding& Binding() { return FBinding; }
  // Sets the cursor from the record when UseSkinCursor is on.
  void ApplySkinCursor();

  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void SkinDataDestroyed();

  TspSkinBinding FBinding;
  bool FGraphic;
  bool FDrawDefault = true;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 200;
  bool FUseSkinCursor = false;
  int FCursorIndex = -1;
  bool FInPaintMessage = false;
  QString FAreaName, FHintTitle;
  int FHintImageIndex = 0;
  QPointer<TspImageList> FHintImageList;
};

// Windowed base.
class TspSkinControl : public TspSkinControlBase {
  Q_OBJECT
public:
  explicit TspSkinControl(QWidget* parent = nullptr);
};

// Non-windowed base: no window region; lower graphic siblings show through alpha blending.
class TspGraphicSkinControl : public TspSkinControlBase {
  Q_OBJECT
public:
  explicit TspGraphicSkinControl(QWidget* parent = nullptr);
};

// The composition kind of the record (the values of ChooseComposition).
enum class TspGeometryMode : int {
  None = -1,
  Fixed = 0,
  NinePart = 1,
  Horizontal = 2,
  Vertical = 3
};

// Frame geometry of a custom-control record: corner points, client rectangle, stretch
// flags, size fitting, the window region from the mask picture (windowed only) and the
// font of the control. Base is TspSkinControl or TspGraphicSkinControl.
template <class Base> class TspCustomSkinBase : public Base {
public:
  ~TspCustomSkinBase() override;

  // --- Published properties ----------------------------------------------------------------
  // Font of the plain look, and of the skinned look when UseSkinFont is off.
  const QFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const QFont& value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);
  // Size applied when the skin has no record (values above 0 only).
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);

  // --- Record geometry, as ReadSkinRecord copied it ----------------------------------------
  TspGeometryMode GeometryMode() const { return TspGeometryMode(FGeometry.Mode); }
  const TspControlGeometry& Geometry() const { return FGeometry; }
  const TspRect& SkinRect() const { return FGeometry.SkinRect; }
  const TspPoint& LeftTopPoint() const { return FGeometry.Skin.LT; }
  const TspPoint& RightTopPoint() const { return FGeometry.Skin.RT; }
  const TspPoint& LeftBottomPoint() const { return FGeometry.Skin.LB; }
  const TspPoint& RightBottomPoint() const { return FGeometry.Skin.RB; }
  const TspRect& SkinClientRect() const { return FGeometry.Skin.ClientRect; }
  const TspPoint& FittedLeftTopPoint() const { return FGeometry.Fitted.LT; }
  const TspPoint& FittedRightTopPoint() const { return FGeometry.Fitted.RT; }
  const TspPoint& FittedLeftBottomPoint() const { return FGeometry.Fitted.LB; }
  const TspPoint& FittedRightBottomPoint() const { return FGeometry.Fitted.RB; }
  const TspRect& FittedClientRect() const { return FGeometry.Fitted.ClientRect; }
  // leftstretch, topstretch, rightstretch, bottomstretch, stretcheffect, stretchtype
  // (always 0 for the graphic base).
  const TspStretchFlags& StretchFlags() const { return FGeometry.Flags; }
  // The record's pictures, none when absent. Held by the control (a shared copy), so they
  // stay valid however the skin changes until the record is read again.
  const QImage* SkinPicture() const { return FPicture.isNull() ? nullptr : &FPicture; }
  const QImage* SkinMaskPicture() const { return FMaskPicture.isNull() ? nullptr : &FMaskPicture; }

  // Panel-like controls paint their frame strips and client area apart (windowed only).
  bool SeparateClientPaint() const { return FSeparateClientPaint; }
  void SetSeparateClientPaint(bool value);
  bool TileClient() const { return FTileClient; }
  void SetTileClient(bool value);

  // --- Operations ---------------------------------------------------------------------------
  // The font rule with this control's record font fields (pass the record's fontname,
  // fontheight, fontstyle): from the record when one exists and UseSkinFont is on.
  QFont SkinFont(const QString& fontname, int fontheight, TspFontStyles fontstyle) const;

  // A state image of the record (the skin rectangle or a state rectangle of the same size
  // in the record's picture) composed to the control's current size; cached per size and
  // skin. Null without a record or picture.
  QImage StateImage(const TspRect& stateRect);
  // The same composed to another size (fitted to the record's kind first).
  QImage StateImage(const TspRect& stateRect, QSize size);

  // Moves and resizes with the fitting rule: with a record, the requested size is fitted to
  // the record's kind. Plain resize() and setGeometry() end up fitted too.
  void SetBounds(int x, int y, int w, int h);

  // --- Virtual operations ------------------------------------------------------------------
  void ReadSkinRecord() override;
  void DrawSkinImage(QImage& image) override;
  // Fills the control with the palette's button colour.
  void DrawDefaultImage(QImage& image) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  // Runs when DefaultFont changes; the base does nothing.
  virtual void DefaultFontChanged() {}
  // Fits a requested size to the record's kind and computes the fitted geometry for it.
  // Without a record nothing changes. Controls with a UseSkinSize property override it.
  virtual void FitSizeToSkin(int& width, int& height);
  // The window shape from the record's mask picture (windowed only; graphic: nothing).
  virtual void UpdateRegion();
  // The region UpdateRegion last set, if any.
  const std::optional<QRegion>& WindowRegion() const { return FRegion; }

  // Layouts ask for a size the record can take: the skin size where the kind fixes it.
  QSize sizeHint() const override;

protected:
  explicit TspCustomSkinBase(QWidget* parent);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void ClearRecordState();
  void PaintSeparateClient();
  bool UsesSeparateClientPaint() const;

  QFont FDefaultFont;
  bool FUseSkinFont = true;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  TspControlGeometry FGeometry;
  QImage FPicture, FMaskPicture;
  // The binding's resolution FGeometry and the pictures were copied under.
  quint64 FRecordResolution = 0;
  bool FSeparateClientPaint = false;
  bool FTileClient = true;
  std::optional<QRegion> FRegion;
  bool FFitting = false;
  bool FInSeparatePaint = false;
  // The frame strips of the separate client paint, for one picture, geometry and size.
  TspBorderStrips FStrips;
  qint64 FStripsPicture = 0;
  QSize FStripsSize;
  TspControlGeometry FStripsGeometry;
};

extern template class TspCustomSkinBase<TspSkinControl>;
extern template class TspCustomSkinBase<TspGraphicSkinControl>;

class TspSkinCustomControl : public TspCustomSkinBase<TspSkinControl> {
  Q_OBJECT
public:
  explicit TspSkinCustomControl(QWidget* parent = nullptr);
};

class TspGraphicSkinCustomControl : public TspCustomSkinBase<TspGraphicSkinControl> {
  Q_OBJECT
public:
  explicit TspGraphicSkinCustomControl(QWidget* parent = nullptr);
};
