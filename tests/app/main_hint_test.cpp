#include "app_fixture.h"

#include "skin/data/skin_data.h"
#include "skin/frame/hint.h"

#include <QHelpEvent>
#include <QToolTip>

// The main window's hint component serves its tool tips in the skin's hint window.
TEST_F(TAppTest, ToolTipsShowInTheSkinnedHintWindow) {
  TfrmMain& form = StartForm();
  TspSkinHint* hint = form.spSkinHint;
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->Active());
  EXPECT_EQ(hint->SkinData(), form.spSkinForm);
  EXPECT_EQ(hint->LineSeparator(), "@");
  EXPECT_TRUE(hint->UseSkinFont());
  EXPECT_FALSE(hint->AlphaBlend());
  EXPECT_EQ(hint->AlphaBlendValue(), 200);
  EXPECT_EQ(hint->DefaultFont().pixelSize(), 11);

  auto* login = Find<QWidget>("edtLLogin");
  ASSERT_NE(login, nullptr);
  const QPoint at = login->mapToGlobal(QPoint(4, 4));
  QHelpEvent e(QEvent::ToolTip, QPoint(4, 4), at);
  QApplication::sendEvent(login, &e);
  ASSERT_NE(hint->HintWindow(), nullptr);
  EXPECT_TRUE(hint->HintWindow()->isVisible());
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_EQ(hint->HintWindow()->Text(), "Username");
  EXPECT_TRUE(hint->HintWindow()->Skinned());
  EXPECT_EQ(QApplication::activeWindow(), &form);

  // A settings control's hint carries its title in bold above the text.
  auto* remember = Find<QWidget>("cbxConfigUsername");
  ASSERT_NE(remember, nullptr);
  QHelpEvent titled(QEvent::ToolTip, QPoint(4, 4), remember->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(remember, &titled);
  EXPECT_EQ(hint->HintTitle(), "Remember Username");
  EXPECT_EQ(hint->HintWindow()->Text(), "Remembers Last Username Typed");
  EXPECT_TRUE(hint->HintWindow()->Titled());
}
