#pragma once
// The frame objects: the caption, the caption buttons and the other parts a skin's
// [SKINOBJECTS] declares, each made from its data record, and their layout for one window
// size. The objects hold their state (hot, pressed, enabled, visible, cross-fade position);
// what a press or a release does is the controller's.

#include "skin/data/object_records.h"
#include "skin/frame/frame_geometry.h"

#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TspSkinData;

// What drawing an object needs to know of its frame.
struct TspObjectPaintContext {
  bool FormActive = true;
  // The skin data's EnableSkinEffects.
  bool Effects = true;
  // Draw the normal image too (it is not part of the frame picture under the object).
  bool DrawNormal = false;
  // The window is maximised / minimised / rolled up: caption buttons show their restore
  // images.
  bool Maximized = false;
  bool Minimized = false;
  bool RolledUp = false;
};

class TspActiveSkinObject {
public:
  // `skin` may be none (the plain frame's buttons): the object then has no pictures.
  TspActiveSkinObject(const TspDataSkinObject& data, const TspSkinData* skin);
  virtual ~TspActiveSkinObject() = default;

  QString IDName;
  QString Hint;
  QImage Picture;
  QImage ActivePicture;
  QImage ActiveMaskPicture;
  bool SkinRectInAPicture = false;
  TspRect SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool Morphing = false;
  TspMorphKind MorphKind = TspMorphKind::mkDefault;
  double MorphKf = 0;
  TspRect ObjectRect;
  bool MouseIn = false;
  bool Active = false;
  bool Enabled = true;
  bool Visible = true;
  bool RollUp = false;
  int CursorIndex = -1;
  // The glow frame shown around the object while it is hot, where translucency is
  // composed: its picture (none: no glow), the mask whose brightness is its alpha, how far
  // it reaches beyond the object's top-left corner and its alpha once faded in.
  QImage GlowLayerPicture;
  QImage GlowLayerMaskPicture;
  QPoint GlowLayerOffset;
  int GlowLayerAlphaBlendValue = 255;

  // True at `p` (relative to ObjectRect's top-left) unless a mask says otherwise: then
  // only its black pixels belong to the object.
  virtual bool HitTest(const QPoint& p) const;
  // Draws the object at ObjectRect moved by -origin.
  virtual void Draw(QImage& target, const QPoint& origin, const TspObjectPaintContext& c) const;
  // Whether the cross-fade between normal and hot image applies.
  bool CanMorph(bool effects) const { return Morphing && !ActiveSkinRect.IsEmpty() && effects; }
  // One 25 ms step: MorphKf moves 0.2 toward the end of the current state; false when it
  // is already there.
  virtual bool MorphStep();
  bool NeedsMorphStep() const { return (Active && MorphKf < 1) || (!Active && MorphKf > 0); }

protected:
  // The image of `rect` of ActivePicture (`inActivePicture`) or Picture, scaled to
  // ObjectRect's size: cut once per skin load and size, kept in the skin's image cache.
  QImage Cut(const TspRect& rect, bool inActivePicture) const;
  void DrawImage(QImage& target, const QPoint& origin, const QImage& image) const;
  // The normal image: SkinRect of ActivePicture, or of Picture.
  virtual TspRect NormalRect(const TspObjectPaintContext&) const { return SkinRect; }
  virtual TspRect HotRect(const TspObjectPaintContext&) const { return ActiveSkinRect; }
  virtual TspRect InactiveRect(const TspObjectPaintContext&) const { return InActiveSkinRect; }
  // A pressed look, drawn instead of the hot one; empty for none.
  virtual TspRect PressedRect(const TspObjectPaintContext&) const { return {}; }

private:
  // The skin the object was made from, whose image cache keeps its cuts; none for the
  // plain frame's buttons.
  QPointer<const TspSkinData> FSkin;
};

class TspSkinButtonObject : public TspActiveSkinObject {
public:
  TspSkinButtonObject(const TspDataSkinButton& data, const TspSkinData* skin);
  TspRect DownRect, DisabledSkinRect;
  int GroupIndex = -1;
  bool Down = false;

protected:
  TspRect PressedRect(const TspObjectPaintContext&) const override;
  void Draw(QImage& target, const QPoint& origin, const TspObjectPaintContext& c) const override;
};

class TspSkinStdButtonObject : public TspSkinButtonObject {
public:
  TspSkinStdButtonObject(const TspDataSkinStdButton& data, const TspSkinData* skin);
  // The plain frame's buttons, made without a skin.
  TspSkinStdButtonObject(const QString& name, TspStdCommand command);
  TspStdCommand Command = TspStdCommand::cmDefault;
  TspRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  QString NormalHint, RestoreHint;
  // False for the plain frame's buttons.
  bool FromSkin = true;

  // Whether the button now means restore.
  bool MeansRestore(const TspObjectPaintContext& c) const;

protected:
  TspRect NormalRect(const TspObjectPaintContext& c) const override;
  TspRect HotRect(const TspObjectPaintContext& c) const override;
  TspRect InactiveRect(const TspObjectPaintContext& c) const override;
  TspRect PressedRect(const TspObjectPaintContext& c) const override;
};

class TspSkinCaptionObject : public TspActiveSkinObject {
public:
  TspSkinCaptionObject(const TspDataSkinCaption& data, const TspSkinData* skin);
  // The record's keys as read (font, colours, text rectangle, effects).
  const TspDataSkinCaption& Data() const { return FData; }
  // Set on the caption that shows the form's caption text.
  bool ShowsFormCaption = false;
  // Captions are drawn by the frame painter with their text, not as an image.
  void Draw(QImage&, const QPoint&, const TspObjectPaintContext&) const override {}

  // The caption animation: frames 1 to framecount of animateskinrect (each frame one
  // animateskinrect to the right of the one before) while the form turns active or
  // inactive; 0 and framecount + 1 show the static look.
  bool Animated() const {
    return !FData.animateskinrect.IsEmpty() && FData.framecount > 0 && !ActivePicture.isNull();
  }
  int AnimatePosition = 0;
  // Milliseconds counted toward animateinterval.
  int AnimateTick = 25;
  // Sets the position for a change of the form's activation; true when the animation
  // timer must run.
  bool StartAnimation(bool active);
  // One 25 ms tick; true when the frame shown changed.
  bool AnimationStep();
  // Frames are left to show in the present direction.
  bool AnimationPending() const {
    return Animated() && (Active ? AnimatePosition <= FData.framecount : AnimatePosition > 0);
  }
  // The source rectangle of the frame at AnimatePosition, empty outside 1..framecount.
  TspRect AnimationFrame() const;

private:
  const TspDataSkinCaption& FData;
};

// Any other object: draws only its images.
class TspUserObject : public TspActiveSkinObject {
public:
  using TspActiveSkinObject::TspActiveSkinObject;
};

using TspObjectList = std::vector<std::unique_ptr<TspActiveSkinObject>>;

// The object list of a skin, in the order of its [SKINOBJECTS]; menu items, menu bar
// buttons and caption tabs are not frame objects. The first caption with defaultcaption
// (else the first caption) shows the form's caption.
TspObjectList BuildObjectList(const TspSkinData& skin);

// Pass 1 of the layout: a skin rectangle moved or stretched by where it lies among the
// frame picture's corner regions, for a frame whose bottom-right corner point moved by
// (ddx, ddy).
TspRect RepositionRect(const TspRect& r, const TspFormInfo& info, int pictureWidth,
                       int pictureHeight, int ddx, int ddy);

// The whole layout: pass 1 for every object, then the caption buttons placed in a row in
// the buttons (or caption) area. `iconSize` is the size of a system-menu button that
// shows the form's icon; an empty size when it does not.
void LayoutObjects(TspObjectList& objects, const TspFormInfo& info, const TspFrameGeometry& g,
                   int pictureWidth, int pictureHeight, const QSize& iconSize);

// The border icons of a form.
enum class TspBorderIcon : unsigned {
  biSystemMenu = 1,
  biMinimize = 2,
  biMaximize = 4,
  biRollUp = 8,
  biMinimizeToTray = 16
};
Q_DECLARE_FLAGS(TspBorderIcons, TspBorderIcon)
Q_DECLARE_OPERATORS_FOR_FLAGS(TspBorderIcons)

// Which caption buttons are enabled and shown. `customVisible` answers for objects with
// the default command (none: hidden).
void ApplyButtonVisibility(TspObjectList& objects, TspBorderIcons icons, bool hideCaptionButtons,
                           bool disableSystemMenu,
                           const std::function<bool(const QString&)>& customVisible = {});

// The first object of `command` that is a visible std button, or none.
TspSkinStdButtonObject* FindStdButton(const TspObjectList& objects, TspStdCommand command,
                                      bool visibleOnly = true);
// The caption that shows the form's caption text, or none.
TspSkinCaptionObject* FormCaptionObject(const TspObjectList& objects);
