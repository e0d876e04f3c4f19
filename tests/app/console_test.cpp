// The console: the runs of message and error lines with their styles and colours, Clear,
// and Export of the display lines to log/ with the stamp, the "(n)" names and code 408.
#include "app_fixture.h"
#include "file_size_limit.h"

#include "app/console_page.h"
#include "app/error_banner.h"
#include "app/local_time.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTextBlock>

namespace {

struct TRun {
  QString Text;
  QColor Color;
  bool Bold;
  bool operator==(const TRun&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TRun& r) {
  return os << '"' << r.Text.toStdString() << "\" " << r.Color.name().toStdString()
            << (r.Bold ? " bold" : "");
}

// The runs of the console's paragraph `index` (its line end is not a run of the text).
std::vector<TRun> Runs(TspSkinRichEdit* console, int index) {
  std::vector<TRun> runs;
  const QTextBlock block = console->document()->findBlockByNumber(index);
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    runs.push_back({f.text(), f.charFormat().foreground().color(),
                    f.charFormat().fontWeight() >= QFont::Bold});
  }
  return runs;
}

class ConsoleTest : public TAppTest {
protected:
  void Click(const char* button) { QTest::mouseClick(Find<QWidget>(button), Qt::LeftButton); }

  QStringList LogFiles() const { return QDir(Path("log")).entryList(QDir::Files, QDir::Name); }

  QByteArray Read(const QString& relative) const {
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(ConsoleTest, MessageAndErrorLinesCarryTheirRuns) {
  StartForm();
  Form->ConsolePage().btnConsoleClearClick();
  Form->LogMessage("User bob logged in");
  Form->LogMessage("Created Output Successfully", "Output File at: x.log");
  Form->ShowError("Database Not Found", 493, "The Database was not found");
  EXPECT_EQ(ConsoleLines(),
            QStringList({"User bob logged in", "Created Output Successfully:Output File at: x.log",
                         "ERROR(493):Database Not Found:The Database was not found"}));
  EXPECT_EQ(Console()->font().family(), "Tahoma");
  EXPECT_EQ(Console()->font().pixelSize(), 13);
  EXPECT_FALSE(Console()->isReadOnly());
  const QColor message(20, 100, 20), black(0, 0, 0), detail(70, 70, 70), red(255, 0, 0),
      title(20, 20, 20);
  EXPECT_EQ(Runs(Console(), 0), std::vector<TRun>({{"User bob logged in", message, true}}));
  EXPECT_EQ(Runs(Console(), 1), std::vector<TRun>({{"Created Output Successfully", message, true},
                                                   {":", black, false},
                                                   {"Output File at: x.log", detail, false}}));
  EXPECT_EQ(Runs(Console(), 2), std::vector<TRun>({{"ERROR", red, false},
                                                   {"(", black, false},
                                                   {"493", red, false},
                                                   {"):", black, false},
                                                   {"Database Not Found", title, true},
                                                   {":", black, false},
                                                   {"The Database was not found", detail, false}}));
}

TEST_F(ConsoleTest, ExportStampAndFreeNames) {
  // The stamp and the "Ran At" time: the time of day to the second, no zone; the stamp with
  // "-" between the date's fields and the time's.
  struct Case {
    QLocale Locale;
    const char* Stamp;
    const char* RanAt;
  };
  const Case cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedKingdom), "19-06-2015 14-30-05",
       "19/06/2015 14:30:05"},
      {QLocale(QLocale::German, QLocale::Germany), "19-06-15 14-30-05", "19.06.15 14:30:05"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "6-19-15 2-30-05 PM",
       "6/19/15 2:30:05 PM"},
      {QLocale::c(), "19-Jun-2015 14-30-05", "19 Jun 2015 14:30:05"},
  };
  const QDateTime at(QDate(2015, 6, 19), QTime(14, 30, 5));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Locale.name().toStdString());
    EXPECT_EQ(ExportStamp(at, c.Locale), c.Stamp);
    EXPECT_EQ(ShortDateLongTime(at, c.Locale), c.RanAt);
  }

  MakeFolder("log");
  const QString folder = Path("log");
  EXPECT_EQ(ExportFileName(folder, "s"), Path("log/s.log"));
  for (const char* taken : {"s.log", "s(0).log", "s(1).log", "s(3).log"}) {
    QFile f(Path(QStringLiteral("log/") + taken));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  EXPECT_EQ(ExportFileName(folder, "s"), Path("log/s(2).log"));
}

TEST_F(ConsoleTest, ExportsInOneSecondTakeTheNextFreeNames) {
  // Three exports inside one second of the window's clock.
  Clock = QDateTime(QDate(2021, 2, 28), QTime(13, 45, 7));
  StartForm();
  const QString stamp = ExportStamp(Clock, QLocale::system());
  Click("btnConsoleExport");
  Click("btnConsoleExport");
  Click("btnConsoleExport");
  QStringList files = LogFiles();
  files.sort();
  QStringList expected{stamp + ".log", stamp + "(0).log", stamp + "(1).log"};
  expected.sort();
  EXPECT_EQ(files, expected);

  const QByteArray first = Read("log/" + stamp + ".log");
  EXPECT_TRUE(first.startsWith("Program Started Successfully\r\nSave The Vorns v0.1.0\r\n"));
  // The success line of an export is in the next file, not in its own.
  EXPECT_FALSE(first.contains("Created Output Successfully"));
  const QString path = QDir::toNativeSeparators(Path("log/" + stamp + "(0).log"));
  EXPECT_TRUE(
      Read("log/" + stamp + "(1).log")
          .endsWith(
              ("Created Output Successfully:Output File at: " + path + "\r\n").toLocal8Bit()));
  EXPECT_EQ(ConsoleLines().last(), "Created Output Successfully:Output File at: " +
                                       QDir::toNativeSeparators(Path("log/" + stamp + "(1).log")));
}

TEST_F(ConsoleTest, ExportWritesTheLinesAsTheConsoleWrapsThem) {
  StartForm();
  Form->ConsolePage().btnConsoleClearClick();
  QStringList words;
  for (int i = 0; i < 80; ++i) words << QStringLiteral("word%1").arg(i);
  Form->LogMessage(words.join(' '));
  Form->LogMessage("short", "");
  Click("btnConsoleExport");
  const QStringList files = LogFiles();
  ASSERT_EQ(files.size(), 1);
  const QStringList lines = QString::fromLocal8Bit(Read("log/" + files[0])).split("\r\n");
  ASSERT_GE(lines.size(), 4) << "wrapped into several lines";
  EXPECT_EQ(lines.last(), "") << "every line ends with CR LF";
  EXPECT_EQ(lines[lines.size() - 2], "short");
  const QStringList wrapped = lines.mid(0, lines.size() - 2);
  EXPECT_EQ(wrapped.join("").simplified().remove(' '), words.join("")) << "no text lost";
}

TEST_F(ConsoleTest, ExportWrapsAtTheSameWidthBeforeTheConsoleWasEverShown) {
  // Shutdown exports a console whose page the user may never have opened.
  StartForm();
  Form->ConsolePage().btnConsoleClearClick();
  QStringList words;
  for (int i = 0; i < 80; ++i) words << QStringLiteral("word%1").arg(i);
  Form->LogMessage(words.join(' '));
  ASSERT_FALSE(Console()->isVisible());
  const QStringList hidden = Form->ConsolePage().DisplayLines();
  Form->pctMain->SetActivePage(Form->tbsConsole);
  QTest::qWait(1);
  ASSERT_TRUE(Console()->isVisible());
  EXPECT_EQ(Form->ConsolePage().DisplayLines(), hidden);
  EXPECT_GE(hidden.size(), 2);
  EXPECT_LE(hidden.size(), 8) << hidden.join('|').toStdString();
}

TEST_F(ConsoleTest, ExportOfAnEmptyConsoleIsCode408AndWritesNoFile) {
  StartForm();
  Click("btnConsoleClear");
  EXPECT_TRUE(Console()->toPlainText().isEmpty());
  Click("btnConsoleExport");
  EXPECT_TRUE(QFileInfo(Path("log")).isDir());
  EXPECT_TRUE(LogFiles().isEmpty());
  EXPECT_EQ(ConsoleLines(), QStringList("ERROR(408):No Lines In Console:Console Does Not Contain "
                                        "Any Text To Export"));
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "408");
}

TEST_F(ConsoleTest, AnExportThatCannotBeWrittenIsReportedAndTheWindowStays) {
  StartForm();
  // A file where the folder should be: neither the folder nor the export can be made.
  QFile blocker(Path("log"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QStringList before = ConsoleLines();
  Click("btnConsoleExport");
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Reports[0].contains(QDir::toNativeSeparators(Path("log"))))
      << Reports[0].toStdString();
  EXPECT_EQ(ConsoleLines(), before) << "no success line";
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(ConsoleTest, AnExportCutShortByAFullDiskLeavesNoFile) {
  StartForm();
  MakeFolder("log");
  // A file size limit stands in for a full disk: the write stops after a few bytes.
  const QStringList before = ConsoleLines();
  TFileSizeLimit limit(16);
  ASSERT_TRUE(limit.Active());
  Click("btnConsoleExport");
  limit.Lift();
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Reports[0].startsWith("Cannot write file")) << Reports[0].toStdString();
  EXPECT_TRUE(LogFiles().isEmpty()) << LogFiles().join(' ').toStdString();
  EXPECT_EQ(ConsoleLines(), before) << "no success line";
}

} // namespace
