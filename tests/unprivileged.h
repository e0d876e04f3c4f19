#pragma once
// Drops root's right to ignore file permissions for the current thread while the object
// lives, so that a read-only folder is read-only for the test whoever runs it (CI runs as
// root).

#include <sys/fsuid.h>
#include <unistd.h>

class TUnprivileged {
public:
  TUnprivileged() {
    if (geteuid() != 0) return;
    setfsgid(65534);
    setfsuid(65534);
  }
  ~TUnprivileged() {
    if (geteuid() != 0) return;
    setfsuid(0);
    setfsgid(0);
  }
  TUnprivileged(const TUnprivileged&) = delete;
  TUnprivileged& operator=(const TUnprivileged&) = delete;
};
