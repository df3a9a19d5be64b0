#pragma once

#include <string>

#include "platform/named_lock.h"

namespace Utils {

// A mutex shared by name between the processes of one user; the installer
// takes it to keep a second copy from running. The system frees it when the
// holding process ends.
class NamedMutex {
  public:
    static constexpr const char* kNamePrefix = "D1A547DB89C0BC61_";

    explicit NamedMutex(const std::string& suffix);

    // Takes the mutex when nobody holds it; a held mutex makes this a no-op.
    void Acquire();
    // Whether this object owns the mutex.
    bool IsHeld() const { return m_Lock.Held(); }
    void Release() { m_Lock.Release(); }

  private:
    std::string m_Suffix;
    platform::NamedLock m_Lock;
};

}  // namespace Utils
