#include "app/admin_page.h"

#include "app/app_fonts.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/main_form.h"
#include "app/picture_files.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"
#include "skin/controls/scroll_bar.h"
#include "store/field_text.h"

#include <QDate>
#include <QEvent>
#include <QLocale>
#include <functional>

namespace {
const QString kUsers = QStringLiteral("Users");
const QString kAnimals = QStringLiteral("Animals");
const QString kUsername = QStringLiteral("Username");
const QString kAdmin = QStringLiteral("Admin");
const QString kEmployee = QStringLiteral("Employee");

// The left column: the picture, the details and the two buttons under them. Delete takes
// the whole column while Promote/Demote is hidden.
constexpr int kLeft = 8;
constexpr int kLeftWidth = 129;
constexpr int kButtonTop = 288;
constexpr int kButtonHeight = 25;
constexpr int kDeleteWidth = 65;
constexpr int kPromoteLeft = kLeft + kLeftWidth - 57;
constexpr int kPromoteWidth = 57;

// The right panel: the chooser, the sort row, the grid with its bars.
constexpr int kGridTop = 66;
constexpr int kGridWidth = 209;
constexpr int kGridHeight = 215;
constexpr int kBarThickness = 16;

// The text of a date column: the date alone, in the platform's short format.
QString DateText(const QVariant& value) {
  const int type = value.typeId();
  if (type == QMetaType::QDate || type == QMetaType::QDateTime)
    return QLocale::system().toString(value.toDate(), QLocale::ShortFormat);
  return FieldAsString(value);
}

// The details line of one column's value; none for a null. The names are the stored ones,
// compared exactly.
QString DetailLine(const QString& column, const QVariant& value) {
  QString text;
  if (column == QLatin1String("ID"))
    text = QString::number(FieldAsInteger(value));
  else if (column == QLatin1String("CheckIn") || column == QLatin1String("CheckOut"))
    text = DateText(value);
  else if (column == QLatin1String("Adopt") || column == kAdmin || column == kEmployee)
    text = FieldAsBoolean(value) ? QStringLiteral("-1") : QStringLiteral("0");
  else
    text = FieldAsString(value);
  return column + QStringLiteral(": ") + text;
}

TspSkinComboBox* NewList(QWidget* parent, const char* name, const QRect& bounds,
                         TspSkinData* skin) {
  auto* list = NewControl<TspSkinComboBox>(parent, name, bounds, skin);
  list->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  return list;
}

TspSkinScrollBar* NewBar(QWidget* parent, const char* name, TspScrollBarKind kind,
                         const QRect& bounds, TspSkinData* skin) {
  auto* bar = new TspSkinScrollBar(parent);
  bar->SetKind(kind);
  PlaceControl(bar, name, bounds, skin);
  bar->setVisible(false);
  return bar;
}
} // namespace

namespace {
// Tells a function when a widget is shown and hidden.
class TVisibilityWatcher : public QObject {
public:
  TVisibilityWatcher(QWidget* widget, std::function<void(bool)> changed)
      : QObject(widget), FChanged(std::move(changed)) {
    widget->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) FChanged(true);
    if (event->type() == QEvent::Hide) FChanged(false);
    return false;
  }

private:
  std::function<void(bool)> FChanged;
};
} // namespace

TAdminPage::TAdminPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblAdminHeader = AddPageHeader(sheet, "lblAdminHeader", QStringLiteral("Administration"), skin);
  pnlAdminAlign = NewControl<TspSkinPanel>(sheet, "pnlAdminAlign", {0, 0, 393, 321}, skin);
  KeepCentred(pnlAdminAlign);
  QWidget* panel = pnlAdminAlign;

  imgAdminDB = NewControl<TImage>(panel, "imgAdminDB", {kLeft, 8, kLeftWidth, 97}, skin);
  imgAdminDB->SetCenter(true);
  imgAdminDB->SetProportional(true);
  imgAdminDB->SetStretch(true);
  lblAdminDB = new TspSkinTextLabel(panel);
  lblAdminDB->SetAutoSize(false);
  lblAdminDB->SetWordWrap(true);
  PlaceControl(lblAdminDB, "lblAdminDB", {kLeft, 111, kLeftWidth, 171}, skin);
  btnAdminDelete = NewControl<TspSkinButton>(
      panel, "btnAdminDelete", {kLeft, kButtonTop, kDeleteWidth, kButtonHeight}, skin);
  btnAdminDelete->SetCaption(QStringLiteral("Delete"));
  btnAdminPromote = NewControl<TspSkinButton>(
      panel, "btnAdminPromote", {kPromoteLeft, kButtonTop, kPromoteWidth, kButtonHeight}, skin);
  btnAdminPromote->SetCaption(QStringLiteral("Promote"));

  pnlAdminDB = NewControl<TspSkinPanel>(panel, "pnlAdminDB", {144, 8, 241, 305}, skin);
  QWidget* right = pnlAdminDB;
  cbxAdminDB = NewList(right, "cbxAdminDB", {8, 8, 225, 21}, skin);
  cbxAdminDB->SetItems({kUsers, kAnimals});
  cbxAdminDB->SetItemIndex(0);
  lblAdminDBSort = NewLabel(right, "lblAdminDBSort", {8, 36, 30, 21}, skin, QStringLiteral("Sort"));
  lblAdminDBSort->SetLayout(TspTextLayout::tlCenter);
  cbxAdminDBField = NewList(right, "cbxAdminDBField", {40, 36, 110, 21}, skin);
  cbxAdminDBType = NewList(right, "cbxAdminDBType", {154, 36, 79, 21}, skin);
  cbxAdminDBType->SetItems({QStringLiteral("ASC"), QStringLiteral("DESC")});
  cbxAdminDBType->SetItemIndex(0);
  scbAdminDB = NewBar(right, "scbAdminDB", TspScrollBarKind::sbVertical,
                      {8 + kGridWidth, kGridTop, kBarThickness, kGridHeight}, skin);
  scbAdminDBH = NewBar(right, "scbAdminDBH", TspScrollBarKind::sbHorizontal,
                       {8, kGridTop + kGridHeight, kGridWidth, kBarThickness}, skin);
  scbAdminDBH->SetBothMarkerWidth(kBarThickness);

  // The grid shows whatever table the shared cursor has open; the grid itself changes no
  // data.
  dbgAdmin =
      NewControl<TspSkinDBGrid>(right, "dbgAdmin", {8, kGridTop, kGridWidth, kGridHeight}, skin);
  dbgAdmin->SetReadOnly(true);
  dbgAdmin->SetUseSkinFont(true);
  dbgAdmin->SetUseSkinCellHeight(false);
  dbgAdmin->SetDefaultRowHeight(17);
  dbgAdmin->SetGridLineColor(clBtnFace);
  dbgAdmin->SetTitleFont(AppFont(kTahoma, 13), clBtnText);
  dbgAdmin->SetMouseWheelSupport(false);
  dbgAdmin->SetDrawGraphicFields(false);
  dbgAdmin->SetUseColumnsFont(false);
  dbgAdmin->SetColSizingwithLine(false);
  dbgAdmin->SetPickListBoxSkinDataName(QStringLiteral("listbox"));
  dbgAdmin->SetHScrollBar(scbAdminDBH);
  dbgAdmin->SetVScrollBar(scbAdminDB);
  dbgAdmin->SetDataSource(&form.DSMain);
  // The grid follows the cursor only while its page shows: every other screen reopens the
  // shared cursor, and a hidden grid would read the whole key list of the table each time
  // (on a server with a million animals, most of a Browse search).
  form.DSMain.SetEnabled(sheet->isVisible());
  new TVisibilityWatcher(sheet, [&form](bool shown) { form.DSMain.SetEnabled(shown); });

  // Wired after the lists hold their first selections: building the page sorts nothing.
  cbxAdminDB->OnChange = [this](QObject*) { cbxAdminDBChange(); };
  cbxAdminDBField->OnChange = [this](QObject*) { cbxAdminDBFieldChange(); };
  cbxAdminDBType->OnChange = [this](QObject*) { cbxAdminDBFieldChange(); };
  btnAdminDelete->OnClick = [this](QObject*) { btnAdminDeleteClick(); };
  btnAdminPromote->OnClick = [this](QObject*) { btnAdminPromoteClick(); };
  dbgAdmin->OnCellClick = [this](TspColumn*) { dbgAdminCellClick(); };
  dbgAdmin->OnKeyUp = [this](QObject*, int&, Qt::KeyboardModifiers) { dbgAdminKeyUp(); };
}

void TAdminPage::cbxAdminDBChange() {
  TTableCursor& cursor = FForm.ADOUsers;
  // 1. and 2.
  FForm.OpenTable(cursor, cbxAdminDB->Text());
  FForm.FillFieldList(*cbxAdminDBField, cursor);
  // 3.
  lblAdminDB->SetLines({});
  imgAdminDB->setVisible(false);
  // 4. Promote/Demote is for accounts only.
  const bool users = cursor.TableName() == kUsers;
  btnAdminPromote->setVisible(users);
  btnAdminDelete->resize(users ? kDeleteWidth : kLeftWidth, btnAdminDelete->height());
}

void TAdminPage::cbxAdminDBFieldChange() {
  FForm.ADOUsers.SetSort(cbxAdminDBField->Text() + QLatin1Char(' ') + cbxAdminDBType->Text());
}

void TAdminPage::dbgAdminCellClick() {
  ShowCurrentRow();
}

void TAdminPage::dbgAdminKeyUp() {
  ShowCurrentRow();
}

bool TAdminPage::HasCurrentRow() const {
  const TTableCursor& cursor = FForm.ADOUsers;
  return cursor.Active() && !cursor.IsEmpty();
}

void TAdminPage::ShowCurrentRow() {
  // An empty table has no row to show: reading its null flags would only raise.
  if (!HasCurrentRow()) return;
  const TTableCursor& cursor = FForm.ADOUsers;
  // 1.
  imgAdminDB->setVisible(true);
  lblAdminDB->SetLines({});
  // 2.
  QStringList lines;
  const QStringList columns = cursor.FieldNames();
  for (int i = 0; i < columns.size(); ++i) {
    const QVariant value = cursor.Field(i);
    if (!value.isNull()) lines << DetailLine(columns.at(i), value);
  }
  lblAdminDB->SetLines(lines);
  // 3.
  if (cursor.TableName() == kAnimals)
    ShowAnimalPicture(cursor);
  else
    ShowAccountPicture(cursor);
}

void TAdminPage::ShowAccountPicture(const TTableCursor& users) {
  // A missing file leaves the picture shown before.
  QString picture;
  if (FieldAsBoolean(users.FieldByName(kAdmin))) {
    picture = PictureFile(kAdmin);
    btnAdminPromote->SetCaption(QStringLiteral("Demote"));
  } else if (FieldAsBoolean(users.FieldByName(kEmployee))) {
    picture = PictureFile(kEmployee);
  } else {
    picture = PictureFile(QStringLiteral("Member"));
  }
  if (!picture.isEmpty()) imgAdminDB->LoadFromFile(picture);
}

void TAdminPage::ShowAnimalPicture(const TTableCursor& animals) {
  // A null kind raises here, after the lines are shown.
  const QString picture = PictureFile(FieldAsString(animals.FieldByName(QStringLiteral("Type"))));
  if (picture.isEmpty()) {
    imgAdminDB->setVisible(false);
    FForm.ShowError(ErrorCodes::ImageNotFound);
    return;
  }
  imgAdminDB->LoadFromFile(picture);
}

void TAdminPage::btnAdminDeleteClick() {
  // Nothing to delete in an empty table.
  if (!HasCurrentRow()) return;
  TTableCursor& cursor = FForm.ADOUsers;
  cursor.Delete();
  cursor.Refresh();
  lblAdminDB->SetLines({});
  imgAdminDB->setVisible(false);
}

void TAdminPage::btnAdminPromoteClick() {
  if (!HasCurrentRow()) return;
  TTableCursor& cursor = FForm.ADOUsers;
  // 1. The login finds accounts without regard to case, so the administrator's own row is
  // the one whose name matches theirs in any capitals.
  const QString name = FieldAsString(cursor.FieldByName(kUsername));
  if (name.compare(FForm.CurrentUser, Qt::CaseInsensitive) == 0) {
    FForm.ShowError(ErrorCodes::CantDemoteSelf);
  } else {
    // 2. and 3.
    const bool employee = FieldAsBoolean(cursor.FieldByName(kEmployee));
    cursor.Edit();
    cursor.SetField(kAdmin, employee);
    cursor.SetField(kEmployee, !employee);
    cursor.Post();
    cursor.Refresh();
    btnAdminPromote->SetCaption(employee ? QStringLiteral("Demote") : QStringLiteral("Promote"));
  }
  // 4.
  ShowCurrentRow();
}
