// The adoption receipt: the file names in gen/ with their "(n)" numbers, the document (eight
// CR LF lines of UTF-8, well-formed, the values escaped), the validity date, the URL handed
// to the browser, and failures that leave no file behind and return false.
#include "file_size_limit.h"
#include "unprivileged.h"

#include "app/adoption_receipt.h"
#include "app/local_time.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

// What the receipt's reader sees: the texts of the elements that carry the values.
struct TReceiptPage {
  QString Error; // empty when the document is well-formed
  QString Title;
  QStringList Headers, Cells, Paragraphs;
  QString AnimalIDCell;
  int Scripts = 0;
};

TReceiptPage ReadPage(const QByteArray& document) {
  TReceiptPage page;
  QXmlStreamReader xml(document);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString name = xml.name().toString();
    if (name == "script") ++page.Scripts;
    if (name == "title") page.Title = xml.readElementText();
    if (name == "th") page.Headers << xml.readElementText();
    if (name == "p") page.Paragraphs << xml.readElementText();
    if (name == "td") {
      const bool animalID = xml.attributes().value("id") == QLatin1String("AnimalID");
      page.Cells << xml.readElementText();
      if (animalID) page.AnimalIDCell = page.Cells.last();
    }
  }
  if (xml.hasError()) page.Error = xml.errorString();
  return page;
}

class AdoptionReceiptTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    FOldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FDir.path()));
    Services.Now = [this] { return Now; };
    Services.Open = [this](const QUrl& url) { Opened << url; };
  }
  void TearDown() override { QDir::setCurrent(FOldDir); }

  bool Receipt(const QString& userName, const QString& animalID = "17") {
    return CreateAdoptionReceipt(userName, "5", "555-0101", "Rex", animalID, "K4", Services);
  }

  QString Path(const QString& relative) const { return QDir(FDir.path()).filePath(relative); }
  QStringList GenFiles() const {
    return QDir(Path("gen")).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  }
  QByteArray Read(const QString& relative) const {
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QDateTime Now{QDate(2021, 2, 28), QTime(9, 41, 7)};
  TReceiptServices Services;
  QList<QUrl> Opened;

private:
  QTemporaryDir FDir;
  QString FOldDir;
};

TEST_F(AdoptionReceiptTest, EachReceiptTakesTheFirstFreeName) {
  // gen/ does not exist yet: the first receipt makes it.
  ASSERT_TRUE(Receipt("x"));
  ASSERT_TRUE(Receipt("x"));
  ASSERT_TRUE(Receipt("x"));
  EXPECT_EQ(GenFiles(), QStringList({"x(0).html", "x(1).html", "x.html"}));
  ASSERT_TRUE(QFile::remove(Path("gen/x(0).html")));
  ASSERT_TRUE(Receipt("x")) << "the gap is filled";
  ASSERT_TRUE(Receipt("x"));
  EXPECT_EQ(GenFiles(), QStringList({"x(0).html", "x(1).html", "x(2).html", "x.html"}));
  QStringList opened;
  for (const QUrl& url : Opened) opened << QFileInfo(url.toLocalFile()).fileName();
  EXPECT_EQ(opened, QStringList({"x.html", "x(0).html", "x(1).html", "x(0).html", "x(2).html"}));

  // A link in the way is a taken name even when it leads nowhere; it is not written through.
  ASSERT_TRUE(QFile::link(Path("outside.html"), Path("gen/y.html")));
  ASSERT_TRUE(Receipt("y"));
  EXPECT_FALSE(QFileInfo::exists(Path("outside.html")));
  EXPECT_EQ(QFileInfo(Opened.last().toLocalFile()).fileName(), "y(0).html");
}

TEST_F(AdoptionReceiptTest, TheDocumentIsEightCrLfLinesThatShowEveryValue) {
  ASSERT_TRUE(Receipt("sam"));
  const QByteArray data = Read("gen/sam.html");
  EXPECT_EQ(data.count("\r\n"), 8);
  EXPECT_EQ(data.count('\n'), 8) << "no bare line feeds";
  EXPECT_EQ(data.count('\r'), 8);
  ASSERT_TRUE(data.endsWith("\r\n"));
  const QList<QByteArray> lines = data.split('\n');
  EXPECT_TRUE(
      lines[0].startsWith(R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" )"
                          R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">)"));
  EXPECT_TRUE(lines[0].contains(R"(content="text/html; charset=UTF-8")"));
  EXPECT_TRUE(lines[3].trimmed().endsWith("<img")) << "the logo's attributes follow on line 5";
  EXPECT_TRUE(lines[5].endsWith("margin-top:10px \r")) << "the QR box's style goes on";
  EXPECT_TRUE(lines[6].startsWith(R"(;background-color:#FFF"></div>)"));
  EXPECT_EQ(lines[7],
            R"(<script type="text/javascript">function printNow() {window.print();};)"
            R"(function generateCode() {  var sCode = document.getElementById("AnimalID").)"
            R"(innerText+"hello";var qrcode = new QRCode("qrcode", {text: sCode,width: 96,)"
            R"(height: 96});};</script></body> </html>)"
            "\r");

  const TReceiptPage page = ReadPage(data);
  ASSERT_TRUE(page.Error.isEmpty()) << page.Error.toStdString();
  EXPECT_EQ(page.Title, "Reciept For sam");
  EXPECT_EQ(page.Headers, QStringList({"Person", "Animal"}));
  EXPECT_EQ(page.Cells, QStringList({"ID", "5", "ID", "17", "Name", "sam", "Name", "Rex", "Contact",
                                     "555-0101", "Kennel", "K4"}));
  EXPECT_EQ(page.AnimalIDCell, "17");
  EXPECT_EQ(page.Scripts, 3);
}

TEST_F(AdoptionReceiptTest, ValidForFourteenDaysFromTheMomentItWasMade) {
  const QLocale locale = QLocale::system();
  struct TCase {
    QDateTime At;
    QDate ValidUntil;
  };
  const TCase cases[] = {
      {{QDate(2021, 2, 28), QTime(9, 41, 7)}, QDate(2021, 3, 14)},
      {{QDate(2024, 2, 20), QTime(23, 59, 59)}, QDate(2024, 3, 5)}, // across a leap day
      {{QDate(2020, 12, 25), QTime(0, 0, 0)}, QDate(2021, 1, 8)},   // across the year's end
  };
  for (const TCase& c : cases) {
    Now = c.At;
    const QString name = c.At.date().toString(Qt::ISODate);
    ASSERT_TRUE(Receipt(name));
    const TReceiptPage page = ReadPage(Read("gen/" + name + ".html"));
    ASSERT_EQ(page.Paragraphs.size(), 2);
    EXPECT_EQ(page.Paragraphs[1],
              "generated " + locale.toString(c.At.date(), QLocale::ShortFormat) + " at " +
                  locale.toString(c.At.time(), LongTimeFormat(locale)) + " only valid until " +
                  locale.toString(c.ValidUntil, QLocale::ShortFormat))
        << name.toStdString();
  }
}

TEST_F(AdoptionReceiptTest, MarkupInAValueShowsAsTextAndLettersStayUtf8) {
  const QString name = R"(<script>alert("x")</script> & 'Zoë' Åström 李)";
  ASSERT_TRUE(CreateAdoptionReceipt(name, "5", "<b>555</b>", "R&D", "17", "K'4", Services));
  ASSERT_EQ(GenFiles().size(), 1);
  const QByteArray data = Read("gen/" + GenFiles()[0]);
  EXPECT_FALSE(data.contains("<script>alert")) << data.toStdString();
  EXPECT_FALSE(data.contains("<b>"));
  EXPECT_TRUE(data.contains("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; "
                            "&#39;Zo\xc3\xab&#39; \xc3\x85str\xc3\xb6m \xe6\x9d\x8e"));

  const TReceiptPage page = ReadPage(data);
  ASSERT_TRUE(page.Error.isEmpty()) << page.Error.toStdString();
  EXPECT_EQ(page.Title, "Reciept For " + name);
  EXPECT_EQ(page.Cells, QStringList({"ID", "5", "ID", "17", "Name", name, "Name", "R&D", "Contact",
                                     "<b>555</b>", "Kennel", "K'4"}));
  EXPECT_EQ(page.Scripts, 3) << "no script element came from a value";
}

TEST_F(AdoptionReceiptTest, TheFileNameCannotLeaveGenOrHideTheFile) {
  const std::map<QString, QString> cases = {
      {"../x", "___x.html"},
      {"a/b", "a_b.html"},
      {"a\\b", "a_b.html"},
      {"a:b", "a_b.html"},
      {".hidden", "_hidden.html"},
      {"..", "__.html"},
      {"", "_.html"},
      {"t\tab\x01\x7f", "t_ab__.html"},
      {QString("nul") + QChar(0) + "x", "nul_x.html"},
      {R"(<>"|?*)", "______.html"},
      {"a.b c", "a.b c.html"},
  };
  for (const auto& [name, file] : cases) {
    QDir(Path("gen")).removeRecursively();
    Opened.clear();
    ASSERT_TRUE(Receipt(name)) << name.toStdString();
    EXPECT_EQ(GenFiles(), QStringList{file}) << name.toStdString();
    EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"gen"})
        << name.toStdString();
    ASSERT_EQ(Opened.size(), 1);
    EXPECT_EQ(Opened[0], QUrl::fromLocalFile(Path("gen/" + file)));
    // Only the file name changes: the page shows the name as given.
    EXPECT_TRUE(Read("gen/" + file).contains(("Reciept For " + name.toHtmlEscaped()).toUtf8()))
        << name.toStdString();
  }
}

TEST_F(AdoptionReceiptTest, TheBrowserGetsTheFileUrlOfANameWithHashAndPercent) {
  ASSERT_TRUE(Receipt("a#b%20c"));
  ASSERT_EQ(Opened.size(), 1);
  const QUrl url = Opened[0];
  EXPECT_TRUE(url.isLocalFile());
  EXPECT_FALSE(url.hasFragment());
  EXPECT_EQ(url.toLocalFile(), Path("gen/a#b%20c.html"));
  EXPECT_TRUE(url.toString(QUrl::FullyEncoded).endsWith("/gen/a%23b%2520c.html"))
      << url.toString(QUrl::FullyEncoded).toStdString();
  EXPECT_TRUE(QFileInfo::exists(url.toLocalFile()));
}

TEST_F(AdoptionReceiptTest, AFullDiskLeavesNoFileAndReturnsFalse) {
  ASSERT_TRUE(QDir().mkdir(Path("gen")));
  TFileSizeLimit limit(16);
  ASSERT_TRUE(limit.Active());
  const bool made = Receipt("sam");
  limit.Lift();
  EXPECT_FALSE(made);
  EXPECT_EQ(GenFiles(), QStringList());
  EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(AdoptionReceiptTest, AFolderThatCannotBeWrittenReturnsFalse) {
  // A read-only gen/ in a working directory that everyone may enter.
  const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(QDir::currentPath(), readOnly | QFile::WriteOwner));
  ASSERT_TRUE(QDir().mkdir(Path("gen")));
  ASSERT_TRUE(QFile::setPermissions(Path("gen"), readOnly));
  {
    TUnprivileged guard;
    EXPECT_FALSE(Receipt("sam"));
  }
  ASSERT_TRUE(
      QFile::setPermissions(Path("gen"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  EXPECT_EQ(GenFiles(), QStringList());

  // A file where gen/ should be: the folder cannot be made.
  ASSERT_TRUE(QDir(Path("gen")).removeRecursively());
  QFile blocker(Path("gen"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_FALSE(Receipt("sam"));
  EXPECT_EQ(blocker.size(), 0);
  EXPECT_TRUE(Opened.isEmpty());
}

} // namespace
