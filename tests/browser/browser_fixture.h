#pragma once
// What the browser tests share: a working directory made by vorns-install (the database,
// the pictures, and the QR code script and logo beside the receipts) as the current
// directory, headless Chromium to render a page, and zbarimg to read a QR code back.
// Both programs belong to the tests' tools: without them a test fails.
#include "tools/tool_run.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

class TBrowserTest : public ::testing::Test {
protected:
  // Bounds on each outside program; a hung run fails the test instead of stalling the suite.
  static constexpr int kInstallTimeoutMs = 180000;
  static constexpr int kBrowserTimeoutMs = 90000;
  static constexpr int kDecodeTimeoutMs = 30000;

  void SetUp() override {
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

  // The text of the QR code on the page at `url` as a browser shows it; fails the test when
  // the page cannot be rendered or holds no readable code.
  QByteArray ReadQrCode(const QUrl& url) {
    const QString shot = FOut.filePath(QStringLiteral("page.png"));
    QFile::remove(shot);
    const ToolRun browser = Browse(url, {"--screenshot=" + shot, "--window-size=800,700"});
    EXPECT_TRUE(browser.Exited && browser.Status == 0) << browser.Err.toStdString();
    EXPECT_TRUE(QFile::exists(shot)) << browser.Err.toStdString();
    const ToolRun decode = RunProgram(Zbarimg, {"-q", "--raw", shot}, kDecodeTimeoutMs);
    EXPECT_TRUE(decode.Exited) << "zbarimg did not end";
    EXPECT_EQ(decode.Status, 0) << "no QR code found: " << decode.Err.toStdString();
    return decode.Out;
  }

  QString Chromium, Zbarimg;

private:
  QTemporaryDir FWork, FOut;
  QString FOldDir;
};
