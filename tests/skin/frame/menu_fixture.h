#pragma once
// A shown, active form with the built-in skin and a menu tree of QMenu / QAction to open
// through the skinned menus, with input sent as the platform sends it.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/frame/popup_window.h"
#include "skin/frame/skin_menu.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class MenuTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  void SetUp() override {
    QCursor::setPos(5, 5);
    form = std::make_unique<QWidget>();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    form->setGeometry(work.left() + 100, work.top() + 100, 400, 300);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    host = TspSkinMenu::ForWindow(form.get());
    root = new TspSkinPopupMenu(form.get());
  }
  void TearDown() override {
    host->CloseMenu();
    Flush();
  }

  // An action of `menu` that counts its runs in `ran`.
  QAction* Add(QMenu* menu, const QString& caption, bool enabled = true) {
    QAction* a = menu->addAction(caption);
    a->setEnabled(enabled);
    QObject::connect(a, &QAction::triggered, a, [this, caption] { ran << caption; });
    return a;
  }

  // Opens `root` at a point of the form with the built-in skin (or none).
  void Open(bool skinned = true, QPoint at = QPoint(50, 50)) {
    root->SetSkinData(skinned ? data : nullptr);
    const QPoint g = form->mapToGlobal(at);
    root->PopupFromControl(form.get(), g.x(), g.y());
    ASSERT_TRUE(host->Visible());
  }

  TspSkinPopupWindow* Level(int i) const { return host->Level(i); }
  // The caption as drawn, of the selected item of level `i` (empty without one).
  QString Selected(int i) const {
    const TspSkinPopupWindow* w = Level(i);
    return w->SelectedIndex() < 0 ? QString() : w->Item(w->SelectedIndex()).Caption.Text;
  }
  int IndexOf(int level, const QString& text) const {
    for (int i = 0; i < Level(level)->ItemCount(); ++i)
      if (Level(level)->Item(i).Caption.Text == text) return i;
    return -1;
  }
  QPoint ItemCentre(int level, const QString& text) const {
    return Level(level)->Item(IndexOf(level, text)).Rect.center();
  }

  // Keys reach the active window; Qt hands them to the topmost pop-up.
  void Key(Qt::Key key) { QTest::keyClick(form->windowHandle(), key); }
  void Type(char c) { QTest::keyClick(form->windowHandle(), c); }
  void MoveTo(int level, const QString& text) {
    QTest::mouseMove(Level(level)->windowHandle(), ItemCentre(level, text));
  }
  void ClickOn(int level, const QString& text) {
    QTest::mouseClick(Level(level)->windowHandle(), Qt::LeftButton, {}, ItemCentre(level, text));
  }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  // Every skinned menu window that still exists and shows.
  static int ShownPopups() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TspSkinPopupWindow*>(w) && w->isVisible()) ++n;
    return n;
  }
  static int LivePopups() {
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
      if (qobject_cast<TspSkinPopupWindow*>(w)) ++n;
    return n;
  }

  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
  TspSkinMenu* host = nullptr;
  TspSkinPopupMenu* root = nullptr;
  QStringList ran;
};
