// The animal page and its CAPTCHA adoption: the opening with its details and picture rules,
// the CAPTCHA's draws, the adoption's refusals (205, 391, 491, 252) and its success (the
// receipt of the shown animal in gen/, the Profile page), the processing overlay and Back.
#include "browse_fixture.h"

#include "app/animal_page.h"
#include "app/error_banner.h"
#include "app/profile_page.h"
#include "skin/controls/wave_label.h"

#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace {

const QColor kRexColor(200, 40, 40);
const QColor kDogColor(40, 160, 40);

class AnimalPageTest : public TBrowseFixture {
protected:
  // Ann, Rex and Tom (not up for adoption), each in a kennel of its own; the member milo.
  void Start() {
    MakeDatabase({{"milo", "x", "Milo Member", "milo@vorns.org", "(012) 333-4444", "3 Mid St",
                   "Default", false, false}},
                 {{"Ann", "Rabbit", "White", "Lop", "Female", {}, true, "K-Ann"},
                  {"Rex", "Dog", "Brown", "Mixed", "Male", {}, true, "K-Rex"},
                  {"Tom", "Cat", "Grey", "Tabby", "Male", {}, false, "K-Tom"}});
    MakeFolder("img");
    MakePicture("img/Rex2.jpg", kRexColor);
    MakePicture("img/Dog.jpg", kDogColor);
    MakePicture("img/Rabbit.jpg", Qt::blue);
    StartOnBrowse();
    // Logged in under another spelling: the receipt takes the name as stored.
    Form->CurrentUser = "MILO";
  }

  TAnimalPage& Page() const { return Form->AnimalPage(); }

  // "Adopt" on the Browse page for result `index`.
  void OpenAnimal(int index) {
    ClickResult(index);
    ASSERT_TRUE(Browse().btnBrowseAdopt->isVisibleTo(Browse().pnlBrowseResults));
    QTest::mouseClick(Browse().btnBrowseAdopt, Qt::LeftButton);
  }

  // Types the answer and confirms it with Enter.
  void Answer(const QString& text) {
    Page().edtAnimalValidate->SetText({});
    QTest::keyClicks(Page().edtAnimalValidate->Editor(), text);
    QTest::keyClick(Page().edtAnimalValidate->Editor(), Qt::Key_Return);
  }

  void SetAdopt(const QString& name, bool adopt) {
    auto connection = OpenDatabase();
    QSqlQuery query(connection->Database());
    ASSERT_TRUE(query.prepare("UPDATE \"Animals\" SET \"Adopt\" = ? WHERE \"AnimalName\" = ?"));
    query.addBindValue(adopt);
    query.addBindValue(name);
    ASSERT_TRUE(query.exec());
  }

  QString Captcha() const { return Page().lblAnimalCAPTCHA->Caption(); }
  QString ErrorCode() const { return Form->ErrorBanner().lblErrorCode->Caption(); }
  QColor PictureColor() const {
    const QImage& picture = Page().imgAnimalsAdopt->Picture();
    return picture.isNull() ? QColor() : picture.pixelColor(picture.rect().center());
  }

  QStringList Receipts() const {
    return QDir(Path("gen")).entryList({"*.html"}, QDir::Files, QDir::Name);
  }
  QString ReadReceipt(const QString& name) const {
    QFile file(Path("gen/" + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
  }
  // The overlays on the window now.
  int Overlays() const {
    return int(Form->Client()
                   ->findChildren<QWidget*>("ProcessingPanel", Qt::FindDirectChildrenOnly)
                   .size());
  }
  // Lets the overlay's timer tick once.
  void WaitForTheOverlaysTick() {
    ASSERT_TRUE(Form->tmrDynamic->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Form->tmrDynamic->isActive(); },
                                Form->tmrDynamic->interval() + 5000));
  }
};

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
         std::abs(a.blue() - b.blue()) < 12;
}

TEST_F(AnimalPageTest, OpeningShowsTheAnimalItsPictureAndAFreshCaptcha) {
  Start();
  Page().edtAnimalValidate->SetText("OLD");
  OpenAnimal(1);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAnimal);
  EXPECT_TRUE(Form->tbsAnimal->TabVisible());
  EXPECT_EQ(Form->tbsAnimal->Caption(), "Rex");
  EXPECT_EQ(Page().lblAnimalHeader->Caption(), "Details");
  EXPECT_EQ(Page().lblAnimalName->Caption(), "Rex");
  EXPECT_EQ(Page().lblAnimalDetails->Lines(),
            QStringList({"ID: \t2", "Name: \tRex", "Type: \tDog", "Colour: \tBrown",
                         "Breed: \tMixed", "Sex: \tMale", "Kennel: \tK-Rex", "Adopt: \tYes"}));
  // The animal's own picture wins over its kind's.
  EXPECT_TRUE(Near(PictureColor(), kRexColor));
  EXPECT_TRUE(Page().edtAnimalValidate->Text().isEmpty());
  EXPECT_EQ(Captcha().size(), 6);
  EXPECT_TRUE(Page().edtAnimalValidate->Editor()->hasFocus());

  // Back: the answer goes, the Browse page shows, the tab stays.
  QTest::keyClicks(Page().edtAnimalValidate->Editor(), "abc");
  QTest::mouseClick(Page().btnAnimalsBack, Qt::LeftButton);
  EXPECT_TRUE(Page().edtAnimalValidate->Text().isEmpty());
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAdopt);
  EXPECT_TRUE(Form->tbsAnimal->TabVisible());

  // Ann has only her kind's picture.
  OpenAnimal(0);
  EXPECT_EQ(Form->tbsAnimal->Caption(), "Ann");
  EXPECT_TRUE(Near(PictureColor(), Qt::blue));
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(AnimalPageTest, WithoutAPictureTheImageIsEmptiedAndCode492Shown) {
  Start();
  OpenAnimal(1);
  ASSERT_FALSE(Page().imgAnimalsAdopt->Picture().isNull());
  QFile::remove(Path("img/Rex2.jpg"));
  QFile::remove(Path("img/Dog.jpg"));
  QTest::mouseClick(Page().btnAnimalsBack, Qt::LeftButton);
  OpenAnimal(1);
  EXPECT_EQ(ErrorCode(), "492");
  EXPECT_TRUE(Page().imgAnimalsAdopt->Picture().isNull());
  EXPECT_EQ(Page().lblAnimalDetails->Lines().size(), 8);
}

TEST_F(AnimalPageTest, TheCaptchaDrawsInItsOrderAndRanges) {
  Start();
  OpenAnimal(1);
  // The same seed in a generator of our own gives the draws the page must make.
  Form->Random.seed(20261210);
  QRandomGenerator expected(20261210);
  QTest::mouseClick(Page().btnAnimalsReload, Qt::LeftButton);
  QString letters;
  for (int i = 0; i < 6; ++i) letters += QChar('A' + expected.bounded(26));
  const int sign = expected.bounded(2);
  const int size = 15 + expected.bounded(10);
  const bool strikeOut = expected.bounded(2) == 1;
  TspSkinWaveLabel* label = Page().lblAnimalCAPTCHA;
  EXPECT_EQ(label->Caption(), letters);
  EXPECT_EQ(label->XDiv(), sign == 1 ? size : -size);
  EXPECT_EQ(label->Font().strikeOut(), strikeOut);
  EXPECT_EQ(label->Font().bold(), !strikeOut);
  EXPECT_EQ(label->YDiv(), 15 + expected.bounded(5));
  EXPECT_EQ(label->RatioVal(), 10 + expected.bounded(5));
  EXPECT_TRUE(Page().edtAnimalValidate->Editor()->hasFocus());

  QSet<int> xDivs, yDivs, ratios;
  QSet<QChar> seen;
  for (int i = 0; i < 400; ++i) {
    QTest::mouseClick(Page().btnAnimalsReload, Qt::LeftButton);
    ASSERT_TRUE(QRegularExpression("^[A-Z]{6}$").match(label->Caption()).hasMatch())
        << label->Caption().toStdString();
    for (QChar c : label->Caption()) seen.insert(c);
    xDivs.insert(label->XDiv());
    yDivs.insert(label->YDiv());
    ratios.insert(label->RatioVal());
    EXPECT_NE(label->Font().bold(), label->Font().strikeOut());
  }
  QSet<int> wantedX;
  for (int r = 15; r <= 24; ++r) wantedX << r << -r;
  EXPECT_EQ(xDivs, wantedX);
  EXPECT_EQ(yDivs, QSet<int>({15, 16, 17, 18, 19}));
  EXPECT_EQ(ratios, QSet<int>({10, 11, 12, 13, 14}));
  EXPECT_EQ(seen.size(), 26);
}

TEST_F(AnimalPageTest, WrongAnswersAndAnimalsNotUpForAdoptionAreRefused) {
  Start();
  OpenAnimal(1);
  for (const QString& wrong : {" " + Captcha(), Captcha() + " ", QString("QQQQQQ"), QString()}) {
    SCOPED_TRACE(wrong.toStdString());
    const QString before = Captcha();
    const int lines = ConsoleLines().size();
    Answer(wrong);
    EXPECT_EQ(ErrorCode(), "391");
    EXPECT_EQ(ConsoleLines().mid(lines),
              QStringList("ERROR(391):CAPTCHA Incorrect:CAPTCHA entered is different to "
                          "CAPTCHA. Try again."));
    EXPECT_NE(Captcha(), before);
    EXPECT_TRUE(Page().edtAnimalValidate->Text().isEmpty());
    EXPECT_TRUE(Page().edtAnimalValidate->Editor()->hasFocus());
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAnimal);
  }

  // Rex is taken off adoption on the Admin page while his details are shown: his page
  // opens, and the adoption is code 205 before the CAPTCHA is looked at.
  QTest::mouseClick(Page().btnAnimalsBack, Qt::LeftButton);
  SetAdopt("Rex", false);
  Form->OpenTable(Form->ADOUsers, "Animals"); // as the Browse tab does on the way back
  QTest::mouseClick(Browse().btnBrowseAdopt, Qt::LeftButton);
  EXPECT_EQ(Page().lblAnimalDetails->Lines().value(7), "Adopt: \tNo");
  const QString captcha = Captcha();
  Answer(captcha);
  EXPECT_EQ(ErrorCode(), "205");
  EXPECT_EQ(Captcha(), captcha);
  EXPECT_EQ(Overlays(), 0);
  EXPECT_TRUE(Receipts().isEmpty());
  EXPECT_TRUE(OpenedUrls.isEmpty());
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(AnimalPageTest, ARightAnswerInSmallLettersWritesTheReceiptAndShowsTheProfile) {
  Start();
  OpenAnimal(1);
  const int lines = ConsoleLines().size();
  Answer(Captcha().toLower());
  EXPECT_EQ(ConsoleLines().value(lines), "CAPTCHA Correct");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(Form->CurrentUser, "milo");
  ASSERT_EQ(Receipts(), QStringList("milo.html"));
  EXPECT_EQ(OpenedUrls,
            QStringList(QUrl::fromLocalFile(Path("gen/milo.html")).toString(QUrl::FullyEncoded)));
  const QString receipt = ReadReceipt("milo.html");
  EXPECT_TRUE(QRegularExpression(R"(id="AnimalID"[^>]*>\s*2\s*<)").match(receipt).hasMatch());
  for (const char* value : {"Rex", "K-Rex", "(012) 333-4444", "milo"})
    EXPECT_TRUE(receipt.contains(value)) << value;
  // The database is unchanged: Rex is still up for adoption.
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
  EXPECT_EQ(Form->ADOUsers.RecordCount(), 3);
  ASSERT_TRUE(Form->ADOUsers.Locate("AnimalName", "Rex"));
  EXPECT_EQ(Form->ADOUsers.FieldByName("Adopt"), QVariant(true));

  // The overlay across the window's middle, gone at the timer's tick.
  ASSERT_EQ(Overlays(), 1);
  const QWidget* overlay = Form->ProcessingPanel;
  const QSize client = Form->Client()->size();
  EXPECT_EQ(overlay->geometry(), QRect(100, client.height() / 2 - 100, client.width() - 200, 200));
  const auto* label = overlay->findChild<TspSkinLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "Processing...");
  EXPECT_EQ(label->geometry(), overlay->rect());
  Form->resize(Form->width() + 60, Form->height());
  EXPECT_EQ(overlay->width(), Form->Client()->width() - 200);
  EXPECT_EQ(label->width(), overlay->width());
  EXPECT_EQ(Form->tmrDynamic->interval(), 2000);
  WaitForTheOverlaysTick();
  EXPECT_EQ(Overlays(), 0);
  EXPECT_TRUE(Form->ProcessingPanel.isNull());
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(AnimalPageTest, TheReceiptNamesTheShownAnimalAfterTheCursorMovedAndAFailure) {
  Start();
  OpenAnimal(1);
  const QString captcha = Captcha();
  // The cursor leaves the row: another table, then Animals again on its first row.
  Form->OpenTable(Form->ADOUsers, "Users");
  Form->OpenTable(Form->ADOUsers, "Animals");
  // A file where the folder gen should be: no receipt can be written (code 252).
  QFile blocker(Path("gen"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Answer(captcha);
  EXPECT_EQ(ErrorCode(), "252");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAnimal);
  EXPECT_EQ(Captcha(), captcha);
  ASSERT_EQ(Overlays(), 1);
  const QPointer<TspSkinPanel> first = Form->ProcessingPanel;

  // The same answer again, within the first overlay's two seconds: it is replaced.
  ASSERT_TRUE(QFile::remove(Path("gen")));
  Form->OpenTable(Form->ADOUsers, "Users");
  Answer(captcha);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  ASSERT_EQ(Receipts(), QStringList("milo.html"));
  const QString receipt = ReadReceipt("milo.html");
  EXPECT_TRUE(receipt.contains("K-Rex"));
  EXPECT_FALSE(receipt.contains("Ann"));
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(Overlays(), 1);
  WaitForTheOverlaysTick();
  EXPECT_EQ(Overlays(), 0);

  // Adopting Rex again writes a second, numbered receipt.
  QTest::mouseClick(Form->ProfilePage().btnProfileAdopt, Qt::LeftButton);
  QTest::mouseClick(Browse().btnBrowseAdopt, Qt::LeftButton);
  EXPECT_EQ(Form->tbsAnimal->Caption(), "Rex");
  Answer(Captcha());
  EXPECT_EQ(Receipts(), QStringList({"milo(0).html", "milo.html"}));
  EXPECT_TRUE(ReadReceipt("milo(0).html").contains("K-Rex"));
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(AnimalPageTest, AnAccountDeletedSinceTheLoginAdoptsNothing) {
  Start();
  OpenAnimal(1);
  Form->CurrentUser = "ghost";
  const int lines = ConsoleLines().size();
  Answer(Captcha());
  EXPECT_EQ(ErrorCode(), "491");
  EXPECT_EQ(
      ConsoleLines().mid(lines),
      QStringList({"CAPTCHA Correct",
                   "ERROR(491):Username Not Found:The username you entered does not exist."}));
  EXPECT_EQ(Form->CurrentUser, "ghost");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAnimal);
  EXPECT_EQ(Overlays(), 0);
  EXPECT_FALSE(Form->tmrDynamic->isActive());
  EXPECT_TRUE(Receipts().isEmpty());
  EXPECT_TRUE(OpenedUrls.isEmpty());
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
}

TEST_F(AnimalPageTest, BrowsesAdoptOpensTheShownAnimalOrReports413) {
  Start();
  ClickResult(1);
  // The cursor moves on (the Browse tab or an adoption reopens Animals on its first row).
  Form->OpenTable(Form->ADOUsers, "Animals");
  QTest::mouseClick(Browse().btnBrowseAdopt, Qt::LeftButton);
  EXPECT_EQ(Form->tbsAnimal->Caption(), "Rex");
  QTest::mouseClick(Page().btnAnimalsBack, Qt::LeftButton);
  DeleteAnimal("Rex");
  Form->OpenTable(Form->ADOUsers, "Animals"); // as the Browse tab does on the way back
  QTest::mouseClick(Browse().btnBrowseAdopt, Qt::LeftButton);
  EXPECT_EQ(ErrorCode(), "413");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAdopt);
}

} // namespace
