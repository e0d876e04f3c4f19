// vorns-backup: backs up a shelter's database while the application runs, and restores it.

#include "backup.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

namespace {

const char* const kUsage =
    "Usage: vorns-backup DIR|URI OUT\n"
    "       vorns-backup --restore [--force] BACKUP DIR|URI\n"
    "Copies the database of the working directory DIR (cfg/Data.mdb) or of the PostgreSQL\n"
    "server URI (postgresql://USER@HOST:PORT/DATABASE) into the new file OUT while the\n"
    "application may be writing; an existing OUT is never replaced. --restore puts a backup\n"
    "back into DIR or the server database.\n"
    "  --force  replace an existing database (close the application on every workstation\n"
    "           first)\n"
    "The server's password comes from PGPASSWORD or ~/.pgpass, never from the URI.\n";

int UsageError(const char* message) {
  std::fprintf(stderr, "vorns-backup: %s\n%s", message, kUsage);
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  bool restore = false;
  bool force = false;
  QStringList operands;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (optionsEnd || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
      operands << arg;
    } else if (arg == QLatin1String("--")) {
      optionsEnd = true;
    } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == QLatin1String("--restore")) {
      restore = true;
    } else if (arg == QLatin1String("--force")) {
      force = true;
    } else {
      return UsageError("unknown option");
    }
  }
  if (force && !restore) return UsageError("--force goes with --restore only");
  if (operands.size() != 2)
    return UsageError(restore ? "--restore needs a backup and a working directory or server URI"
                              : "give a working directory or server URI and the backup file");

  try {
    const QString line =
        restore ? Restore(operands[0], operands[1], force) : Backup(operands[0], operands[1]);
    std::printf("%s\n", qPrintable(line));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorns-backup: %s\n", e.what());
    return 1;
  }
}
