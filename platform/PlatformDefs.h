// The one place that turns the compiler's platform macros into ours; everything else asks only
// QUIVORANT_PLATFORM_WINDOWS / QUIVORANT_PLATFORM_POSIX.
#pragma once

#if defined(_WIN32)
#define QUIVORANT_PLATFORM_WINDOWS 1
#define QUIVORANT_PLATFORM_POSIX 0
#else
#define QUIVORANT_PLATFORM_WINDOWS 0
#define QUIVORANT_PLATFORM_POSIX 1
#endif

// Marks the few functions a host looks up by name in our shared libraries.
#if QUIVORANT_PLATFORM_WINDOWS
#define QUIVORANT_EXPORT extern "C" __declspec(dllexport)
#else
#define QUIVORANT_EXPORT extern "C" __attribute__((visibility("default")))
#endif
