// Radio groups: buttons per item laid out in columns, one choice by mouse and keys, the
// group's click only for a user's choice.

#include "form_fixture.h"
#include "skin/controls/radio_group.h"
#include "skin/controls/skin_tree.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class RadioGroupTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(360, 240);
    LoadBuiltinSkin();
    new TspSkinnedFormHook(form.get());
    group = MakeGroup<TspSkinRadioGroup>();
  }

  template <class G> G* MakeGroup() {
    auto* g = new G(form.get());
    g->setGeometry(10, 10, 300, 120);
    g->SetCaption("Sex");
    g->SetSkinData(data);
    g->SetItems({"Male", "Female"});
    g->SetColumns(2);
    g->OnClick = [this](QObject* sender) {
      EXPECT_EQ(sender, group);
      ++clicks;
    };
    return g;
  }

  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 10)); }
  std::vector<bool> CheckedStates() const {
    std::vector<bool> states;
    for (int i = 0; i < group->ButtonCount(); ++i) states.push_back(group->Button(i)->Checked());
    return states;
  }

  TspSkinCustomRadioGroup* group = nullptr;
  int clicks = 0;
};

TEST_F(RadioGroupTest, ButtonsFillColumnsTopToBottom) {
  group->SetItems({"a", "b", "c", "d", "e"});
  ShowForm();
  ASSERT_EQ(group->ButtonCount(), 5);
  const QRect client = group->ClientRect();
  const int w = client.width() / 2 - 2, h = client.height() / 3;
  for (int i = 0; i < 5; ++i) {
    const TspGroupButton* b = group->Button(i);
    EXPECT_EQ(b->Caption(), QString(QChar('a' + i)));
    EXPECT_TRUE(b->Radio());
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->geometry(),
              QRect(client.left() + 1 + (i / 3) * w, client.top() + (i % 3) * h, w, h))
        << "button " << i;
  }

  // Columns are clamped; fewer items free their buttons and drop a choice past the end.
  const std::pair<int, int> columns[] = {{0, 1}, {20, 16}, {3, 3}};
  for (auto [set, want] : columns) {
    group->SetColumns(set);
    EXPECT_EQ(group->Columns(), want);
  }
  group->SetItemIndex(4);
  group->SetItems({"x", "y"});
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{false, false}));
  EXPECT_EQ(group->findChildren<TspGroupButton*>().size(), 2);
}

TEST_F(RadioGroupTest, MouseChoosesOneItemAndClicksOncePerChange) {
  ShowForm();
  Click(group->Button(1));
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{false, true}));
  EXPECT_EQ(clicks, 1);
  Click(group->Button(0));
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{true, false}));
  EXPECT_EQ(clicks, 2);
  Click(group->Button(0)); // already chosen
  EXPECT_EQ(clicks, 2);

  // Setting the choice in code moves the check without a click; out of range is clamped.
  group->SetItemIndex(1);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{false, true}));
  group->SetItemIndex(7);
  EXPECT_EQ(group->ItemIndex(), 1);
  group->SetItemIndex(-5);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{false, false}));
  EXPECT_EQ(clicks, 2);
}

TEST_F(RadioGroupTest, ArrowKeysMoveTheChoiceRoundTheGroup) {
  group->SetItems({"Cat", "Dog", "Vorn"});
  group->SetColumns(1);
  ShowForm();
  group->SetItemIndex(0);
  // Only the chosen button is a tab stop.
  EXPECT_EQ(group->Button(0)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(group->Button(1)->focusPolicy(), Qt::ClickFocus);
  group->Button(0)->setFocus();

  QTest::keyClick(group->Button(0), Qt::Key_Down);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Button(1)->hasFocus());
  EXPECT_EQ(group->Button(1)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(group->Button(1), Qt::Key_Right);
  EXPECT_EQ(group->ItemIndex(), 2);
  QTest::keyClick(group->Button(2), Qt::Key_Down); // round to the first
  EXPECT_EQ(group->ItemIndex(), 0);
  QTest::keyClick(group->Button(0), Qt::Key_Up); // and back to the last
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(CheckedStates(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(clicks, 4);

  // Space on a focused unchosen button chooses it.
  group->Button(0)->setFocus();
  QTest::keyClick(group->Button(0), Qt::Key_Space);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(clicks, 5);
}

class ReadOnlyRadioGroup : public TspSkinCustomRadioGroup {
public:
  using TspSkinCustomRadioGroup::TspSkinCustomRadioGroup;
  bool CanModify() const override { return false; }
};

TEST_F(RadioGroupTest, AGroupRefusingChangesSwallowsSpaceAndArrows) {
  delete group;
  group = MakeGroup<ReadOnlyRadioGroup>();
  ShowForm();
  group->Button(0)->setFocus();
  QTest::keyClick(group->Button(0), Qt::Key_Space);
  QTest::keyClick(group->Button(0), Qt::Key_Right);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
}

} // namespace
