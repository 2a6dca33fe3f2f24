// Platform and export macros, kept in one place so a port touches only this header.
//
// QUILLON_EXPORT marks the few functions the bundle exports; everything else is built hidden.
#pragma once

#if defined(__APPLE__)
#define QUILLON_PLATFORM_MAC 1
#elif defined(__linux__)
#define QUILLON_PLATFORM_LINUX 1
#else
#error "unsupported platform: add its detection and bundle layer first"
#endif

#if defined(__GNUC__) || defined(__clang__)
#define QUILLON_EXPORT __attribute__((visibility("default")))
#else
#define QUILLON_EXPORT
#endif

// The records read by hosts assume the byte order of the processor that built them.
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the host records are defined for little-endian processors"
#endif
