#include "skin/data/skin_data.h"

#include "skin/data/ini_text.h"
#include "skin/data/record_check.h"
#include "skin/data/record_registry.h"
#include "skin/data/resource_strings.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_payload.h"
#include "skin/data/skin_values.h"
#include "skin/data/stored_skin.h"
#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QScopeGuard>
#include <algorithm>

namespace {

template <class List> int FindByName(const List& list, const QString& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i]->IDName == name) return int(i);
  return -1;
}

// Adds the lines `record` read to `total`; past what one skin may hold, the load fails.
void CountRecordLines(TspSkinRecord& record, qsizetype& total) {
  total += SkinRecordLineCount(record);
  if (total > TspSkinData::MaxRecordLines)
    throw EOutOfResources("Skin description: more lines than one skin may hold");
}

} // namespace

TspSkinData::TspSkinData(QObject* owner) : QObject(owner) {}

TspSkinData::~TspSkinData() = default;

void TspSkinData::SetSkinList(TspCompressedSkinList* value) {
  FSkinList = value;
  if (FDesigning || !value) return;
  if (FSkinIndex >= 0 && FSkinIndex < value->Skins().Count())
    LoadCompressedStoredSkin(&value->Skins()[FSkinIndex].StoredSkin());
}

void TspSkinData::SetSkinIndex(int value) {
  if (value == FSkinIndex) return;
  if (!FSkinList) {
    FSkinIndex = value;
    return;
  }
  if (value < 0 || value >= FSkinList->Skins().Count()) return;
  FSkinIndex = value;
  if (!FDesigning) LoadCompressedStoredSkin(&FSkinList->Skins()[value].StoredSkin());
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* value) {
  FCompressedStoredSkin = value;
  if (!FDesigning && value) LoadCompressedStoredSkin(value);
}

void TspSkinData::SetResourceStrData(TspResourceStrData* value) {
  FResourceStrData = value;
  if (!FDesigning) BroadcastSkinMessage(SkinMsgResourceStrings);
}

void TspSkinData::SetSkinnableForm(bool value) {
  if (value == FSkinnableForm) return;
  FSkinnableForm = value;
  if (!FDesigning && !FLoading) BroadcastSkinMessage(SkinMsgSkinnableForm);
}

void TspSkinData::SetShowLayeredBorders(bool value) {
  if (value == FShowLayeredBorders) return;
  FShowLayeredBorders = value;
  if (!FDesigning && !FLoading) BroadcastSkinMessage(SkinMsgLayeredBorders);
}

void TspSkinData::SetAeroBlurEnabled(bool value) {
  if (value == FAeroBlurEnabled) return;
  FAeroBlurEnabled = value;
  if (!FDesigning && !FLoading) BroadcastSkinMessage(SkinMsgAeroBlur);
}

int TspSkinData::FindObjectData(const QString& name) const {
  return FindByName(ObjectList, name);
}

int TspSkinData::FindControlData(const QString& name) const {
  if (FIndexedControls != ControlList.size()) return FindByName(ControlList, name);
  return FControlIndex.value(name, -1);
}

bool TspSkinData::ControlDrawable(int index) const {
  if (index < 0 || size_t(index) >= ControlList.size()) return false;
  if (FIndexedControls != ControlList.size())
    return RecordDrawable(*ControlList[size_t(index)], ActivePictures);
  return FControlDrawable[size_t(index)];
}

void TspSkinData::IndexControls() {
  FControlIndex.clear();
  FControlDrawable.assign(ControlList.size(), false);
  for (size_t i = 0; i < ControlList.size(); ++i) {
    const TspDataSkinControl& record = *ControlList[i];
    if (!FControlIndex.contains(record.IDName)) FControlIndex.insert(record.IDName, int(i));
    FControlDrawable[i] = RecordDrawable(record, ActivePictures);
  }
  FIndexedControls = ControlList.size();
}

void TspSkinData::RecordsChanged() {
  FImageCache.Clear();
  ++FLoadCount;
  IndexControls();
}

int TspSkinData::FindAreaData(const QString& name) const {
  return FindByName(AreaList, name);
}

void TspSkinData::LoadCompressedStoredSkin(TspCompressedStoredSkin* skin) {
  if (!skin || skin->IsEmpty()) return;

  // Inflate and read the version before announcing anything, so a package that cannot be
  // read at all leaves the skin in use untouched.
  QBuffer payload;
  payload.setData(skin->Decompress());
  payload.open(QIODevice::ReadOnly);
  TspPayloadReader reader(payload);
  const int version = reader.ReadVersion();
  if (version > kMaxPayloadVersion) return;

  ChangeSkin([&] { ReadPayload(reader, version); });
}

void TspSkinData::LoadDescription(const QByteArray& description, const TspSkinData& pictures) {
  // Implicitly shared: taking the pictures copies no pixels (and `pictures` may be this).
  const QImage picture = pictures.Picture, inactive = pictures.InactivePicture,
               mask = pictures.MaskPicture, rollUp = pictures.RollUpPicture,
               rollUpMask = pictures.RollUpMaskPicture;
  const std::vector<QImage> active = pictures.ActivePictures;
  ChangeSkin([&] {
    Picture = picture;
    InactivePicture = inactive;
    MaskPicture = mask;
    RollUpPicture = rollUp;
    RollUpMaskPicture = rollUpMask;
    ActivePictures = active;
    ReadDescription(TspIniText::ParseBytes(description));
  });
}

void TspSkinData::ChangeSkin(const std::function<void()>& read) {
  FIsEmpty = true;
  FIsChangingSkin = true;
  // Whatever happens below, no frame may be left waiting for the end of a change.
  const auto changed = qScopeGuard([this] { FIsChangingSkin = false; });
  BroadcastSkinMessage(SkinMsgBeforeChange);
  ClearSkin();
  try {
    read();
  } catch (...) {
    // The forms have dropped their records: complete the change with the empty skin so
    // they rebuild in their plain look, then report.
    ClearSkin();
    BroadcastSkinMessage(SkinMsgChange);
    FIsChangingSkin = false;
    BroadcastSkinMessage(SkinMsgAfterChange);
    throw;
  }
  IndexControls();
  // Records resolved while the load ran (none found) are stale now.
  ++FLoadCount;
  FIsEmpty = false;
  if (OnLoadData) OnLoadData(this);
  BroadcastSkinMessage(SkinMsgChange);
  FIsChangingSkin = false;
  BroadcastSkinMessage(SkinMsgAfterChange);
}

void TspSkinData::ReadPayload(TspPayloadReader& reader, int version) {
  for (TspPayloadSlot slot : PayloadSlots(version)) {
    QImage image = reader.ReadSlot();
    switch (slot) {
    case TspPayloadSlot::Picture:
      Picture = std::move(image);
      break;
    case TspPayloadSlot::InactivePicture:
      InactivePicture = std::move(image);
      break;
    case TspPayloadSlot::MaskPicture:
      MaskPicture = std::move(image);
      break;
    case TspPayloadSlot::RollUpPicture:
      RollUpPicture = std::move(image);
      break;
    case TspPayloadSlot::RollUpMaskPicture:
      RollUpMaskPicture = std::move(image);
      break;
    }
  }
  // No reserve from the count: each picture has to be present in the stream.
  const int count = reader.ReadActiveCount();
  for (int i = 0; i < count; ++i) ActivePictures.push_back(reader.ReadPicture());
  ReadDescription(TspIniText::ParseBytes(reader.ReadRest()));
}

void TspSkinData::ReadDescription(const TspIniText& ini) {
  SkinName = ini.ReadString("VERSION", "skinname");
  SkinAuthor = ini.ReadString("VERSION", "skinauthor");
  AuthorEmail = ini.ReadString("VERSION", "authoremail");
  AuthorURL = ini.ReadString("VERSION", "authorurl");
  SkinComments = ini.ReadString("VERSION", "skincomments");

  PictureName = ini.ReadString("PICTURES", "picture");
  MaskName = ini.ReadString("PICTURES", "mask");
  RollUpPictureName = ini.ReadString("PICTURES", "rolluppicture");
  RollUpMaskName = ini.ReadString("PICTURES", "rollupmask");
  ActivePictureNames = ReadSkinList(ini, "PICTURES", "activepictures");

  FormInfo.LoadFromIni(ini);
  NormalizeFormInfo();
  PopupWindow.LoadFromIni(ini);
  LayerFrame.LoadFromIni(ini);
  BuildLayerFrameBorders();
  HintWindow.LoadFromIni(ini);
  SkinColors.LoadFromIni(ini);

  for (const QString& entry : ReadSkinRegistry(ini, "SKINAREAS"))
    if (auto area = ParseSkinAreaEntry(entry)) AreaList.push_back(std::move(area));

  qsizetype lines = 0;
  for (const QString& entry : ReadSkinRegistry(ini, "SKINOBJECTS")) {
    const auto e = SplitRegistryEntry(entry);
    if (!e) continue;
    auto record = CreateObjectRecord(e->Type);
    if (!record) continue;
    record->IDName = e->Name;
    ObjectList.push_back(std::move(record));
    TspDataSkinObject& object = *ObjectList.back();
    object.LoadFromIni(ini);
    CountRecordLines(object, lines);
    // Button records cut their state images from the pictures and the layer frame read above.
    object.PrepareImages(*this);
  }

  for (const QString& entry : ReadSkinRegistry(ini, "SKINCONTROLS")) {
    const auto e = SplitRegistryEntry(entry);
    if (!e) continue;
    auto record = CreateControlRecord(e->Type);
    if (!record) continue;
    record->IDName = e->Name;
    ControlList.push_back(std::move(record));
    ControlList.back()->LoadFromIni(ini);
    CountRecordLines(*ControlList.back(), lines);
  }
}

void TspSkinData::NormalizeFormInfo() {
  TspFormInfo& f = FormInfo;
  const TspRect& c = f.clientrect;
  if (!MaskName.isEmpty()) {
    if (f.maskrectarea.IsEmpty()) {
      f.maskrectarea = c;
    } else {
      f.maskrectarea.Left = std::min(f.maskrectarea.Left, c.Left);
      f.maskrectarea.Top = std::min(f.maskrectarea.Top, c.Top);
      f.maskrectarea.Right = std::max(f.maskrectarea.Right, c.Right);
      f.maskrectarea.Bottom = std::max(f.maskrectarea.Bottom, c.Bottom);
    }
    const auto fill = [](TspPoint& hit, const TspPoint& corner) {
      if (hit.X == 0 || hit.Y == 0) hit = corner;
    };
    fill(f.hittestlefttoppoint, f.lefttoppoint);
    fill(f.hittestrighttoppoint, f.righttoppoint);
    fill(f.hittestleftbottompoint, f.leftbottompoint);
    fill(f.hittestrightbottompoint, f.rightbottompoint);
  }
  if (f.rightbottompoint.X != f.lefttoppoint.X && f.rightbottompoint.Y != f.lefttoppoint.Y) {
    f.lefttoppoint.X = std::max(f.lefttoppoint.X, c.Left);
    f.lefttoppoint.Y = std::max(f.lefttoppoint.Y, c.Top);
    f.righttoppoint.X = std::min(f.righttoppoint.X, c.Right);
    f.righttoppoint.Y = std::max(f.righttoppoint.Y, c.Top);
    f.leftbottompoint.X = std::max(f.leftbottompoint.X, c.Left);
    f.leftbottompoint.Y = std::min(f.leftbottompoint.Y, c.Bottom);
    f.rightbottompoint.X = std::min(f.rightbottompoint.X, c.Right);
    f.rightbottompoint.Y = std::min(f.rightbottompoint.Y, c.Bottom);
  }
}

void TspSkinData::BuildLayerFrameBorders() {
  LayerFrame.ActiveBorder.reset();
  LayerFrame.InactiveBorder.reset();
  const auto build = [this](int pictureIndex, int maskIndex) -> std::unique_ptr<TspBitmap> {
    if (!ValidPictureIndex(pictureIndex) || !ValidPictureIndex(maskIndex)) return nullptr;
    auto border = std::make_unique<TspBitmap>();
    border->Assign(ActivePictures[size_t(pictureIndex)]);
    TspBitmap mask;
    mask.Assign(ActivePictures[size_t(maskIndex)]);
    AlphaFromMask(*border, mask);
    border->CheckAlpha();
    return border;
  };
  LayerFrame.ActiveBorder = build(LayerFrame.pictureindex, LayerFrame.maskpictureindex);
  LayerFrame.InactiveBorder =
      build(LayerFrame.inactivepictureindex, LayerFrame.inactivemaskpictureindex);
}

void TspSkinData::SetSystemColors() {
  // The platform's system colours as Qt's palette names them:
  //   cbtnface        Button            cbtntext        ButtonText
  //   cwindow         Base              cwindowtext     Text
  //   chighlight      Highlight         chighlighttext  HighlightedText
  //   cbtnhighlight   Light             cbtnshadow      Dark
  //   c3dlight        Midlight          c3ddkshadow     Shadow
  const QPalette pal = QGuiApplication::palette();
  const auto c = [&pal](QPalette::ColorRole role) { return QColorToColor(pal.color(role)); };
  SkinColors.cbtnface = c(QPalette::Button);
  SkinColors.cbtntext = c(QPalette::ButtonText);
  SkinColors.cwindow = c(QPalette::Base);
  SkinColors.cwindowtext = c(QPalette::Text);
  SkinColors.chighlight = c(QPalette::Highlight);
  SkinColors.chighlighttext = c(QPalette::HighlightedText);
  SkinColors.cbtnhighlight = c(QPalette::Light);
  SkinColors.cbtnshadow = c(QPalette::Dark);
  SkinColors.c3dlight = c(QPalette::Midlight);
  SkinColors.c3ddkshadow = c(QPalette::Shadow);
}

void TspSkinData::ClearSkin() {
  FImageCache.Clear();
  ++FLoadCount;
  AreaList.clear();
  ObjectList.clear();
  ControlList.clear();
  IndexControls();
  ActivePictures.clear();
  ButtonImagePixelsLeft = TspDataSkinButton::MaxImagePixels;
  PopupWindow.windowpictureindex = -1;
  PopupWindow.maskpictureindex = -1;
  HintWindow.windowpictureindex = -1;
  HintWindow.maskpictureindex = -1;
  LayerFrame.pictureindex = -1;
  LayerFrame.inactivepictureindex = -1;
  BuildLayerFrameBorders();
  ActivePictureNames.clear();
  SetSystemColors();
  Picture = QImage();
  InactivePicture = QImage();
  MaskPicture = QImage();
  RollUpPicture = QImage();
  RollUpMaskPicture = QImage();
  PictureName.clear();
  MaskName.clear();
  RollUpPictureName.clear();
  RollUpMaskName.clear();
  FIsEmpty = true;
}

namespace {
// Registration order, which follows the order the forms were made: deterministic, unlike
// the platform's set of top-level widgets.
std::vector<QPointer<QObject>>& Receivers() {
  static std::vector<QPointer<QObject>> receivers;
  return receivers;
}
} // namespace

void TspSkinData::AddSkinReceiver(QObject* receiver) {
  auto& receivers = Receivers();
  std::erase_if(receivers, [](const QPointer<QObject>& r) { return r.isNull(); });
  if (!receiver || std::find(receivers.begin(), receivers.end(), receiver) != receivers.end())
    return;
  receivers.emplace_back(receiver);
}

void TspSkinData::RemoveSkinReceiver(QObject* receiver) {
  std::erase_if(Receivers(),
                [receiver](const QPointer<QObject>& r) { return r.isNull() || r == receiver; });
}

void TspSkinData::BroadcastSkinMessage(int message) {
  const auto send = [this, message](QObject* form) {
    TspSkinMessageEvent event(message, this);
    QCoreApplication::sendEvent(form, &event);
  };

  // With no layered border the owning form rebuilds first, ahead of the others.
  std::erase_if(Receivers(), [](const QPointer<QObject>& r) { return r.isNull(); });
  QObject* owner = parent();
  const bool ownerReceives =
      std::find(Receivers().begin(), Receivers().end(), owner) != Receivers().end();
  if (owner && ownerReceives && !FShowLayeredBorders)
    send(owner);
  else
    owner = nullptr;

  // A receiver handling a message may close another: guarded pointers skip it then.
  std::vector<QPointer<QObject>> forms;
  for (const QPointer<QObject>& r : Receivers())
    if (r != owner) forms.push_back(r);

  // Layered borders are painted under their forms: walk the list backwards then.
  if (FShowLayeredBorders && LayerFrame.pictureindex != -1)
    std::reverse(forms.begin(), forms.end());
  for (const QPointer<QObject>& form : forms)
    if (form) send(form);
}
