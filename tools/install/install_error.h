#pragma once
// A reason the installer stops; main prints it on one line and exits with status 1.

#include <stdexcept>

class EInstallError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
