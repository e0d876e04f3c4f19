#include "app/browse_page.h"

#include "app/animal_page.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/key_up_watcher.h"
#include "app/main_form.h"
#include "app/picture_files.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/panel.h"
#include "store/field_text.h"
#include "store/store_error.h"
#include "store/store_sql.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
const QString kAnimals = QStringLiteral("Animals");
const QString kAll = QStringLiteral("All");

// The picture above the search: a magnifying glass over a paw print, drawn once.
QImage SearchBanner() {
  constexpr int kWidth = 160;
  constexpr int kHeight = 70;
  QImage banner(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  banner.fill(Qt::transparent);
  QPainter p(&banner);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(109, 111, 150));
  p.drawEllipse(QRectF(60, 30, 30, 24));
  p.drawEllipse(QRectF(50, 16, 11, 14));
  p.drawEllipse(QRectF(63, 8, 11, 15));
  p.drawEllipse(QRectF(77, 8, 11, 15));
  p.drawEllipse(QRectF(90, 16, 11, 14));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(70, 72, 110), 5));
  p.drawEllipse(QRectF(40, 4, 66, 58));
  p.setPen(QPen(QColor(70, 72, 110), 9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(99, 54), QPointF(118, 66));
  p.end();
  return banner;
}

// The results list keeps the names found before a null field ended the search.
class TResultsOnExit {
public:
  TResultsOnExit(TspSkinListBox& list, const QStringList& names) : FList(list), FNames(names) {}
  ~TResultsOnExit() { FList.SetItems(FNames); }
  TResultsOnExit(const TResultsOnExit&) = delete;
  TResultsOnExit& operator=(const TResultsOnExit&) = delete;

private:
  TspSkinListBox& FList;
  const QStringList& FNames;
};

// The cursor on Animals, whatever state an earlier action left it in: a failed open leaves
// it closed, a login or an adoption on Users. An open Animals keeps its order and row.
void EnsureAnimals(TfrmMain& form) {
  TTableCursor& cursor = form.ADOUsers;
  if (!cursor.Active() || cursor.TableName() != kAnimals) form.OpenTable(cursor, kAnimals);
}

QString FieldText(const TTableCursor& cursor, const char* field) {
  return FieldAsString(cursor.FieldByName(QString::fromLatin1(field)));
}
} // namespace

bool EqualsFoldingAToZ(const QString& value, const QString& lowered) {
  if (value.size() != lowered.size()) return false;
  const QChar* a = value.constData();
  const QChar* b = lowered.constData();
  for (qsizetype i = 0; i < value.size(); ++i) {
    char16_t c = a[i].unicode();
    if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
    if (c != b[i].unicode()) return false;
  }
  return true;
}

void AddDetailLine(TspSkinTextLabel& label, const QString& line) {
  QStringList lines = label.Lines();
  lines << line;
  label.SetLines(lines);
}

void AddAnimalDetailLines(TspSkinTextLabel& label, const TTableCursor& cursor) {
  AddDetailLine(label, QStringLiteral("ID: \t") + FieldText(cursor, "ID"));
  AddDetailLine(label, QStringLiteral("Name: \t") + FieldText(cursor, "AnimalName"));
  AddDetailLine(label, QStringLiteral("Type: \t") + FieldText(cursor, "Type"));
  AddDetailLine(label, QStringLiteral("Colour: \t") + FieldText(cursor, "Colour"));
  AddDetailLine(label, QStringLiteral("Breed: \t") + FieldText(cursor, "Breed"));
  AddDetailLine(label, QStringLiteral("Sex: \t") + FieldText(cursor, "Sex"));
}

TBrowsePage::TBrowsePage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblBrowseHeader = AddPageHeader(sheet, "lblBrowseHeader", QStringLiteral("Browse Pets"), skin);
  pnlBrowse = NewControl<TspSkinPanel>(sheet, "pnlBrowse", {0, 0, 393, 321}, skin);
  KeepCentred(pnlBrowse);
  QWidget* panel = pnlBrowse;

  imgBrowseSearch = NewControl<TImage>(panel, "imgBrowseSearch", {8, 6, 377, 70}, skin);
  imgBrowseSearch->SetTransparent(true);
  imgBrowseSearch->SetCenter(true);
  imgBrowseSearch->SetProportional(true);
  imgBrowseSearch->SetPicture(SearchBanner());

  // The search row.
  cbxBrowseField = NewControl<TspSkinComboBox>(panel, "cbxBrowseField", {8, 84, 89, 21}, skin);
  cbxBrowseField->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  edtBrowseSearch = NewControl<TspSkinEdit>(panel, "edtBrowseSearch", {101, 84, 121, 21}, skin);
  edtBrowseSearch->setToolTip(QStringLiteral("Name Of Animal (Leave Blank For General Search)"));
  cbxBrowseSearch = NewControl<TspSkinComboBox>(panel, "cbxBrowseSearch", {226, 84, 80, 21}, skin);
  cbxBrowseSearch->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  cbxBrowseSearch->SetItems({kAll, QStringLiteral("Cat"), QStringLiteral("Dog"),
                             QStringLiteral("Rabbit"), QStringLiteral("Snake"),
                             QStringLiteral("Scorpion")});
  cbxBrowseSearch->SetItemIndex(0);
  cbxBrowseSearch->setToolTip(QStringLiteral("Animal Kind"));
  btnBrowseSearch = NewControl<TspSkinButton>(panel, "btnBrowseSearch", {310, 84, 75, 21}, skin);
  btnBrowseSearch->SetCaption(QStringLiteral("Search"));

  // The results, covered by their label while there are none.
  lbxBrowseResults =
      NewControl<TspSkinListBox>(panel, "lbxBrowseResults", {8, 116, 177, 193}, skin);
  lblBrowseNoResults = NewLabel(panel, "lblBrowseNoResults", {8, 116, 177, 193}, skin,
                                QStringLiteral("No Results Found"));
  lblBrowseNoResults->SetAlignment(TspAlignment::taCenter);
  lblBrowseNoResults->SetLayout(TspTextLayout::tlCenter);

  // The selected animal.
  pnlBrowseResults =
      NewControl<TspSkinPanel>(panel, "pnlBrowseResults", {192, 116, 193, 193}, skin);
  QWidget* results = pnlBrowseResults;
  imgBrowseResults = NewControl<TImage>(results, "imgBrowseResults", {8, 6, 177, 64}, skin);
  imgBrowseResults->SetCenter(true);
  imgBrowseResults->SetProportional(true);
  imgBrowseResults->SetStretch(true);
  imgBrowseResults->setVisible(false);
  lblBrowseResults = new TspSkinTextLabel(results);
  lblBrowseResults->SetAutoSize(false);
  PlaceControl(lblBrowseResults, "lblBrowseResults", {8, 74, 177, 86}, skin);
  btnBrowseAdopt = NewControl<TspSkinButton>(results, "btnBrowseAdopt", {8, 162, 177, 25}, skin);
  btnBrowseAdopt->SetCaption(QStringLiteral("Adopt"));
  btnBrowseAdopt->setVisible(false);

  btnBrowseSearch->OnClick = [this](QObject*) { btnBrowseSearchClick(); };
  cbxBrowseField->OnChange = [this](QObject*) { cbxBrowseFieldChange(); };
  lbxBrowseResults->OnListBoxClick = [this](QObject*) { lbxBrowseResultsListBoxClick(); };
  btnBrowseAdopt->OnClick = [this](QObject*) { btnBrowseAdoptClick(); };
  WatchKeyUp(edtBrowseSearch->Editor(), [this](int key) { edtBrowseSearchKeyUp(key); });
}

void TBrowsePage::btnBrowseSearchClick() {
  // 1.
  imgBrowseResults->setVisible(false);
  lblBrowseResults->SetLines({});
  btnBrowseAdopt->setVisible(false);
  FShownAnimal = QVariant();
  // 2. to 5. need the database; a null field ends the search before step 6.
  if (FForm.DatabaseFound) FillResults();
  // 6.
  lblBrowseNoResults->setVisible(lbxBrowseResults->Items().isEmpty());
}

void TBrowsePage::FillResults() {
  lbxBrowseResults->ClearItems();
  TTableCursor& cursor = FForm.ADOUsers;
  // Moving posts a modified row before the switch drops it; a cursor that a failed open left
  // closed has no row to move to and is simply opened.
  if (cursor.Active()) cursor.First();
  FForm.OpenTable(cursor, kAnimals);

  const QString text = edtBrowseSearch->Text();
  const QString kind = cbxBrowseSearch->Text();
  const bool byText = !text.isEmpty();
  const bool byKind = kind != kAll;
  // Only the columns the chosen test reads are fetched, each once.
  std::vector<int> columns;
  const auto column = [&](const QString& name) {
    const int index = cursor.FieldIndex(name);
    if (index < 0) throw EDatabaseError(("Field '" + name + "' not found").toStdString());
    const auto found = std::find(columns.begin(), columns.end(), index);
    if (found != columns.end()) return int(found - columns.begin());
    columns.push_back(index);
    return int(columns.size()) - 1;
  };
  const int fieldAt = byText ? column(cbxBrowseField->Text()) : -1;
  const int typeAt = byKind ? column(QStringLiteral("Type")) : -1;
  const int nameAt = column(QStringLiteral("AnimalName"));
  const QString wantedText = FoldAToZ(text);
  const QString wantedKind = FoldAToZ(kind);

  QStringList names;
  const TResultsOnExit results(*lbxBrowseResults, names);
  // The database leaves out what cannot match; the test below stays the judge. Only the
  // name is shown: a tested field that is not the name is read for its test alone.
  std::vector<TTableCursor::TTextMatch> matches;
  if (byText) matches.push_back({columns[fieldAt], text, fieldAt != nameAt});
  if (byKind) matches.push_back({columns[typeAt], kind, typeAt != nameAt});
  cursor.ReadColumns(columns, matches, [&](const std::vector<QVariant>& row) {
    const bool matches = (!byText || EqualsFoldingAToZ(FieldAsString(row[fieldAt]), wantedText)) &&
                         (!byKind || EqualsFoldingAToZ(FieldAsString(row[typeAt]), wantedKind));
    if (matches) names << FieldAsString(row[nameAt]);
    return true;
  });
}

void TBrowsePage::edtBrowseSearchKeyUp(int key) {
  if (key == kEnterKey) btnBrowseSearchClick();
}

void TBrowsePage::cbxBrowseFieldChange() {
  btnBrowseSearchClick();
}

void TBrowsePage::lbxBrowseResultsListBoxClick() {
  const int selected = lbxBrowseResults->ItemIndex();
  if (selected < 0) return;
  // 1. and 2.
  EnsureAnimals(FForm);
  TTableCursor& cursor = FForm.ADOUsers;
  if (!cursor.Locate(QStringLiteral("AnimalName"), lbxBrowseResults->Items().at(selected))) {
    FForm.ShowError(ErrorCodes::RecordNotFound);
    return;
  }
  // 3. The row is the shown animal from here on, whatever the cursor does later.
  FShownAnimal = cursor.Bookmark();
  imgBrowseResults->setVisible(false);
  btnBrowseAdopt->setVisible(false);
  lblBrowseResults->SetLines({});
  AddAnimalDetailLines(*lblBrowseResults, cursor);
  // 4.
  const QString picture = PictureFile(FieldText(cursor, "Type"));
  if (picture.isEmpty()) {
    FForm.ShowError(ErrorCodes::ImageNotFound);
  } else {
    imgBrowseResults->LoadFromFile(picture);
    imgBrowseResults->setVisible(true);
  }
  // 5.
  if (FieldAsBoolean(cursor.FieldByName(QStringLiteral("Adopt")))) btnBrowseAdopt->setVisible(true);
}

void TBrowsePage::btnBrowseAdoptClick() {
  // The button belongs to the shown animal: the cursor may have moved since (another page,
  // a reopened table), and the animal may have been deleted on the Admin page.
  EnsureAnimals(FForm);
  if (!FForm.ADOUsers.GotoBookmark(FShownAnimal)) {
    FForm.ShowError(ErrorCodes::RecordNotFound);
    return;
  }
  FForm.AnimalPage().Open();
}
