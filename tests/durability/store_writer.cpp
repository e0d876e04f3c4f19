// store_writer register|animals HOST PORT DATABASE PREFIX: the store calls the Register and
// Employee pages make (locate the name, hash the password, append, set every field, post),
// against a PostgreSQL database (HOST may be a socket folder), numbered from 0, without end.
// Prints "stored N" once row N is in the database; an error ends it with status 3. The
// durability tests kill it at random moments and then check the database.

#include "durability/shelter_rows.h"

#include "platform/password_hash.h"
#include "store/store_connection.h"
#include "store/table_cursor.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void Register(TTableCursor& users, const QString& prefix, int i) {
  const TWrittenUser user = WrittenUser(prefix, i);
  users.Close();
  users.SetTableName(QStringLiteral("Users"));
  users.Open();
  if (users.Locate(QStringLiteral("Username"), user.Username))
    throw std::runtime_error("the name " + user.Username.toStdString() + " is taken");
  const QString hash = HashPassword(user.Password);
  users.Append();
  users.SetField(QStringLiteral("Username"), user.Username);
  users.SetField(QStringLiteral("Password"), hash);
  users.SetField(QStringLiteral("FullName"), user.FullName);
  users.SetField(QStringLiteral("Email"), user.Email);
  users.SetField(QStringLiteral("Phone"), user.Phone);
  users.SetField(QStringLiteral("Address"), user.Address);
  users.SetField(QStringLiteral("Picture"), QStringLiteral("Default"));
  users.Post();
}

void AddAnimal(TTableCursor& animals, const QString& prefix, int i) {
  const TWrittenAnimal animal = WrittenAnimal(prefix, i);
  animals.Close();
  animals.SetTableName(QStringLiteral("Animals"));
  animals.Open();
  animals.Append();
  animals.SetField(QStringLiteral("AnimalName"), animal.AnimalName);
  animals.SetField(QStringLiteral("Type"), animal.Type);
  animals.SetField(QStringLiteral("Colour"), animal.Colour);
  animals.SetField(QStringLiteral("Breed"), animal.Breed);
  animals.SetField(QStringLiteral("Sex"), animal.Sex);
  animals.SetField(QStringLiteral("CheckIn"), animal.CheckIn);
  animals.SetField(QStringLiteral("Adopt"), animal.Adopt);
  animals.SetField(QStringLiteral("KennelID"), animal.KennelID);
  animals.Post();
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const bool animals = args.size() == 6 && args[1] == QLatin1String("animals");
  if (args.size() != 6 || (!animals && args[1] != QLatin1String("register"))) {
    std::fputs("Usage: store_writer register|animals HOST PORT DATABASE PREFIX\n", stderr);
    return 2;
  }
  try {
    TConnectionParams params;
    params.HostName = args[2];
    params.Port = args[3].toInt();
    params.DatabaseName = args[4];
    params.UserName = QStringLiteral("postgres");
    auto connection = TStoreConnection::OpenServer(QStringLiteral("QPSQL"), params);
    TTableCursor cursor(connection->Name());
    for (int i = 0;; ++i) {
      if (animals)
        AddAnimal(cursor, args[5], i);
      else
        Register(cursor, args[5], i);
      std::printf("stored %d\n", i);
      std::fflush(stdout);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "store_writer: %s\n", e.what());
    return 3;
  }
}
