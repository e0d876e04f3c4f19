#pragma once
// TspSkinData: the skin in use. It loads a compressed package (chosen directly or by an
// index into a skin list), owns the pictures and records read from it, and tells every
// form of the application when the skin changes (skin_messages.h), so that frames and
// controls rebuild themselves from the new data.

#include "skin/data/control_records.h"
#include "skin/data/object_records.h"
#include "skin/data/resource_strings.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_colors.h"
#include "skin/data/skin_list.h"
#include "skin/data/stored_skin.h"
#include "skin/data/window_records.h"
#include "skin/render/image_cache.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TspIniText;
class TspPayloadReader;

class TspSkinData : public QObject {
  Q_OBJECT
public:
  // `owner` is the component's owner; when it is a form, it may hear skin messages first.
  explicit TspSkinData(QObject* owner = nullptr);
  ~TspSkinData() override;

  // --- Published properties -------------------------------------------------------------
  // Outside a designer, setting a list while SkinIndex is valid for it loads that item.
  TspCompressedSkinList* SkinList() const { return FSkinList; }
  void SetSkinList(TspCompressedSkinList* value);
  // A new index within the list's range loads that item; one outside it is ignored and
  // the old index kept. Without a list the index is only stored.
  int SkinIndex() const { return FSkinIndex; }
  void SetSkinIndex(int value);
  // Outside a designer, setting a stored skin loads it.
  TspCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
  void SetCompressedStoredSkin(TspCompressedStoredSkin* value);
  // Outside a designer, broadcasts SkinMsgResourceStrings.
  TspResourceStrData* ResourceStrData() const { return FResourceStrData; }
  void SetResourceStrData(TspResourceStrData* value);
  // Each broadcasts its message when changed outside a designer and outside loading.
  bool SkinnableForm() const { return FSkinnableForm; }
  void SetSkinnableForm(bool value);
  bool ShowLayeredBorders() const { return FShowLayeredBorders; }
  void SetShowLayeredBorders(bool value);
  bool AeroBlurEnabled() const { return FAeroBlurEnabled; }
  void SetAeroBlurEnabled(bool value);

  // Stored only: read by the frames and controls.
  bool EnableSkinEffects() const { return FEnableSkinEffects; }
  void SetEnableSkinEffects(bool value) { FEnableSkinEffects = value; }
  bool AnimationForAllWindows() const { return FAnimationForAllWindows; }
  void SetAnimationForAllWindows(bool value) { FAnimationForAllWindows = value; }
  bool ShowButtonGlowFrames() const { return FShowButtonGlowFrames; }
  void SetShowButtonGlowFrames(bool value) { FShowButtonGlowFrames = value; }
  bool ShowCaptionButtonGlowFrames() const { return FShowCaptionButtonGlowFrames; }
  void SetShowCaptionButtonGlowFrames(bool value) { FShowCaptionButtonGlowFrames = value; }
  bool DlgTreeViewDrawSkin() const { return FDlgTreeViewDrawSkin; }
  void SetDlgTreeViewDrawSkin(bool value) { FDlgTreeViewDrawSkin = value; }
  bool DlgListViewDrawSkin() const { return FDlgListViewDrawSkin; }
  void SetDlgListViewDrawSkin(bool value) { FDlgListViewDrawSkin = value; }
  QString DlgTreeViewItemSkinDataName() const { return FDlgTreeViewItemSkinDataName; }
  void SetDlgTreeViewItemSkinDataName(const QString& value) {
    FDlgTreeViewItemSkinDataName = value;
  }
  QString DlgListViewItemSkinDataName() const { return FDlgListViewItemSkinDataName; }
  void SetDlgListViewItemSkinDataName(const QString& value) {
    FDlgListViewItemSkinDataName = value;
  }

  // Called with this object after each successful load, before SkinMsgChange.
  std::function<void(TspSkinData*)> OnLoadData;

  // True only inside a form designer or tool: setters then store without loading.
  bool Designing() const { return FDesigning; }
  void SetDesigning(bool value) { FDesigning = value; }
  // True while a host reads this component's stored settings: the boolean setters then
  // do not broadcast.
  bool Loading() const { return FLoading; }
  void SetLoading(bool value) { FLoading = value; }

  // --- Composed images ------------------------------------------------------------------
  // The images controls compose from this skin, shared by all of them. ClearSkin (and so
  // every load or switch) empties it and moves LoadCount on, so an image of an earlier skin
  // is never returned. LoadCount moves on again once a load has read its records: whoever
  // resolved a record under one count finds the same one until it changes. A cache of what
  // the skin's pictures give, so it may fill through a const skin (the frame's objects hold
  // one).
  TspImageCache& ImageCache() const { return FImageCache; }
  quint64 LoadCount() const { return FLoadCount; }

  // --- Skin content ---------------------------------------------------------------------
  // Empty until the first successful load; drawing code then paints the platform's way.
  bool IsEmpty() const { return FIsEmpty; }
  // Set from the start of a load until SkinMsgChange has been delivered; frames do not
  // repaint meanwhile.
  bool IsChangingSkin() const { return FIsChangingSkin; }

  QImage Picture, InactivePicture, MaskPicture, RollUpPicture, RollUpMaskPicture;
  // Picture indices everywhere in the skin refer to this list; -1 or an index not below
  // its size means none.
  std::vector<QImage> ActivePictures;
  bool ValidPictureIndex(int index) const {
    return index >= 0 && size_t(index) < ActivePictures.size();
  }

  // From [PICTURES], as information; a non-empty MaskName switches on the mask
  // normalisation of FormInfo.
  QString PictureName, MaskName, RollUpPictureName, RollUpMaskName;
  QStringList ActivePictureNames;
  // From [VERSION], as information.
  QString SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

  TspFormInfo FormInfo;
  TspDataSkinPopupWindow PopupWindow;
  TspDataSkinHintWindow HintWindow;
  TspDataSkinLayerFrame LayerFrame;
  TspSkinColors SkinColors;
  // The lines that the records of one skin may hold together. A line count key asks for up
  // to kMaxSkinItemCount lines whether the description holds them or not, and many records
  // may read one section: without a limit a short description could ask for gigabytes.
  static constexpr qsizetype MaxRecordLines = qsizetype(4) * kMaxSkinItemCount;
  // What the button records may still spend on state images while a skin loads; ClearSkin
  // restores the whole TspDataSkinButton::MaxImagePixels.
  qint64 ButtonImagePixelsLeft = TspDataSkinButton::MaxImagePixels;

  // In [SKINOBJECTS], [SKINCONTROLS] and [SKINAREAS] order.
  std::vector<std::unique_ptr<TspDataSkinObject>> ObjectList;
  std::vector<std::unique_ptr<TspDataSkinControl>> ControlList;
  std::vector<std::unique_ptr<TspDataSkinArea>> AreaList;

  // The index of the first record whose IDName equals `name` exactly (letter case
  // significant), or -1. Control records are found through an index built once per load.
  int FindObjectData(const QString& name) const;
  int FindControlData(const QString& name) const;
  int FindAreaData(const QString& name) const;
  // Whether the pictures can draw the control record at `index` (RecordDrawable), judged
  // once per load; false for an index outside ControlList.
  bool ControlDrawable(int index) const;
  // For tools and tests that edit ControlList or ActivePictures in place after a load:
  // rebuilds the control index and verdicts, drops the composed images and moves LoadCount
  // on, so controls resolve their records afresh at their next paint.
  void RecordsChanged();

  // Loads a package; does nothing for none or an empty one.
  //
  // The payload is inflated and its version read before anything changes: a corrupt
  // zlib stream (EDecompressionError) or a payload version of 4 or more (silently) leaves
  // the current skin as it is and sends no message. Once the version is known the change
  // is announced (SkinMsgBeforeChange) and the skin cleared. A picture or description that
  // then fails to read leaves the skin cleared and empty, still completes the change
  // (SkinMsgChange, SkinMsgAfterChange) so forms rebuild in their plain look, and raises
  // the error.
  void LoadCompressedStoredSkin(TspCompressedStoredSkin* skin);
  // Loads a skin of `description` and the pictures of `pictures` (which may be this object),
  // with the same messages and errors as a package load. Tools and fuzzing try descriptions
  // against a skin's pictures this way without packing them.
  void LoadDescription(const QByteArray& description, const TspSkinData& pictures);
  // Frees every record and picture, resets the picture indices of the window records and
  // the layer frame's borders, sets SkinColors to the system colours and IsEmpty.
  void ClearSkin();
  // Sends `message` synchronously to the skin receivers (see skin_data.cpp for the order).
  void BroadcastSkinMessage(int message);

  // The objects skin changes are announced to: the forms that host skinned controls (their
  // form controller or skin hook registers them) and windows that follow the skin on their
  // own, such as the hint window. Kept in registration order; one that is destroyed leaves
  // the list by itself; registering twice changes nothing.
  static void AddSkinReceiver(QObject* receiver);
  static void RemoveSkinReceiver(QObject* receiver);

private:
  // Announces a change, clears the skin and runs `read`; completes the change whatever it
  // throws (which goes on to the caller).
  void ChangeSkin(const std::function<void()>& read);
  void ReadPayload(TspPayloadReader& reader, int version);
  void ReadDescription(const TspIniText& ini);
  void NormalizeFormInfo();
  void BuildLayerFrameBorders();
  void SetSystemColors();
  // The control index and verdicts of ControlList as it is now.
  void IndexControls();

  QPointer<TspCompressedSkinList> FSkinList;
  int FSkinIndex = 0;
  QPointer<TspCompressedStoredSkin> FCompressedStoredSkin;
  QPointer<TspResourceStrData> FResourceStrData;
  bool FSkinnableForm = true;
  bool FShowLayeredBorders = true;
  bool FAeroBlurEnabled = true;
  bool FEnableSkinEffects = true;
  bool FAnimationForAllWindows = false;
  bool FShowButtonGlowFrames = true;
  bool FShowCaptionButtonGlowFrames = true;
  bool FDlgTreeViewDrawSkin = true;
  bool FDlgListViewDrawSkin = true;
  QString FDlgTreeViewItemSkinDataName = QStringLiteral("listbox");
  QString FDlgListViewItemSkinDataName = QStringLiteral("listbox");
  bool FDesigning = false;
  bool FLoading = false;
  bool FIsEmpty = true;
  bool FIsChangingSkin = false;
  mutable TspImageCache FImageCache;
  quint64 FLoadCount = 1;
  // Name to first index, and the drawable verdict per record, of the FIndexedControls
  // records indexed last; a list of another length is searched instead.
  QHash<QString, int> FControlIndex;
  std::vector<bool> FControlDrawable;
  size_t FIndexedControls = 0;
};
