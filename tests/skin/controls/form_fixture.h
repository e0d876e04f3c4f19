#pragma once
// What the tests of interactive controls share: a real form, the built-in skins at hand, and
// the pointer parked outside every window between tests.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

class SkinnedFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  // The pointer rests outside every window between tests: a form shown under it would see
  // its controls entered without a window-level enter, and never hear that they were left.
  static void ParkPointer() {
    QCursor::setPos(700, 700);
    QCoreApplication::processEvents();
  }

  // Parks the pointer and makes a `w` x `h` form, not shown yet.
  void NewForm(int w, int h) {
    ParkPointer();
    form = std::make_unique<QWidget>();
    form->resize(w, h);
  }
  void TearDown() override { ParkPointer(); }

  // Shows the form as the active window.
  void ShowForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // `data`: skin data of the form on the built-in `list`, the first skin loaded ("sknBlue").
  void LoadBuiltinSkin() {
    list = CreateBuiltinSkinList(form.get());
    data = new TspSkinData(form.get());
    data->SetSkinList(list);
    ASSERT_FALSE(data->IsEmpty());
  }

  std::unique_ptr<QWidget> form;
  TspCompressedSkinList* list = nullptr;
  TspSkinData* data = nullptr;
};

// The text fields' form: 400 x 200 with a line edit `other` at its bottom left for the focus
// to go to.
class FieldFormTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(400, 200);
    other = new QLineEdit(form.get());
    other->setGeometry(10, 150, 100, 20);
  }

  QLineEdit* other = nullptr;
};

// A form of `size`, not shown, whose palette has the given colours.
inline std::unique_ptr<QWidget>
ColouredForm(QSize size, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours) {
  auto form = std::make_unique<QWidget>();
  QPalette pal = form->palette();
  for (const auto& [role, colour] : colours) pal.setColor(role, colour);
  form->setPalette(pal);
  form->resize(size);
  return form;
}
