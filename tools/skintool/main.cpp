// skintool: inspect, unpack, pack, compose and review skin packages.
// Exit status 0 on success, 1 on bad input (one line on standard error), 2 on bad usage.

#include "commands.h"
#include "skin/render/skin_error.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>

namespace {
const char* kUsage = "usage:\n"
                     "  skintool info PACKAGE\n"
                     "  skintool unpack PACKAGE DIR\n"
                     "  skintool pack DESCRIPTION OUTPUT\n"
                     "  skintool compose PACKAGE RECORD WIDTH HEIGHT OUTPUT.bmp\n"
                     "  skintool builtin NAME OUTPUT\n"
                     "  skintool sheet PACKAGE OUTPUT.png\n";

struct Command {
  int ArgCount;
  std::function<int(const QStringList&)> Run;
};
} // namespace

int main(int argc, char** argv) {
  // Text and pictures are drawn without a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  QApplication app(argc, argv);

  const std::map<QString, Command> commands = {
      {"info", {1, RunInfo}},       {"unpack", {2, RunUnpack}},   {"pack", {2, RunPack}},
      {"compose", {5, RunCompose}}, {"builtin", {2, RunBuiltin}}, {"sheet", {2, RunSheet}},
  };
  QStringList args = app.arguments().mid(1);
  const auto it = args.isEmpty() ? commands.end() : commands.find(args.first());
  if (it == commands.end() || args.size() - 1 != it->second.ArgCount) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  args.removeFirst();
  try {
    return it->second.Run(args);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "skintool: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skintool: %s\n", e.what());
  }
  return 1;
}
