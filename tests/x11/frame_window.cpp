// A framed window for the X tests: a form under a form controller with the built-in skins,
// titled "FrameX11", 400 x 300 at (100, 100). The program ends when the window closes.

#include "skin/builtin/builtin_skins.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/frame/vestimar.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  RegisterSkinFonts();
  QWidget form;
  form.setWindowTitle(QStringLiteral("FrameX11"));
  form.setGeometry(100, 100, 400, 300);
  auto* data = new TspSkinData(&form);
  data->SetSkinList(CreateBuiltinSkinList(&form));
  auto* frame = new TspVestimar(&form);
  frame->SetDisableSystemMenu(true);
  frame->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize |
                        TspBorderIcon::biMaximize);
  frame->SetSkinData(data);
  form.show();
  return app.exec();
}
