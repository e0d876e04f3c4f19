// The adoption receipt as a browser shows it: written into a working directory made by
// vorns-install (which puts the QR code script and the logo beside the receipts), rendered
// by headless Chromium, its QR code read back from the screenshot, and a name holding markup
// and non-Latin letters shown as text.
#include "browser_fixture.h"

#include "app/adoption_receipt.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class ReceiptBrowserTest : public TBrowserTest {
protected:
  // Writes a receipt for animal 17 and returns the URL it would have opened.
  QUrl Receipt(const QString& userName) {
    QUrl opened;
    TReceiptServices services;
    services.Open = [&opened](const QUrl& url) { opened = url; };
    EXPECT_TRUE(CreateAdoptionReceipt(userName, "3", "555-0101", "Rex", "17", "K4", services));
    return opened;
  }
};

TEST_F(ReceiptBrowserTest, TheQrCodeReadsTheAnimalIdAndHello) {
  const QUrl url = Receipt(QStringLiteral("member"));
  ASSERT_TRUE(url.isLocalFile());

  EXPECT_EQ(ReadQrCode(url), QByteArray("17hello\n"));
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
