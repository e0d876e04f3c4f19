// The error banner: texts and console lines of repeated errors, the slide's duration during
// and after start-up, the timer that waits while the mouse is over the banner, "X" and "?".
#include "app_fixture.h"

#include "skin/frame/vestimar.h"

#include "app/error_banner.h"
#include "app/error_codes.h"
#include "app/web_host.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

#include <QCursor>
#include <QFontMetrics>
#include <QTimer>

namespace {

class ErrorBannerTest : public TAppTest {
protected:
  void SetUp() override {
    TAppTest::SetUp();
    MakeDatabase({}, {Animal("Rex", "Dog")});
    StartForm();
    // A short tick keeps the test quick; the rule is the same at 3000 ms.
    Form->tmrErrorMSG->setInterval(60);
    ParkMouse();
  }

  TErrorBanner& Banner() { return Form->ErrorBanner(); }

  // The pointer away from the banner.
  void ParkMouse() { QCursor::setPos(Form->mapToGlobal(QPoint(400, 400))); }
};

TEST_F(ErrorBannerTest, RepeatedErrorsShowTheLastAndLogEach) {
  Form->ShowError("First", 1, "one");
  Form->ShowError("Second", 2, "two");
  Form->ShowError("Cant demote self", 0, "Can Not Demote self.");
  const QStringList lines = ConsoleLines();
  EXPECT_EQ(lines.mid(lines.size() - 3),
            QStringList({"ERROR(1):First:one", "ERROR(2):Second:two",
                         "ERROR(0):Cant demote self:Can Not Demote self."}));
  EXPECT_EQ(Banner().lblErrorCode->Caption(), "0");
  EXPECT_EQ(Banner().lblErrorHeader->Caption(), "Cant demote self");
  EXPECT_EQ(Banner().lblErrorDetails->Caption(), "Can Not Demote self.");
  EXPECT_TRUE(Banner().Shown());
  EXPECT_TRUE(Form->tmrErrorMSG->isActive());

  QTest::mouseClick(Banner().btnErrorQuestion, Qt::LeftButton);
  EXPECT_EQ(OpenedUrls, QStringList("http://" + QString(kProductWebHost) + "/qor/docs.html#0"));
}

TEST_F(ErrorBannerTest, AfterStartUpTheBannerSlidesInAndOut) {
  ASSERT_EQ(Form->ErrorAnimationMs, 200);
  Form->ShowError("Record Not Found", 413, "Record not found in the database.");
  EXPECT_TRUE(Banner().Shown());
  EXPECT_TRUE(Banner().Sliding());
  EXPECT_LT(Banner().pnlErrorMain->y(), 0);
  // The slide alone first: no tick meanwhile.
  Form->tmrErrorMSG->stop();
  QTRY_VERIFY_WITH_TIMEOUT(!Banner().Sliding(), 2000);
  EXPECT_TRUE(Banner().Shown());
  EXPECT_EQ(Banner().pnlErrorMain->y(), 0);
  // The mouse is elsewhere: the next tick slides it away and stops the timer.
  Form->tmrErrorMSG->start();
  QTRY_VERIFY_WITH_TIMEOUT(Banner().Sliding(), 2000);
  EXPECT_LE(Banner().pnlErrorMain->y(), 0);
  QTRY_VERIFY_WITH_TIMEOUT(!Banner().Shown(), 2000);
  EXPECT_FALSE(Form->tmrErrorMSG->isActive());
}

TEST_F(ErrorBannerTest, TheBannerStaysWhileTheMouseIsOverIt) {
  Form->ErrorAnimationMs = 0;
  Form->ShowError("Username Not Found", 491, "The username you entered does not exist.");
  QCursor::setPos(Banner().pnlErrorMain->mapToGlobal(QPoint(300, 30)));
  QTest::qWait(400); // several ticks
  EXPECT_TRUE(Banner().Shown());
  EXPECT_TRUE(Form->tmrErrorMSG->isActive());
  ParkMouse();
  QTRY_VERIFY_WITH_TIMEOUT(!Banner().Shown(), 1000);
  EXPECT_FALSE(Form->tmrErrorMSG->isActive());
}

TEST_F(ErrorBannerTest, CloseSlidesAwayAndLeavesTheTimerToItsTick) {
  Form->ErrorAnimationMs = 0;
  Form->tmrErrorMSG->setInterval(60000);
  Form->ShowError("Password Incorrect", 494,
                  "Password provided does not match password in database.");
  QTest::mouseClick(Banner().btnErrorClose, Qt::LeftButton);
  EXPECT_FALSE(Banner().Shown());
  EXPECT_TRUE(Form->tmrErrorMSG->isActive());
  // A new error comes back in; the running timer keeps its schedule.
  const int remaining = Form->tmrErrorMSG->remainingTime();
  Form->ShowError("Password Incorrect", 494, "again");
  EXPECT_TRUE(Banner().Shown());
  EXPECT_LE(Form->tmrErrorMSG->remainingTime(), remaining);
}

TEST_F(ErrorBannerTest, TheBannerHoldsItsPartsInTheirFonts) {
  const struct {
    QWidget* Part;
    QRect Bounds;
    QFont Font;
    const char* Family;
    int Pixels;
    bool Bold;
  } parts[] = {
      {Banner().lblErrorERR, {0, -5, 161, 57}, Banner().lblErrorERR->font(), "Segoe UI", 47, true},
      {Banner().lblErrorCode,
       {160, -5, 73, 57},
       Banner().lblErrorCode->font(),
       "Segoe UI Light",
       47,
       false},
      {Banner().lblErrorHeader,
       {232, 0, 393, 25},
       Banner().lblErrorHeader->font(),
       "Segoe UI",
       16,
       true},
      {Banner().lblErrorDetails,
       {232, 17, 643, 40},
       Banner().lblErrorDetails->font(),
       "Segoe UI",
       13,
       false},
      {Banner().btnErrorQuestion,
       {875, 0, 49, 57},
       Banner().btnErrorQuestion->DefaultFont(),
       "Segoe UI",
       32,
       true},
      {Banner().btnErrorClose,
       {923, 0, 49, 57},
       Banner().btnErrorClose->DefaultFont(),
       "Segoe UI",
       32,
       true},
  };
  for (const auto& p : parts) {
    SCOPED_TRACE(p.Part->objectName().toStdString());
    EXPECT_EQ(p.Part->geometry(), p.Bounds);
    EXPECT_EQ(p.Font.family(), p.Family);
    EXPECT_EQ(p.Font.pixelSize(), p.Pixels);
    EXPECT_EQ(p.Font.bold(), p.Bold);
  }
  EXPECT_EQ(Banner().lblErrorERR->Caption(), "ERROR");
  // The stand-in faces keep the layout: the ink of the word and of every code stays in its
  // box.
  EXPECT_LT(QFontMetrics(Banner().lblErrorERR->font()).tightBoundingRect("ERROR").right(), 161);
  for (const TErrorCode& error : ErrorCodes::All)
    EXPECT_LT(QFontMetrics(Banner().lblErrorCode->font())
                  .tightBoundingRect(QString::number(error.Code))
                  .right(),
              73)
        << error.Code;
  EXPECT_TRUE(Banner().lblErrorDetails->WordWrap());
  EXPECT_EQ(Banner().btnErrorQuestion->Caption(), "?");
  EXPECT_EQ(Banner().btnErrorQuestion->DefaultFontColor(), TColor(109 | 111 << 8 | 150 << 16));
  EXPECT_EQ(Banner().btnErrorClose->Caption(), "X");
  EXPECT_EQ(Banner().btnErrorClose->DefaultFontColor(), TColor(140 | 77 << 8 | 79 << 16));
}

TEST_F(ErrorBannerTest, TheBannerFollowsTheWindowWidth) {
  Form->resize(Form->frmSkin->FormSizeForClient(QSize(1200, 700)));
  EXPECT_EQ(Banner().pnlErrorMain->geometry(), QRect(-1, 0, 1202, 57));
  EXPECT_EQ(Banner().btnErrorClose->geometry().right(), 1201);
  EXPECT_EQ(Banner().btnErrorQuestion->geometry().right(), Banner().btnErrorClose->x());
  EXPECT_EQ(Banner().lblErrorDetails->width(), 1202 - 232 - 97);
}

} // namespace
