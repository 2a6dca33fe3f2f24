// Unicode normalisation of 16-bit strings through ICU; kept apart so the module need not link it.
#include <unicode/unorm2.h>

#include <cstdlib>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

const UNormalizer2* normalizerFor(UnicodeNormalization form) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* normalizer = nullptr;
  switch (form) {
    case kUnicodeNormC:
      normalizer = unorm2_getNFCInstance(&status);
      break;
    case kUnicodeNormD:
      normalizer = unorm2_getNFDInstance(&status);
      break;
    case kUnicodeNormKC:
      normalizer = unorm2_getNFKCInstance(&status);
      break;
    case kUnicodeNormKD:
      normalizer = unorm2_getNFKDInstance(&status);
      break;
  }
  return U_SUCCESS(status) ? normalizer : nullptr;
}

}  // namespace

bool ConstString::isNormalized(UnicodeNormalization form) const {
  if (!isWide) return false;
  if (buffer == nullptr || len == 0) return true;
  const UNormalizer2* normalizer = normalizerFor(form);
  if (normalizer == nullptr) return false;
  UErrorCode status = U_ZERO_ERROR;
  const UBool normalized = unorm2_isNormalized(normalizer, buffer16, int32(len), &status);
  return U_SUCCESS(status) && normalized;
}

bool String::normalize(UnicodeNormalization form) {
  if (!isWide) return false;
  if (buffer == nullptr) return true;
  const UNormalizer2* normalizer = normalizerFor(form);
  if (normalizer == nullptr) return false;
  UErrorCode status = U_ZERO_ERROR;
  const int32 needed = unorm2_normalize(normalizer, buffer16, int32(len), nullptr, 0, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return false;
  if (needed < 1 || uint32(needed) > kMaxLength) return false;
  auto* normalized = static_cast<char16*>(malloc((size_t(needed) + 1) * sizeof(char16)));
  if (normalized == nullptr) return false;
  status = U_ZERO_ERROR;
  unorm2_normalize(normalizer, buffer16, int32(len), normalized, needed + 1, &status);
  if (U_FAILURE(status)) {
    free(normalized);
    return false;
  }
  normalized[needed] = 0;
  take(normalized, true);
  return len > 0;
}

}  // namespace Quillon
