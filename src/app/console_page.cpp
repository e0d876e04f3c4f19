#include "app/console_page.h"

#include "app/app_errors.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/local_time.h"
#include "app/main_form.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/rich_edit.h"
#include "skin/controls/scroll_bar.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {
const QColor kMessageColor(20, 100, 20);
const QColor kPunctuationColor(0, 0, 0);
const QColor kDetailColor(70, 70, 70);
const QColor kErrorColor(255, 0, 0);
const QColor kTitleColor(20, 20, 20);

// The console's rectangle on its page, and the buttons below it.
constexpr int kConsoleLeft = 12;
constexpr int kConsoleTop = 48;
constexpr int kBarWidth = 14;
constexpr int kButtonHeight = 25;

// The short date format with "-" between its fields: each run of separators outside quoted
// literals (a slash, dot, dash or blank, with any direction marks) becomes one "-"; a run
// before the first or after the last field is dropped.
QString DateWithDashes(const QString& format) {
  QString out;
  bool quoted = false;
  bool pending = false;
  for (QChar c : format) {
    const bool field = c.unicode() < 128 && c.isLetter();
    if (!quoted && c != QLatin1Char('\'') && !field) {
      pending = true;
      continue;
    }
    if (pending && !out.isEmpty()) out += QLatin1Char('-');
    pending = false;
    if (c == QLatin1Char('\'')) quoted = !quoted;
    out += c;
  }
  return out;
}

// The long time format with "-" for its time separators outside quoted literals.
QString TimeWithDashes(const QString& format) {
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    out +=
        !quoted && (c == QLatin1Char(':') || c == QLatin1Char('.')) ? QChar(QLatin1Char('-')) : c;
  }
  return out;
}
} // namespace

QString ExportStamp(const QDateTime& at, const QLocale& locale) {
  const QString date = DateWithDashes(locale.dateFormat(QLocale::ShortFormat));
  const QString time = TimeWithDashes(LongTimeFormat(locale));
  return locale.toString(at.date(), date) + QLatin1Char(' ') + locale.toString(at.time(), time);
}

QString ExportFileName(const QString& folder, const QString& stem) {
  const QDir dir(folder);
  QString name = dir.filePath(stem + QStringLiteral(".log"));
  for (int n = 0; QFileInfo::exists(name); ++n)
    name = dir.filePath(stem + QStringLiteral("(%1).log").arg(n));
  return name;
}

TConsolePage::TConsolePage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblConsoleHeader = AddPageHeader(sheet, "lblConsoleHeader", QStringLiteral("Console"), skin);
  redConsole = new TspSkinRichEdit(sheet);
  PlaceControl(redConsole, "redConsole", {}, skin);
  scbConsole = new TspSkinScrollBar(sheet);
  scbConsole->SetKind(TspScrollBarKind::sbVertical);
  PlaceControl(scbConsole, "scbConsole", {}, skin);
  redConsole->SetScrollBars(TspScrollStyle::ssVertical);
  redConsole->SetVScrollBar(scbConsole);

  btnConsoleClear = NewControl<TspSkinButton>(sheet, "btnConsoleClear", {}, skin);
  btnConsoleClear->SetCaption(QStringLiteral("Clear"));
  btnConsoleClear->setToolTip(QStringLiteral("Clear The Console"));
  btnConsoleExport = NewControl<TspSkinButton>(sheet, "btnConsoleExport", {}, skin);
  btnConsoleExport->SetCaption(QStringLiteral("Export"));
  btnConsoleClear->OnClick = [this](QObject*) { btnConsoleClearClick(); };
  btnConsoleExport->OnClick = [this](QObject*) { btnConsoleExportClick(); };

  // The console fills the page above the buttons and follows the page's size.
  const auto layout = [this, sheet] {
    const int w = sheet->width(), h = sheet->height();
    const int bottom = h - kButtonHeight - 16;
    redConsole->setGeometry(kConsoleLeft, kConsoleTop,
                            std::max(w - 2 * kConsoleLeft - kBarWidth, 0),
                            std::max(bottom - kConsoleTop, 0));
    scbConsole->setGeometry(redConsole->geometry().right() + 1, kConsoleTop, kBarWidth,
                            redConsole->height());
    btnConsoleClear->setGeometry(kConsoleLeft, bottom + 8, 75, kButtonHeight);
    btnConsoleExport->setGeometry(w - kConsoleLeft - 75, bottom + 8, 75, kButtonHeight);
  };
  WhenResized(sheet, layout);
}

void TConsolePage::LogMessage(const QString& message, const QString& detail) {
  QList<TspTextRun> runs{{message, kMessageColor, true}};
  if (!detail.isEmpty()) {
    runs.append({QStringLiteral(":"), kPunctuationColor, false});
    runs.append({detail, kDetailColor, false});
  }
  // The line end takes the look of the last run.
  runs.append({QStringLiteral("\n"), runs.last().Color, runs.last().Bold});
  redConsole->AppendRuns(runs);
}

void TConsolePage::LogError(const QString& title, int code, const QString& details) {
  redConsole->AppendRuns({{QStringLiteral("ERROR"), kErrorColor, false},
                          {QStringLiteral("("), kPunctuationColor, false},
                          {QString::number(code), kErrorColor, false},
                          {QStringLiteral("):"), kPunctuationColor, false},
                          {title, kTitleColor, true},
                          {QStringLiteral(":"), kPunctuationColor, false},
                          {details, kDetailColor, false},
                          {QStringLiteral("\n"), kDetailColor, false}});
}

void TConsolePage::btnConsoleClearClick() {
  redConsole->clear();
}

QStringList TConsolePage::DisplayLines() const {
  QTextDocument* doc = redConsole->document();
  // The width the console wraps at, also while its page has not been shown yet.
  const qreal width = redConsole->viewport()->width();
  if (redConsole->testAttribute(Qt::WA_PendingResizeEvent) || doc->textWidth() != width)
    doc->setTextWidth(redConsole->contentsRect().width());
  doc->documentLayout()->documentSize(); // lays the whole text out
  QStringList lines;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    // The paragraph after the last line end is no line of its own while it is empty.
    if (!block.next().isValid() && block.length() <= 1) break;
    const QString text = block.text();
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) {
      lines << text;
      continue;
    }
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const QString piece = text.mid(line.textStart(), line.textLength());
      lines << piece;
    }
  }
  return lines;
}

void TConsolePage::btnConsoleExportClick() {
  const QString folder = TfrmMain::WorkPath(QStringLiteral("log"));
  if (!QFileInfo::exists(folder)) QDir().mkdir(folder);
  const QString stem = ExportStamp(FForm.Now(), QLocale::system());
  const QString path = ExportFileName(folder, stem);
  const QStringList lines = DisplayLines();
  if (lines.isEmpty()) {
    FForm.ShowError(ErrorCodes::NoLinesInConsole);
    return;
  }
  QByteArray data;
  for (const QString& line : lines) data += line.toLocal8Bit() + "\r\n";
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw EInOutError(QStringLiteral("Cannot create file \"%1\". %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
  if (file.write(data) != data.size() || !file.flush()) {
    // A cut-off export (a full disk) is not left behind as if it were a whole one.
    const QString reason = file.errorString();
    file.close(); // its own flush may fail again; the name is removed whatever it leaves
    QFile::remove(path);
    throw EInOutError(
        QStringLiteral("Cannot write file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
  }
  file.close();
  FForm.LogMessage(QStringLiteral("Created Output Successfully"),
                   QStringLiteral("Output File at: ") + QDir::toNativeSeparators(path));
}
