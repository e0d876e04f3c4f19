#include "skin/frame/caption_buttons.h"

#include <QPainter>

TspObjectList MakeDefaultButtons() {
  TspObjectList list;
  const std::pair<const char*, TspStdCommand> buttons[] = {
      {"closebutton", TspStdCommand::cmClose},     {"maxbutton", TspStdCommand::cmMaximize},
      {"minbutton", TspStdCommand::cmMinimize},    {"rollupbutton", TspStdCommand::cmRollUp},
      {"sysmenubutton", TspStdCommand::cmSysMenu}, {"traybutton", TspStdCommand::cmMinimizeToTray},
  };
  for (const auto& [name, command] : buttons)
    list.push_back(std::make_unique<TspSkinStdButtonObject>(QString::fromLatin1(name), command));
  return list;
}

TspRect LayoutDefaultButtons(TspObjectList& objects, int frameWidth, bool toolWindow,
                             const QSize& iconSize) {
  const int ch = toolWindow ? kDefaultToolCaptionHeight : kDefaultCaptionHeight;
  const int b = toolWindow ? kDefaultToolButtonSize : kDefaultButtonSize;
  TspRect caption{kDefaultBorder, kDefaultBorder, frameWidth - kDefaultBorder, ch};
  int x = frameWidth - kDefaultBorder;
  for (TspStdCommand command :
       {TspStdCommand::cmClose, TspStdCommand::cmMaximize, TspStdCommand::cmMinimize,
        TspStdCommand::cmRollUp, TspStdCommand::cmMinimizeToTray}) {
    if (TspSkinStdButtonObject* button = FindStdButton(objects, command)) {
      button->ObjectRect = {x - b, 4, x, 4 + b};
      x -= b;
    }
  }
  caption.Right = x;
  if (TspSkinStdButtonObject* menu = FindStdButton(objects, TspStdCommand::cmSysMenu)) {
    const QSize s = iconSize.isEmpty() ? QSize(b, b) : iconSize;
    menu->ObjectRect = {caption.Left, 4, caption.Left + s.width(), 4 + s.height()};
    caption.Left += s.width();
  }
  // Buttons that are not shown keep no place.
  for (auto& o : objects)
    if (!o->Visible) o->ObjectRect = {};
  return caption;
}

namespace {

void Glyph(QPainter& p, TspStdCommand command, bool restore, bool rolledUp, int x, int y) {
  const auto line = [&](int x1, int y1, int x2, int y2) {
    p.drawLine(x + x1, y + y1, x + x2, y + y2);
  };
  const auto box = [&](int left, int top, int w, int h) {
    line(left, top, left + w - 1, top);
    line(left, top + 1, left + w - 1, top + 1);
    line(left, top, left, top + h - 1);
    line(left + w - 1, top, left + w - 1, top + h - 1);
    line(left, top + h - 1, left + w - 1, top + h - 1);
  };
  switch (command) {
  case TspStdCommand::cmClose:
    for (int i = 0; i < 8; ++i) {
      line(1 + i, i, 2 + i, i);
      line(8 - i, i, 9 - i, i);
    }
    break;
  case TspStdCommand::cmMaximize:
    if (restore) {
      box(3, 0, 7, 6);
      box(0, 3, 7, 6);
    } else {
      box(0, 0, 10, 9);
    }
    break;
  case TspStdCommand::cmMinimize:
    if (restore) {
      box(3, 0, 7, 6);
      box(0, 3, 7, 6);
    } else {
      line(1, 7, 7, 7);
      line(1, 8, 7, 8);
    }
    break;
  case TspStdCommand::cmSysMenu:
    line(2, 4, 8, 4);
    line(2, 5, 8, 5);
    break;
  case TspStdCommand::cmRollUp:
    // Points up while the window is open, down once it is rolled up.
    for (int i = 0; i < 4; ++i) {
      const int row = rolledUp ? 2 + i : 5 - i;
      line(1 + i, row, 8 - i, row);
    }
    break;
  case TspStdCommand::cmMinimizeToTray:
    box(0, 5, 10, 4);
    line(4, 0, 5, 0);
    line(4, 1, 5, 1);
    line(4, 2, 5, 2);
    break;
  case TspStdCommand::cmDefault:
    break;
  }
}

} // namespace

QImage DrawDefaultButton(const TspSkinStdButtonObject& button, int side, bool down, bool hot,
                         const TspObjectPaintContext& c, const TspFrameColors& colors,
                         const QImage& icon) {
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(colors.BtnFace);
  QPainter p(&image);
  if (hot) {
    p.setPen(QColor(59, 107, 183));
    p.setBrush(down ? QColor(162, 188, 228) : QColor(193, 212, 243));
    p.drawRect(0, 0, side - 1, side - 1);
  }
  if (button.Command == TspStdCommand::cmSysMenu && !icon.isNull()) {
    p.drawImage(0, 0, icon);
    return image;
  }
  p.setPen(button.Enabled ? colors.BtnText : colors.BtnShadow);
  Glyph(p, button.Command, button.MeansRestore(c), c.RolledUp, side / 2 - 5, side / 2 - 4);
  return image;
}
