#pragma once
// Account passwords are kept as Argon2id hash strings, never in clear. Rows written before
// hashing still hold the password as typed; the login accepts those by exact comparison and
// then replaces them by a hash.

#include <QString>

// An Argon2id hash string of the password (UTF-8), with libsodium's interactive limits and a
// fresh salt, so two hashes of one password differ. Throws EPasswordHashError when the
// library cannot start or the hash cannot get its memory.
QString HashPassword(const QString& password);

// True when `stored` is a well-formed Argon2 hash string. Anything else is a legacy
// clear-text password.
bool IsPasswordHash(const QString& stored);

// Whether the typed password matches the stored value: for a hash, by verifying the hash;
// for a legacy clear-text value, by exact, case-sensitive comparison. A typed text that
// equals a stored hash string does not match it.
bool VerifyPassword(const QString& stored, const QString& typed);
