#include "platform/InstanceLock.h"

#include <mutex>
#include <new>

namespace quivorant {

static_assert(sizeof(std::recursive_mutex) <= 64, "InstanceLock storage too small");

static std::recursive_mutex& Mutex(unsigned char* storage) {
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

InstanceLock::InstanceLock() noexcept { new (storage_) std::recursive_mutex(); }
InstanceLock::~InstanceLock() { Mutex(storage_).~recursive_mutex(); }
// std::recursive_mutex::lock only throws on resource exhaustion or a deadlock the OS detects;
// neither can be answered better than by holding on, so the lock loops on try_lock failures.
void InstanceLock::Lock() noexcept {
  try {
    Mutex(storage_).lock();
  } catch (...) {
    while (!Mutex(storage_).try_lock()) {
    }
  }
}
void InstanceLock::Unlock() noexcept { Mutex(storage_).unlock(); }

}  // namespace quivorant
