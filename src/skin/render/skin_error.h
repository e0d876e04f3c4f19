#pragma once
// Errors the skin readers raise to the code that asked for a load or an import.
// The skinning engine never shows them to the user; callers decide.

#include <stdexcept>
#include <string>

class ESkinError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened or a stream that ends early.
class EReadError : public ESkinError {
public:
  using ESkinError::ESkinError;
};

// A corrupt or truncated zlib stream.
class EDecompressionError : public ESkinError {
public:
  using ESkinError::ESkinError;
};

// A picture that is not a readable BMP or JPEG, or one whose size is out of reason.
class EInvalidGraphic : public ESkinError {
public:
  using ESkinError::ESkinError;
};

// A malformed value in a skin description (an empty point or rectangle field).
class EConvertError : public ESkinError {
public:
  using ESkinError::ESkinError;
};

// A file that cannot be written, or a picture that cannot be encoded.
class EWriteError : public ESkinError {
public:
  using ESkinError::ESkinError;
};

// A pixel buffer that cannot be had.
class EOutOfResources : public ESkinError {
public:
  using ESkinError::ESkinError;
};
