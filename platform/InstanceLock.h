// A recursive mutual-exclusion lock: one per plug-in instance (and a few process-wide ones).
// Recursive because the effect's own handlers take it again while processing already holds it.
// Windows: a critical section. Elsewhere: std::recursive_mutex. Never throws.
#pragma once

#include <cstdint>

namespace quivorant {

class InstanceLock {
public:
  InstanceLock() noexcept;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  void Lock() noexcept;
  void Unlock() noexcept;

  // Holds the lock for the enclosing scope.
  class Scope {
  public:
    explicit Scope(InstanceLock& lock) noexcept : lock_(lock) { lock_.Lock(); }
    ~Scope() { lock_.Unlock(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

  private:
    InstanceLock& lock_;
  };

private:
  // Big and aligned enough for a CRITICAL_SECTION (40 bytes on x64) or a recursive_mutex, so
  // that this header needs no operating-system header.
  alignas(16) unsigned char storage_[64];
};

}  // namespace quivorant
