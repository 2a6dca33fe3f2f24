// Tests of the records through which hosts learn of the module's components.
#include "module/componentclasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "interfaces/idetector.h"
#include "interfaces/ihwremote.h"
#include "interfaces/ipluginbase.h"

namespace Quillon {
namespace {

std::string hex(const char* bytes) {
  char text[FUID::kStringSize];
  toString8(text, bytes, 0, 16);
  return text;
}

template <std::size_t N>
bool allZero(const char (&field)[N]) {
  for (char c : field)
    if (c != 0) return false;
  return true;
}

TEST(ComponentClasses, RecordsHostsReadForEachComponent) {
  // The service record's leading part is a PClassInfo, field for field.
  PClassInfo service;
  std::memcpy(static_cast<void*>(&service), &hostLinkClassInfo(), sizeof service);
  const struct {
    const PClassInfo& info;
    const char* classId;
    int32 cardinality;
    const char* category;
    const char* name;
  } expected[] = {
      {service, "8645753EC4934011BF5AD9D85AB0D2E9", 1, "Service", "Orvella PX7000 Extension"},
      {hwRemoteClassInfo(), "DE038D7ED9174E299B9F3BE43A11A7AC", 0x7FFFFFFF, "Remote Devices",
       "Orvella PX7000"},
      {detectClassInfo(), "6AC328A8B1CC4AE483A58DA75E370BDD", 1, "Device Detection", ""},
  };
  for (const auto& record : expected) {
    EXPECT_EQ(hex(record.info.classId), record.classId);
    EXPECT_EQ(record.info.cardinality, record.cardinality);
    EXPECT_STREQ(record.info.category, record.category);
    EXPECT_STREQ(record.info.name, record.name);
  }

  const PClassInfo2& info = hostLinkClassInfo();
  EXPECT_EQ(info.classFlags, 0u);
  EXPECT_TRUE(allZero(info.spare1) && allZero(info.spare2) && allZero(info.spare3));
  EXPECT_STREQ(info.version, "1.1.0");
}

TEST(ComponentClasses, EachClassCreatesItsOwnComponentOnly) {
  auto* factory = new CPluginFactory(moduleFactoryInfo());
  registerComponentClasses(*factory);
  ASSERT_EQ(factory->countClasses(), 3);
  void* obj = nullptr;
  ASSERT_EQ(factory->createInstance(kp_hwRemoteClassId, IHWRemote::iid.tuid(), &obj), kOk);
  auto* remote = static_cast<IHWRemote*>(obj);
  EXPECT_FALSE(remote->open()) << "a new surface holds no standard remote";
  EXPECT_EQ(remote->release(), 0u);

  ASSERT_EQ(factory->createInstance(kp_detectClassId, IPluginBase::iid.tuid(), &obj), kOk);
  auto* detect = static_cast<IPluginBase*>(obj);
  EXPECT_EQ(detect->initialize(nullptr), kFalse) << "no host registry yet";
  EXPECT_EQ(detect->release(), 0u);

  const struct {
    const char* classId;
    const FUID& iid;
  } refused[] = {{kp_hwRemoteClassId, IDetector::iid}, {kp_detectClassId, IHWRemote::iid}};
  for (const auto& r : refused) {
    obj = factory;
    EXPECT_EQ(factory->createInstance(r.classId, r.iid.tuid(), &obj), kNotFound);
    EXPECT_EQ(obj, nullptr);
  }
  factory->release();
}

}  // namespace
}  // namespace Quillon
