#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_messages.h"
#include "skin/render/bitmap.h"
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"
#include "skin_fixtures.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A description with the global sections; `extra` is appended as it is.
QByteArray Description(const QByteArray& name, const QByteArray& extra = {}) {
  return "[VERSION]\r\nskinname=" + name +
         "\r\nskinauthor=Ann\r\n"
         "[PICTURES]\r\npicture=main.bmp\r\nmask=\r\nactivepicturescount=2\r\n"
         "0=a.bmp\r\n1=b.bmp\r\n"
         "[FORMINFO]\r\nclientrect=4,20,60,50\r\n" +
         extra;
}

// Active picture 0 is a pattern, 1 a mid-grey mask.
TspSkinPayload Payload(const QByteArray& description, int version = 3) {
  TspSkinPayload p;
  p.Version = version;
  p.Picture = PatternImage(8, 6, 1);
  p.InactivePicture = PatternImage(8, 6, 2);
  p.RollUpPicture = PatternImage(8, 3, 3);
  p.RollUpMaskPicture = PatternImage(8, 3, 4);
  p.ActivePictures = {PatternImage(10, 10, 5), SolidImage(10, 10, qRgb(128, 128, 128))};
  p.DescriptionText = description;
  return p;
}

std::unique_ptr<TspCompressedStoredSkin> StoredSkin(const TspSkinPayload& payload) {
  auto skin = std::make_unique<TspCompressedStoredSkin>();
  skin->SetCompressedStream(CompressedSkin(payload));
  return skin;
}

std::unique_ptr<TspSkinData> Loaded(const QByteArray& description) {
  auto data = std::make_unique<TspSkinData>();
  data->LoadCompressedStoredSkin(StoredSkin(Payload(description)).get());
  return data;
}

// A top-level form that writes down every skin message it receives.
struct Received {
  QWidget* Form;
  int Message;
  bool Changing;
  TspSkinData* Sender;
  int Second;
};
std::vector<Received>* gLog = nullptr;

class RecordingForm : public QWidget {
public:
  using QWidget::QWidget;
  bool event(QEvent* e) override {
    if (e->type() == TspSkinMessageEvent::EventType() && gLog) {
      const auto* m = static_cast<TspSkinMessageEvent*>(e);
      gLog->push_back({this, m->Message(), m->SkinData() && m->SkinData()->IsChangingSkin(),
                       m->SkinData(), m->SecondParameter()});
      return true;
    }
    return QWidget::event(e);
  }
};

class SkinDataMessages : public ::testing::Test {
protected:
  void SetUp() override {
    gLog = &Log;
    // Skin receivers, registered in array order: the order forms are told in.
    for (auto& f : Forms) {
      f = std::make_unique<RecordingForm>();
      f->winId();
      TspSkinData::AddSkinReceiver(f.get());
    }
  }
  void TearDown() override { gLog = nullptr; }

  // Our forms in the order they registered.
  std::vector<QWidget*> PlatformOrder(const QWidget* except = nullptr) const {
    std::vector<QWidget*> order;
    for (const auto& f : Forms)
      if (f.get() != except) order.push_back(f.get());
    return order;
  }
  // The forms that received `message`, in order.
  std::vector<QWidget*> Receivers(int message) const {
    std::vector<QWidget*> out;
    for (const Received& r : Log)
      if (r.Message == message) out.push_back(r.Form);
    return out;
  }

  std::vector<Received> Log;
  std::unique_ptr<RecordingForm> Forms[3];
};

} // namespace

TEST(SkinData, NewInstance) {
  TspSkinData data;
  EXPECT_TRUE(data.IsEmpty());
  EXPECT_FALSE(data.IsChangingSkin());
  EXPECT_EQ(data.SkinIndex(), 0);
  EXPECT_EQ(data.SkinList(), nullptr);
  EXPECT_TRUE(data.SkinnableForm() && data.ShowLayeredBorders() && data.AeroBlurEnabled());
  EXPECT_TRUE(data.EnableSkinEffects() && data.ShowButtonGlowFrames() &&
              data.ShowCaptionButtonGlowFrames() && data.DlgTreeViewDrawSkin() &&
              data.DlgListViewDrawSkin());
  EXPECT_FALSE(data.AnimationForAllWindows());
  EXPECT_EQ(data.DlgListViewItemSkinDataName(), "listbox");
  EXPECT_EQ(data.SkinColors.cbtnface, 0u);
  EXPECT_EQ(data.FormInfo.bgpictureindex, -1);
  EXPECT_EQ(data.HintWindow.fontname, "Tahoma");
  EXPECT_EQ(data.HintWindow.fontheight, 12);
  EXPECT_EQ(data.LayerFrame.alphablendvalue, 255);
}

TEST(SkinData, LoadsPicturesNamesAndRecords) {
  const QByteArray extra = "[SKINCOLORS]\r\ncbtnface=4473924\r\n"
                           "[SKINAREAS]\r\ncount=1\r\n0=grip:1,2,3,4;1,0,1,0,1\r\n"
                           "[SKINOBJECTS]\r\ncount=2\r\n0=close:stdbutton\r\n1=title:caption\r\n"
                           "[SKINCONTROLS]\r\ncount=1\r\n0=edit:edit\r\n"
                           "[edit]\r\npictureindex=1\r\nskinrect=0,0,5,5\r\n";
  const auto data = Loaded(Description("Blue", extra));
  EXPECT_FALSE(data->IsEmpty());
  EXPECT_FALSE(data->IsChangingSkin());
  EXPECT_TRUE(SamePixels(data->Picture, PatternImage(8, 6, 1)));
  EXPECT_TRUE(SamePixels(data->InactivePicture, PatternImage(8, 6, 2)));
  EXPECT_TRUE(data->RollUpPicture.isNull()); // version 3 has no roll-up slots
  ASSERT_EQ(data->ActivePictures.size(), 2u);
  EXPECT_TRUE(SamePixels(data->ActivePictures[0], PatternImage(10, 10, 5)));
  EXPECT_EQ(data->SkinName, "Blue");
  EXPECT_EQ(data->SkinAuthor, "Ann");
  EXPECT_EQ(data->PictureName, "main.bmp");
  EXPECT_EQ(data->ActivePictureNames, QStringList({"a.bmp", "b.bmp"}));
  EXPECT_EQ(data->FormInfo.clientrect, (TspRect{4, 20, 60, 50}));
  EXPECT_EQ(data->SkinColors.cbtnface, 4473924u);
  ASSERT_EQ(data->AreaList.size(), 1u);
  EXPECT_EQ(data->AreaList[0]->AreaRect, (TspRect{1, 2, 3, 4}));
  ASSERT_EQ(data->ObjectList.size(), 2u);
  EXPECT_NE(dynamic_cast<TspDataSkinStdButton*>(data->ObjectList[0].get()), nullptr);
  ASSERT_EQ(data->ControlList.size(), 1u);
  EXPECT_EQ(data->ControlList[0]->pictureindex, 1);
}

TEST(SkinData, PayloadVersionsOneAndTwoFillTheRollUpPictures) {
  for (int version : {0, 1, 2}) {
    SCOPED_TRACE(version);
    TspSkinData data;
    data.LoadCompressedStoredSkin(StoredSkin(Payload(Description("V"), version)).get());
    EXPECT_FALSE(data.IsEmpty());
    EXPECT_EQ(data.InactivePicture.isNull(), version != 2);
    EXPECT_EQ(data.RollUpPicture.isNull(), version == 0);
    if (version > 0) {
      EXPECT_TRUE(SamePixels(data.RollUpMaskPicture, PatternImage(8, 3, 4)));
    }
    EXPECT_EQ(data.ActivePictures.size(), 2u);
  }
}

// Exact names, letter case included; with two records of one name the first wins.
TEST(SkinData, FindDataIsExactAndTakesTheFirst) {
  const auto data = Loaded(
      Description("F", "[SKINOBJECTS]\r\ncount=2\r\n0=min:stdbutton\r\n1=Min:button\r\n"
                       "[SKINAREAS]\r\ncount=2\r\n0=a:0,0,1,1\r\n1=a:0,0,2,2\r\n"
                       "[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=appmenu:appmenu\r\n"
                       "2=edit:edit\r\n3=button:panel\r\n"));
  ASSERT_EQ(data->ControlList.size(), 3u); // appmenu names no record kind
  EXPECT_EQ(data->FindControlData("button"), 0);
  EXPECT_NE(dynamic_cast<TspDataSkinButtonControl*>(data->ControlList[0].get()), nullptr);
  EXPECT_EQ(data->FindControlData("Button"), -1);
  EXPECT_EQ(data->FindControlData("edit"), 1);
  EXPECT_EQ(data->FindControlData("appmenu"), -1);
  EXPECT_EQ(data->FindObjectData("Min"), 1);
  EXPECT_EQ(data->FindObjectData("MIN"), -1);
  EXPECT_EQ(data->FindAreaData("a"), 0);
  EXPECT_EQ(data->FindAreaData("b"), -1);
}

// The verdicts are made per load; whoever resolved a record under one LoadCount sees the
// count move on with a clear, a load, and an edit announced through RecordsChanged.
TEST(SkinData, ControlIndexAndVerdictsFollowEveryChange) {
  auto data = Loaded(Description(
      "F", "[SKINCONTROLS]\r\ncount=3\r\n0=ok:panel\r\n1=huge:panel\r\n2=nopicture:panel\r\n"
           "[ok]\r\npictureindex=0\r\nskinrect=0,0,10,10\r\n"
           "[huge]\r\npictureindex=0\r\nskinrect=0,0,40000,40\r\n"
           "[nopicture]\r\npictureindex=5\r\nskinrect=0,0,4,4\r\n"));
  ASSERT_EQ(data->ControlList.size(), 3u);
  const struct {
    int Index;
    bool Drawable;
  } verdicts[] = {{0, true}, {1, false}, {2, false}, {-1, false}, {3, false}};
  for (const auto& v : verdicts) EXPECT_EQ(data->ControlDrawable(v.Index), v.Drawable) << v.Index;

  quint64 load = data->LoadCount();
  data->ControlList[1]->IDName = QStringLiteral("ok2");
  data->ControlList[1]->skinrect = {0, 0, 5, 5};
  data->RecordsChanged();
  EXPECT_GT(data->LoadCount(), load);
  EXPECT_EQ(data->FindControlData("ok2"), 1);
  EXPECT_EQ(data->FindControlData("huge"), -1);
  EXPECT_TRUE(data->ControlDrawable(1));

  load = data->LoadCount();
  data->ClearSkin();
  EXPECT_GT(data->LoadCount(), load);
  EXPECT_EQ(data->FindControlData("ok"), -1);
  EXPECT_FALSE(data->ControlDrawable(0));

  load = data->LoadCount();
  data->LoadCompressedStoredSkin(
      StoredSkin(Payload(Description("G", "[SKINCONTROLS]\r\ncount=1\r\n0=ok:panel\r\n"
                                          "[ok]\r\npictureindex=0\r\nskinrect=0,0,10,10\r\n")))
          .get());
  EXPECT_GT(data->LoadCount(), load);
  EXPECT_EQ(data->FindControlData("ok"), 0);
  EXPECT_TRUE(data->ControlDrawable(0));
}

TEST(SkinData, SkinColorsComeFromTheSkinAfterClearingToSystemColours) {
  const auto data = Loaded(Description("C", "[SKINCOLORS]\r\ncbtnface=255\r\n"));
  EXPECT_EQ(data->SkinColors.cbtnface, 255u);
  EXPECT_EQ(data->SkinColors.c3dlight, 0u);
  data->ClearSkin();
  const QPalette pal = QGuiApplication::palette();
  EXPECT_EQ(data->SkinColors.c3dlight, QColorToColor(pal.color(QPalette::Midlight)));
  EXPECT_EQ(data->SkinColors.cwindow, QColorToColor(pal.color(QPalette::Base)));
  EXPECT_EQ(data->SkinColors.chighlighttext, QColorToColor(pal.color(QPalette::HighlightedText)));
  EXPECT_TRUE(data->IsEmpty());
  EXPECT_TRUE(data->ActivePictures.empty());
  EXPECT_TRUE(data->Picture.isNull());
  EXPECT_TRUE(data->PictureName.isEmpty());
  EXPECT_TRUE(data->ActivePictureNames.isEmpty());
}

TEST(SkinData, FrameNormalisation) {
  struct Case {
    const char* Name;
    QByteArray Mask, Keys;
    TspRect MaskArea;
    TspPoint LeftTop, RightTop, LeftBottom, RightBottom, HitLeftTop, HitRightBottom;
  } cases[] = {
      {"mask, empty mask area, corners pulled in",
       "m.bmp",
       "lefttoppoint=2,10\r\nrighttoppoint=70,5\r\nleftbottompoint=1,60\r\n"
       "rightbottompoint=65,55\r\nhittestlefttoppoint=0,3\r\nhittestrightbottompoint=9,9\r\n",
       {4, 20, 60, 50},
       {4, 20},
       {60, 20},
       {4, 50},
       {60, 50},
       {2, 10},
       {9, 9}},
      {"mask area grows to the client rect",
       "m.bmp",
       "maskrectarea=10,0,50,70\r\nlefttoppoint=5,25\r\nrightbottompoint=55,45\r\n",
       {4, 0, 60, 70},
       {5, 25},
       {0, 20},
       {4, 0},
       {55, 45},
       {5, 25},
       {55, 45}},
      {"no mask: mask area and hit-test points kept",
       "",
       "maskrectarea=10,0,50,70\r\nlefttoppoint=5,25\r\nrightbottompoint=55,45\r\n",
       {10, 0, 50, 70},
       {5, 25},
       {0, 20},
       {4, 0},
       {55, 45},
       {0, 0},
       {0, 0}},
      {"corners equal in x: not pulled in",
       "",
       "lefttoppoint=1,1\r\nrighttoppoint=99,1\r\nrightbottompoint=1,99\r\n",
       {0, 0, 0, 0},
       {1, 1},
       {99, 1},
       {0, 0},
       {1, 99},
       {0, 0},
       {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const QByteArray text = "[VERSION]\r\n[PICTURES]\r\nmask=" + c.Mask +
                            "\r\n[FORMINFO]\r\nclientrect=4,20,60,50\r\n" + c.Keys;
    const auto data = Loaded(text);
    const TspFormInfo& f = data->FormInfo;
    EXPECT_EQ(f.maskrectarea, c.MaskArea);
    EXPECT_EQ(f.lefttoppoint, c.LeftTop);
    EXPECT_EQ(f.righttoppoint, c.RightTop);
    EXPECT_EQ(f.leftbottompoint, c.LeftBottom);
    EXPECT_EQ(f.rightbottompoint, c.RightBottom);
    EXPECT_EQ(f.hittestlefttoppoint, c.HitLeftTop);
    EXPECT_EQ(f.hittestrightbottompoint, c.HitRightBottom);
  }
}

TEST(SkinData, LayerFrameBordersTakeAlphaFromTheirMask) {
  const auto data =
      Loaded(Description("L", "[LAYERFRAME]\r\npictureindex=0\r\nmaskpictureindex=1\r\n"
                              "inactivepictureindex=0\r\ninactivemaskpictureindex=2\r\n"));
  ASSERT_NE(data->LayerFrame.ActiveBorder, nullptr);
  const TspBitmap& border = *data->LayerFrame.ActiveBorder;
  EXPECT_EQ(border.Width(), 10);
  EXPECT_TRUE(border.HasAlpha);
  const QRgb source = data->ActivePictures[0].pixel(3, 4);
  EXPECT_EQ(border.Pixel(3, 4), (source & 0xFFFFFFu) | (128u << 24));
  EXPECT_EQ(data->LayerFrame.InactiveBorder, nullptr); // mask index 2 is not a picture
  data->ClearSkin();
  EXPECT_EQ(data->LayerFrame.ActiveBorder, nullptr);
  EXPECT_EQ(data->LayerFrame.pictureindex, -1);
}

// Button records make their state images once the pictures and the layer frame are read.
TEST(SkinData, ButtonRecordsPrepareTheirImages) {
  const QByteArray objects = "[SKINOBJECTS]\r\ncount=2\r\n0=close:stdbutton\r\n1=tab:captiontab\r\n"
                             "[close]\r\nactivepictureindex=0\r\nskinrect=0,0,4,3\r\n"
                             "alphamaskpictureindex=1\r\n"
                             "[tab]\r\nactivepictureindex=0\r\nskinrect=1,1,3,3\r\n";
  for (bool fullBorder : {true, false}) {
    SCOPED_TRACE(fullBorder);
    const auto data =
        Loaded(Description("B", "[LAYERFRAME]\r\npictureindex=0\r\nfullborder=" +
                                    QByteArray::number(fullBorder) + "\r\n" + objects));
    ASSERT_EQ(data->ObjectList.size(), 2u);
    const auto* close = dynamic_cast<TspDataSkinStdButton*>(data->ObjectList[0].get());
    const auto* tab = dynamic_cast<TspDataSkinCaptionTab*>(data->ObjectList[1].get());
    ASSERT_TRUE(close && tab);
    EXPECT_EQ(close->NormalImage != nullptr, fullBorder);
    if (fullBorder) {
      EXPECT_EQ(close->NormalImage->Width(), 4);
      EXPECT_EQ(close->NormalImage->Pixel(0, 0) >> 24, 128u); // alpha from the grey mask
    }
    EXPECT_EQ(close->RestoreImage, nullptr); // no restore rectangle
    EXPECT_NE(tab->NormalImage, nullptr);    // caption tabs always have them
  }
}

// Records may share a section, so a small description can name one large cut many times:
// the state images of one skin have a budget, and the next load has the whole of it again.
TEST(SkinData, ButtonImagesOfOneSkinStayWithinTheirBudget) {
  const auto withTabs = [](int count) {
    QByteArray objects = "[SKINOBJECTS]\r\ncount=" + QByteArray::number(count) + "\r\n";
    for (int i = 0; i < count; ++i) objects += QByteArray::number(i) + "=t:captiontab\r\n";
    objects += "[t]\r\nactivepictureindex=0\r\nskinrect=0,0,512,512\r\n"
               "activeskinrect=0,0,512,512\r\ndownrect=0,0,512,512\r\n"
               "inactiveskinrect=0,0,512,512\r\n";
    TspSkinPayload payload = Payload(Description("T", objects));
    payload.ActivePictures = {PatternImage(512, 512, 5)};
    return StoredSkin(payload);
  };
  // Each tab makes four images of 2^18 pixels.
  const int fit = int(TspDataSkinButton::MaxImagePixels >> 20);
  TspSkinData data;
  EXPECT_THROW(data.LoadCompressedStoredSkin(withTabs(fit + 1).get()), EOutOfResources);
  EXPECT_TRUE(data.IsEmpty());
  EXPECT_TRUE(data.ObjectList.empty());
  // The failed load spent most of the budget; the next one has all of it again.
  data.LoadCompressedStoredSkin(withTabs(fit).get());
  ASSERT_EQ(data.ObjectList.size(), size_t(fit));
  const auto* last = dynamic_cast<TspDataSkinCaptionTab*>(data.ObjectList.back().get());
  ASSERT_TRUE(last && last->InactiveImage);
  EXPECT_EQ(last->InactiveImage->Width(), 512);
}

// A line count asks for its lines whether the section holds them or not, and records may
// share a section: a few hundred bytes must not make a skin of billions of empty lines.
TEST(SkinData, RecordLinesOfOneSkinStayWithinTheirLimit) {
  const auto withLabels = [](int count) {
    QByteArray entries;
    for (int i = 0; i < count; ++i) entries += QByteArray::number(i) + "=b:bitlabel\r\n";
    const QByteArray countLine = "count=" + QByteArray::number(count) + "\r\n";
    return Loaded(Description(
        "L", "[SKINOBJECTS]\r\n" + countLine + entries + "[SKINCONTROLS]\r\n" + countLine +
                 entries + "[b]\r\nsymbolslinecount=" + QByteArray::number(kMaxSkinItemCount) +
                 "\r\nsymbolsline1=AB\r\n"));
  };
  // Each record holds kMaxSkinItemCount lines; objects and controls count together.
  const int fit = int(TspSkinData::MaxRecordLines / kMaxSkinItemCount) / 2;
  const auto data = withLabels(fit);
  ASSERT_EQ(data->ObjectList.size(), size_t(fit));
  const auto* label = dynamic_cast<TspDataSkinBitLabelControl*>(data->ControlList.back().get());
  ASSERT_TRUE(label);
  ASSERT_EQ(label->symbols.size(), kMaxSkinItemCount);
  EXPECT_EQ(label->symbols[1], "AB");
  EXPECT_THROW(withLabels(fit + 1), EOutOfResources);
}

TEST(SkinData, SkinIndexSelectsAnItemOfTheList) {
  TspCompressedSkinList list;
  for (const char* name : {"Blue", "Green", "Orange", "Purple"}) {
    auto skin = StoredSkin(Payload(Description(name)));
    list.Skins().Add().StoredSkin().SetCompressedStream(skin->CompressedStream());
  }
  list.Skins().Add(); // an empty stored skin at index 4

  TspSkinData data;
  int loads = 0;
  data.OnLoadData = [&](TspSkinData* sender) {
    EXPECT_EQ(sender, &data);
    ++loads;
  };
  data.SetSkinList(&list);
  EXPECT_EQ(data.SkinName, "Blue");
  data.SetSkinIndex(2);
  EXPECT_EQ(data.SkinName, "Orange");
  EXPECT_EQ(loads, 2);
  data.SetSkinIndex(2); // the same index again does nothing
  data.SetSkinIndex(7); // outside the list: ignored
  data.SetSkinIndex(-1);
  EXPECT_EQ(data.SkinIndex(), 2);
  EXPECT_EQ(data.SkinName, "Orange");
  EXPECT_EQ(loads, 2);
  data.SetSkinIndex(4); // an empty stored skin keeps the skin in use
  EXPECT_EQ(data.SkinIndex(), 4);
  EXPECT_EQ(data.SkinName, "Orange");
  EXPECT_FALSE(data.IsEmpty());
  EXPECT_EQ(loads, 2);

  // Without a list the index is only stored; a list then loads it when it is valid.
  TspSkinData other;
  other.SetSkinIndex(3);
  EXPECT_EQ(other.SkinIndex(), 3);
  other.SetSkinList(&list);
  EXPECT_EQ(other.SkinName, "Purple");
  other.SetSkinIndex(9);
  TspSkinData designed;
  designed.SetDesigning(true);
  designed.SetSkinList(&list);
  designed.SetSkinIndex(1);
  EXPECT_TRUE(designed.IsEmpty());
}

TEST(SkinData, DestroyedComponentsClearTheirReferences) {
  TspSkinData data;
  auto list = std::make_unique<TspCompressedSkinList>();
  auto stored = std::make_unique<TspCompressedStoredSkin>();
  auto strings = std::make_unique<TspResourceStrData>();
  data.SetSkinList(list.get());
  data.SetCompressedStoredSkin(stored.get());
  data.SetResourceStrData(strings.get());
  EXPECT_EQ(data.SkinList(), list.get());
  list.reset();
  stored.reset();
  strings.reset();
  EXPECT_EQ(data.SkinList(), nullptr);
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
  EXPECT_EQ(data.ResourceStrData(), nullptr);
  data.SetSkinIndex(5); // no list any more: just stored
  EXPECT_EQ(data.SkinIndex(), 5);
}

TEST_F(SkinDataMessages, ChangeIsAnnouncedToEveryFormInOrder) {
  TspSkinData data;
  data.SetShowLayeredBorders(false);
  Log.clear();
  data.SetCompressedStoredSkin(StoredSkin(Payload(Description("M"))).get());
  const auto order = PlatformOrder();
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(Receivers(SkinMsgBeforeChange), order);
  EXPECT_EQ(Receivers(SkinMsgChange), order);
  EXPECT_EQ(Receivers(SkinMsgAfterChange), order);
  for (const auto& f : Forms) {
    std::vector<int> seen;
    for (const Received& r : Log) {
      if (r.Form != f.get()) continue;
      seen.push_back(r.Message);
      EXPECT_EQ(r.Changing, r.Message != SkinMsgAfterChange) << r.Message;
      EXPECT_EQ(r.Sender, &data);
      EXPECT_EQ(r.Second, 1000);
    }
    EXPECT_EQ(seen, (std::vector<int>{SkinMsgBeforeChange, SkinMsgChange, SkinMsgAfterChange}));
  }
}

TEST_F(SkinDataMessages, OrderFollowsTheLayeredBorderAndTheOwner) {
  auto layer = std::make_unique<RecordingForm>();
  // A window that never registered (a layered border's band): never told.
  const QByteArray withBorder = "[LAYERFRAME]\r\npictureindex=0\r\n";

  // A layered border with a picture: from last to first; the owner is a form like any other.
  TspSkinData data(Forms[1].get());
  data.LoadCompressedStoredSkin(StoredSkin(Payload(Description("A", withBorder))).get());
  Log.clear();
  data.BroadcastSkinMessage(SkinMsgChange);
  auto reversed = PlatformOrder();
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(Receivers(SkinMsgChange), reversed);

  // Without layered borders the owner hears first, once, and the rest go first to last.
  data.SetShowLayeredBorders(false);
  Log.clear();
  data.BroadcastSkinMessage(SkinMsgChange);
  std::vector<QWidget*> expected{Forms[1].get()};
  for (QWidget* w : PlatformOrder(Forms[1].get())) expected.push_back(w);
  EXPECT_EQ(Receivers(SkinMsgChange), expected);

  // Layered borders shown but without a picture: first to last, owner among the others.
  data.SetShowLayeredBorders(true);
  data.LoadCompressedStoredSkin(StoredSkin(Payload(Description("B"))).get());
  Log.clear();
  data.BroadcastSkinMessage(SkinMsgChange);
  EXPECT_EQ(Receivers(SkinMsgChange), PlatformOrder());
  for (const Received& r : Log) EXPECT_NE(r.Form, layer.get());
}

TEST_F(SkinDataMessages, PropertySettersBroadcastTheirMessage) {
  TspSkinData data;
  TspResourceStrData strings;
  data.SetSkinnableForm(true); // unchanged: nothing
  data.SetSkinnableForm(false);
  data.SetShowLayeredBorders(false);
  data.SetAeroBlurEnabled(false);
  data.SetResourceStrData(&strings);
  data.SetLoading(true);
  data.SetAeroBlurEnabled(true);
  data.SetLoading(false);
  data.SetDesigning(true);
  data.SetSkinnableForm(true);
  data.SetResourceStrData(nullptr);
  std::vector<int> seen;
  for (const Received& r : Log)
    if (r.Form == Forms[0].get()) seen.push_back(r.Message);
  EXPECT_EQ(seen, (std::vector<int>{SkinMsgSkinnableForm, SkinMsgLayeredBorders, SkinMsgAeroBlur,
                                    SkinMsgResourceStrings}));
  EXPECT_TRUE(data.AeroBlurEnabled());
}

// A package that cannot be read at all changes nothing; one that fails half-way leaves the
// skin cleared, completes the change and raises.
TEST_F(SkinDataMessages, FailedLoads) {
  TspSkinData fresh;
  TspCompressedStoredSkin corrupt;
  corrupt.SetCompressedStream("definitely not zlib");
  EXPECT_THROW(fresh.LoadCompressedStoredSkin(&corrupt), EDecompressionError);
  EXPECT_TRUE(fresh.IsEmpty());
  EXPECT_FALSE(fresh.IsChangingSkin());

  TspSkinData data;
  int loads = 0;
  data.OnLoadData = [&](TspSkinData*) { ++loads; };
  data.LoadCompressedStoredSkin(StoredSkin(Payload(Description("Old"))).get());
  Log.clear();
  EXPECT_THROW(data.LoadCompressedStoredSkin(&corrupt), EDecompressionError);
  TspCompressedStoredSkin newer;
  newer.SetCompressedStream(CompressPayload(Int32LE(4) + "anything"));
  EXPECT_NO_THROW(data.LoadCompressedStoredSkin(&newer));
  EXPECT_EQ(data.SkinName, "Old");
  EXPECT_FALSE(data.IsEmpty());
  EXPECT_TRUE(Log.empty());

  QByteArray badBmp = WriteSkinPayload(Payload(Description("Bad")));
  badBmp[6] = 'X'; // "BM" of the main picture
  TspCompressedStoredSkin broken;
  broken.SetCompressedStream(CompressPayload(badBmp));
  const auto badRect =
      StoredSkin(Payload(Description("Bad", "[LAYERFRAME]\r\nclientrect=1,,2,3\r\n")));
  for (TspCompressedStoredSkin* skin : {&broken, badRect.get()}) {
    data.LoadCompressedStoredSkin(StoredSkin(Payload(Description("Old"))).get());
    Log.clear();
    EXPECT_THROW(data.LoadCompressedStoredSkin(skin), ESkinError);
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_FALSE(data.IsChangingSkin());
    EXPECT_TRUE(data.ActivePictures.empty());
    EXPECT_TRUE(data.Picture.isNull());
    EXPECT_EQ(data.FindControlData("edit"), -1);
    std::vector<int> seen;
    for (const Received& r : Log)
      if (r.Form == Forms[0].get()) seen.push_back(r.Message);
    EXPECT_EQ(seen, (std::vector<int>{SkinMsgBeforeChange, SkinMsgChange, SkinMsgAfterChange}));
  }
  EXPECT_EQ(loads, 3);
}

TEST(ResourceStrData, DefaultsAndLookUp) {
  TspResourceStrData strings;
  EXPECT_EQ(strings.CharSet(), 1);
  EXPECT_TRUE(strings.ResStrings().contains("MI_CLOSECAPTION=&Close"));
  EXPECT_TRUE(strings.ResStrings().contains("MSG_BTN_OK=OK"));
  EXPECT_EQ(strings.GetResString("closebutton_hint"), "Close");
  EXPECT_EQ(strings.GetResString("EDIT_COPY"), "Copy");
  EXPECT_EQ(strings.GetResString("EDIT"), "");
  EXPECT_EQ(strings.GetResString("missing"), "");
  strings.SetResStrings({"no equals sign", "A=x=y", "a=second"});
  EXPECT_EQ(strings.GetResString("a"), "x=y");
}
