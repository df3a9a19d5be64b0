#pragma once

#include <string>

namespace platform {

// A lock held by at most one process of this user at a time, named by text:
// an exclusive flock on a lock file named after it in $XDG_RUNTIME_DIR (or in
// /tmp, with the user id in the file name). The kernel releases it when the
// holding process ends, however it ends.
class NamedLock {
  public:
    explicit NamedLock(std::string name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // Takes the lock without waiting. True when this object holds it now
    // (also when it held it already); false when another holder has it or the
    // lock file cannot be opened.
    bool TryAcquire();
    bool Held() const { return fd_ >= 0; }
    void Release();

    // The lock file used for a name.
    static std::string LockFilePath(const std::string& name);

  private:
    std::string name_;
    int fd_ = -1;
};

}  // namespace platform
