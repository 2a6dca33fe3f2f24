// StringObject's interface answers and class-name test.
#include "base/source/stringobject.h"

#include <cstring>

namespace Quillon {

ResultCode StringObject::queryInterface(const char* iid, void** obj) {
  if (iidEqual(iid, IStringResult::iid) || iidEqual(iid, IString::iid)) {
    return answerQueryInterface(static_cast<FObject&>(*this), iid, obj,
                                {{IStringResult::iid, static_cast<IStringResult*>(this)},
                                 {IString::iid, static_cast<IString*>(this)}});
  }
  return FObject::queryInterface(iid, obj);
}

bool StringObject::isTypeOf(const char* name, bool askBaseClass) const {
  if (name != nullptr && std::strcmp(name, "StringObject") == 0) return true;
  return askBaseClass && FObject::isTypeOf(name, true);
}

}  // namespace Quillon
