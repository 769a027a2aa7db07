#include "vst3/sdk/interfaces/funknown.h"

#include <cstdio>

namespace Steinberg {

namespace {
uint32 wordAt(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return (uint32(u[0]) << 24) | (uint32(u[1]) << 16) | (uint32(u[2]) << 8) | uint32(u[3]);
}
void putWord(char* p, uint32 w) {
  p[0] = static_cast<char>(w >> 24);
  p[1] = static_cast<char>(w >> 16);
  p[2] = static_cast<char>(w >> 8);
  p[3] = static_cast<char>(w);
}
}  // namespace

void FUID::from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
#if COM_COMPATIBLE
  data[0] = static_cast<char>(l1);
  data[1] = static_cast<char>(l1 >> 8);
  data[2] = static_cast<char>(l1 >> 16);
  data[3] = static_cast<char>(l1 >> 24);
  data[4] = static_cast<char>(l2 >> 16);
  data[5] = static_cast<char>(l2 >> 24);
  data[6] = static_cast<char>(l2);
  data[7] = static_cast<char>(l2 >> 8);
#else
  putWord(data, l1);
  putWord(data + 4, l2);
#endif
  putWord(data + 8, l3);
  putWord(data + 12, l4);
}

void FUID::to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const {
#if COM_COMPATIBLE
  const auto* u = reinterpret_cast<const unsigned char*>(data);
  l1 = uint32(u[0]) | (uint32(u[1]) << 8) | (uint32(u[2]) << 16) | (uint32(u[3]) << 24);
  l2 = (uint32(u[4]) << 16) | (uint32(u[5]) << 24) | uint32(u[6]) | (uint32(u[7]) << 8);
#else
  l1 = wordAt(data);
  l2 = wordAt(data + 4);
#endif
  l3 = wordAt(data + 8);
  l4 = wordAt(data + 12);
}

bool isNullAddress(const void* address) { return address == nullptr; }

bool FUID::isValid() const {
  static const TUID zero{};
  return !FUnknownPrivate::iidEqual(data, zero);
}

void FUID::toString(char8* out) const {
  uint32 l1, l2, l3, l4;
  to4Int(l1, l2, l3, l4);
  std::snprintf(out, 33, "%08X%08X%08X%08X", static_cast<unsigned>(l1), static_cast<unsigned>(l2),
                static_cast<unsigned>(l3), static_cast<unsigned>(l4));
}

}  // namespace Steinberg
