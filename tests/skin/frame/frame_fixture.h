#pragma once
// A real form under a form controller: the built-in skins at hand (or none), shown as the
// active window, with mouse input sent to the frame as the platform sends it.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/frame/vestimar.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class FrameTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  // A w x h form at (100, 100) of the work area; with `skinned` it has the built-in skins
  // (the first, "Blue", loaded) before the controller is made.
  void NewForm(int w, int h, bool skinned = true) {
    QCursor::setPos(790, 790);
    form = std::make_unique<QWidget>();
    form->setWindowTitle(QStringLiteral("Frame test"));
    form->setGeometry(Work().left() + 100, Work().top() + 100, w, h);
    if (skinned) {
      list = CreateBuiltinSkinList(form.get());
      data = new TspSkinData(form.get());
      data->SetSkinList(list);
      ASSERT_FALSE(data->IsEmpty());
    }
    frame = new TspVestimar(form.get());
    frame->SetDisableSystemMenu(true);
    frame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize |
                          TspBorderIcon::biMaximize);
    if (skinned) frame->SetSkinData(data);
  }
  void Show() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void TearDown() override {
    form.reset();
    QCursor::setPos(790, 790);
  }

  static QRect Work() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  // The centre of the frame object named `name`.
  QPoint CentreOf(const QString& name) const {
    for (const auto& o : frame->Objects())
      if (o->IDName == name) return o->ObjectRect.ToQRect().center();
    ADD_FAILURE() << "no object " << name.toStdString();
    return {};
  }
  const TspActiveSkinObject* Object(const QString& name) const {
    for (const auto& o : frame->Objects())
      if (o->IDName == name) return o.get();
    return nullptr;
  }

  void Move(QPoint p) { QTest::mouseMove(form.get(), p); }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(form.get(), b, {}, p);
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(form.get(), b, {}, p);
  }
  // A drag in screen coordinates: each point is turned into the form's coordinates at the
  // moment it is sent, as the pointer stays where it is while the window moves under it.
  void DragGlobal(QPoint from, std::initializer_list<QPoint> steps) {
    Press(form->mapFromGlobal(from));
    for (QPoint g : steps) Move(form->mapFromGlobal(g));
    Release(form->mapFromGlobal(*(steps.end() - 1)));
  }
  QColor PixelAt(QPoint p) { return QColor(form->grab().toImage().pixel(p)); }

  std::unique_ptr<QWidget> form;
  TspCompressedSkinList* list = nullptr;
  TspSkinData* data = nullptr;
  TspVestimar* frame = nullptr;
};
