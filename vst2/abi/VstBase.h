// Basic conventions of the VST 2.4 binary interface: fixed-width integers, the calling convention
// and four-character codes. Both 64-bit targets (Windows and Linux) share one record layout.
#pragma once

#include <cstdint>

typedef int16_t VstInt16;
typedef int32_t VstInt32;
typedef int64_t VstInt64;
// Pointer-sized: never `long`, which is 4 bytes on 64-bit Windows and 8 on 64-bit Linux.
typedef intptr_t VstIntPtr;

static_assert(sizeof(VstIntPtr) == 8, "the interface is declared for 64-bit targets only");

// x86-64 has one calling convention per system, so the keyword only documents the boundary.
#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

// 'abcd' with the first character in the most significant byte, without multi-character literals.
constexpr VstInt32 CCONST(char a, char b, char c, char d) noexcept {
  return static_cast<VstInt32>((static_cast<uint32_t>(static_cast<unsigned char>(a)) << 24) |
                               (static_cast<uint32_t>(static_cast<unsigned char>(b)) << 16) |
                               (static_cast<uint32_t>(static_cast<unsigned char>(c)) << 8) |
                               static_cast<uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kVstVersion = 2400;
