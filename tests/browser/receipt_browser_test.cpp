// The adoption receipt as a browser shows it: written into a working directory made by
// vorns-install (which puts the QR code script and the logo beside the receipts), rendered
// by headless Chromium, its QR code read back from the screenshot, and a name holding markup
// and non-Latin letters shown as text.
#include "tools/tool_run.h"

#include "app/adoption_receipt.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Bounds on each outside program; a hung run fails the test instead of stalling the suite.
constexpr int kInstallTimeoutMs = 180000;
constexpr int kBrowserTimeoutMs = 90000;
constexpr int kDecodeTimeoutMs = 30000;

class ReceiptBrowserTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Both programs belong to the test's tools: without them the test fails.
    Chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    Zbarimg = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    ASSERT_FALSE(Chromium.isEmpty()) << "chromium is not installed";
    ASSERT_FALSE(Zbarimg.isEmpty()) << "zbarimg (zbar-tools) is not installed";
    ASSERT_TRUE(FWork.isValid() && FOut.isValid());
    ASSERT_TRUE(
        Succeeded(RunProgram(QStringLiteral(VORNS_INSTALL), {FWork.path()}, kInstallTimeoutMs)));
    FOldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FWork.path()));
  }
  void TearDown() override { QDir::setCurrent(FOldDir); }

  // Writes a receipt for animal 17 and returns the URL it would have opened.
  QUrl Receipt(const QString& userName) {
    QUrl opened;
    TReceiptServices services;
    services.Open = [&opened](const QUrl& url) { opened = url; };
    EXPECT_TRUE(CreateAdoptionReceipt(userName, "3", "555-0101", "Rex", "17", "K4", services));
    return opened;
  }

  // Runs headless Chromium on `url` with `mode` (a screenshot or a DOM dump) and a profile
  // of its own that goes with the run.
  ToolRun Browse(const QUrl& url, const QStringList& mode) {
    QTemporaryDir profile;
    EXPECT_TRUE(profile.isValid());
    QStringList args = {"--headless",
                        "--no-sandbox",
                        "--disable-gpu",
                        "--disable-background-networking",
                        "--disable-component-update",
                        "--disable-sync",
                        "--no-first-run",
                        "--user-data-dir=" + profile.path(),
                        "--virtual-time-budget=5000"};
    args << mode << url.toString(QUrl::FullyEncoded);
    return RunProgram(Chromium, args, kBrowserTimeoutMs);
  }

  QString OutPath(const QString& name) const { return FOut.filePath(name); }

  QString Chromium, Zbarimg;

private:
  QTemporaryDir FWork, FOut;
  QString FOldDir;
};

TEST_F(ReceiptBrowserTest, TheQrCodeReadsTheAnimalIdAndHello) {
  const QUrl url = Receipt(QStringLiteral("member"));
  ASSERT_TRUE(url.isLocalFile());

  const QString shot = OutPath("receipt.png");
  const ToolRun browser = Browse(url, {"--screenshot=" + shot, "--window-size=800,700"});
  ASSERT_TRUE(browser.Exited && browser.Status == 0) << browser.Err.toStdString();
  ASSERT_TRUE(QFile::exists(shot)) << browser.Err.toStdString();

  const ToolRun decode = RunProgram(Zbarimg, {"-q", "--raw", shot}, kDecodeTimeoutMs);
  ASSERT_TRUE(decode.Exited) << "zbarimg did not end";
  EXPECT_EQ(decode.Status, 0) << "no QR code found: " << decode.Err.toStdString();
  EXPECT_EQ(decode.Out, QByteArray("17hello\n"));
}

TEST_F(ReceiptBrowserTest, MarkupAndLettersInTheNameShowAsText) {
  const QString name = QStringLiteral("<script>alert(1)</script> Zoë Åström 李");
  const QUrl url = Receipt(name);
  ASSERT_TRUE(url.isLocalFile());

  const ToolRun browser = Browse(url, {"--dump-dom"});
  ASSERT_TRUE(browser.Exited && browser.Status == 0) << browser.Err.toStdString();
  const QString dom = QString::fromUtf8(browser.Out);
  // The page's own script ran: the QR code box holds a drawing.
  EXPECT_TRUE(dom.contains(QRegularExpression(R"(<div id="qrcode"[^>]*>\s*<canvas)")))
      << dom.toStdString();

  // The name's markup is text in the title and in its cell; the page has only its own three
  // script elements.
  const QString asText = QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; Zoë Åström 李");
  EXPECT_TRUE(dom.contains("<title>Reciept For " + asText + "</title>")) << dom.toStdString();
  EXPECT_TRUE(dom.contains("<td>" + asText + "</td>")) << dom.toStdString();
  EXPECT_EQ(dom.count(QStringLiteral("<script")), 3) << dom.toStdString();
  EXPECT_FALSE(dom.contains(QStringLiteral("<script>alert")));
}

} // namespace
