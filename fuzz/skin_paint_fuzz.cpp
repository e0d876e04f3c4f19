// Any bytes as a skin description over the pictures of the built-in Blue skin: the first
// byte picks a control kind (or the popup menu or the hint window) and its size, and the
// control is painted offscreen in its normal, hot, pressed, focused and disabled states. No
// description may crash a paint, read out of bounds or ask for memory a rectangle names.
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/custom_grid.h"
#include "skin/controls/edit.h"
#include "skin/controls/gauge.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/month_calendar.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/rich_edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_box.h"
#include "skin/controls/skin_binding.h"
#include "skin/controls/spin_edit.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/status_panel.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/frame/hint.h"
#include "skin/frame/hint_window.h"
#include "skin/frame/menu_look.h"
#include "skin/frame/popup_window.h"
#include "skin/frame/skin_menu.h"
#include "skin/render/skin_error.h"

#include <QApplication>
#include <QByteArray>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

namespace {

TspSkinData* gBlue = nullptr; // the pictures every input's description is read over

template <class T> QWidget* Make(TspSkinData* skin, const std::function<void(T*)>& fill = {}) {
  auto* control = new T;
  control->SetSkinData(skin);
  if (fill) fill(control);
  return control;
}

using Factory = std::function<QWidget*(TspSkinData*)>;

const std::vector<Factory>& Factories() {
  static const std::vector<Factory> factories = {
      [](TspSkinData* s) {
        return Make<TspSkinButton>(s, [](TspSkinButton* b) { b->SetCaption("Adopt"); });
      },
      [](TspSkinData* s) { return Make<TspSkinSpeedButton>(s); },
      [](TspSkinData* s) { return Make<TspSkinLabel>(s); },
      [](TspSkinData* s) { return Make<TspSkinStdLabel>(s); },
      [](TspSkinData* s) { return Make<TspSkinPanel>(s); },
      [](TspSkinData* s) { return Make<TspSkinGroupBox>(s); },
      [](TspSkinData* s) { return Make<TspSkinEdit>(s); },
      [](TspSkinData* s) { return Make<TspSkinPasswordEdit>(s); },
      [](TspSkinData* s) { return Make<TspSkinSpinEdit>(s); },
      [](TspSkinData* s) {
        return Make<TspSkinListBox>(s, [](TspSkinListBox* l) {
          for (const char* item : {"Cat", "Dog", "Vorn"}) l->AddItem(item);
        });
      },
      [](TspSkinData* s) {
        return Make<TspSkinComboBox>(s, [](TspSkinComboBox* c) {
          for (const char* item : {"Cat", "Dog", "Vorn"}) c->AddItem(item);
        });
      },
      [](TspSkinData* s) {
        return Make<TspSkinScrollBar>(s, [](TspSkinScrollBar* b) {
          b->SetMax(10);
          b->SetPosition(3);
        });
      },
      [](TspSkinData* s) {
        return Make<TspSkinCheckRadioBox>(s, [](TspSkinCheckRadioBox* c) { c->SetChecked(true); });
      },
      [](TspSkinData* s) {
        return Make<TspSkinPageControl>(s, [](TspSkinPageControl* p) {
          new TspSkinTabSheet(p);
          new TspSkinTabSheet(p);
        });
      },
      [](TspSkinData* s) { return Make<TspSkinStatusBar>(s); },
      [](TspSkinData* s) { return Make<TspSkinStatusPanel>(s); },
      [](TspSkinData* s) { return Make<TspSkinGauge>(s); },
      [](TspSkinData* s) { return Make<TspSkinMonthCalendar>(s); },
      [](TspSkinData* s) { return Make<TspSkinCustomGrid>(s); },
      [](TspSkinData* s) { return Make<TspSkinScrollBox>(s); },
      [](TspSkinData* s) { return Make<TspSkinRichEdit>(s); },
  };
  return factories;
}

void Send(QWidget* w, QEvent&& e) {
  QApplication::sendEvent(w, &e);
}

// The states input gives, each followed by a paint of the whole control.
// A whole paint of the control into one canvas kept between runs.
void Paint(QWidget* w) {
  static QImage canvas;
  if (canvas.size() != w->size()) canvas = QImage(w->size(), QImage::Format_ARGB32_Premultiplied);
  w->render(&canvas);
}

void PaintStates(QWidget* w) {
  const QPointF centre(w->width() / 2.0, w->height() / 2.0);
  Paint(w);
  Send(w, QEnterEvent(centre, centre, centre));
  Send(w, QMouseEvent(QEvent::MouseMove, centre, centre, Qt::NoButton, Qt::NoButton, {}));
  Paint(w);
  Send(w,
       QMouseEvent(QEvent::MouseButtonPress, centre, centre, Qt::LeftButton, Qt::LeftButton, {}));
  Paint(w);
  Send(w,
       QMouseEvent(QEvent::MouseButtonRelease, centre, centre, Qt::LeftButton, Qt::NoButton, {}));
  Send(w, QFocusEvent(QEvent::FocusIn));
  Paint(w);
  Send(w, QEvent(QEvent::Leave));
  w->setEnabled(false);
  Paint(w);
}

void PaintMenu(TspSkinData* skin) {
  QWidget host;
  QMenu menu;
  menu.addAction("&Adopt")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  menu.addSeparator();
  QAction* checked = menu.addAction("&Vaccinated");
  checked->setCheckable(true);
  checked->setChecked(true);
  menu.addMenu("&Kind")->addAction("&Cat");
  menu.addAction("&Returned")->setEnabled(false);
  TspSkinMenu painter(&host);
  TspMenuOptions options;
  options.DefaultItemFont = DefaultSkinFont();
  const TspMenuLook look = MakeMenuLook(skin, options);
  TspSkinPopupWindow window(&painter, &menu, 0, look, 0, 0);
  for (int i = 0; i < window.ItemCount(); ++i) {
    window.SetSelected(i);
    (void)window.PaintImage();
  }
}

void PaintHint(TspSkinData* skin) {
  TspSkinHint hint(nullptr, [] { return false; });
  hint.SetSkinData(skin);
  TspSkinHintWindow window(&hint);
  window.ActivateHint(QRect(10, 10, 160, 40), "A hint\nof two lines");
  (void)window.grab();
  window.HideHint();
}

} // namespace

// The font configuration library keeps its caches until the process ends; the application
// that loaded them is never destroyed (see below).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "skin_paint_fuzz";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's pointing devices, which the sent mouse events made, are
  // gone before static destructors would run ~QApplication.
  static QApplication* const app = new QApplication(argc, argv);
  (void)app;
  static const std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
  static TspSkinData blue;
  blue.LoadCompressedStoredSkin(&list->Skins()[0].StoredSkin());
  gBlue = &blue;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t kinds = Factories().size() + 2;
  const size_t kind = data[0] % kinds;
  TspSkinData skin;
  try {
    skin.LoadDescription(QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)),
                         *gBlue);
  } catch (const ESkinError&) {
    return 0;
  }
  if (kind == Factories().size()) {
    PaintMenu(&skin);
  } else if (kind == Factories().size() + 1) {
    PaintHint(&skin);
  } else {
    // The rest of the byte picks the size: one size a run keeps runs fast, and every size
    // is reached.
    static const QSize sizes[] = {QSize(23, 17), QSize(64, 40), QSize(173, 91)};
    std::unique_ptr<QWidget> control(Factories()[kind](&skin));
    control->resize(sizes[(data[0] / kinds) % std::size(sizes)]);
    PaintStates(control.get());
  }
  return 0;
}
