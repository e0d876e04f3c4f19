// The built-in skin list and the four skins in it, read through the skin data object as
// the application reads them.

#include "skin/builtin/builtin_skins.h"
#include "skin/builtin/required_records.h"
#include "skin/data/resource_strings.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"
#include "skin/render/bitmap.h"
#include "skin/render/composition.h"

#include <QDir>
#include <QHash>
#include <QPointer>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr int kSkinCount = 4;

// Every value of a record by key, read through the record's own list of keys.
struct TFieldDump : TspFieldVisitor {
  std::set<std::string> Keys; // lower-case, as the reader matches them
  std::map<std::string, TspRect> Rects;
  std::map<std::string, TColor> Colours;
  std::map<std::string, std::string> Layout; // geometry and numbers, as text
  void Key(const char* key) { Keys.insert(QString::fromLatin1(key).toLower().toStdString()); }
  void Integer(const char* key, int& f, int) override {
    Key(key);
    Layout[key] = std::to_string(f);
  }
  void Color(const char* key, TColor& f, TColor) override {
    Key(key);
    Colours[key] = f;
  }
  void Flag(const char* key, bool& f) override {
    Key(key);
    Layout[key] = f ? "1" : "0";
  }
  void Point(const char* key, TspPoint& f) override {
    Key(key);
    Layout[key] = std::to_string(f.X) + "," + std::to_string(f.Y);
  }
  void Rect(const char* key, TspRect& f) override {
    Key(key);
    Rects[key] = f;
    Layout[key] = std::to_string(f.Left) + "," + std::to_string(f.Top) + "," +
                  std::to_string(f.Right) + "," + std::to_string(f.Bottom);
  }
  void Text(const char* key, QString&, const char*) override { Key(key); }
  void FontStyle(const char* key, TspFontStyles&) override { Key(key); }
  void EnumValue(const char* key, int& f, const TspEnumInfo&) override {
    Key(key);
    Layout[key] = std::to_string(f);
  }
  void Lines(const char* key, QStringList&) override { Key(key); }
};

TFieldDump Dump(TspSkinRecord& r) {
  TFieldDump d;
  r.VisitFields(d);
  return d;
}

double Luminance(QRgb c) {
  auto lin = [](int v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb ToRgb(TColor c) {
  return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// The colour a text drawn over `area` of `picture` sits on: the area's commonest pixel.
QRgb Background(const QImage& picture, const TspRect& area) {
  QHash<QRgb, int> counts;
  QRgb best = 0;
  int bestCount = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const QRgb c = picture.pixel(x, y) & 0xFFFFFF;
      if (++counts[c] > bestCount) bestCount = counts[c], best = c;
    }
  return best;
}

// The skin pictures keep their parts apart with magenta gaps; a composed image that shows
// magenta has read outside its part.
bool ShowsGap(const QImage& img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) return true;
  return false;
}

bool Inside(const TspRect& r, const QImage& picture) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.width() && r.Bottom <= picture.height();
}

class BuiltinSkinsTest : public ::testing::Test {
protected:
  void SetUp() override { FList = CreateBuiltinSkinList(&FOwner); }

  // A skin data object holding the skin at `index`, loaded from the list as the
  // application's main window loads it.
  std::unique_ptr<TspSkinData> Load(int index) {
    auto data = std::make_unique<TspSkinData>();
    data->SetSkinIndex(index);
    data->SetSkinList(FList);
    return data;
  }

  QObject FOwner;
  TspCompressedSkinList* FList = nullptr;
};

TEST_F(BuiltinSkinsTest, ListHoldsTheFourSkinsInOrderAndBelongsToItsOwner) {
  EXPECT_EQ(FList->objectName(), "spSkinList");
  EXPECT_EQ(FList->parent(), &FOwner);
  const char* names[kSkinCount][2] = {{"sknBlue", "Flat Blue Skin"},
                                      {"sknGreen", "Flat GreenSkin"},
                                      {"sknOrange", "Flat Orange Skin"},
                                      {"sknPurple", "Flat Purple Skin"}};
  ASSERT_EQ(FList->Skins().Count(), kSkinCount);
  for (int i = 0; i < kSkinCount; ++i) {
    SCOPED_TRACE(i);
    const TspSkinListItem& item = FList->Skins()[i];
    EXPECT_EQ(item.Name(), names[i][0]);
    EXPECT_EQ(item.Description(), names[i][1]);
    const QByteArray package = item.StoredSkin().PackageBytes();
    ASSERT_GT(package.size(), 8);
    // Container version 2, then a zlib stream at the maximum level.
    EXPECT_EQ(package.left(4), QByteArray("\x02\x00\x00\x00", 4));
    EXPECT_EQ(package.mid(8, 2), QByteArray("\x78\xDA", 2));
    // Pictures only as large as needed.
    EXPECT_LT(package.size(), 64 * 1024);
  }

  QPointer<TspCompressedSkinList> watch(FList);
  auto owner = std::make_unique<QObject>();
  QPointer<TspCompressedSkinList> owned(CreateBuiltinSkinList(owner.get()));
  owner.reset();
  EXPECT_TRUE(owned.isNull());
  EXPECT_FALSE(watch.isNull());
}

TEST_F(BuiltinSkinsTest, EverySkinLoadsWithItsPicturesAndWindowRecords) {
  for (int i = 0; i < kSkinCount; ++i) {
    SCOPED_TRACE(i);
    auto skin = Load(i);
    ASSERT_FALSE(skin->IsEmpty());
    EXPECT_FALSE(skin->Picture.isNull());
    EXPECT_EQ(skin->InactivePicture.size(), skin->Picture.size());
    EXPECT_TRUE(skin->MaskPicture.isNull());
    EXPECT_FALSE(skin->FormInfo.clientrect.IsEmpty());
    EXPECT_TRUE(Inside(skin->FormInfo.clientrect, skin->Picture));
    EXPECT_TRUE(skin->ValidPictureIndex(skin->PopupWindow.windowpictureindex));
    EXPECT_TRUE(skin->ValidPictureIndex(skin->HintWindow.windowpictureindex));
    // The layered shadow: both borders built, with translucent pixels.
    ASSERT_TRUE(skin->LayerFrame.ActiveBorder);
    ASSERT_TRUE(skin->LayerFrame.InactiveBorder);
    EXPECT_TRUE(skin->LayerFrame.ActiveBorder->HasAlpha);
    EXPECT_TRUE(skin->LayerFrame.InactiveBorder->HasAlpha);
    EXPECT_EQ(skin->SkinName.left(5), "Flat ");
  }
}

TEST_F(BuiltinSkinsTest, EveryRequiredRecordIsFoundWithItsKind) {
  for (int i = 0; i < kSkinCount; ++i) {
    auto skin = Load(i);
    for (const TspRequiredRecord& r : RequiredBuiltinRecords()) {
      SCOPED_TRACE(std::to_string(i) + " " + r.Name);
      if (r.List == TspRecordList::Objects) {
        const int at = skin->FindObjectData(r.Name);
        ASSERT_GE(at, 0);
        EXPECT_STREQ(skin->ObjectList[size_t(at)]->ClassName(), r.ClassName);
      } else {
        const int at = skin->FindControlData(r.Name);
        ASSERT_GE(at, 0);
        EXPECT_STREQ(skin->ControlList[size_t(at)]->ClassName(), r.ClassName);
      }
    }
    // Names are matched exactly.
    EXPECT_EQ(skin->FindControlData("Button"), -1);
  }
}

// Every rectangle of a record, relative or not, lies inside the picture the record draws
// from; a record without a picture has no rectangles.
TEST_F(BuiltinSkinsTest, RecordRectanglesLieInsideTheirPictures) {
  for (int i = 0; i < kSkinCount; ++i) {
    auto skin = Load(i);
    for (auto& control : skin->ControlList) {
      SCOPED_TRACE(std::to_string(i) + " " + control->IDName.toStdString());
      const TFieldDump d = Dump(*control);
      const bool hasPicture = skin->ValidPictureIndex(control->pictureindex);
      for (const auto& [key, r] : d.Rects) {
        if (r.IsEmpty()) continue;
        SCOPED_TRACE(key);
        ASSERT_TRUE(hasPicture);
        EXPECT_TRUE(Inside(r, skin->ActivePictures[size_t(control->pictureindex)]));
      }
    }
    for (auto& object : skin->ObjectList) {
      SCOPED_TRACE(std::to_string(i) + " " + object->IDName.toStdString());
      const TFieldDump d = Dump(*object);
      const QImage& picture = object->skinrectinapicture
                                  ? skin->ActivePictures.at(size_t(object->activepictureindex))
                                  : skin->Picture;
      for (const auto& [key, r] : d.Rects) {
        SCOPED_TRACE(key);
        if (!r.IsEmpty()) {
          EXPECT_TRUE(Inside(r, picture));
        }
      }
    }
  }
}

// Text colours against the images they are drawn on, read back through the records:
// every pair reaches 4.5:1.
TEST_F(BuiltinSkinsTest, TextColoursAreLegibleOnTheirImages) {
  struct Pair {
    const char* Record;
    const char* Colour;
    const char* Image;
  };
  const Pair pairs[] = {
      {"button", "fontcolor", "skinrect"},
      {"button", "activefontcolor", "activeskinrect"},
      {"button", "activefontcolor", "focusedskinrect"},
      {"button", "downfontcolor", "downskinrect"},
      {"button", "disabledfontcolor", "disabledskinrect"},
      {"resizebutton", "downfontcolor", "downskinrect"},
      {"toolbutton", "fontcolor", "skinrect"},
      {"toolbutton", "activefontcolor", "activeskinrect"},
      {"toolbutton", "downfontcolor", "downskinrect"},
      {"toolbutton", "disabledfontcolor", "disabledskinrect"},
      {"edit", "fontcolor", "skinrect"},
      {"edit", "disabledfontcolor", "skinrect"},
      {"buttonedit", "fontcolor", "skinrect"},
      {"spinedit", "fontcolor", "skinrect"},
      {"combobox", "fontcolor", "itemrect"},
      {"combobox", "focusfontcolor", "focusitemrect"},
      {"listbox", "fontcolor", "itemrect"},
      {"listbox", "activefontcolor", "activeitemrect"},
      {"listbox", "focusfontcolor", "focusitemrect"},
      {"grid", "fixedfontcolor", "fixedcellrect"},
      {"grid", "selectfontcolor", "selectcellrect"},
      {"grid", "focusfontcolor", "focuscellrect"},
      {"tab", "fontcolor", "tabrect"},
      {"tab", "activefontcolor", "activetabrect"},
      {"tab", "mouseinfontcolor", "mouseintabrect"},
      {"label", "fontcolor", "skinrect"},
      {"panel", "fontcolor", "skinrect"},
      {"statusbar", "fontcolor", "skinrect"},
      {"statuspanel", "fontcolor", "skinrect"},
      {"checkbox", "fontcolor", "skinrect"},
      {"checkbox", "unenabledfontcolor", "skinrect"},
      {"radiobox", "activefontcolor", "activeskinrect"},
  };
  for (int i = 0; i < kSkinCount; ++i) {
    auto skin = Load(i);
    for (const Pair& pair : pairs) {
      SCOPED_TRACE(std::to_string(i) + " " + pair.Record + "." + pair.Colour);
      const int at = skin->FindControlData(pair.Record);
      ASSERT_GE(at, 0);
      TspDataSkinControl& record = *skin->ControlList[size_t(at)];
      const TFieldDump d = Dump(record);
      ASSERT_TRUE(d.Colours.count(pair.Colour));
      ASSERT_TRUE(d.Rects.count(pair.Image));
      const TspRect area = d.Rects.at(pair.Image);
      ASSERT_FALSE(area.IsEmpty());
      const QImage& picture = skin->ActivePictures.at(size_t(record.pictureindex));
      EXPECT_GE(Contrast(ToRgb(d.Colours.at(pair.Colour)), Background(picture, area)), 4.5);
    }

    // Menu items and the caption, which are object records.
    auto& item = *skin->ObjectList.at(size_t(skin->FindObjectData("menuitem")));
    const TFieldDump m = Dump(item);
    const QImage& menuPicture = skin->ActivePictures.at(size_t(item.activepictureindex));
    EXPECT_GE(Contrast(ToRgb(m.Colours.at("fontcolor")), Background(menuPicture, item.skinrect)),
              4.5);
    EXPECT_GE(Contrast(ToRgb(m.Colours.at("activefontcolor")),
                       Background(menuPicture, item.activeskinrect)),
              4.5);
    auto& caption = *skin->ObjectList.at(size_t(skin->FindObjectData("caption")));
    const TFieldDump c = Dump(caption);
    EXPECT_GE(Contrast(ToRgb(c.Colours.at("activefontcolor")),
                       Background(skin->Picture, caption.skinrect)),
              4.5);
    EXPECT_GE(Contrast(ToRgb(c.Colours.at("fontcolor")),
                       Background(skin->InactivePicture, caption.skinrect)),
              4.5);
  }
}

// One design for the four: every rectangle, point, number and flag of every record is
// the same in each skin; only colours (and so pixels) differ.
TEST_F(BuiltinSkinsTest, TheFourSkinsShareOneLayout) {
  auto blue = Load(0);
  for (int i = 1; i < kSkinCount; ++i) {
    auto other = Load(i);
    ASSERT_EQ(other->ControlList.size(), blue->ControlList.size());
    ASSERT_EQ(other->ObjectList.size(), blue->ObjectList.size());
    for (size_t k = 0; k < blue->ControlList.size(); ++k) {
      SCOPED_TRACE(std::to_string(i) + " " + blue->ControlList[k]->IDName.toStdString());
      EXPECT_EQ(Dump(*other->ControlList[k]).Layout, Dump(*blue->ControlList[k]).Layout);
    }
    for (size_t k = 0; k < blue->ObjectList.size(); ++k)
      EXPECT_EQ(Dump(*other->ObjectList[k]).Layout, Dump(*blue->ObjectList[k]).Layout);
    EXPECT_EQ(Dump(other->FormInfo).Layout, Dump(blue->FormInfo).Layout);
    EXPECT_NE(other->SkinColors.chighlight, blue->SkinColors.chighlight);
  }
}

// Sizes the application's screens are laid out for.
TEST_F(BuiltinSkinsTest, FieldAndButtonHeightsMatchTheLayouts) {
  const std::pair<const char*, int> heights[] = {
      {"edit", 19}, {"buttonedit", 19}, {"spinedit", 20}, {"button", 23}, {"toolbutton", 25}};
  for (int i = 0; i < kSkinCount; ++i) {
    auto skin = Load(i);
    for (const auto& [name, height] : heights) {
      SCOPED_TRACE(std::to_string(i) + " " + name);
      const int at = skin->FindControlData(name);
      ASSERT_GE(at, 0);
      EXPECT_EQ(skin->ControlList[size_t(at)]->skinrect.Height(), height);
    }
  }
}

// Every nine-part, horizontal and vertical control record, in each of its state images,
// composed by the engine's own composition to sizes smaller and larger than the skin,
// takes only pixels of its own part.
TEST_F(BuiltinSkinsTest, ComposedControlsStayInsideTheirParts) {
  const QSize sizes[] = {{7, 7}, {33, 21}, {161, 97}};
  for (int i = 0; i < kSkinCount; ++i) {
    auto skin = Load(i);
    for (auto& control : skin->ControlList) {
      auto* custom = dynamic_cast<TspDataSkinCustomControl*>(control.get());
      if (!custom || !skin->ValidPictureIndex(custom->pictureindex)) continue;
      const QImage& picture = skin->ActivePictures[size_t(custom->pictureindex)];
      const TspNinePartGeometry g{custom->clientrect, custom->lefttoppoint, custom->righttoppoint,
                                  custom->leftbottompoint, custom->rightbottompoint};
      const TspStretchFlags flags{custom->leftstretch,   custom->topstretch,
                                  custom->rightstretch,  custom->bottomstretch,
                                  custom->stretcheffect, int(custom->stretchtype)};
      const int kind = ChooseComposition(custom->skinrect, g);
      const int W = custom->skinrect.Width(), H = custom->skinrect.Height();
      // The state images are the rectangles of the skin rectangle's size.
      for (const auto& [key, r] : Dump(*custom).Rects) {
        if (r.IsEmpty() || r.Width() != W || r.Height() != H || key == "clientrect") continue;
        for (const QSize size : sizes) {
          SCOPED_TRACE(std::to_string(i) + " " + custom->IDName.toStdString() + "." + key + " " +
                       std::to_string(size.width()) + "x" + std::to_string(size.height()));
          QImage out;
          if (kind == kCompositionNinePart)
            ComposeNinePartImage(out, picture, r, g, size.width(), size.height(),
                                 TargetGeometry(g, W, H, size.width(), size.height()), flags, true);
          else if (kind == kCompositionHorizontal)
            ComposeHorizontalImage(out, picture, r, g.LT.X, W - g.RT.X, custom->stretcheffect,
                                   size.width());
          else if (kind == kCompositionVertical)
            ComposeVerticalImage(out, picture, r, g.LT.Y, H - g.LB.Y, custom->stretcheffect,
                                 size.height());
          else
            out = picture.copy(r.ToQRect());
          ASSERT_FALSE(out.isNull());
          EXPECT_FALSE(ShowsGap(out));
        }
      }
    }
    // The frame, as the form controller composes its borders for a window.
    const TspFormInfo& f = skin->FormInfo;
    const TspNinePartGeometry frame{f.clientrect, f.lefttoppoint, f.righttoppoint,
                                    f.leftbottompoint, f.rightbottompoint};
    const TspStretchFlags frameFlags{f.leftstretch,   f.topstretch,    f.rightstretch,
                                     f.bottomstretch, f.stretcheffect, int(f.stretchtype)};
    const TspRect whole{0, 0, skin->Picture.width(), skin->Picture.height()};
    const TspBorderStrips strips = ComposeBorderStrips(
        skin->Picture, whole, frame, 970, 671,
        TargetGeometry(frame, whole.Width(), whole.Height(), 970, 671), frameFlags);
    for (const QImage* band : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) {
      ASSERT_FALSE(band->isNull());
      EXPECT_FALSE(ShowsGap(*band));
    }
  }
}

// The source folders the generator writes beside the packages import (as a skin
// author's description does) to the same pictures and description text.
TEST_F(BuiltinSkinsTest, SourceFoldersImportToThePackagedSkins) {
  const QDir dir(QStringLiteral(VORNS_BUILTIN_SKIN_SOURCE_DIR));
  for (int i = 0; i < kSkinCount; ++i) {
    const TspSkinListItem& item = FList->Skins()[i];
    SCOPED_TRACE(item.Name().toStdString());
    TspCompressedStoredSkin imported;
    imported.ImportDescription(dir.filePath(item.Name() + "/skin.ini"));
    ASSERT_FALSE(imported.IsEmpty());
    const TspSkinPayload a = ReadSkinPayload(imported.Decompress());
    const TspSkinPayload b = ReadSkinPayload(item.StoredSkin().Decompress());
    EXPECT_EQ(a.Version, 2);
    EXPECT_EQ(b.Version, 3);
    EXPECT_EQ(a.Picture, b.Picture);
    EXPECT_EQ(a.InactivePicture, b.InactivePicture);
    EXPECT_TRUE(a.MaskPicture.isNull());
    ASSERT_EQ(a.ActivePictures.size(), b.ActivePictures.size());
    for (size_t k = 0; k < a.ActivePictures.size(); ++k)
      EXPECT_EQ(a.ActivePictures[k], b.ActivePictures[k]) << k;
    EXPECT_EQ(a.DescriptionText, b.DescriptionText);
  }
}

// Keys a reader does not know are ignored without a word, so a misspelt key would go
// unnoticed: every key the description writes must be one its record kind reads.
TEST_F(BuiltinSkinsTest, EveryKeyWrittenIsOneItsRecordReads) {
  for (int i = 0; i < kSkinCount; ++i) {
    const QByteArray text =
        ReadSkinPayload(FList->Skins()[i].StoredSkin().Decompress()).DescriptionText;
    std::map<std::string, std::set<std::string>> written; // section -> keys, lower-case
    std::string section;
    for (const QByteArray& raw : text.split('\n')) {
      const QString line = QString::fromLatin1(raw).trimmed();
      if (line.startsWith('[') && line.endsWith(']'))
        section = line.mid(1, line.size() - 2).toLower().toStdString();
      else if (const qsizetype eq = line.indexOf('='); eq > 0)
        written[section].insert(line.left(eq).trimmed().toLower().toStdString());
    }

    auto skin = Load(i);
    auto check = [&](const std::string& name, TspSkinRecord& record) {
      SCOPED_TRACE(std::to_string(i) + " [" + name + "]");
      ASSERT_TRUE(written.count(name));
      const TFieldDump d = Dump(record);
      for (const std::string& key : written.at(name)) EXPECT_TRUE(d.Keys.count(key)) << key;
    };
    for (auto& r : skin->ControlList) check(r->IDName.toLower().toStdString(), *r);
    for (auto& r : skin->ObjectList) check(r->IDName.toLower().toStdString(), *r);
    check("forminfo", skin->FormInfo);
    check("popupwindow", skin->PopupWindow);
    check("hintwindow", skin->HintWindow);
    check("layerframe", skin->LayerFrame);
    check("skincolors", skin->SkinColors);
    // Every record section is a registered record, so none is skipped silently.
    EXPECT_EQ(written.size(), skin->ControlList.size() + skin->ObjectList.size() + 9);
  }
}

} // namespace
