#pragma once
// Errors the application raises itself. Like the store's and the settings file's, none is
// caught: each ends its handler and reaches the default error report.

#include <QString>
#include <stdexcept>

// A file or folder of the working directory that cannot be created or written.
class EInOutError : public std::runtime_error {
public:
  explicit EInOutError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
