// The checks of the class factory: its record, its reference counting and its class records.
#include <cstring>

#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"
#include "tools/check/expectedclasses.h"
#include "tools/check/modulelife.h"

namespace px7000host::checks {
namespace {

using namespace Quillon;

std::string classLabel(int32 index) {
  return "class " + std::to_string(index) + " (" + kExpectedClasses[index].category + ")";
}

void requireText(const char* field, std::size_t size, const std::string& expected,
                 const std::string& what) {
  const std::string text = fieldText(field, size, what);
  require(text == expected, what + " is " + quoted(text) + ", not " + quoted(expected));
}

// Fails unless `count`, the answer of one reference step, is `expected`.
void requireCount(uint32 count, uint32 expected, const std::string& step) {
  require(count == expected,
          step + " answered " + std::to_string(count) + ", not " + std::to_string(expected));
}

template <class Factory>
Held<Factory> requireForm(IPluginFactory& factory, const char* name) {
  Held<Factory> form = query<Factory>(factory);
  require(bool(form), std::string("the factory does not answer ") + name);
  return form;
}

// The 8-bit field as the 16-bit form must carry it: widened up to the terminator, zero after.
bool widenedEqual(const char* narrowField, const char16* wideField, std::size_t count) {
  bool ended = false;
  for (std::size_t i = 0; i < count; ++i) {
    ended = ended || narrowField[i] == 0;
    const char16 expected = ended ? 0 : char16(static_cast<unsigned char>(narrowField[i]));
    if (wideField[i] != expected) return false;
  }
  return true;
}

void checkRecord(IPluginFactory2& factory, int32 index) {
  const ExpectedClass& expected = kExpectedClasses[index];
  const std::string label = classLabel(index);
  PClassInfo info;
  scribble(info);
  const ResultCode answer = factory.getClassInfo(index, &info);
  require(answer == kOk,
          "getClassInfo(" + std::to_string(index) + ") answered " + resultName(answer));
  require(std::memcmp(info.classId, expected.classId, 16) == 0,
          label + " identifier is " + idText(info.classId) + ", not " + idText(expected.classId));
  require(info.cardinality == expected.cardinality,
          label + " cardinality is " + std::to_string(info.cardinality) + ", not " +
              std::to_string(expected.cardinality));
  requireText(info.category, sizeof info.category, expected.category, label + " category");
  requireText(info.name, sizeof info.name, expected.name, label + " name");

  PClassInfo2 info2;
  scribble(info2);
  const ResultCode answer2 = factory.getClassInfo2(index, &info2);
  require(answer2 == kOk,
          "getClassInfo2(" + std::to_string(index) + ") answered " + resultName(answer2));
  require(info2.classFlags == 0, label + " classFlags are " + hex(info2.classFlags) + ", not 0");
  requireZero(info2.spare1, sizeof info2.spare1, label + " spare1");
  requireZero(info2.spare2, sizeof info2.spare2, label + " spare2");
  requireText(info2.version, sizeof info2.version, expected.version, label + " version");
  requireZero(info2.spare3, sizeof info2.spare3, label + " spare3");
}

// Class `index` in the three record forms, each filled with scribble's pattern first.
struct RecordForms {
  PClassInfo info;
  PClassInfo2 info2;
  PClassInfoW infoW;
  ResultCode answers[3];
};

RecordForms readForms(IPluginFactory3& factory, int32 index) {
  RecordForms forms;
  scribble(forms.info), scribble(forms.info2), scribble(forms.infoW);
  forms.answers[0] = factory.getClassInfo(index, &forms.info);
  forms.answers[1] = factory.getClassInfo2(index, &forms.info2);
  forms.answers[2] = factory.getClassInfoUnicode(index, &forms.infoW);
  return forms;
}

// A bad index or a null record: kBadArgument, and nothing written.
void checkRefusals(IPluginFactory3& factory) {
  for (const int32 index : {kExpectedClassCount, int32(-1)}) {
    const std::string at = "(" + std::to_string(index) + ", ...)";
    const RecordForms forms = readForms(factory, index);
    const char* names[] = {"getClassInfo", "getClassInfo2", "getClassInfoUnicode"};
    const bool kept[] = {untouched(forms.info), untouched(forms.info2), untouched(forms.infoW)};
    for (int i = 0; i < 3; ++i) {
      require(forms.answers[i] == kBadArgument, std::string(names[i]) + at + " answered " +
                                                    resultName(forms.answers[i]) +
                                                    ", not kBadArgument");
      require(kept[i], std::string(names[i]) + at + " wrote into the host's record");
    }
  }
  require(factory.getClassInfo(0, nullptr) == kBadArgument,
          "getClassInfo with a null record did not answer kBadArgument");
  require(factory.getClassInfo2(0, nullptr) == kBadArgument,
          "getClassInfo2 with a null record did not answer kBadArgument");
  require(factory.getClassInfoUnicode(0, nullptr) == kBadArgument,
          "getClassInfoUnicode with a null record did not answer kBadArgument");
}

void checkForms(IPluginFactory3& factory, int32 index) {
  const std::string label = "class " + std::to_string(index);
  const RecordForms forms = readForms(factory, index);
  const PClassInfo& info = forms.info;
  const PClassInfo2& info2 = forms.info2;
  const PClassInfoW& infoW = forms.infoW;
  const ResultCode* answers = forms.answers;
  require(answers[0] == kOk && answers[1] == kOk && answers[2] == kOk,
          label + ": the three forms answered " + resultName(answers[0]) + ", " +
              resultName(answers[1]) + ", " + resultName(answers[2]));
  require(std::memcmp(&info, &info2, sizeof info) == 0,
          label + ": getClassInfo and the leading fields of getClassInfo2 differ");
  const auto differs = [&](const char* field) {
    fail(label + ": getClassInfoUnicode's " + field + " differs from getClassInfo2's");
  };
  if (std::memcmp(infoW.classId, info2.classId, 16) != 0) differs("classId");
  if (infoW.cardinality != info2.cardinality) differs("cardinality");
  if (std::memcmp(infoW.category, info2.category, sizeof infoW.category) != 0) differs("category");
  if (!widenedEqual(info2.name, infoW.name, 64)) differs("name");
  if (infoW.classFlags != info2.classFlags) differs("classFlags");
  if (std::memcmp(infoW.spare1, info2.spare1, sizeof infoW.spare1) != 0) differs("spare1");
  if (!widenedEqual(info2.spare2, infoW.spare2, 64)) differs("spare2");
  if (!widenedEqual(info2.version, infoW.version, 64)) differs("version");
  if (!widenedEqual(info2.spare3, infoW.spare3, 64)) differs("spare3");
}

}  // namespace

CheckOutcome factoryRecordCheck(const std::string& path) {
  ModuleLife module(path);
  LoadedBundle::FactoryFunc getFactory = module.bundle().getFactory;
  IPluginFactory* factory = getFactory();
  require(factory != nullptr, "GetPluginFactory returned null");
  PFactoryInfo info;
  scribble(info);
  const ResultCode answer = factory->getFactoryInfo(&info);
  require(answer == kOk, "getFactoryInfo answered " + resultName(answer));
  requireText(info.vendor, sizeof info.vendor, kp_extensionVendor, "vendor");
  requireZero(info.spare1, sizeof info.spare1, "spare1");
  requireZero(info.spare2, sizeof info.spare2, "spare2");
  require(info.flags == PFactoryInfo::kFlagsAlwaysSet,
          "flags are " + hex(uint32(info.flags)) + ", not 0x10");
  require(factory->getFactoryInfo(nullptr) == kOk, "getFactoryInfo with a null record failed");

  // The caller of GetPluginFactory owns one reference; later calls share the same factory.
  requireCount(factory->addRef(), 2, "addRef on a new factory");
  requireCount(factory->release(), 1, "its release");
  IPluginFactory* again = getFactory();
  require(again == factory, "a second GetPluginFactory returned another factory");
  requireCount(again->release(), 1, "releasing the second caller's reference");
  requireCount(factory->release(), 0, "the last release");
  // Once the last reference is gone, a host that asks again gets a new factory of its own.
  IPluginFactory* fresh = getFactory();
  require(fresh != nullptr, "GetPluginFactory after the last release returned null");
  requireCount(fresh->addRef(), 2, "addRef on the factory made after the last release");
  fresh->release();
  requireCount(fresh->release(), 0, "the last release of the factory made again");
  return passed("vendor " + quoted(kp_extensionVendor) + ", flags 0x10; counted 1 to 0 exactly");
}

CheckOutcome classRecordsCheck(const std::string& path) {
  ModuleLife module(path);
  IPluginFactory& factory = module.factory();
  const int32 count = factory.countClasses();
  require(count == kExpectedClassCount,
          "countClasses answered " + std::to_string(count) + ", not 3");
  const Held<IPluginFactory3> form3 = requireForm<IPluginFactory3>(factory, "IPluginFactory3");
  for (int32 i = 0; i < count; ++i) checkRecord(*form3.get(), i);
  checkRefusals(*form3.get());
  return passed("3 records: Service, Remote Devices, Device Detection");
}

CheckOutcome classFormsCheck(const std::string& path) {
  ModuleLife module(path);
  IPluginFactory& factory = module.factory();
  const Held<IPluginFactory> form1 = requireForm<IPluginFactory>(factory, "IPluginFactory");
  const Held<IPluginFactory2> form2 = requireForm<IPluginFactory2>(factory, "IPluginFactory2");
  const Held<IPluginFactory3> form3 = requireForm<IPluginFactory3>(factory, "IPluginFactory3");
  require(static_cast<void*>(form2.get()) == static_cast<void*>(form3.get()) &&
              static_cast<void*>(form1.get()) == static_cast<void*>(&factory),
          "the factory's interfaces are not one object");
  const int32 count = factory.countClasses();
  for (int32 i = 0; i < count; ++i) checkForms(*form3.get(), i);
  return passed(std::to_string(count) + " classes agree in the 8-bit, 16-bit and full forms");
}

}  // namespace px7000host::checks
