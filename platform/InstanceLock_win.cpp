#include "platform/InstanceLock.h"

#include <windows.h>

#include <new>

namespace quivorant {

static_assert(sizeof(CRITICAL_SECTION) <= 64, "InstanceLock storage too small");

static CRITICAL_SECTION* Section(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

InstanceLock::InstanceLock() noexcept { InitializeCriticalSection(Section(storage_)); }
InstanceLock::~InstanceLock() { DeleteCriticalSection(Section(storage_)); }
void InstanceLock::Lock() noexcept { EnterCriticalSection(Section(storage_)); }
void InstanceLock::Unlock() noexcept { LeaveCriticalSection(Section(storage_)); }

}  // namespace quivorant
