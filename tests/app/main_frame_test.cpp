// The main window in its skinned frame: configured as the application wants it, the
// caption's buttons close (with the shutdown), maximise and restore it, and the layout
// follows the client area.

#include "app_fixture.h"

#include "file_size_limit.h"
#include "platform/profile_file.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/frame/popup_window.h"
#include "skin/frame/skin_menu.h"
#include "skin/frame/vestimar.h"

namespace {

class MainFrameTest : public TAppTest {
protected:
  QPoint CentreOf(const char* name) const {
    for (const auto& o : Form->frmSkin->Objects())
      if (o->IDName == QLatin1String(name)) return o->ObjectRect.ToQRect().center();
    ADD_FAILURE() << "no " << name;
    return {};
  }
  const TspActiveSkinObject* Object(const char* name) const {
    for (const auto& o : Form->frmSkin->Objects())
      if (o->IDName == QLatin1String(name)) return o.get();
    return nullptr;
  }
  void ClickFrame(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseMove(Form.get(), p);
    QTest::mousePress(Form.get(), b, {}, p);
    QTest::mouseRelease(Form.get(), b, {}, p);
  }
  static int ShownPopups() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TspSkinPopupWindow*>(w) && w->isVisible()) ++n;
    return n;
  }
};

TEST_F(MainFrameTest, TheWindowWearsTheSkinnedFrameWithTheApplicationsSettings) {
  StartForm();
  TspVestimar* frame = Form->frmSkin;
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(frame->IsSkinned());
  EXPECT_EQ(frame->SkinData(), Form->spSkinForm);
  EXPECT_EQ(Form->Client(), frame->ClientWidget());
  EXPECT_EQ(Form->Client()->geometry(), frame->ClientRect().ToQRect());
  EXPECT_EQ(frame->BorderIcons(),
            TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize | TspBorderIcon::biMaximize);
  EXPECT_TRUE(frame->DisableSystemMenu());
  EXPECT_FALSE(frame->Magnetic());
  EXPECT_EQ(frame->PositionInMonitor(), TspPositionInMonitor::sppDesktopCenter);
  // Close, maximise and minimise show; the system-menu button does not.
  for (const char* name : {"closebutton", "maxbutton", "minbutton"})
    EXPECT_TRUE(Object(name)->Visible) << name;
  EXPECT_FALSE(Object("sysmenubutton")->Visible);
  // The controls' menus open through the frame's menu host.
  EXPECT_EQ(TspSkinMenu::ForWindow(Form->pctMain), frame->SkinMenu());
  // Neither a right click on the caption nor Alt+Space opens a system menu.
  ClickFrame({200, 15}, Qt::RightButton);
  QTest::keyClick(Form.get(), Qt::Key_Space, Qt::AltModifier);
  EXPECT_EQ(ShownPopups(), 0);
}

TEST_F(MainFrameTest, MaximiseAndRestoreByTheCaptionButtonTheLayoutFollowing) {
  StartForm();
  const QRect normal = Form->geometry();
  ClickFrame(CentreOf("maxbutton"));
  EXPECT_EQ(Form->frmSkin->WindowState(), TspWindowState::wsMaximized);
  const QSize client = Form->Client()->size();
  EXPECT_EQ(Form->frmSkin->FormSizeForClient(client), Form->size());
  // The header stretches with the client area, 8 pixels in on the left and 5 on the right.
  EXPECT_EQ(Form->pnlMainHeader->width(), client.width() - 13);
  ClickFrame(CentreOf("maxbutton"));
  EXPECT_EQ(Form->geometry(), normal);
  EXPECT_EQ(Form->Client()->size(), QSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight));
}

TEST_F(MainFrameTest, TheCloseButtonShutsDownAndSaysSoWhenTheSettingsCannotBeSaved) {
  StartForm();
  // Shutdown stores the window's bounds: a new width tells whether it did.
  Form->resize(Form->width() + 20, Form->height());
  const int width = Form->width();
  {
    // A full disk: the shutdown cannot write the settings.
    TFileSizeLimit limit(16);
    ASSERT_TRUE(limit.Active());
    ClickFrame(CentreOf("closebutton"));
  }
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_FALSE(static_cast<const TspSkinButtonObject*>(Object("closebutton"))->Down);
  EXPECT_EQ(Form->frmSkin->CapturedIndex(), -1);
  // With room again the same button closes the window, and the settings are written.
  ClickFrame(CentreOf("closebutton"));
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(
      TProfileFile(Path(QStringLiteral("cfg/config.ini"))).ReadInteger("Dimensions", "width", 0),
      width);
}

} // namespace
