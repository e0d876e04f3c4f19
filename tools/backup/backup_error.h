#pragma once
// A reason vorns-backup stops; main prints it on one line and exits with status 1.

#include <stdexcept>

class EBackupError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
