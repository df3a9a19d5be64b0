#include "install/named_mutex.h"

namespace Utils {

NamedMutex::NamedMutex(const std::string& suffix)
    : m_Suffix(suffix), m_Lock(kNamePrefix + suffix) {}

void NamedMutex::Acquire() {
    m_Lock.TryAcquire();
}

}  // namespace Utils
