#pragma once
// What the tests of the text fields share: a real window with a line edit for the focus to
// go to, the built-in skins at hand, and the pointer parked outside every window between
// tests.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class FieldFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  // The pointer rests outside every window between tests: a form shown under it would see
  // its controls entered without a window-level enter, and never hear that they were left.
  static void ParkPointer() {
    QCursor::setPos(700, 700);
    QCoreApplication::processEvents();
  }

  // A 400 x 200 form, not shown yet, with `other` at its bottom left.
  void SetUp() override {
    ParkPointer();
    form = std::make_unique<QWidget>();
    form->resize(400, 200);
    other = new QLineEdit(form.get());
    other->setGeometry(10, 150, 100, 20);
  }
  void TearDown() override { ParkPointer(); }

  // Shows the form as the active window.
  void ShowForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // `data`: skin data of the form on the built-in skins, the first one loaded.
  void LoadBuiltinSkin() {
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
  }

  std::unique_ptr<QWidget> form;
  QLineEdit* other = nullptr;
  TspSkinData* data = nullptr;
};
