#include "vst3/sdk/helpers/fobject.h"

#include <cstdint>
#include <cstring>

namespace Steinberg {

namespace {
// Derived from the address of a module-local object: unique per loaded module, fixed for
// its lifetime.
struct ObjectIid {
  TUID bytes{};
  ObjectIid() {
    const auto address = reinterpret_cast<std::uintptr_t>(this);
    const std::uint64_t mixed = address * 0x9E3779B97F4A7C15ull;
    std::memcpy(bytes, &address, sizeof(address) < 8 ? sizeof(address) : 8);
    std::memcpy(bytes + 8, &mixed, 8);
    bytes[15] = static_cast<char>(bytes[15] | 1);  // never the all-zero invalid identifier
  }
};
const ObjectIid& theObjectIid() {
  static const ObjectIid iidBytes;
  return iidBytes;
}
}  // namespace

const TUID& FObject::objectIid() { return theObjectIid().bytes; }

bool FObject::classIDsEqual(FIDString a, FIDString b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }

tresult PLUGIN_API FObject::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && (answer(queryIid, FUnknown::iid, static_cast<FUnknown*>(this), obj) ||
                              answer(queryIid, objectIid(), static_cast<FUnknown*>(this), obj)))
    return kResultOk;
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API FObject::addRef() { return refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32 PLUGIN_API FObject::release() {
  const uint32 before = refCount.fetch_sub(1, std::memory_order_acq_rel);
  if (before == 1) {
    delete this;
    return 0;
  }
  return before - 1;
}

}  // namespace Steinberg
