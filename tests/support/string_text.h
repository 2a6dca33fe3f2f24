// Test helpers that read a String's whole text, embedded zeros included, in its own width.
#pragma once

#include <string>

#include "base/source/fstring.h"

namespace Quillon::testing_support {

inline std::string bytesOf(const ConstString& s) {
  return std::string(static_cast<const char*>(s.ptr()), size_t(s.length()));
}

inline std::u16string unitsOf(const ConstString& s) {
  return std::u16string(static_cast<const char16*>(s.ptr()), size_t(s.length()));
}

}  // namespace Quillon::testing_support
