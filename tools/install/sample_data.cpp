#include "sample_data.h"

#include "platform/password_hash.h"
#include "store/shelter_schema.h"
#include "store/store_error.h"
#include "store/store_sql.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <array>
#include <utility>

namespace {

constexpr int kAnimalsPerKind = 16;

struct TLook {
  const char* Breed;
  const char* Colour;
};

struct TKindSamples {
  const char* Type;
  const char* KennelBlock;
  std::array<const char*, kAnimalsPerKind> Names;
  // Breed and colour belong together (an emperor scorpion is black); the animals take them
  // in turn. The first looks match the animals' own pictures.
  std::vector<TLook> Looks;
  // Own pictures of the first animals of the kind, in order.
  std::vector<const char*> PictureEmoji;
};

const std::vector<TKindSamples>& Kinds() {
  static const std::vector<TKindSamples> kinds = {
      {"Cat",
       "A",
       {"Whiskers", "Luna", "Oliver", "Milo", "Cleo", "Jasper", "Nala", "Smokey", "Pepper",
        "Ginger", "Tigger", "Mittens", "Shadow", "Willow", "Biscuit", "Hazel"},
       {{"Domestic Shorthair", "Ginger"},
        {"Domestic Shorthair", "Black"},
        {"Maine Coon", "Brown Tabby"},
        {"Siamese", "Seal Point"},
        {"British Shorthair", "Blue Grey"},
        {"Domestic Longhair", "Tortoiseshell"},
        {"Ragdoll", "Cream"},
        {"Domestic Shorthair", "Black and White"},
        {"Persian", "White"},
        {"Bengal", "Spotted Brown"}},
       {"\U0001F431", "\U0001F408\u200D\u2B1B"}},
      {"Dog",
       "B",
       {"Rex", "Bella", "Max", "Daisy", "Buddy", "Rosie", "Charlie", "Molly", "Rocky", "Bailey",
        "Duke", "Lola", "Scout", "Penny", "Bruno", "Maple"},
       {{"Labrador Retriever", "Golden"},
        {"Miniature Poodle", "Grey"},
        {"Border Collie", "Black and White"},
        {"Staffordshire Bull Terrier", "Brindle"},
        {"Jack Russell Terrier", "White and Tan"},
        {"German Shepherd", "Black and Tan"},
        {"Greyhound", "Fawn"},
        {"Beagle", "Tricolour"},
        {"Cocker Spaniel", "Liver"},
        {"Mixed Breed", "Brown"}},
       {"\U0001F436", "\U0001F429"}},
      {"Rabbit",
       "C",
       {"Thumper", "Clover", "Bramble", "Poppy", "Hopper", "Nutmeg", "Fern", "Pip", "Dandelion",
        "Bluebell", "Truffle", "Juniper", "Acorn", "Primrose", "Flopsy", "Sorrel"},
       {{"Lionhead", "White"},
        {"Netherland Dwarf", "Light Grey"},
        {"Holland Lop", "Orange"},
        {"Dutch", "Black and White"},
        {"Mini Rex", "Castor"},
        {"English Lop", "Fawn"},
        {"Flemish Giant", "Steel Grey"},
        {"Harlequin", "Black and Orange"}},
       {"\U0001F430", "\U0001F407"}},
      {"Snake",
       "D",
       {"Monty", "Sid", "Slinky", "Kaa", "Noodle", "Ziggy", "Medusa", "Onyx", "Sable", "Basil",
        "Cobalt", "Sunny", "Twister", "Jade", "Rio", "Echo"},
       {{"Green Tree Python", "Green"},
        {"Corn Snake", "Orange and Red"},
        {"Royal Python", "Brown and Black"},
        {"California Kingsnake", "Black and White Banded"},
        {"Western Hognose", "Olive"},
        {"Milk Snake", "Red, Black and Yellow"},
        {"Rosy Boa", "Grey and Rust"},
        {"Garter Snake", "Striped Green"}},
       {"\U0001F40D"}},
      {"Scorpion",
       "E",
       {"Sting", "Pincer", "Ember", "Rusty", "Bolt", "Dusty", "Flint", "Cinder", "Ash", "Tango",
        "Raven", "Sahara", "Khan", "Talon", "Nyx", "Blaze"},
       {{"Desert Hairy Scorpion", "Amber"},
        {"Emperor Scorpion", "Black"},
        {"Asian Forest Scorpion", "Blue-Black"},
        {"Tanzanian Red Clawed Scorpion", "Brown and Red"},
        {"Flat Rock Scorpion", "Dark Brown"},
        {"Dictator Scorpion", "Black"}},
       {"\U0001F982"}},
  };
  return kinds;
}

[[noreturn]] void Fail(const char* what, const QSqlError& error) {
  throw EDatabaseError(std::string("Cannot write the sample ") + what + ": " +
                       error.text().toStdString());
}

// An INSERT of every column but the key, with one bound placeholder per column.
QSqlQuery PrepareInsert(QSqlDatabase& db, const char* table, const QStringList& fields) {
  QStringList columns, marks;
  for (const QString& field : fields) {
    if (field == QLatin1String("ID")) continue;
    columns << QuoteIdentifier(field);
    marks << QStringLiteral("?");
  }
  QSqlQuery query(db);
  if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(QuoteIdentifier(QString::fromLatin1(table)),
                              columns.join(QStringLiteral(", ")),
                              marks.join(QStringLiteral(", ")))))
    Fail(table, query.lastError());
  return query;
}

// Binds the values by field name in the table's column order.
void Run(QSqlQuery& query, const QStringList& fields,
         const std::vector<std::pair<QString, QVariant>>& values, const char* what) {
  int position = 0;
  for (const QString& field : fields) {
    if (field == QLatin1String("ID")) continue;
    QVariant value;
    for (const auto& [name, v] : values)
      if (name == field) value = v;
    query.bindValue(position++, value);
  }
  if (!query.exec()) Fail(what, query.lastError());
}

} // namespace

const std::vector<TSampleAccount>& SampleAccounts() {
  static const std::vector<TSampleAccount> accounts = {
      {"admin", "VornsAdmin1", "Ada Whitfield", "ada.whitfield@example.org", "(020)555-0101",
       "1 Shelter Lane, Brookfield", true, false},
      {"staff", "VornsStaff1", "Tom Keller", "tom.keller@example.org", "(020)555-0102",
       "14 Kennel Road, Brookfield", false, true},
      {"member", "VornsMember1", "Mira Osei", "mira.osei@example.com", "(020)555-0177",
       "27 Orchard Close, Millbridge", false, false},
      {"sam", "HappyPaws7", "Sam Lindqvist", "sam.lindqvist@example.net", "(021)555-0199",
       "3 River View, Ashford", false, false},
  };
  return accounts;
}

const std::vector<QString>& AnimalKinds() {
  static const std::vector<QString> kinds = [] {
    std::vector<QString> names;
    for (const TKindSamples& kind : Kinds()) names.push_back(QString::fromLatin1(kind.Type));
    return names;
  }();
  return kinds;
}

TSampleCounts WriteSampleData(QSqlDatabase& db) {
  TSampleCounts counts;
  if (!db.transaction()) Fail("data", db.lastError());
  try {
    const auto yesNo = [&](bool flag, const char* field) {
      return BindableValue(db, flag, TFieldKind::Boolean, QString::fromLatin1(field));
    };
    QSqlQuery users = PrepareInsert(db, "Users", UsersFieldNames());
    for (const TSampleAccount& a : SampleAccounts()) {
      Run(users, UsersFieldNames(),
          {{"Username", QString::fromUtf8(a.Username)},
           {"Password", HashPassword(QString::fromUtf8(a.Password))},
           {"FullName", QString::fromUtf8(a.FullName)},
           {"Email", QString::fromUtf8(a.Email)},
           {"Phone", QString::fromUtf8(a.Phone)},
           {"Address", QString::fromUtf8(a.Address)},
           {"Picture", QStringLiteral("Default")},
           {"Admin", yesNo(a.Admin, "Admin")},
           {"Employee", yesNo(a.Employee, "Employee")}},
          "accounts");
      ++counts.Accounts;
    }

    // Arrivals interleave the kinds, every three days, so the natural order is by check-in.
    QSqlQuery animals = PrepareInsert(db, "Animals", AnimalsFieldNames());
    const QDate firstArrival(2024, 1, 8);
    int arrival = 0;
    for (int i = 0; i < kAnimalsPerKind; ++i) {
      for (const TKindSamples& kind : Kinds()) {
        const TLook& look = kind.Looks[static_cast<size_t>(i) % kind.Looks.size()];
        const QDate checkIn = firstArrival.addDays(3 * arrival++);
        // One in four is not up for adoption yet (new arrivals, animals under treatment).
        const bool adopt = i % 4 != 3;
        Run(animals, AnimalsFieldNames(),
            {{"AnimalName", QString::fromUtf8(kind.Names[static_cast<size_t>(i)])},
             {"Type", QString::fromLatin1(kind.Type)},
             {"Colour", QString::fromUtf8(look.Colour)},
             {"Breed", QString::fromUtf8(look.Breed)},
             {"Sex", i % 2 == 0 ? QStringLiteral("Male") : QStringLiteral("Female")},
             {"CheckIn", BindableValue(db, checkIn, TFieldKind::Date, QStringLiteral("CheckIn"))},
             {"Adopt", yesNo(adopt, "Adopt")},
             {"KennelID", QStringLiteral("%1-%2")
                              .arg(QString::fromLatin1(kind.KennelBlock))
                              .arg(i + 1, 2, 10, QLatin1Char('0'))}},
            "animals");
        TStoredAnimal stored;
        stored.ID = animals.lastInsertId().toLongLong();
        stored.AnimalName = QString::fromUtf8(kind.Names[static_cast<size_t>(i)]);
        stored.Type = QString::fromLatin1(kind.Type);
        if (static_cast<size_t>(i) < kind.PictureEmoji.size())
          stored.PictureEmoji = QString::fromUtf8(kind.PictureEmoji[static_cast<size_t>(i)]);
        if (stored.ID <= 0) throw EDatabaseError("The database gave no ID to a sample animal");
        counts.Animals.push_back(std::move(stored));
      }
    }
  } catch (...) {
    db.rollback();
    throw;
  }
  if (!db.commit()) Fail("data", db.lastError());
  return counts;
}
