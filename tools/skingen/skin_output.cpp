#include "skin_output.h"

#include "skin/builtin/required_records.h"
#include "skin/data/ini_text.h"
#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"
#include "skin/render/bmp_codec.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <map>
#include <stdexcept>

namespace {

// Registry types and the record kinds they make.
const std::map<QString, QString>& ObjectKinds() {
  static const std::map<QString, QString> kinds = {
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
  return kinds;
}

const std::map<QString, QString>& ControlKinds() {
  static const std::map<QString, QString> kinds = {
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
  return kinds;
}

[[noreturn]] void Fail(const TBuiltSkin& skin, const QString& what) {
  throw std::runtime_error((skin.Palette.Skin.Colour + ": " + what).toStdString());
}

// The record kind the registry gives `name`, or an empty text when it is not listed.
QString ListedKind(const TspIniText& ini, const char* section,
                   const std::map<QString, QString>& kinds, const QString& name) {
  const int count = ini.ReadString(section, "count").toInt();
  for (int i = 0; i < count; ++i) {
    const QString entry = ini.ReadString(section, QString::number(i));
    const qsizetype colon = entry.indexOf(':');
    if (colon < 0 || entry.left(colon) != name) continue;
    const auto it = kinds.find(entry.mid(colon + 1));
    return it == kinds.end() ? QStringLiteral("?") : it->second;
  }
  return {};
}

bool SameImage(const QImage& a, const QImage& b) {
  return a.size() == b.size() &&
         a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
    throw std::runtime_error(("cannot write " + path).toStdString());
}

} // namespace

QByteArray DescriptionBytes(const TBuiltSkin& skin) {
  QByteArray text;
  for (const QString& line : skin.Description) text += line.toLatin1() + "\r\n";
  return text;
}

QByteArray PackageBytes(const TBuiltSkin& skin) {
  TspSkinPayload payload;
  payload.Version = 3;
  payload.Picture = skin.Picture;
  payload.InactivePicture = skin.InactivePicture;
  payload.ActivePictures = skin.ActivePictures;
  payload.DescriptionText = DescriptionBytes(skin);
  TspCompressedStoredSkin stored;
  stored.SetCompressedStream(CompressPayload(WriteSkinPayload(payload)));
  return stored.PackageBytes();
}

void CheckSkin(const TBuiltSkin& skin, const QByteArray& package) {
  const TspIniText ini = TspIniText::Parse(skin.Description);
  for (const TspRequiredRecord& r : RequiredBuiltinRecords()) {
    const bool object = r.List == TspRecordList::Objects;
    const QString kind = ListedKind(ini, object ? "SKINOBJECTS" : "SKINCONTROLS",
                                    object ? ObjectKinds() : ControlKinds(), r.Name);
    if (kind.isEmpty()) Fail(skin, QStringLiteral("record \"%1\" is not listed").arg(r.Name));
    if (kind != r.ClassName)
      Fail(skin, QStringLiteral("record \"%1\" is a %2, not a %3").arg(r.Name, kind, r.ClassName));
    if (!ini.SectionExists(r.Name))
      Fail(skin, QStringLiteral("record \"%1\" has no section").arg(r.Name));
  }

  QBuffer buffer;
  buffer.setData(package);
  buffer.open(QIODevice::ReadOnly);
  TspCompressedStoredSkin stored;
  stored.LoadFromPackageStream(buffer);
  const TspSkinPayload back = ReadSkinPayload(stored.Decompress());
  bool same = back.Version == 3 && back.MaskPicture.isNull() &&
              SameImage(back.Picture, skin.Picture) &&
              SameImage(back.InactivePicture, skin.InactivePicture) &&
              back.ActivePictures.size() == skin.ActivePictures.size() &&
              back.DescriptionText == DescriptionBytes(skin);
  for (size_t i = 0; same && i < back.ActivePictures.size(); ++i)
    same = SameImage(back.ActivePictures[i], skin.ActivePictures[i]);
  if (!same) Fail(skin, "the package does not read back as written");
}

void WriteSkin(const TBuiltSkin& skin, const QByteArray& package, const QString& dir) {
  const QString name = skin.Palette.Skin.SknName;
  const QDir out(dir);
  if (!out.mkpath(name))
    throw std::runtime_error(("cannot create " + out.filePath(name)).toStdString());
  const QDir folder(out.filePath(name));
  WriteFile(folder.filePath("skin.ini"), DescriptionBytes(skin));
  WriteFile(folder.filePath("frame.bmp"), WriteBmp24(skin.Picture));
  WriteFile(folder.filePath("frameinactive.bmp"), WriteBmp24(skin.InactivePicture));
  for (size_t i = 0; i < skin.ActivePictures.size(); ++i)
    WriteFile(folder.filePath(skin.ActivePictureNames.at(qsizetype(i))),
              WriteBmp24(skin.ActivePictures[i]));
  WriteFile(out.filePath(name + ".skn"), package);
}
