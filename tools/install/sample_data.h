#pragma once
// The sample accounts and animals a new working directory starts with.

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <vector>

struct TSampleAccount {
  const char* Username;
  const char* Password; // stored hashed
  const char* FullName;
  const char* Email;
  const char* Phone; // as the phone mask edit gives it
  const char* Address;
  bool Admin;
  bool Employee;
};

const std::vector<TSampleAccount>& SampleAccounts();

// The kinds the adding page offers, in its order.
const std::vector<QString>& AnimalKinds();

// An animal written to the database, with the ID the store gave it.
struct TStoredAnimal {
  qlonglong ID = 0;
  QString AnimalName;
  QString Type;
  // The emoji of its own picture (img/ + name + ID + ".jpg"); empty when it has none.
  QString PictureEmoji;
};

struct TSampleCounts {
  int Accounts = 0;
  std::vector<TStoredAnimal> Animals;
};

// Writes every account (passwords hashed) and every animal in one transaction into the
// empty Users and Animals tables. Raises EDatabaseError when the database refuses.
TSampleCounts WriteSampleData(QSqlDatabase& db);
