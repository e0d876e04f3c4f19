// Adding animals: the Employee page's rows, each refusal (a missing field, an empty or
// invalid check-in date) in the order of the checks, and the stored rows with the date, the
// kennel ID as typed, the chosen sex and the adoption flag.
#include "account_steps.h"

#include "app/employee_page.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/month_calendar.h"
#include "skin/controls/panel.h"
#include "skin/controls/popup_calendar.h"
#include "skin/controls/radio_group.h"

#include <QDate>

namespace {

// What an employee types; an empty text (or no type key) leaves its field untouched.
struct TAddition {
  QString Name;
  char TypeKey = 0;
  QString Colour, Breed, CheckIn, Kennel;
};

const TAddition kRex{"Rex", 'D', "Brown", "Boxer", "20240301", "007"};

class EmployeeTest : public TAccountTest {
protected:
  void SetUp() override {
    TAccountTest::SetUp();
    MakeDatabase({{"staff", "Keeper!77", "Staff Member", "staff@vorns.org", "(012)333-4444",
                   "2 Low St", "Default", false, true}},
                 {Animal("Ann", "Rabbit")});
  }

  // Logged in as an employee, on the Employee page through its tab.
  TEmployeePage& OpenEmployee() {
    StartForm();
    LogIn(QStringLiteral("staff"), QStringLiteral("Keeper!77"));
    ClickEmployeeTab();
    return Form->EmployeePage();
  }

  void ClickEmployeeTab() {
    TspSkinPageControl* pages = Form->pctMain;
    QTest::mouseClick(pages, Qt::LeftButton, {},
                      pages->TabRect(Form->tbsEmployee->TabIndex()).center());
    ASSERT_EQ(pages->ActivePage(), Form->tbsEmployee);
  }

  void Fill(const TAddition& a) {
    TEmployeePage& page = Form->EmployeePage();
    if (!a.Name.isEmpty()) Type(page.edtAddName, a.Name);
    if (a.TypeKey) {
      page.cbxAddType->setFocus();
      QTest::keyClick(page.cbxAddType, a.TypeKey);
    }
    if (!a.Colour.isEmpty()) Type(page.edtAddColour, a.Colour);
    if (!a.Breed.isEmpty()) Type(page.edtAddBreed, a.Breed);
    if (!a.CheckIn.isEmpty()) {
      Type(page.edtAddCheckIn, {});
      QTest::keyClick(Typing(page.edtAddCheckIn), Qt::Key_Home);
      QTest::keyClicks(Typing(page.edtAddCheckIn), a.CheckIn);
    }
    if (!a.Kennel.isEmpty()) Type(page.edtAddKennel, a.Kennel);
  }

  std::vector<QSqlRecord> Animals() const {
    return Query(QStringLiteral("SELECT * FROM \"Animals\" ORDER BY \"ID\""));
  }
};

TEST_F(EmployeeTest, ThePageHoldsItsRows) {
  TEmployeePage& page = OpenEmployee();
  EXPECT_EQ(page.lblEmployeeHeader->Caption(), "Employee Functions");
  TspSkinPanel* panel = page.pnlEmployeeAdd;
  EXPECT_EQ(panel->size(), QSize(377, 305));
  EXPECT_EQ(panel->Caption(), "Add A Pet");
  const QRect sheet = Form->tbsEmployee->rect();
  EXPECT_LE(std::abs(panel->geometry().center().x() - sheet.center().x()), 1);

  int previousBottom =
      ExpectFieldRows(panel, panel->CaptionRect().bottom(),
                      {
                          {"lblAddName", "Name", page.edtAddName, "Pet Name"},
                          {"lblAddType", "Type", page.cbxAddType, "Pet Type"},
                          {"lblAddColour", "Colour", page.edtAddColour, ""},
                          {"lblAddBreed", "Breed", page.edtAddBreed, ""},
                          {"lblAddCheckIn", "Check In Date", page.edtAddCheckIn, ""},
                          {"lblAddKennel", "Kennel ID", page.edtAddKennel, ""},
                      });
  for (QWidget* below :
       {static_cast<QWidget*>(page.rgpAddSex), static_cast<QWidget*>(page.cbxEmployeeAdopt),
        static_cast<QWidget*>(page.btnEmployeeAdd)}) {
    SCOPED_TRACE(below->objectName().toStdString());
    EXPECT_GT(below->y(), previousBottom);
    EXPECT_TRUE(panel->rect().contains(below->geometry()));
    previousBottom = below->geometry().bottom();
  }

  EXPECT_EQ(page.cbxAddType->Items(), QStringList({"Cat", "Dog", "Rabbit", "Snake", "Scorpion"}));
  EXPECT_EQ(page.cbxAddType->Style(), TspComboBoxStyle::spcbFixedStyle);
  EXPECT_EQ(page.cbxAddType->ItemIndex(), -1);
  EXPECT_EQ(page.edtAddCheckIn->EditMask(), "!9999/99/99;1; ");
  EXPECT_EQ(page.edtAddCheckIn->MaxLength(), 10);
  EXPECT_EQ(page.rgpAddSex->Caption(), "Sex");
  EXPECT_EQ(page.rgpAddSex->Items(), QStringList({"Male", "Female"}));
  EXPECT_EQ(page.rgpAddSex->Columns(), 2);
  EXPECT_EQ(page.rgpAddSex->ItemIndex(), 0);
  EXPECT_EQ(page.cbxEmployeeAdopt->Caption(), "Up For Adoption");
  EXPECT_FALSE(page.cbxEmployeeAdopt->Checked());
  EXPECT_EQ(page.btnEmployeeAdd->Caption(), "Add");
  EXPECT_EQ(page.btnEmployeeAdd->toolTip(), "Add Pet To Database");
}

TEST_F(EmployeeTest, AMissingFieldOrABadDateIsRefusedAndNothingAdded) {
  const auto with = [](auto change) {
    TAddition a = kRex;
    change(a);
    return a;
  };
  const struct {
    const char* Name;
    TAddition Input;
  } cases[] = {
      {"nothing", {}},
      {"no name", with([](auto& a) { a.Name.clear(); })},
      {"no type", with([](auto& a) { a.TypeKey = 0; })},
      {"no colour", with([](auto& a) { a.Colour.clear(); })},
      {"no breed", with([](auto& a) { a.Breed.clear(); })},
      {"empty date", with([](auto& a) { a.CheckIn.clear(); })},
      {"year only", with([](auto& a) { a.CheckIn = "2024"; })},
      {"month 13", with([](auto& a) { a.CheckIn = "20241301"; })},
      {"29 February 2023", with([](auto& a) { a.CheckIn = "20230229"; })},
      {"no kennel", with([](auto& a) { a.Kennel.clear(); })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEmployeePage& page = OpenEmployee();
    const QStringList before = TableText("Animals");
    Fill(c.Input);
    Click(page.btnEmployeeAdd);
    EXPECT_EQ(BannerCode(), "426");
    EXPECT_TRUE(ConsoleLines().last().startsWith(
        QStringLiteral("ERROR(426):No text in fields:No text found in Add Fields.")));
    EXPECT_EQ(QApplication::focusWidget(), Typing(page.edtAddName));
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEmployee);
    EXPECT_EQ(TableText("Animals"), before);
    CloseForm();
  }
}

TEST_F(EmployeeTest, EachAddStoresARowAsTypedAndShowsTheProfile) {
  TEmployeePage& page = OpenEmployee();
  Fill(kRex);
  // Female, by a click on its button; "Up For Adoption" left unchecked.
  Click(page.rgpAddSex->Button(1));
  ASSERT_EQ(page.rgpAddSex->ItemIndex(), 1);
  ASSERT_EQ(page.cbxAddType->Text(), "Dog");
  Click(page.btnEmployeeAdd);
  EXPECT_TRUE(BannerCode().isEmpty()) << BannerCode().toStdString();
  EXPECT_EQ(ConsoleLines().last(), "Added successfully!");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
  EXPECT_EQ(Form->ADOUsers.FieldByName("AnimalName").toString(), "Rex");

  // The fields keep their contents: a second click adds the same animal again, and a third
  // one, checked, is up for adoption.
  ClickEmployeeTab();
  Click(page.btnEmployeeAdd);
  ClickEmployeeTab();
  Click(page.cbxEmployeeAdopt);
  Click(page.btnEmployeeAdd);

  const auto rows = Animals();
  ASSERT_EQ(rows.size(), 4u);
  const bool adopt[] = {false, false, true};
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    const QSqlRecord& row = rows[i];
    EXPECT_EQ(row.value("AnimalName").toString(), "Rex");
    EXPECT_EQ(row.value("Type").toString(), "Dog");
    EXPECT_EQ(row.value("Colour").toString(), "Brown");
    EXPECT_EQ(row.value("Breed").toString(), "Boxer");
    EXPECT_EQ(row.value("Sex").toString(), "Female");
    EXPECT_EQ(row.value("CheckIn").toDate(), QDate(2024, 3, 1));
    EXPECT_TRUE(row.value("CheckOut").isNull());
    EXPECT_EQ(row.value("Adopt").toBool(), adopt[i - 1]);
    // Text, leading zeros kept.
    EXPECT_EQ(row.value("KennelID").toString(), "007");
    EXPECT_NE(row.value("ID"), rows[i - 1].value("ID"));
  }
}

TEST_F(EmployeeTest, TheCheckInDateIsPickedFromTheCalendarUnderTheField) {
  TEmployeePage& page = OpenEmployee();
  Fill({"Rex", 'D', "Brown", "Boxer", "", "12"});
  TspSkinDateEdit* date = page.edtAddCheckIn;
  QTest::mouseClick(Form->windowHandle(), Qt::LeftButton, {},
                    date->mapTo(Form.get(), date->ButtonRect().center()));
  TspPopupCalendar* calendar = date->Calendar();
  ASSERT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->size(), QSize(200, 150));
  EXPECT_EQ(calendar->SkinDataName(), "panel");
  EXPECT_EQ(calendar->FirstDayOfWeek(), TspDaysOfWeek::Sun);
  EXPECT_EQ(calendar->mapToGlobal(QPoint(0, 0)), date->mapToGlobal(QPoint(0, date->height())));
  // An empty field opens on today; the previous month's 17th is picked with a step back.
  QTest::mouseClick(calendar->PriorMonthButton(), Qt::LeftButton);
  const TspCalendarGeometry g = calendar->CalendarGeometry();
  QPoint day17;
  for (int row = 1; row <= 6; ++row)
    for (int column = 0; column < 7; ++column)
      if (TspSkinMonthCalendar::DayNumber(g, row, column) == 17)
        day17 = calendar->CellRect(g, row, column).center();
  QTest::mouseClick(calendar, Qt::LeftButton, {}, day17);
  EXPECT_FALSE(calendar->isVisible());
  const QDate today = QDate::currentDate();
  const QDate picked(today.addMonths(-1).year(), today.addMonths(-1).month(), 17);
  EXPECT_EQ(date->Date(), picked);
  Click(page.btnEmployeeAdd);
  EXPECT_TRUE(BannerCode().isEmpty()) << BannerCode().toStdString();
  EXPECT_EQ(Animals().back().value("CheckIn").toDate(), picked);
}

TEST_F(EmployeeTest, WithoutTheDatabaseAddingIsRefusedFirst) {
  RemoveDatabase();
  StartForm();
  Form->EmployeePage().btnEmployeeAddClick();
  EXPECT_EQ(BannerCode(), "493");
}

} // namespace
