// The application's tests run under the application object itself, so that the default
// error report is the real one: this program's entry replaces the shared test entry.
// Also here: the report of an exception that ends a handler.
#include "app/app_fonts.h"
#include "app/vorns_application.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  ::testing::InitGoogleTest(&argc, argv);
  TVornsApplication app(argc, argv);
  RegisterAppFonts();
  return RUN_ALL_TESTS();
}

namespace {

TEST(DefaultReport, ExceptionInHandlerIsReportedAndTheWindowStays) {
  QStringList reports;
  TVornsApplication::SetReporter([&](const QString& message) { reports << message; });
  QWidget window;
  auto* button = new QPushButton(QStringLiteral("Fail"), &window);
  int runs = 0;
  QObject::connect(button, &QPushButton::clicked, [&] {
    ++runs;
    throw std::runtime_error("Field 'Type' has a null value");
  });
  window.show();
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(button, Qt::LeftButton);
  TVornsApplication::SetReporter({});
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(reports, QStringList(2, QStringLiteral("Field 'Type' has a null value")));
  EXPECT_TRUE(window.isVisible());
}

} // namespace
