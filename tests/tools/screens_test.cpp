// vorns-screens run as a separate program on an installed working directory: a picture per
// skin and shown page, the role's pages after a login, and the working directory left as
// it was.

#include "tool_run.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ToolRun RunTool(const char* program, const QStringList& args) {
  return RunProgram(QString::fromLatin1(program), args, 180000);
}

} // namespace

TEST(Screens, AMembersPagesInEverySkinWithoutWritingTheWorkingDirectory) {
  QTemporaryDir work, out;
  ASSERT_TRUE(Succeeded(RunTool(VORNS_INSTALL, {work.path()})));
  const QStringList before = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

  const ToolRun run = RunTool(VORNS_SCREENS, {work.path(), out.path(), "member", "VornsMember1"});
  ASSERT_TRUE(run.Exited && run.Status == 0) << run.Status << " " << run.Err.toStdString();

  QStringList expected;
  for (const char* skin : {"Blue", "Green", "Orange", "Purple", "noskin"})
    // The role's tabs, and the pages reached without a tab: the Edit page and the page of
    // the first animal up for adoption.
    for (const char* page :
         {"tbsProfile", "tbsAdopt", "tbsConfig", "tbsConsole", "tbsEdit", "tbsAnimal"})
      expected << QStringLiteral("%1-%2.png").arg(skin, page);
  expected.sort();
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files, QDir::Name), expected);

  const QImage blue(out.filePath("Blue-tbsProfile.png"));
  const QImage green(out.filePath("Green-tbsProfile.png"));
  // The window: the layout's 970 x 671 client area in the skin's frame.
  EXPECT_EQ(blue.size(), QSize(978, 705));
  EXPECT_NE(blue, green);
  // The run worked on a copy: no settings file or log appeared in the original.
  EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
  EXPECT_FALSE(QFile::exists(work.filePath("cfg/config.ini")));
}

TEST(Screens, WrongArgumentsAreAUsageError) {
  const ToolRun run = RunTool(VORNS_SCREENS, {"only-one"});
  EXPECT_TRUE(run.Exited);
  EXPECT_EQ(run.Status, 2);
}

TEST(Screens, AFailedLoginIsReportedAndFailsTheRun) {
  QTemporaryDir work, out;
  ASSERT_TRUE(Succeeded(RunTool(VORNS_INSTALL, {work.path()})));
  const ToolRun run = RunTool(VORNS_SCREENS, {work.path(), out.path(), "member", "wrong"});
  EXPECT_TRUE(run.Exited);
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(run.Err.contains("could not log in")) << run.Err.toStdString();
}
