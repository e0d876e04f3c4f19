#include "platform/password_hash.h"

#include "platform/platform_error.h"

#include <QByteArray>
#include <sodium.h>

namespace {

void EnsureSodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) throw EPasswordHashError("The password library could not be started");
}

} // namespace

QString HashPassword(const QString& password) {
  EnsureSodium();
  const QByteArray utf8 = password.toUtf8();
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                        crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw EPasswordHashError("Not enough memory to hash a password");
  return QString::fromLatin1(hash);
}

bool IsPasswordHash(const QString& stored) {
  if (!stored.startsWith(QLatin1String("$argon2i"))) return false; // also "$argon2id"
  if (stored.size() >= static_cast<qsizetype>(crypto_pwhash_STRBYTES)) return false;
  EnsureSodium();
  // Decodes the parameters: -1 for a string that is not a valid hash.
  const QByteArray text = stored.toLatin1();
  return crypto_pwhash_str_needs_rehash(text.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != -1;
}

bool VerifyPassword(const QString& stored, const QString& typed) {
  const QByteArray typedUtf8 = typed.toUtf8();
  if (IsPasswordHash(stored)) {
    const QByteArray hash = stored.toLatin1();
    return crypto_pwhash_str_verify(hash.constData(), typedUtf8.constData(),
                                    static_cast<unsigned long long>(typedUtf8.size())) == 0;
  }
  EnsureSodium();
  const QByteArray storedUtf8 = stored.toUtf8();
  return storedUtf8.size() == typedUtf8.size() &&
         sodium_memcmp(storedUtf8.constData(), typedUtf8.constData(),
                       static_cast<size_t>(storedUtf8.size())) == 0;
}
