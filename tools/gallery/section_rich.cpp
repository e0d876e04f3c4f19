// The rich edit as the application's console (coloured message and error lines, its bar
// attached and following the end) and the scroll box as the settings page (more rows than
// fit, its bar attached and scrolled part of the way).
#include "gallery_context.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"
#include "skin/controls/rich_edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_box.h"
#include "skin/controls/spin_edit.h"

namespace {
constexpr int kLeft = 8;
constexpr int kBarW = 19;
constexpr int kWidth = 374;
constexpr int kConsoleTop = kSectionTop + 18;
constexpr int kConsoleH = 128;
constexpr int kBoxLabelTop = kConsoleTop + kConsoleH + 6;
constexpr int kBoxTop = kBoxLabelTop + 18;
constexpr int kBoxH = 128;
constexpr int kRowH = 28;

// The console's two line formats: a bold green message with a grey detail, and an error
// with its red code and bold title.
void LogMessage(TspSkinRichEdit* console, const QString& message, const QString& detail = {}) {
  QList<TspTextRun> runs{{message, QColor(20, 100, 20), true}};
  if (!detail.isEmpty())
    runs << TspTextRun{QStringLiteral(":"), Qt::black} << TspTextRun{detail, QColor(70, 70, 70)};
  runs.last().Text += QLatin1Char('\n');
  console->AppendRuns(runs);
}

void LogError(TspSkinRichEdit* console, int code, const QString& title, const QString& details) {
  const QColor red(255, 0, 0), black(0, 0, 0);
  console->AppendRuns({{QStringLiteral("ERROR"), red},
                       {QStringLiteral("("), black},
                       {QString::number(code), red},
                       {QStringLiteral("):"), black},
                       {title, QColor(20, 20, 20), true},
                       {QStringLiteral(":"), black},
                       {details + QLatin1Char('\n'), QColor(70, 70, 70)}});
}

TspSkinScrollBar* AddVerticalBar(TGalleryContext& c, QWidget* parent, const QRect& r) {
  auto* bar = new TspSkinScrollBar(parent);
  bar->SetKind(TspScrollBarKind::sbVertical);
  bar->SetSkinData(c.SkinData);
  bar->setGeometry(r);
  return bar;
}

void BuildConsole(TGalleryContext& c, QWidget* section) {
  AddColumnLabel(c, section, Tr("Rich edit: the console, following its end"),
                 {kLeft + 2, kSectionTop, kWidth, 16});
  // A framed panel holds the borderless edit and its bar, as the console page does.
  auto* frame = new TspSkinPanel(section);
  frame->setGeometry(kLeft, kConsoleTop, kWidth, kConsoleH);
  frame->SetSkinData(c.SkinData);
  const QRect client(1, 1, kWidth - 2, kConsoleH - 2);
  auto* console = new TspSkinRichEdit(frame);
  console->setGeometry(client.x(), client.y(), client.width() - kBarW, client.height());
  console->SetSkinSupport(true);
  console->SetSkinData(c.SkinData);
  auto* bar =
      AddVerticalBar(c, frame, {client.right() + 1 - kBarW, client.y(), kBarW, client.height()});
  console->SetVScrollBar(bar);

  LogMessage(console, Tr("Save The Vorns started"));
  LogMessage(console, Tr("Settings read"), Tr("cfg\\config.ini"));
  LogMessage(console, Tr("Database opened"), Tr("cfg\\Data.mdb"));
  LogMessage(console, Tr("Browse page filled"), Tr("42 animals"));
  LogError(console, 491, Tr("User Not Found"), Tr("No Account Has That Name"));
  LogMessage(console, Tr("User Milo logged in"));
  LogMessage(console, Tr("Animal added"), Tr("Pip, a young vorn"));
  LogError(console, 408, Tr("No Lines In Console"), Tr("Nothing To Export"));
  LogMessage(console, Tr("Skin changed"), Tr("the gallery's current skin"));
  // The skin's font changes the line height: keep showing the end.
  c.AfterSkinChange.push_back([console] { console->ensureCursorVisible(); });
}

void BuildSettingsBox(TGalleryContext& c, QWidget* section) {
  AddColumnLabel(c, section, Tr("Scroll box: settings rows, scrolled part of the way"),
                 {kLeft + 2, kBoxLabelTop, kWidth, 16});
  auto* box = new TspSkinScrollBox(section);
  box->setGeometry(kLeft, kBoxTop, kWidth - kBarW, kBoxH);
  box->SetSkinData(c.SkinData);
  auto* bar = AddVerticalBar(c, section, {kLeft + kWidth - kBarW, kBoxTop, kBarW, kBoxH});
  box->SetVScrollBar(bar);

  QWidget* client = box->Client();
  const int labelW = 120, fieldX = 134, fieldW = client->width() - fieldX - 8;
  int y = 6;
  const auto addRow = [&](const QString& caption) {
    StdLabel(c, client, caption, {8, y, labelW, 23}, TspTextLayout::tlCenter);
    const int rowY = y;
    y += kRowH;
    return rowY;
  };
  const auto addEdit = [&](const QString& caption, const QString& text) {
    const int rowY = addRow(caption);
    auto* edit = new TspSkinEdit(client);
    edit->setGeometry(fieldX, rowY + 1, fieldW, 21);
    edit->SetSkinData(c.SkinData);
    edit->SetText(text);
  };
  addEdit(Tr("Shelter name"), Tr("Save The Vorns"));
  addEdit(Tr("User name"), Tr("Milo"));
  {
    const int rowY = addRow(Tr("Window width"));
    auto* spin = new TspSkinSpinEdit(client);
    spin->setGeometry(fieldX, rowY + 1, 90, 21);
    spin->SetSkinData(c.SkinData);
    spin->SetMinValue(1);
    spin->SetMaxValue(2000);
    spin->SetIncrement(25);
    spin->SetValue(1024);
  }
  addEdit(Tr("Picture folder"), Tr("img\\usr"));
  addEdit(Tr("Log folder"), Tr("log"));
  {
    const int rowY = addRow(Tr("Console"));
    auto* button = new TspSkinButton(client);
    button->setGeometry(fieldX, rowY, 110, 25);
    button->SetSkinData(c.SkinData);
    button->SetCaption(Tr("Export now"));
  }
  box->UpdateScrollBars();
  // Part of the way down, so that both ends of the thumb's travel show.
  bar->SetPosition(kRowH + 6);
}

} // namespace

void BuildRichSection(TGalleryContext& c, QWidget* section) {
  BuildConsole(c, section);
  BuildSettingsBox(c, section);
}
