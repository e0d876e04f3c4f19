#pragma once
// The Console page: the application's only log, one coloured line per event in a rich
// edit, cleared and exported to a numbered file in log/ from its buttons (and at shutdown
// when the settings ask for it).

#include <QString>
#include <QStringList>

class TfrmMain;
class TspSkinButton;
class TspSkinRichEdit;
class TspSkinScrollBar;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TConsolePage {
public:
  TConsolePage(TfrmMain& form, TspSkinTabSheet* sheet);

  // A message line: Message in bold green, then ":" and Detail in grey when Detail is not
  // empty.
  void LogMessage(const QString& message, const QString& detail);
  // An error line: ERROR(code):Title:Details, the word and the code in red, the title bold.
  void LogError(const QString& title, int code, const QString& details);

  void btnConsoleClearClick();
  // Writes the console's display lines to log/<stamp>.log (or the first free
  // <stamp>(n).log); code 408 when the console holds no line.
  void btnConsoleExportClick();

  // The console's lines as it shows them: a paragraph wrapped at the console's width is
  // several lines.
  QStringList DisplayLines() const;

  TspSkinStdLabel* lblConsoleHeader = nullptr;
  TspSkinRichEdit* redConsole = nullptr;
  TspSkinScrollBar* scbConsole = nullptr;
  TspSkinButton* btnConsoleClear = nullptr;
  TspSkinButton* btnConsoleExport = nullptr;

private:
  TfrmMain& FForm;
};

// The name stem of an export: the local date and time in the short date and long time
// formats of `locale`, with "-" in place of their date and time separators.
QString ExportStamp(const class QDateTime& at, const class QLocale& locale);
// The first free file of a stem in `folder`: stem.log, else stem(0).log, stem(1).log, ...
QString ExportFileName(const QString& folder, const QString& stem);
