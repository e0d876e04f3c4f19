#pragma once
// What the shelter writer types for registration or animal number `i` of a run named
// `prefix`, and what the stored row must then hold, field by field.

#include <QDate>
#include <QString>

struct TWrittenUser {
  QString Username, Password, FullName, Email, PhoneDigits, Phone, Address;
};

struct TWrittenAnimal {
  QString AnimalName;
  int TypeIndex; // in the type box's list
  QString Type, Colour, Breed;
  int SexIndex;
  QString Sex;
  QDate CheckIn;
  bool Adopt;
  QString KennelID;
};

inline TWrittenUser WrittenUser(const QString& prefix, int i) {
  const QString digits = QStringLiteral("0%1").arg(i, 9, 10, QLatin1Char('0'));
  return {prefix + QStringLiteral("reg%1").arg(i),
          QStringLiteral("Secret%1word").arg(i),
          QStringLiteral("Full Name %1").arg(i),
          QStringLiteral("reg%1@vorns.org").arg(i),
          digits,
          QStringLiteral("(%1)%2-%3").arg(digits.left(3), digits.mid(3, 3), digits.mid(6)),
          QStringLiteral("%1 Kill Street").arg(i)};
}

inline TWrittenAnimal WrittenAnimal(const QString& prefix, int i) {
  static const char* const kinds[] = {"Cat", "Dog", "Rabbit", "Snake", "Scorpion"};
  const int kind = i % 5;
  const int sex = (i / 2) % 2;
  // Leading zeros in the kennel ID stay: it is text.
  return {prefix + QStringLiteral("pet%1").arg(i),
          kind,
          QString::fromLatin1(kinds[kind]),
          QStringLiteral("Colour%1").arg(i),
          QStringLiteral("Breed%1").arg(i),
          sex,
          sex ? QStringLiteral("Female") : QStringLiteral("Male"),
          QDate(2024, 1, 1).addDays(i % 300),
          i % 3 == 0,
          QStringLiteral("0%1").arg(i)};
}

// The staff account the animals are added under.
inline const char* const kStaffName = "keeper";
inline const char* const kStaffPassword = "Keeper!77";
