// The Admin page: its layout, the table chooser and the buttons it fits to the table, the
// sort from both lists and its end at a visit to Browse, the details text with its value
// rules, the role and kind pictures, Delete, Promote/Demote with the self test, and the
// handlers on an empty table.
#include "account_steps.h"

#include "app/admin_page.h"
#include "app/image_control.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/db_grid.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/scroll_bar.h"

#include <QDate>
#include <QLocale>

namespace {
const QColor kAdminColor(200, 40, 40);
const QColor kEmployeeColor(40, 40, 200);
const QColor kMemberColor(40, 160, 40);
const QColor kDogColor(230, 200, 20);

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
         std::abs(a.blue() - b.blue()) < 12;
}

TUserRow User(const char* name, bool admin, bool employee) {
  const QString text = QString::fromLatin1(name);
  return {
      text,      text + "#pass1", text + " Full", text + "@vorns.org", "(012) 345-6789", "1 Road",
      "Default", admin,           employee};
}

class AdminTest : public TAccountTest {
protected:
  void SetUp() override {
    TAccountTest::SetUp();
    MakeFolder(QStringLiteral("img"));
    MakePicture(QStringLiteral("img/Admin.jpg"), kAdminColor);
    MakePicture(QStringLiteral("img/Employee.jpg"), kEmployeeColor);
    MakePicture(QStringLiteral("img/Member.jpg"), kMemberColor);
    MakePicture(QStringLiteral("img/Dog.jpg"), kDogColor);
  }

  // Accounts of every role (one administrator also flagged employee) and three animals, a
  // cat among them whose kind has no picture.
  void MakeShelter(std::vector<TAnimalRow> animals = {
                       Animal("Rex", "Dog"), Animal("Ann", "Dog", false), Animal("Zed", "Cat")}) {
    MakeDatabase({User("boss", true, false), User("ella", false, true), User("milo", false, false),
                  User("both", true, true)},
                 animals);
  }

  // Logs in as the administrator, typing the name as given, and selects the Admin tab.
  void StartAsAdmin(const QString& typedName = QStringLiteral("boss")) {
    StartForm();
    LogIn(typedName, QStringLiteral("boss#pass1"));
    ASSERT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
    ClickTab(Form->tbsAdmin);
  }

  TAdminPage& Admin() const { return Form->AdminPage(); }
  TTableCursor& Cursor() const { return Form->ADOUsers; }

  // A click on the tab of `page`, as the user selects it.
  void ClickTab(TspSkinTabSheet* page) {
    TspSkinPageControl* pages = Form->pctMain;
    const QRect tab = pages->TabRect(page->TabIndex());
    ASSERT_FALSE(tab.isEmpty()) << page->objectName().toStdString();
    QTest::mouseClick(pages, Qt::LeftButton, {}, tab.center());
    ASSERT_EQ(pages->ActivePage(), page);
  }

  // Opens the list of `combo` with a click and clicks its item `text`.
  void Pick(TspSkinComboBox* combo, const QString& text) {
    const int index = int(combo->Items().indexOf(text));
    ASSERT_GE(index, 0) << text.toStdString();
    QTest::mouseClick(combo, Qt::LeftButton, {}, combo->rect().center());
    ASSERT_TRUE(combo->DroppedDown());
    TspListBox* list = combo->ListBox()->ListBox();
    list->MakeVisible(index);
    QTest::mouseClick(list, Qt::LeftButton, {}, list->ItemRect(index).center());
    ASSERT_EQ(combo->Text(), text);
  }

  // Makes the row of `name` current, as a click in the grid does, and runs the click.
  void SelectRow(const QString& field, const QString& name) {
    ASSERT_TRUE(Cursor().Locate(field, name)) << name.toStdString();
    Admin().dbgAdminCellClick();
  }
  void SelectUser(const QString& name) { SelectRow(QStringLiteral("Username"), name); }

  // A click on the grid's cell of data row `row` (from 0, as shown) in column `column`.
  void ClickCell(int row, int column) {
    TspSkinDBGrid* grid = Admin().dbgAdmin;
    const QRect cell = grid->CellRect(grid->IndicatorOffset() + column, grid->TitleOffset() + row);
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell.center());
  }

  QStringList Details() const { return Admin().lblAdminDB->Lines(); }
  bool PictureShown() const { return Admin().imgAdminDB->isVisibleTo(Admin().pnlAdminAlign); }
  QColor PictureColor() const {
    const QImage& picture = Admin().imgAdminDB->Picture();
    return picture.isNull() ? QColor() : picture.pixelColor(picture.rect().center());
  }
  bool PromoteShown() const { return Admin().btnAdminPromote->isVisibleTo(Admin().pnlAdminAlign); }

  // The stored flags of an account: "Admin/Employee" as "1/0".
  QString Role(const QString& name) const {
    const auto rows = Query(
        QStringLiteral("SELECT \"Admin\", \"Employee\" FROM \"Users\" WHERE \"Username\" = ?"),
        {name});
    if (rows.size() != 1) return QStringLiteral("no row");
    return QStringLiteral("%1/%2")
        .arg(int(rows[0].value(0).toBool()))
        .arg(int(rows[0].value(1).toBool()));
  }

  // The open table's values of `field` in the cursor's order.
  QStringList Column(const QString& field) const {
    QStringList values;
    const int index = Cursor().FieldIndex(field);
    for (int row = 0; row < Cursor().RecordCount(); ++row)
      values << Cursor().FieldAtRow(row, index).toString();
    return values;
  }

  void ExpectNoReports() const {
    EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
  }
};

TEST_F(AdminTest, ThePageHoldsItsControlsInTheirPlaces) {
  MakeShelter();
  StartAsAdmin();
  TAdminPage& admin = Admin();
  EXPECT_EQ(Form->tbsAdmin->Caption(), "Admin");
  EXPECT_EQ(admin.lblAdminHeader->Caption(), "Administration");
  // The panel in the middle of the page.
  const QRect panel = admin.pnlAdminAlign->geometry();
  EXPECT_EQ(panel.size(), QSize(393, 321));
  EXPECT_LE(std::abs(panel.center().x() - Form->tbsAdmin->rect().center().x()), 1);
  EXPECT_LE(std::abs(panel.center().y() - Form->tbsAdmin->rect().center().y()), 1);

  // The left column: the picture, the details under it, Delete and Promote at the bottom.
  const QRect picture = admin.imgAdminDB->geometry();
  EXPECT_EQ(picture.size(), QSize(129, 97));
  EXPECT_TRUE(admin.imgAdminDB->Center());
  EXPECT_TRUE(admin.imgAdminDB->Proportional());
  const QRect details = admin.lblAdminDB->geometry();
  EXPECT_GT(details.top(), picture.bottom());
  EXPECT_EQ(details.left(), picture.left());
  EXPECT_TRUE(admin.lblAdminDB->WordWrap());
  EXPECT_FALSE(admin.lblAdminDB->AutoSize());
  const QRect remove = admin.btnAdminDelete->geometry();
  const QRect promote = admin.btnAdminPromote->geometry();
  EXPECT_EQ(admin.btnAdminDelete->Caption(), "Delete");
  EXPECT_EQ(admin.btnAdminPromote->Caption(), "Promote");
  EXPECT_EQ(remove.width(), 65);
  EXPECT_EQ(promote.width(), 57);
  EXPECT_EQ(remove.left(), picture.left());
  EXPECT_GT(remove.top(), details.bottom());
  EXPECT_EQ(promote.top(), remove.top());
  EXPECT_GT(promote.left(), remove.right());
  EXPECT_EQ(promote.right(), picture.right());
  EXPECT_TRUE(PromoteShown());

  // The right panel: the chooser on top, the sort row under it, the bars hidden.
  const QRect right = admin.pnlAdminDB->geometry();
  EXPECT_GT(right.left(), picture.right());
  for (QWidget* w :
       {static_cast<QWidget*>(admin.imgAdminDB), static_cast<QWidget*>(admin.lblAdminDB),
        static_cast<QWidget*>(admin.btnAdminDelete), static_cast<QWidget*>(admin.pnlAdminDB)})
    EXPECT_TRUE(admin.pnlAdminAlign->rect().contains(w->geometry()))
        << w->objectName().toStdString();
  EXPECT_EQ(admin.cbxAdminDB->Style(), TspComboBoxStyle::spcbFixedStyle);
  EXPECT_EQ(admin.cbxAdminDB->Items(), QStringList({"Users", "Animals"}));
  EXPECT_EQ(admin.cbxAdminDB->Text(), "Users");
  EXPECT_EQ(admin.lblAdminDBSort->Caption(), "Sort");
  EXPECT_EQ(admin.cbxAdminDBField->Style(), TspComboBoxStyle::spcbFixedStyle);
  EXPECT_EQ(admin.cbxAdminDBType->Style(), TspComboBoxStyle::spcbFixedStyle);
  EXPECT_EQ(admin.cbxAdminDBType->Items(), QStringList({"ASC", "DESC"}));
  EXPECT_EQ(admin.cbxAdminDBType->Text(), "ASC");
  const QRect chooser = admin.cbxAdminDB->geometry();
  const QRect sortLabel = admin.lblAdminDBSort->geometry();
  const QRect field = admin.cbxAdminDBField->geometry();
  const QRect type = admin.cbxAdminDBType->geometry();
  EXPECT_GT(field.top(), chooser.bottom());
  EXPECT_EQ(type.top(), field.top());
  EXPECT_EQ(sortLabel.top(), field.top());
  EXPECT_LT(sortLabel.right(), field.left());
  EXPECT_LT(field.right(), type.left());
  for (QWidget* w :
       {static_cast<QWidget*>(admin.cbxAdminDB), static_cast<QWidget*>(admin.cbxAdminDBField),
        static_cast<QWidget*>(admin.cbxAdminDBType), static_cast<QWidget*>(admin.scbAdminDB),
        static_cast<QWidget*>(admin.scbAdminDBH)})
    EXPECT_TRUE(admin.pnlAdminDB->rect().contains(w->geometry())) << w->objectName().toStdString();
  // The grid under the sort row, read-only over the shared cursor, with the two bars.
  TspSkinDBGrid* grid = admin.dbgAdmin;
  EXPECT_EQ(grid->parentWidget(), admin.pnlAdminDB);
  EXPECT_EQ(grid->size(), QSize(209, 215));
  EXPECT_GT(grid->y(), field.bottom());
  EXPECT_TRUE(admin.pnlAdminDB->rect().contains(grid->geometry()));
  EXPECT_TRUE(grid->ReadOnly());
  EXPECT_EQ(grid->DataSource(), &Form->DSMain);
  EXPECT_EQ(grid->SkinDataName(), "grid");
  EXPECT_EQ(grid->DefaultRowHeight(), 17);
  EXPECT_EQ(grid->TitleFont().pixelSize(), 13);
  EXPECT_EQ(grid->TitleFontColor(), clBtnText);
  EXPECT_FALSE(grid->UseSkinCellHeight());
  EXPECT_FALSE(grid->MouseWheelSupport());
  EXPECT_EQ(grid->VScrollBar(), admin.scbAdminDB);
  EXPECT_EQ(grid->HScrollBar(), admin.scbAdminDBH);
  EXPECT_EQ(grid->Columns().Count(), UsersFieldNames().size());
  EXPECT_EQ(admin.scbAdminDB->Kind(), TspScrollBarKind::sbVertical);
  EXPECT_EQ(admin.scbAdminDBH->Kind(), TspScrollBarKind::sbHorizontal);
  // Four accounts fit; the ten columns do not.
  EXPECT_FALSE(admin.scbAdminDB->isVisibleTo(admin.pnlAdminDB));
  EXPECT_TRUE(admin.scbAdminDBH->isVisibleTo(admin.pnlAdminDB));
  EXPECT_TRUE(admin.scbAdminDBH->geometry().top() >= grid->geometry().bottom());
  // The tab rule filled the sort list with the accounts' fields.
  EXPECT_EQ(admin.cbxAdminDBField->Items(), UsersFieldNames());
  EXPECT_EQ(admin.cbxAdminDBField->Text(), "ID");
  ExpectNoReports();
}

TEST_F(AdminTest, TheChooserSwitchesTheTableAndFitsTheButtonsToIt) {
  MakeShelter();
  StartAsAdmin();
  SelectUser("ella");
  ASSERT_FALSE(Details().isEmpty());

  Pick(Admin().cbxAdminDB, "Animals");
  EXPECT_EQ(Cursor().TableName(), "Animals");
  EXPECT_EQ(Admin().cbxAdminDBField->Items(), AnimalsFieldNames());
  EXPECT_EQ(Admin().cbxAdminDBField->Text(), "ID");
  EXPECT_TRUE(Details().isEmpty());
  EXPECT_FALSE(PictureShown());
  EXPECT_FALSE(PromoteShown());
  EXPECT_EQ(Admin().btnAdminDelete->width(), 129);

  // Back on Users, and the first row current again.
  Cursor().Last();
  Pick(Admin().cbxAdminDB, "Users");
  EXPECT_EQ(Cursor().TableName(), "Users");
  EXPECT_EQ(Cursor().RecNo(), 1);
  EXPECT_EQ(Admin().cbxAdminDBField->Items(), UsersFieldNames());
  EXPECT_TRUE(PromoteShown());
  EXPECT_EQ(Admin().btnAdminDelete->width(), 65);

  // After browsing, selecting the Admin tab brings the chooser to "Animals" and runs it.
  ClickTab(Form->tbsAdopt);
  ClickTab(Form->tbsAdmin);
  EXPECT_EQ(Admin().cbxAdminDB->Text(), "Animals");
  EXPECT_FALSE(PromoteShown());
  EXPECT_EQ(Admin().btnAdminDelete->width(), 129);
  ExpectNoReports();
}

TEST_F(AdminTest, EitherListSortsAndAVisitToBrowseDropsTheSort) {
  MakeShelter(
      {Animal("Rex", "Dog"), Animal("ann", "Dog"), Animal("Zed", "Cat"), Animal("Bea", "Dog")});
  StartAsAdmin();
  Pick(Admin().cbxAdminDB, "Animals");
  const QStringList natural = {"Rex", "ann", "Zed", "Bea"};
  ASSERT_EQ(Column("AnimalName"), natural);

  Pick(Admin().cbxAdminDBField, "AnimalName");
  EXPECT_EQ(Column("AnimalName"), QStringList({"ann", "Bea", "Rex", "Zed"}));
  Pick(Admin().cbxAdminDBType, "DESC");
  EXPECT_EQ(Cursor().Sort(), "AnimalName DESC");
  EXPECT_EQ(Column("AnimalName"), QStringList({"Zed", "Rex", "Bea", "ann"}));
  // The row shown stays current through a sort.
  SelectRow("AnimalName", "Bea");
  Pick(Admin().cbxAdminDBField, "Type");
  EXPECT_EQ(Column("AnimalName"), QStringList({"Rex", "ann", "Bea", "Zed"}));
  EXPECT_EQ(Cursor().FieldByName("AnimalName").toString(), "Bea");
  Pick(Admin().cbxAdminDBField, "AnimalName");

  // Browse reopens the table; returning shows it in its natural order, and so do the lists.
  ClickTab(Form->tbsAdopt);
  EXPECT_EQ(Column("AnimalName"), natural);
  ClickTab(Form->tbsAdmin);
  EXPECT_EQ(Cursor().TableName(), "Animals");
  EXPECT_EQ(Column("AnimalName"), natural);
  EXPECT_EQ(Admin().cbxAdminDBField->Text(), "ID");
  EXPECT_EQ(Admin().cbxAdminDBType->Text(), "ASC");
  ExpectNoReports();
}

TEST_F(AdminTest, TheDetailsListEveryValueButNulls) {
  MakeShelter({{"Rex", "Dog", "Brown", QVariant(), "Male", "2024-03-01", true, "K7"},
               {"Ann", "Dog", "Grey", "Pug", "Female", "2023-12-24", false, "K8"}});
  StartAsAdmin();
  SelectUser("ella");
  EXPECT_EQ(Details(),
            QStringList({"ID: 2", "Username: ella",
                         "Password: " + Cursor().FieldByName("Password").toString(),
                         "FullName: ella Full", "Email: ella@vorns.org", "Phone: (012) 345-6789",
                         "Address: 1 Road", "Picture: Default", "Admin: 0", "Employee: -1"}));

  Pick(Admin().cbxAdminDB, "Animals");
  const QLocale locale = QLocale::system();
  // A null breed and the null CheckOut have no line.
  Execute("UPDATE \"Animals\" SET \"CheckOut\" = ? WHERE \"AnimalName\" = 'Ann'",
          {QDate(2024, 1, 5)});
  Cursor().Refresh();
  SelectRow("AnimalName", "Rex");
  EXPECT_EQ(Details(),
            QStringList({"ID: 1", "AnimalName: Rex", "Type: Dog", "Colour: Brown", "Sex: Male",
                         "CheckIn: " + locale.toString(QDate(2024, 3, 1), QLocale::ShortFormat),
                         "Adopt: -1", "KennelID: K7"}));
  SelectRow("AnimalName", "Ann");
  EXPECT_EQ(Details().mid(5, 4),
            QStringList({"Sex: Female",
                         "CheckIn: " + locale.toString(QDate(2023, 12, 24), QLocale::ShortFormat),
                         "CheckOut: " + locale.toString(QDate(2024, 1, 5), QLocale::ShortFormat),
                         "Adopt: 0"}));
  ExpectNoReports();
}

TEST_F(AdminTest, TheRowShowsItsRoleOrKindPicture) {
  MakeShelter();
  StartAsAdmin();
  // The roles' pictures; only an administrator's row sets the caption.
  Admin().btnAdminPromote->SetCaption("Promote");
  const struct {
    const char* Name;
    QColor Picture;
    const char* Caption;
  } accounts[] = {{"milo", kMemberColor, "Promote"},
                  {"ella", kEmployeeColor, "Promote"},
                  {"boss", kAdminColor, "Demote"},
                  {"milo", kMemberColor, "Demote"},
                  {"both", kAdminColor, "Demote"}};
  for (const auto& a : accounts) {
    SCOPED_TRACE(a.Name);
    SelectUser(a.Name);
    EXPECT_TRUE(PictureShown());
    EXPECT_TRUE(Near(PictureColor(), a.Picture));
    EXPECT_EQ(Admin().btnAdminPromote->Caption(), a.Caption);
  }
  // A role without its file keeps the picture shown before.
  QFile::remove(Path("img/Member.jpg"));
  SelectUser("milo");
  EXPECT_TRUE(PictureShown());
  EXPECT_TRUE(Near(PictureColor(), kAdminColor));
  ExpectNoReports();

  // Animals: the kind's picture, or none with code 492.
  Pick(Admin().cbxAdminDB, "Animals");
  SelectRow("AnimalName", "Rex");
  EXPECT_TRUE(PictureShown());
  EXPECT_TRUE(Near(PictureColor(), kDogColor));
  SelectRow("AnimalName", "Zed");
  EXPECT_FALSE(PictureShown());
  EXPECT_EQ(BannerCode(), "492");
  EXPECT_EQ(Details().value(2), "Type: Cat");
  ExpectNoReports();

  // A null kind ends the picture step with the conversion error, the lines shown.
  Execute("UPDATE \"Animals\" SET \"Type\" = NULL WHERE \"AnimalName\" = 'Rex'");
  Cursor().Refresh();
  ClickCell(0, 1);
  EXPECT_EQ(Details().value(1), "AnimalName: Rex");
  EXPECT_EQ(Reports, QStringList("Could not convert variant of type (Null) into type (String)"));
}

TEST_F(AdminTest, PromoteLeadsAMemberToAdministratorAndDemoteBackToEmployee) {
  MakeShelter();
  StartAsAdmin();
  SelectUser("milo");
  const struct {
    const char* Role;
    const char* Caption;
    const char* Line;
  } steps[] = {{"0/1", "Promote", "Employee: -1"},
               {"1/0", "Demote", "Admin: -1"},
               {"0/1", "Promote", "Employee: -1"},
               {"1/0", "Demote", "Admin: -1"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Role);
    Click(Admin().btnAdminPromote);
    EXPECT_EQ(Role("milo"), step.Role);
    EXPECT_EQ(Admin().btnAdminPromote->Caption(), step.Caption);
    // The changed row stays current and is shown.
    EXPECT_EQ(Cursor().FieldByName("Username").toString(), "milo");
    EXPECT_TRUE(Details().contains(step.Line));
  }
  // An administrator also flagged employee stays administrator, no longer employee.
  SelectUser("both");
  Click(Admin().btnAdminPromote);
  EXPECT_EQ(Role("both"), "1/0");
  EXPECT_EQ(Role("ella"), "0/1");
  // The logged-in screens stay as they were.
  EXPECT_TRUE(Form->tbsAdmin->TabVisible());
  ExpectNoReports();
}

TEST_F(AdminTest, TheAdministratorsOwnRowIsRefusedInAnyCapitals) {
  MakeShelter();
  StartAsAdmin("BoSS");
  ASSERT_EQ(Form->CurrentUser, "BoSS");
  SelectUser("boss");
  const QStringList before = TableText("Users");
  Click(Admin().btnAdminPromote);
  EXPECT_EQ(BannerCode(), "0");
  EXPECT_EQ(ConsoleLines().last(), "ERROR(0):Cant demote self:Can Not Demote self.");
  EXPECT_EQ(TableText("Users"), before);
  // The row is shown again.
  EXPECT_TRUE(Details().contains("Username: boss"));
  EXPECT_TRUE(Near(PictureColor(), kAdminColor));
  ExpectNoReports();
}

TEST_F(AdminTest, DeleteRemovesTheRowAtOnceAlsoTheAdministratorsOwn) {
  MakeShelter();
  StartAsAdmin();
  SelectUser("boss");
  Click(Admin().btnAdminDelete);
  EXPECT_TRUE(Query("SELECT * FROM \"Users\" WHERE \"Username\" = 'boss'").empty());
  EXPECT_EQ(Cursor().RecordCount(), 3);
  EXPECT_EQ(Cursor().FieldByName("Username").toString(), "ella");
  EXPECT_TRUE(Details().isEmpty());
  EXPECT_FALSE(PictureShown());

  Pick(Admin().cbxAdminDB, "Animals");
  SelectRow("AnimalName", "Zed");
  Click(Admin().btnAdminDelete);
  EXPECT_EQ(Column("AnimalName"), QStringList({"Rex", "Ann"}));
  // The cat's missing picture reported 492 before; nothing since.
  ExpectNoReports();
}

TEST_F(AdminTest, AClickOrAKeyInTheGridShowsThatRow) {
  MakeShelter();
  StartAsAdmin();
  ASSERT_TRUE(Details().isEmpty());
  // Milo's name, the third row.
  ClickCell(2, 1);
  EXPECT_EQ(Cursor().FieldByName("Username").toString(), "milo");
  EXPECT_TRUE(Details().contains("Username: milo"));
  EXPECT_TRUE(PictureShown());
  EXPECT_TRUE(Near(PictureColor(), kMemberColor));
  // The arrow keys move the row; their release shows it.
  TspSkinDBGrid* grid = Admin().dbgAdmin;
  QTest::keyClick(grid, Qt::Key_Up);
  EXPECT_TRUE(Details().contains("Username: ella"));
  EXPECT_TRUE(Near(PictureColor(), kEmployeeColor));
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_TRUE(Details().contains("Username: both"));
  EXPECT_EQ(Admin().btnAdminPromote->Caption(), "Demote");

  // Promote acts on the row the grid shows, which follows the cursor's changes.
  ClickCell(1, 2);
  Click(Admin().btnAdminPromote);
  EXPECT_EQ(Role("ella"), "1/0");
  EXPECT_EQ(grid->CellText(grid->DataLink().ActiveRecord(), *grid->Columns()[8]), "True");
  ExpectNoReports();
}

TEST_F(AdminTest, OnAnEmptyTableTheHandlersDoNothing) {
  MakeShelter({});
  StartAsAdmin();
  SelectUser("ella");
  Pick(Admin().cbxAdminDB, "Animals");
  ASSERT_TRUE(Cursor().IsEmpty());
  const int lines = ConsoleLines().size();
  Admin().dbgAdminCellClick();
  Admin().dbgAdminKeyUp();
  QTest::keyClick(Admin().dbgAdmin, Qt::Key_Down);
  Click(Admin().btnAdminDelete);
  EXPECT_TRUE(Details().isEmpty());
  EXPECT_FALSE(PictureShown());
  EXPECT_EQ(ConsoleLines().size(), lines);

  // Every account deleted, the administrator's own among them: nothing to promote either.
  Pick(Admin().cbxAdminDB, "Users");
  while (!Cursor().IsEmpty()) Click(Admin().btnAdminDelete);
  Click(Admin().btnAdminDelete);
  Click(Admin().btnAdminPromote);
  Admin().dbgAdminCellClick();
  EXPECT_TRUE(Details().isEmpty());
  EXPECT_EQ(ConsoleLines().size(), lines);
  ExpectNoReports();
}

} // namespace
