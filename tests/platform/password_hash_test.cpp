// Password hashing and the legacy clear-text rule of the login.

#include "platform/password_hash.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordHash, AHashVerifiesOnlyTheExactPassword) {
  const QString hash = HashPassword(QString::fromUtf8("Tiger-Lily 7ü"));
  EXPECT_TRUE(hash.startsWith("$argon2id$")) << hash.toStdString();
  EXPECT_TRUE(IsPasswordHash(hash));
  EXPECT_FALSE(hash.contains("Tiger")) << "no clear text inside";
  EXPECT_NE(HashPassword(QString::fromUtf8("Tiger-Lily 7ü")), hash) << "salted";

  EXPECT_TRUE(VerifyPassword(hash, QString::fromUtf8("Tiger-Lily 7ü")));
  for (const char* wrong :
       {"tiger-lily 7ü", "TIGER-LILY 7Ü", "Tiger-Lily 7u", "Tiger-Lily 7ü ", "Tiger-Lily", ""})
    EXPECT_FALSE(VerifyPassword(hash, QString::fromUtf8(wrong))) << wrong;
  EXPECT_FALSE(VerifyPassword(hash, hash)) << "typing the stored hash is not the password";
}

TEST(PasswordHash, LegacyClearTextComparesExactly) {
  const struct {
    const char *Stored, *Typed;
    bool Match;
  } cases[] = {
      {"8150", "8150", true},
      {"Secret", "secret", false},
      {"Secret", "Secret ", false},
      {"Secret", "Secre", false},
      {"", "", true},
      {"", "x", false},
      {"x", "", false},
      {"$argon2id$junk", "$argon2id$junk", true},
      {"Grüße", "Grüße", true},
  };
  for (const auto& c : cases) {
    const QString stored = QString::fromUtf8(c.Stored);
    EXPECT_FALSE(IsPasswordHash(stored)) << c.Stored;
    EXPECT_EQ(VerifyPassword(stored, QString::fromUtf8(c.Typed)), c.Match)
        << c.Stored << " / " << c.Typed;
  }
}

TEST(PasswordHash, AnEmptyPasswordHashesAndVerifies) {
  const QString hash = HashPassword("");
  EXPECT_TRUE(IsPasswordHash(hash));
  EXPECT_TRUE(VerifyPassword(hash, ""));
  EXPECT_FALSE(VerifyPassword(hash, " "));
}

TEST(PasswordHash, DamagedHashStringsAreNotHashes) {
  const QString hash = HashPassword("kennel-42");
  const QString damaged[] = {hash.left(hash.size() - 10), hash.left(20),
                             QString(hash).replace("$m=", "$q="), hash + QString(200, 'A')};
  for (const QString& text : damaged) {
    EXPECT_FALSE(IsPasswordHash(text)) << text.toStdString();
    EXPECT_FALSE(VerifyPassword(text, "kennel-42"));
  }
}

} // namespace
