// The rules controls with a caption and a press share, each on a button and a check box:
// the "&" short cut of a caption ("&&" is a literal ampersand), and a press that takes the
// focus or is dropped.

#include "form_fixture.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/skin_tree.h"

#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

// A field that will not let go of the focus while `Holding`, as one rejecting its value does.
class HoldingEdit : public QLineEdit {
public:
  using QLineEdit::QLineEdit;
  bool Holding = false;

protected:
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    if (Holding) setFocus(Qt::OtherFocusReason);
  }
};

class PressRulesTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(320, 200);
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin());
    new TspSkinnedFormHook(form.get());
    edit = new HoldingEdit(form.get());
    edit->setGeometry(10, 150, 100, 20);
  }

  // A button and a check box with their captions, both counting their clicks.
  void AddControls(const QString& buttonCaption, const QString& boxCaption) {
    button = new TspSkinButton(form.get());
    button->SetCaption(buttonCaption);
    button->SetSkinData(data);
    button->SetBounds(10, 10, 90, 25);
    button->OnClick = [this](QObject* sender) { ++clicks[sender]; };
    box = new TspSkinCheckRadioBox(form.get());
    box->SetCaption(boxCaption);
    box->SetSkinData(data);
    box->setGeometry(10, 60, 150, 25);
    box->OnClick = [this](QObject* sender) { ++clicks[sender]; };
  }
  std::array<QWidget*, 2> Controls() const { return {button, box}; }
  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 12)); }

  HoldingEdit* edit = nullptr;
  TspSkinButton* button = nullptr;
  TspSkinCheckRadioBox* box = nullptr;
  std::map<QObject*, int> clicks;
};

TEST_F(PressRulesTest, ShortCutIsTheCharacterAfterALoneAmpersand) {
  // "&&" before the mark: a parser that took the first "&" would grab Alt+C or Alt+F.
  AddControls("&&Cats &Dogs", "&&Fish &Go");
  ShowForm();
  edit->setFocus();
  const struct {
    Qt::Key key;
    QWidget* acts; // nullptr: no control takes the key
  } cases[] = {{Qt::Key_C, nullptr}, {Qt::Key_F, nullptr}, {Qt::Key_D, button}, {Qt::Key_G, box}};
  for (const auto& c : cases) {
    clicks.clear();
    edit->setFocus();
    QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
    for (QWidget* w : Controls()) {
      EXPECT_EQ(clicks[w], w == c.acts ? 1 : 0) << QKeySequence(c.key).toString().toStdString();
      EXPECT_EQ(w->hasFocus(), w == c.acts) << QKeySequence(c.key).toString().toStdString();
    }
  }
  EXPECT_TRUE(box->Checked());
}

TEST_F(PressRulesTest, PressTakesTheFocusAndActs) {
  AddControls("Save", "Validate");
  ShowForm();
  for (QWidget* w : Controls()) {
    edit->setFocus();
    Click(w);
    EXPECT_TRUE(w->hasFocus()) << w->metaObject()->className();
    EXPECT_EQ(clicks[w], 1) << w->metaObject()->className();
  }
  EXPECT_TRUE(box->Checked());
}

TEST_F(PressRulesTest, PressIsDroppedWhenTheFocusCannotMove) {
  AddControls("Save", "Validate");
  ShowForm();
  // The field refuses to give up the focus.
  edit->Holding = true;
  for (QWidget* w : Controls()) {
    edit->setFocus();
    Click(w);
    EXPECT_TRUE(edit->hasFocus()) << w->metaObject()->className();
    EXPECT_EQ(clicks[w], 0) << w->metaObject()->className();
  }
  EXPECT_FALSE(box->Checked());
  edit->Holding = false;

  // An application-modal window owns input.
  QDialog dialog(form.get());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
  for (QWidget* w : Controls()) {
    Click(w);
    EXPECT_EQ(clicks[w], 0) << w->metaObject()->className();
  }
  EXPECT_FALSE(box->Checked());
  dialog.hide();
  for (QWidget* w : Controls()) {
    Click(w);
    EXPECT_EQ(clicks[w], 1) << w->metaObject()->className();
  }
}

} // namespace
