#include "skin/data/record_registry.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_colors.h"
#include "skin/data/window_records.h"
#include "skin/render/skin_error.h"
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Writes, for every key a record visits, a canonical value that differs from the key's
// default, so a reader that drops or mistypes a key shows up in the saved text.
class TspSyntheticDescription final : public TspFieldVisitor {
public:
  QStringList Output;
  QStringList Keys;

  void Integer(const char* key, int&, int def) override {
    Add(key, QString::number(def + 11 + N()));
  }
  void Color(const char* key, TColor&, TColor def) override {
    Add(key, QString::number(std::int32_t(def ^ (0x102030u + TColor(N())))));
  }
  void Flag(const char* key, bool&) override { Add(key, "1"); }
  void Point(const char* key, TspPoint&) override {
    Add(key, QStringLiteral("%1,%2").arg(N() + 1).arg(N() + 2));
  }
  void Rect(const char* key, TspRect&) override {
    Add(key, QStringLiteral("%1,%2,%3,%4").arg(N()).arg(N() + 1).arg(N() + 2).arg(N() + 3));
  }
  void Text(const char* key, QString&, const char*) override {
    Add(key, QStringLiteral("text %1").arg(N()));
  }
  void FontStyle(const char* key, TspFontStyles&) override { Add(key, "fsbold,fsunderline"); }
  void EnumValue(const char* key, int&, const TspEnumInfo& info) override {
    Add(key, QLatin1String(info.Literals[(info.Default + 1) % info.Count]));
  }
  void Lines(const char* key, QStringList&) override {
    const QString k = QLatin1String(key);
    Add(k + "linecount", "2");
    Output << k + "line0=first " + QString::number(N()) << k + "line1=second";
  }

private:
  int N() const { return int(Keys.size()); }
  void Add(const QString& key, const QString& value) {
    Output << key + u'=' + value;
    Keys << key;
  }
};

using RecordFactory = std::function<std::unique_ptr<TspSkinRecord>()>;

// Fills a record from a synthetic description, saves it, and checks that the saved text is
// the description itself and that a second record read from it is the same.
void ExpectRoundTrip(const RecordFactory& make) {
  const auto fresh = make();
  if (fresh->IDName.isEmpty()) fresh->IDName = QStringLiteral("rec");
  SCOPED_TRACE(fresh->ClassName());
  TspSyntheticDescription synthetic;
  fresh->VisitFields(synthetic);
  ASSERT_FALSE(synthetic.Keys.isEmpty());

  QSet<QString> distinct;
  for (const QString& k : synthetic.Keys) distinct.insert(k.toLower());
  EXPECT_EQ(distinct.size(), synthetic.Keys.size()) << "a key is visited twice";

  QStringList text{QStringLiteral("[%1]").arg(fresh->IDName)};
  text << synthetic.Output;
  const auto loaded = make();
  loaded->IDName = fresh->IDName;
  loaded->LoadFromIni(TspIniText::Parse(text));
  TspIniText saved;
  loaded->SaveToIni(saved);
  EXPECT_EQ(saved.ToLines(), text);

  TspIniText defaults;
  fresh->SaveToIni(defaults);
  for (const QString& k : synthetic.Keys)
    EXPECT_NE(defaults.ReadString(fresh->IDName, k), saved.ReadString(fresh->IDName, k)) << qPrintable(k);

  const auto again = make();
  again->IDName = fresh->IDName;
  again->LoadFromIni(saved);
  EXPECT_TRUE(SameSkinRecord(*loaded, *again));
}

QStringList SavedKeys(const TspSkinRecord& record) {
  TspIniText ini;
  record.SaveToIni(ini);
  QStringList keys;
  for (const QString& line : ini.ToLines().mid(1)) keys << line.section(u'=', 0, 0);
  return keys;
}

template <class R> std::unique_ptr<R> Load(const QStringList& lines) {
  auto record = std::make_unique<R>();
  record->IDName = QStringLiteral("rec");
  QStringList text{"[rec]"};
  text << lines;
  record->LoadFromIni(TspIniText::Parse(text));
  return record;
}

} // namespace

TEST(SkinRecords, EveryRegisteredKindRoundTrips) {
  for (const QString& type : ObjectRecordTypes())
    ExpectRoundTrip([&] { return CreateObjectRecord(type); });
  for (const QString& type : ControlRecordTypes())
    ExpectRoundTrip([&] { return CreateControlRecord(type); });
  ExpectRoundTrip([] { return std::make_unique<TspFormInfo>(); });
  ExpectRoundTrip([] { return std::make_unique<TspDataSkinPopupWindow>(); });
  ExpectRoundTrip([] { return std::make_unique<TspDataSkinHintWindow>(); });
  ExpectRoundTrip([] { return std::make_unique<TspDataSkinLayerFrame>(); });
  ExpectRoundTrip([] { return std::make_unique<TspSkinColors>(); });
}

TEST(SkinRecords, RegistriesMapTypesToKinds) {
  const std::pair<const char*, const char*> objects[] = {
      {"menuitem", "TspDataSkinMenuItem"},
      {"mainmenubaritem", "TspDataSkinMainMenuBarItem"},
      {"mainmenuitem", "TspDataSkinMainMenuItem"},
      {"captionmenubutton", "TspDataSkinCaptionMenuButton"},
      {"captiontab", "TspDataSkinCaptionTab"},
      {"stdbutton", "TspDataSkinStdButton"},
      {"mainmenubarbutton", "TspDataSkinMainMenuBarButton"},
      {"button", "TspDataSkinButton"},
      {"caption", "TspDataSkinCaption"},
      {"trackbar", "TspDataSkinTrackBar"},
      {"gauge", "TspDataSkinGauge"},
      {"framegauge", "TspDataSkinFrameGaugeObject"},
      {"frameregulator", "TspDataSkinFrameRegulatorObject"},
      {"label", "TspDataSkinLabel"},
      {"bitlabel", "TspDataSkinBitLabel"},
      {"switch", "TspDataSkinSwitch"},
      {"animate", "TspDataSkinAnimate"},
      {"userobject", "TspDataUserObject"},
  };
  const std::pair<const char*, const char*> controls[] = {
      {"slider", "TspDataSkinSlider"},
      {"bevel", "TspDataSkinBevel"},
      {"panel", "TspDataSkinPanelControl"},
      {"expanel", "TspDataSkinExPanelControl"},
      {"menubutton", "TspDataSkinMenuButtonControl"},
      {"button", "TspDataSkinButtonControl"},
      {"checkradio", "TspDataSkinCheckRadioControl"},
      {"gauge", "TspDataSkinGaugeControl"},
      {"splitter", "TspDataSkinSplitterControl"},
      {"trackbar", "TspDataSkinTrackBarControl"},
      {"label", "TspDataSkinLabelControl"},
      {"stdlabel", "TspDataSkinStdLabelControl"},
      {"bitlabel", "TspDataSkinBitLabelControl"},
      {"frameregulator", "TspDataSkinFrameRegulator"},
      {"framegauge", "TspDataSkinFrameGauge"},
      {"animate", "TspDataSkinAnimateControl"},
      {"updown", "TspDataSkinUpDownControl"},
      {"switch", "TspDataSkinSwitchControl"},
      {"grid", "TspDataSkinGridControl"},
      {"tab", "TspDataSkinTabControl"},
      {"mainmenubar", "TspDataSkinMainMenuBar"},
      {"controlbar", "TspDataSkinControlBar"},
      {"memo", "TspDataSkinMemoControl"},
      {"edit", "TspDataSkinEditControl"},
      {"checklistbox", "TspDataSkinCheckListBox"},
      {"listbox", "TspDataSkinListBox"},
      {"combobox", "TspDataSkinComboBox"},
      {"scrollbar", "TspDataSkinScrollBarControl"},
      {"spinedit", "TspDataSkinSpinEditControl"},
      {"scrollbox", "TspDataSkinScrollBoxControl"},
      {"treeview", "TspDataSkinTreeView"},
      {"listview", "TspDataSkinListView"},
      {"richedit", "TspDataSkinRichEdit"},
  };
  EXPECT_EQ(ObjectRecordTypes().size(), qsizetype(std::size(objects)));
  EXPECT_EQ(ControlRecordTypes().size(), qsizetype(std::size(controls)));
  for (const auto& [type, kind] : objects) {
    const auto r = CreateObjectRecord(QString::fromLatin1(type));
    ASSERT_TRUE(r) << type;
    EXPECT_STREQ(r->ClassName(), kind);
  }
  for (const auto& [type, kind] : controls) {
    const auto r = CreateControlRecord(QString::fromLatin1(type));
    ASSERT_TRUE(r) << type;
    EXPECT_STREQ(r->ClassName(), kind);
  }
  // Types compare exactly; unknown types make nothing.
  EXPECT_FALSE(CreateControlRecord(u"appmenu"));
  EXPECT_FALSE(CreateControlRecord(u"Button"));
  EXPECT_FALSE(CreateObjectRecord(u"edit"));
  EXPECT_FALSE(CreateObjectRecord(u""));
}

TEST(SkinRecords, RegistryEntriesSplitAtTheFirstColon) {
  const auto ini =
      TspIniText::Parse({"[SKINCONTROLS]", "count=6", "0=button:button", "1=appmenu:appmenu",
                         "2=edit:edit", "3=nocolon", "4=odd:name:edit", "6=beyond:edit"});
  const QStringList entries = ReadSkinRegistry(ini, "skincontrols");
  EXPECT_EQ(entries, QStringList({"button:button", "appmenu:appmenu", "edit:edit", "nocolon",
                                  "odd:name:edit", ""}));
  // What a loader makes of them: unknown types and entries without ":" make no record,
  // and the entries after them are read as usual.
  QStringList made;
  for (const QString& entry : entries) {
    const auto split = SplitRegistryEntry(entry);
    if (!split) continue;
    if (auto record = CreateControlRecord(split->Type))
      made << split->Name + u'=' + record->ClassName();
  }
  EXPECT_EQ(made, QStringList({"button=TspDataSkinButtonControl", "edit=TspDataSkinEditControl"}));
  const auto odd = SplitRegistryEntry(u"odd:name:edit");
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->Name, "odd");
  EXPECT_EQ(odd->Type, "name:edit");

  EXPECT_TRUE(
      ReadSkinRegistry(TspIniText::Parse({"[SKINOBJECTS]", "count=-2"}), "skinobjects").isEmpty());
  EXPECT_THROW(
      ReadSkinRegistry(TspIniText::Parse({"[SKINOBJECTS]", "count=2000000000"}), "skinobjects"),
      EConvertError);
}

TEST(SkinRecords, KeysAreWrittenBaseFirstAndAsSpelled) {
  TspDataSkinStdButton button;
  EXPECT_EQ(SavedKeys(button), QStringList({"hint",
                                            "rollup",
                                            "activepictureindex",
                                            "activemaskpictureindex",
                                            "skinrectinapicture",
                                            "cursorindex",
                                            "skinrect",
                                            "activeskinrect",
                                            "inactiveskinrect",
                                            "morphing",
                                            "morphkind",
                                            "glowlayerpictureindex",
                                            "glowlayermaskpictureindex",
                                            "glowlayeroffsetx",
                                            "glowlayeroffsety",
                                            "glowlayeralphablendvalue",
                                            "downrect",
                                            "disableskinrsect",
                                            "groupindex",
                                            "alphamaskpictureindex",
                                            "alphamaskactivepictureindex",
                                            "alphamaskinactivepictureindex",
                                            "command",
                                            "restorerect",
                                            "restoreactiverect",
                                            "restoredownrect",
                                            "restoreinactiverect",
                                            "restorehint"}));
  EXPECT_EQ(SavedKeys(TspDataUserObject()), QStringList({"rollup", "skinrect", "cursorindex"}));
  EXPECT_TRUE(SavedKeys(TspDataSkinMainMenuItem()).contains("unenabledfontColor"));
  EXPECT_TRUE(SavedKeys(TspDataSkinCaptionTab()).contains("fontName"));
  EXPECT_TRUE(SavedKeys(TspDataSkinLabel()).contains("fontName"));
  EXPECT_TRUE(SavedKeys(TspDataSkinCaption()).contains("reflactioncolor"));
  // The frame's stretch flags come in a different order from the controls'.
  const QStringList form = SavedKeys(TspFormInfo());
  EXPECT_EQ(form.mid(7, 4),
            QStringList({"leftstretch", "rightstretch", "topstretch", "bottomstretch"}));
  const QStringList custom = SavedKeys(TspDataSkinCustomControl());
  EXPECT_EQ(custom.mid(9, 4),
            QStringList({"leftstretch", "topstretch", "rightstretch", "bottomstretch"}));
}

TEST(SkinRecords, NewRecordsAndMissingKeysHoldTheDefaults) {
  auto button = Load<TspDataSkinButtonControl>({"pictureindex=3", "fontheight=9"});
  EXPECT_EQ(button->pictureindex, 3);
  EXPECT_EQ(button->fontheight, 9);
  EXPECT_EQ(button->maskpictureindex, -1);
  EXPECT_EQ(button->fontname, "Tahoma");
  EXPECT_EQ(button->animateinterval, 25);
  EXPECT_EQ(button->glowlayeralphablendvalue, 255);
  EXPECT_EQ(button->stretchtype, TspStretchType::stFull);
  EXPECT_EQ(button->morphkind, TspMorphKind::mkDefault);
  // Reading again from a description without the keys brings the defaults back.
  button->LoadFromIni(TspIniText::Parse({"[other]", "pictureindex=5"}));
  EXPECT_EQ(button->pictureindex, -1);
  EXPECT_EQ(button->fontheight, 13);

  EXPECT_EQ(TspDataSkinStdLabelControl().activefontcolor, 16711680u);
  EXPECT_EQ(TspDataSkinBitLabel().transparentcolor, 16711935u);
  EXPECT_EQ(TspDataSkinControlBar().itemoffset2, 3);
  EXPECT_EQ(TspDataSkinListBox().bothhscrollbarname, "bothhscrollbar");
  EXPECT_EQ(TspDataSkinCaption().glowsize, 3);
  EXPECT_EQ(TspDataSkinCaptionMenuButton().rightoffset, 10);
  const TspDataSkinAnimate animate;
  EXPECT_EQ(animate.countframes, 1);
  EXPECT_EQ(animate.timerinterval, 50);
  EXPECT_EQ(animate.command, TspStdCommand::cmDefault);
  EXPECT_EQ(TspDataSkinFrameRegulator().framescount, 1);

  const TspFormInfo form;
  EXPECT_EQ(form.IDName, "FORMINFO");
  EXPECT_EQ(form.bgpictureindex, -1);
  EXPECT_EQ(form.mdibgpictureindex, -1);
  EXPECT_EQ(form.cursorindex, -1);
  EXPECT_EQ(form.formminwidth, 0);
  const TspDataSkinLayerFrame layer;
  EXPECT_EQ(layer.alphablendvalue, 255);
  EXPECT_EQ(layer.inactivealphablendvalue, 255);
  EXPECT_EQ(layer.blurmaskpictureindex, -1);
  EXPECT_FALSE(layer.ActiveBorder);
  EXPECT_EQ(TspDataSkinPopupWindow().windowpictureindex, -1);

  // Hints are "Tahoma" 12 until a skin is read; a skin without the key gives 13.
  TspDataSkinHintWindow hint;
  EXPECT_EQ(hint.fontname, "Tahoma");
  EXPECT_EQ(hint.fontheight, 12);
  EXPECT_EQ(hint.maskpictureindex, -1);
  hint.LoadFromIni(TspIniText::Parse({"[HintWindow]", "fontcolor=255"}));
  EXPECT_EQ(hint.fontheight, 13);
  EXPECT_EQ(hint.fontcolor, 255u);
}

TEST(SkinRecords, FrameCountIsAtLeastOne) {
  const struct {
    const char* value;
    int expected;
  } cases[] = {{"0", 1}, {"-4", 1}, {"3", 3}, {"x", 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(Load<TspDataSkinFrameGauge>({QStringLiteral("framescount=") + c.value})->framescount,
              c.expected)
        << c.value;
    EXPECT_EQ(
        Load<TspDataSkinFrameRegulator>({QStringLiteral("framescount=") + c.value})->framescount,
        c.expected);
  }
}

TEST(SkinRecords, RestoreHintFollowsTheCommand) {
  const struct {
    const char* hint;
    const char* command;
    const char* restorehint;
    const char* expected;
  } cases[] = {
      {"Maximize", "cmmaximize", "", "Restore"},
      {"Minimize", "cmminimize", "", "Restore"},
      {"RollUp", "cmrollup", "", "Restore"},
      {"Roll Up", "cmrollup", "", "Restore"},
      {"Maximize", "cmminimize", "", ""},
      {"maximize", "cmmaximize", "", ""},
      {"Close", "cmclose", "", ""},
      {"Maximize", "cmmaximize", "Back", "Back"},
  };
  for (const auto& c : cases) {
    const QStringList lines{QStringLiteral("hint=") + c.hint,
                            QStringLiteral("command=") + c.command,
                            QStringLiteral("restorehint=") + c.restorehint};
    EXPECT_EQ(Load<TspDataSkinStdButton>(lines)->restorehint, c.expected) << c.hint;
    EXPECT_EQ(Load<TspDataSkinMainMenuBarButton>(lines)->restorehint, c.expected) << c.hint;
  }
}

TEST(SkinRecords, UserObjectReadsOnlyItsOwnKeys) {
  const auto user =
      Load<TspDataUserObject>({"hint=Help", "activepictureindex=4", "rollup=1", "skinrect=1,2,3,4",
                               "cursorindex=2", "glowlayeralphablendvalue=9"});
  EXPECT_TRUE(user->rollup);
  EXPECT_EQ(user->skinrect, (TspRect{1, 2, 3, 4}));
  EXPECT_EQ(user->cursorindex, 2);
  EXPECT_EQ(user->hint, "");
  EXPECT_EQ(user->activepictureindex, -1);
  EXPECT_EQ(user->glowlayeralphablendvalue, 255);
}

TEST(SkinRecords, MalformedRectangleFailsTheRead) {
  EXPECT_THROW(Load<TspDataSkinEditControl>({"buttonrect=1,2,,4"}), EConvertError);
  EXPECT_THROW(Load<TspFormInfo>({"lefttoppoint=1,2,3"}), EConvertError);
}

TEST(SkinRecords, SkinColors) {
  TspSkinColors colors;
  colors.LoadFromIni(TspIniText::Parse(
      {"[SKINCOLORS]", "cbtnface=4473924", "cbtntext=16777215", "cwindow=$00FF00FF"}));
  EXPECT_EQ(colors.cbtnface, 0x444444u);
  EXPECT_EQ(colors.cbtntext, 0xFFFFFFu);
  EXPECT_EQ(colors.cwindow, 0xFF00FFu);
  EXPECT_EQ(colors.c3dlight, 0u); // black when the skin leaves it out
  EXPECT_EQ(colors.c3ddkshadow, 0u);
}

TEST(SkinAreas, EntryParsing) {
  using F = std::array<bool, 5>;
  const struct {
    const char* entry;
    const char* name;
    TspRect rect;
    F flags;
  } cases[] = {
      {"caption:1,2,3,4;1,0,1,0,1", "caption", {1, 2, 3, 4}, {true, false, true, false, true}},
      {"a:b:5,6,7,8;1,1,1,1,1", "a:b", {5, 6, 7, 8}, {true, true, true, true, true}},
      {"x:1,2,3,4;1,1,1,1", "x", {1, 2, 3, 4}, {}},    // seven characters: no flags
      {"x:1,2,3,4;1,1,1,1,1,", "x", {1, 2, 3, 4}, {}}, // ten characters: no flags
      {"x:1,2,3,4;1;1,1,1,1,1", "x", {1, 2, 3, 41}, {true, true, true, true, true}},
      {"x:1,2,3,4", "x", {1, 2, 3, 4}, {}},
      {"x:;2,2,2,2,2", "x", {}, {}},
      {":1,2,3,4;0,0,0,0,1", "", {1, 2, 3, 4}, {false, false, false, false, true}},
  };
  for (const auto& c : cases) {
    const auto area = ParseSkinAreaEntry(QString::fromLatin1(c.entry));
    ASSERT_TRUE(area) << c.entry;
    EXPECT_EQ(area->IDName, c.name) << c.entry;
    EXPECT_EQ(area->AreaRect, c.rect) << c.entry;
    EXPECT_EQ(area->Flags, c.flags) << c.entry;
  }
  EXPECT_FALSE(ParseSkinAreaEntry(u"nocolon;1,1,1,1,1"));
  EXPECT_THROW(ParseSkinAreaEntry(u"x:1,,3,4;0,0,0,0,0"), EConvertError);
  EXPECT_THROW(ParseSkinAreaEntry(u"x:1,2,3;0,0,0,0,0"), EConvertError);

  const auto area = ParseSkinAreaEntry(u"grip:10,20,30,40;0,1,0,1,1");
  ASSERT_TRUE(area);
  EXPECT_EQ(FormatSkinAreaEntry(*area), "grip:10,20,30,40;0,1,0,1,1");
}
