#include "skin/data/record_registry.h"

namespace {

template <class Base> struct TspRecordType {
  const char* Type;
  std::unique_ptr<Base> (*Create)();
};

template <class Base, class Kind> std::unique_ptr<Base> Make() {
  return std::make_unique<Kind>();
}

template <class Kind> constexpr TspRecordType<TspDataSkinObject> Object(const char* type) {
  return {type, &Make<TspDataSkinObject, Kind>};
}
template <class Kind> constexpr TspRecordType<TspDataSkinControl> Control(const char* type) {
  return {type, &Make<TspDataSkinControl, Kind>};
}

const TspRecordType<TspDataSkinObject> kObjectTypes[] = {
    Object<TspDataSkinMenuItem>("menuitem"),
    Object<TspDataSkinMainMenuBarItem>("mainmenubaritem"),
    Object<TspDataSkinMainMenuItem>("mainmenuitem"),
    Object<TspDataSkinCaptionMenuButton>("captionmenubutton"),
    Object<TspDataSkinCaptionTab>("captiontab"),
    Object<TspDataSkinStdButton>("stdbutton"),
    Object<TspDataSkinMainMenuBarButton>("mainmenubarbutton"),
    Object<TspDataSkinButton>("button"),
    Object<TspDataSkinCaption>("caption"),
    Object<TspDataSkinTrackBar>("trackbar"),
    Object<TspDataSkinGauge>("gauge"),
    Object<TspDataSkinFrameGaugeObject>("framegauge"),
    Object<TspDataSkinFrameRegulatorObject>("frameregulator"),
    Object<TspDataSkinLabel>("label"),
    Object<TspDataSkinBitLabel>("bitlabel"),
    Object<TspDataSkinSwitch>("switch"),
    Object<TspDataSkinAnimate>("animate"),
    Object<TspDataUserObject>("userobject"),
};

const TspRecordType<TspDataSkinControl> kControlTypes[] = {
    Control<TspDataSkinSlider>("slider"),
    Control<TspDataSkinBevel>("bevel"),
    Control<TspDataSkinPanelControl>("panel"),
    Control<TspDataSkinExPanelControl>("expanel"),
    Control<TspDataSkinMenuButtonControl>("menubutton"),
    Control<TspDataSkinButtonControl>("button"),
    Control<TspDataSkinCheckRadioControl>("checkradio"),
    Control<TspDataSkinGaugeControl>("gauge"),
    Control<TspDataSkinSplitterControl>("splitter"),
    Control<TspDataSkinTrackBarControl>("trackbar"),
    Control<TspDataSkinLabelControl>("label"),
    Control<TspDataSkinStdLabelControl>("stdlabel"),
    Control<TspDataSkinBitLabelControl>("bitlabel"),
    Control<TspDataSkinFrameRegulator>("frameregulator"),
    Control<TspDataSkinFrameGauge>("framegauge"),
    Control<TspDataSkinAnimateControl>("animate"),
    Control<TspDataSkinUpDownControl>("updown"),
    Control<TspDataSkinSwitchControl>("switch"),
    Control<TspDataSkinGridControl>("grid"),
    Control<TspDataSkinTabControl>("tab"),
    Control<TspDataSkinMainMenuBar>("mainmenubar"),
    Control<TspDataSkinControlBar>("controlbar"),
    Control<TspDataSkinMemoControl>("memo"),
    Control<TspDataSkinEditControl>("edit"),
    Control<TspDataSkinCheckListBox>("checklistbox"),
    Control<TspDataSkinListBox>("listbox"),
    Control<TspDataSkinComboBox>("combobox"),
    Control<TspDataSkinScrollBarControl>("scrollbar"),
    Control<TspDataSkinSpinEditControl>("spinedit"),
    Control<TspDataSkinScrollBoxControl>("scrollbox"),
    Control<TspDataSkinTreeView>("treeview"),
    Control<TspDataSkinListView>("listview"),
    Control<TspDataSkinRichEdit>("richedit"),
};

template <class Base, size_t N>
std::unique_ptr<Base> Create(const TspRecordType<Base> (&table)[N], QStringView type) {
  for (const auto& t : table)
    if (type == QLatin1String(t.Type)) return t.Create();
  return nullptr;
}

template <class Base, size_t N> QStringList Types(const TspRecordType<Base> (&table)[N]) {
  QStringList out;
  for (const auto& t : table) out << QLatin1String(t.Type);
  return out;
}

} // namespace

std::unique_ptr<TspDataSkinObject> CreateObjectRecord(QStringView type) {
  return Create(kObjectTypes, type);
}

std::unique_ptr<TspDataSkinControl> CreateControlRecord(QStringView type) {
  return Create(kControlTypes, type);
}

QStringList ObjectRecordTypes() {
  return Types(kObjectTypes);
}
QStringList ControlRecordTypes() {
  return Types(kControlTypes);
}

std::optional<TspRegistryEntry> SplitRegistryEntry(QStringView entry) {
  const qsizetype colon = entry.indexOf(u':');
  if (colon < 0) return std::nullopt;
  return TspRegistryEntry{entry.left(colon).toString(), entry.mid(colon + 1).toString()};
}

QStringList ReadSkinRegistry(const TspIniText& ini, const QString& section) {
  const int count = ReadSkinCount(ini, section, QStringLiteral("count"));
  QStringList entries;
  entries.reserve(count);
  for (int i = 0; i < count; ++i) entries << ini.ReadString(section, QString::number(i));
  return entries;
}
