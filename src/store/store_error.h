#pragma once
// Errors of the shelter database. The application catches none of them: each ends the
// handler that met it and is shown by the default error report with its message.

#include <stdexcept>
#include <string>

class EStoreError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The database refused an operation (a missing file, table or field, a locked file, a
// rejected value), or the cursor was asked for something its state does not allow.
class EDatabaseError : public EStoreError {
public:
  using EStoreError::EStoreError;
};

// The store refused a row because a unique index already holds its value (another
// account of the same user name, in any capitals).
class EUniqueViolation : public EDatabaseError {
public:
  using EDatabaseError::EDatabaseError;
};

// A field value that cannot become the type asked for, above all a null read as text.
class EVariantError : public EStoreError {
public:
  using EStoreError::EStoreError;
};
