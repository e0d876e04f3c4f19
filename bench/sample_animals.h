#pragma once
// The animals the Browse and grid benchmarks search, scroll and sort: every kind in turn,
// the sexes alternating, every fourth animal up for adoption, forty kennels; the caller names
// them (how names repeat decides what a search by name finds and how a sort by name moves
// the rows).

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>

inline void InsertSampleAnimals(QSqlDatabase& db, int rows,
                                const std::function<QString(int)>& name) {
  static const char* const kinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};
  db.transaction();
  QSqlQuery insert(db);
  insert.prepare("INSERT INTO Animals (AnimalName, Type, Colour, Breed, Sex, CheckIn, Adopt, "
                 "KennelID) VALUES (?, ?, 'Brown', 'Mixed', ?, '2024-03-01', ?, ?)");
  for (int i = 0; i < rows; ++i) {
    insert.addBindValue(name(i));
    insert.addBindValue(QString::fromLatin1(kinds[i % 5]));
    insert.addBindValue(i % 2 ? QStringLiteral("Male") : QStringLiteral("Female"));
    insert.addBindValue(i % 4 == 0);
    insert.addBindValue(QStringLiteral("K%1").arg(i % 40));
    insert.exec();
  }
  db.commit();
}
