// Base types of the VST3 binary interface: integer widths, result codes, 16-byte identifiers
// and FUnknown. Everything here must match what hosts compiled against the published
// interface expect, byte for byte; the checks at the end of each header pin that down.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

#include "platform/PlatformDefs.h"

// Windows hosts use the COM layout of identifiers and COM result codes.
#if QUIVORANT_PLATFORM_WINDOWS
#define COM_COMPATIBLE 1
#else
#define COM_COMPATIBLE 0
#endif

// The interface is declared __stdcall on Windows; x86-64 has one calling convention, so the
// attribute would change nothing there and only draws attribute warnings.
#define PLUGIN_API

namespace Steinberg {

using int8 = char;
using uint8 = std::uint8_t;
using uchar = unsigned char;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using TSize = int64;
using tresult = int32;
using TPtrInt = uint64;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using tchar = char16;
using FIDString = const char8*;
using CStringA = const char8*;
using UCoord = int32;
using TUID = char[16];

#if COM_COMPATIBLE
enum : int32 {
  kNoInterface = static_cast<int32>(0x80004002L),
  kResultOk = 0,
  kResultTrue = kResultOk,
  kResultFalse = 1,
  kInvalidArgument = static_cast<int32>(0x80070057L),
  kNotImplemented = static_cast<int32>(0x80004001L),
  kInternalError = static_cast<int32>(0x80004005L),
  kNotInitialized = static_cast<int32>(0x8000FFFFL),
  kOutOfMemory = static_cast<int32>(0x8007000EL),
};
#else
enum : int32 {
  kNoInterface = -1,
  kResultOk = 0,
  kResultTrue = kResultOk,
  kResultFalse = 1,
  kInvalidArgument = 2,
  kNotImplemented = 3,
  kInternalError = 4,
  kNotInitialized = 5,
  kOutOfMemory = 6,
};
#endif

// Builds the stored bytes of an identifier written as four 32-bit words.
#define QV_UID_BYTE(w, shift) static_cast<char>(((w) >> (shift)) & 0xFF)
#define QV_UID_BE(w) QV_UID_BYTE(w, 24), QV_UID_BYTE(w, 16), QV_UID_BYTE(w, 8), QV_UID_BYTE(w, 0)
#if COM_COMPATIBLE
#define INLINE_UID(l1, l2, l3, l4)                                                                         \
  {                                                                                                        \
    QV_UID_BYTE(l1, 0), QV_UID_BYTE(l1, 8), QV_UID_BYTE(l1, 16), QV_UID_BYTE(l1, 24), QV_UID_BYTE(l2, 16), \
        QV_UID_BYTE(l2, 24), QV_UID_BYTE(l2, 0), QV_UID_BYTE(l2, 8), QV_UID_BE(l3), QV_UID_BE(l4)          \
  }
#else
#define INLINE_UID(l1, l2, l3, l4) \
  { QV_UID_BE(l1), QV_UID_BE(l2), QV_UID_BE(l3), QV_UID_BE(l4) }
#endif

// Gives an interface its identifier as a class constant.
#define QV_DECLARE_IID(l1, l2, l3, l4) static constexpr TUID iid = INLINE_UID(l1, l2, l3, l4)

namespace FUnknownPrivate {
inline bool iidEqual(const void* a, const void* b) { return std::memcmp(a, b, 16) == 0; }
}  // namespace FUnknownPrivate

class FUnknown {
public:
  virtual tresult PLUGIN_API queryInterface(const TUID iid, void** obj) = 0;
  virtual uint32 PLUGIN_API addRef() = 0;
  virtual uint32 PLUGIN_API release() = 0;
  QV_DECLARE_IID(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
};

// The four words of an identifier and its stored bytes, in both directions.
struct FUID {
  TUID data{};

  FUID() = default;
  FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4) { from4Int(l1, l2, l3, l4); }
  explicit FUID(const TUID bytes) { std::memcpy(data, bytes, 16); }

  void from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4);
  void to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const;
  bool isValid() const;
  // 32 upper-case hex digits of the four words; `out` holds at least 33 bytes.
  void toString(char8* out) const;
  bool operator==(const FUID& other) const { return FUnknownPrivate::iidEqual(data, other.data); }
  bool operator!=(const FUID& other) const { return !(*this == other); }
  const TUID& toTUID() const { return data; }
};

// Hosts pass `T&` arguments as pointers and a faulty host may pass null. The test lives out of
// line so that the compiler, which assumes references are never null, cannot fold it away.
bool isNullAddress(const void* address);

// Asks an object for an interface; answers null when it has none. The caller owns the result.
template <class I>
I* queryInterfaceOf(FUnknown* unknown) {
  void* obj = nullptr;
  if (unknown == nullptr || unknown->queryInterface(I::iid, &obj) != kResultOk) return nullptr;
  return static_cast<I*>(obj);
}

}  // namespace Steinberg
