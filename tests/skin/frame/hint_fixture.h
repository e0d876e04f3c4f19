#pragma once
// A shown, active form with the built-in skin, a plain widget and a skinned panel with
// tool tips, and a hint component serving them; tool tip events sent as Qt sends them.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/panel.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/frame/hint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class HintTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }

  void SetUp() override {
    form = std::make_unique<QWidget>();
    form->setGeometry(Work().left() + 100, Work().top() + 100, 400, 300);
    data = new TspSkinData(form.get());
    data->SetSkinList(CreateBuiltinSkinList(form.get()));
    ASSERT_FALSE(data->IsEmpty());
    plain = new QWidget(form.get());
    plain->setGeometry(10, 10, 100, 30);
    panel = new TspSkinPanel(form.get());
    panel->setGeometry(10, 60, 100, 30);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    hint = new TspSkinHint(form.get(), [this] { return layered; });
    hint->SetSkinData(data);
  }
  void TearDown() override { form.reset(); }

  static QRect Work() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  // Sends the tool tip event Qt sends when the pointer rests on `w` at `global`; returns
  // whether something before the widget took it.
  static bool ToolTip(QWidget* w, QPoint global) {
    QHelpEvent e(QEvent::ToolTip, w->mapFromGlobal(global), global);
    e.ignore();
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
  }
  static bool ToolTip(QWidget* w) { return ToolTip(w, w->mapToGlobal(QPoint(5, 5))); }

  TspSkinHintWindow* Window() const { return hint->HintWindow(); }
  bool Shown() const { return Window() && Window()->isVisible(); }

  std::unique_ptr<QWidget> form;
  TspSkinData* data = nullptr;
  QWidget* plain = nullptr;
  TspSkinPanel* panel = nullptr;
  TspSkinHint* hint = nullptr;
  bool layered = true;
};

// Rows of `image` holding pixels near `color`, grouped into bands of consecutive rows;
// each band with the columns it spans.
struct TspInkBand {
  int Top, Bottom, Left, Right; // inclusive
  int Count;                    // pixels near the colour
};
inline std::vector<TspInkBand> InkBands(const QImage& image, const QColor& color,
                                        int tolerance = 60) {
  std::vector<TspInkBand> bands;
  const auto near = [&](QRgb p) {
    return std::abs(qRed(p) - color.red()) + std::abs(qGreen(p) - color.green()) +
               std::abs(qBlue(p) - color.blue()) <
           tolerance;
  };
  bool open = false;
  for (int y = 0; y < image.height(); ++y) {
    int left = -1, right = -1, count = 0;
    for (int x = 0; x < image.width(); ++x)
      if (near(image.pixel(x, y))) {
        if (left < 0) left = x;
        right = x;
        ++count;
      }
    if (left < 0) {
      open = false;
      continue;
    }
    if (!open) bands.push_back({y, y, left, right, 0});
    TspInkBand& b = bands.back();
    b.Count += count;
    b.Bottom = y;
    b.Left = std::min(b.Left, left);
    b.Right = std::max(b.Right, right);
    open = true;
  }
  return bands;
}
