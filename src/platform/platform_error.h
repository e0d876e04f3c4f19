#pragma once
// Errors of the platform services (settings file, password hashing). The application
// catches none of them: they reach the default error report with their message.

#include <stdexcept>
#include <string>

class EPlatformError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The settings file cannot be read or written, or a name or value cannot be stored in it.
class EProfileFileError : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

// The password library cannot start or cannot get the memory a hash needs.
class EPasswordHashError : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};
