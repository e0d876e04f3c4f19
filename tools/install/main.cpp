// vorns-install DIR: makes DIR a working directory of the shelter application.
// vorns-install --server URI: the shelter's database on a PostgreSQL server.

#include "install_error.h"
#include "installer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>

namespace {

const char* const kUsage =
    "Usage: vorns-install [--force] [--assets NODE_MODULES] DIR\n"
    "       vorns-install [--force] --server postgresql://[USER@]HOST[:PORT]/DATABASE\n"
    "Makes DIR a working directory of Save The Vorns: cfg/Data.mdb with sample accounts and\n"
    "animals, pictures in img/, an empty img/usr/, and the receipt assets in gen/.\n"
    "With --server, the tables and sample data go to that PostgreSQL database; the password\n"
    "comes from ~/.pgpass or PGPASSWORD, never from the settings.\n"
    "  --force          replace an existing database and rewrite every file made here\n"
    "  --assets FOLDER  the node_modules folder holding jquery and qrcodejs\n"
    "                   (default: " VORNS_DEFAULT_ASSETS ")\n";

int UsageError(const char* message) {
  std::fprintf(stderr, "vorns-install: %s\n%s", message, kUsage);
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  TInstallOptions options;
  QString server;
  options.Assets = QString::fromLocal8Bit(VORNS_DEFAULT_ASSETS);
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == QLatin1String("--force")) {
      options.Force = true;
    } else if (arg == QLatin1String("--assets")) {
      if (++i >= argc) return UsageError("--assets needs a folder");
      options.Assets = QString::fromLocal8Bit(argv[i]);
    } else if (arg.startsWith(QLatin1String("--assets="))) {
      options.Assets = arg.mid(9);
    } else if (arg == QLatin1String("--server")) {
      if (++i >= argc) return UsageError("--server needs a postgresql:// address");
      server = QString::fromLocal8Bit(argv[i]);
    } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
      return UsageError("unknown option");
    } else if (options.Directory.isEmpty()) {
      options.Directory = arg;
    } else {
      return UsageError("more than one directory given");
    }
  }
  if (!server.isEmpty()) {
    if (!options.Directory.isEmpty()) return UsageError("give a directory or --server, not both");
    QCoreApplication app(argc, argv);
    try {
      for (const QString& line : InstallServer(server, options.Force))
        std::printf("%s\n", qPrintable(line));
      return 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vorns-install: %s\n", e.what());
      return 1;
    }
  }
  if (options.Directory.isEmpty()) return UsageError("no directory given");

  // Pictures are drawn off-screen; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
  QGuiApplication app(argc, argv);

  try {
    for (const QString& line : Install(options)) std::printf("%s\n", qPrintable(line));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorns-install: %s\n", e.what());
    return 1;
  }
}
