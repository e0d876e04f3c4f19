#pragma once
// A limit on the size of files this process writes, standing in for a full disk: every
// write past it fails (without the signal that would end the process). The old limit and
// signal handling return when the object goes, also when an assertion ends the test early.

#include <csignal>
#include <sys/resource.h>

class TFileSizeLimit {
public:
  explicit TFileSizeLimit(rlim_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &FOld) != 0) return;
    FOldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = FOld;
    small.rlim_cur = bytes;
    FActive = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~TFileSizeLimit() { Lift(); }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

  // Whether the limit is in force.
  bool Active() const { return FActive; }
  // Ends the limit before the object goes.
  void Lift() {
    if (!FActive) return;
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldSignal);
    FActive = false;
  }

private:
  rlimit FOld{};
  void (*FOldSignal)(int) = SIG_DFL;
  bool FActive = false;
};
