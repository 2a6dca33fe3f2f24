// Tests of FUID, its text forms, the queryInterface convention and the interface holders.
#include "interfaces/funknown.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "interfaces/ihostclasses.h"
#include "interfaces/ipluginbase.h"
#include "tests/support/test_component.h"

namespace Quillon {
namespace {

using Probe = testing_support::TestComponent;

// Hosts compare these numbers, not the names.
static_assert(kOk == 0 && kFalse == 1 && kBadArgument == 2 && kNotFound == -1,
              "result codes are part of the binary contract");

const char kSampleBytes[16] = {'\x12', '\x34', '\x56', '\x78', '\x9A', '\xBC', '\xDE', '\xF0',
                               '\x0F', '\x1E', '\x2D', '\x3C', '\x4B', '\x5A', '\x69', '\x78'};
const FUID kSample(0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978);

TEST(FUID, WordsBytesAndNullSources) {
  EXPECT_EQ(std::memcmp(kSample.tuid(), kSampleBytes, 16), 0);
  EXPECT_EQ(kSample.getLong2(), 0x9ABCDEF0u);
  uint32 l1, l2, l3, l4;
  FUID(kSampleBytes).to4Int(l1, l2, l3, l4);
  EXPECT_EQ(FUID(l1, l2, l3, l4), kSample);
  EXPECT_FALSE(FUID().isValid());
  EXPECT_FALSE(FUID(nullptr).isValid());
  // A host may hand over null: assignment then gives the all-zero identifier.
  FUID assigned = kSample;
  assigned = static_cast<const char*>(nullptr);
  EXPECT_FALSE(assigned.isValid());
}

TEST(FUID, TextFormsRoundTrip) {
  char text[FUID::kStringSize];
  kSample.toString(text);
  EXPECT_STREQ(text, "123456789ABCDEF00F1E2D3C4B5A6978");
  char registry[FUID::kRegistryStringSize];
  kSample.toRegistryString(registry);
  EXPECT_STREQ(registry, "{12345678-9ABC-DEF0-0F1E-2D3C4B5A6978}");

  FUID parsed;
  ASSERT_TRUE(parsed.fromString("123456789abcdef00f1e2d3c4b5a6978"));
  EXPECT_EQ(parsed, kSample);
  parsed = FUID();
  // Braces and dashes are not examined.
  ASSERT_TRUE(parsed.fromRegistryString("x12345678_9ABC_DEF0_0F1E_2D3C4B5A6978y"));
  EXPECT_EQ(parsed, kSample);
}

TEST(FUID, WrongLengthsAreRejectedAndLeaveTheIdentifier) {
  FUID id = kSample;
  for (const char* text :
       {static_cast<const char*>(nullptr), "", "123456789ABCDEF00F1E2D3C4B5A697",
        "123456789ABCDEF00F1E2D3C4B5A69780", "{12345678-9ABC-DEF0-0F1E-2D3C4B5A697}"}) {
    EXPECT_FALSE(id.fromString(text));
    EXPECT_FALSE(id.fromRegistryString(text));
  }
  EXPECT_FALSE(id.fromRegistryString("{12345678-9ABC-DEF0-0F1E-2D3C4B5A69780}"));
  EXPECT_EQ(id, kSample);
}

TEST(FUID, HexReadingOfOddPairsAndShortText) {
  char bytes[4] = {1, 1, 1, 1};
  // "G0": no hex start -> 0; "3Z": the first digit alone -> 3.
  fromString8("G03ZABb7", bytes, 0, 4);
  EXPECT_EQ(std::memcmp(bytes, "\x00\x03\xAB\xB7", 4), 0);
  // A heap copy lets AddressSanitizer catch any read past the three characters.
  std::vector<char> shortText{'A', 'B', 'C', '\0'};
  fromString8(shortText.data(), bytes, 0, 4);
  EXPECT_EQ(std::memcmp(bytes, "\xAB\x0C\x00\x00", 4), 0);

  char hex[9];
  toString8(hex, kSampleBytes, 2, 6);
  EXPECT_STREQ(hex, "56789ABC");
}

TEST(FUID, PrintStyles) {
  char out[FUID::kPrintBufferSize];
  EXPECT_EQ(kSample.print(out, 0), 59);
  EXPECT_STREQ(out, "INLINE_UID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)");
  kSample.print(out, 7);  // any style but 0, 1 and 2
  EXPECT_STREQ(out,
               "DECLARE_CLASS_IID (Interface, 0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)");
  EXPECT_LT(FUID(~0u, ~0u, ~0u, ~0u).print(out, 3), FUID::kPrintBufferSize);

  testing::internal::CaptureStdout();
  kSample.print(nullptr, 2);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "FUID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)\n");
}

TEST(FUID, GenerateGivesDistinctVersion4Identifiers) {
  std::set<std::string> seen;
  for (int i = 0; i < 64; ++i) {
    FUID id;
    ASSERT_TRUE(id.generate());
    const auto* b = reinterpret_cast<const unsigned char*>(id.tuid());
    EXPECT_EQ(b[6] >> 4, 4) << "version nibble";
    EXPECT_EQ(b[8] >> 6, 2) << "RFC 4122 variant";
    seen.insert(std::string(id.tuid(), 16));
  }
  EXPECT_EQ(seen.size(), 64u);
}

TEST(FUnknown, QueryInterfaceConvention) {
  Probe::resetCounts();
  auto* probe = new Probe;
  void* obj = nullptr;
  EXPECT_EQ(probe->queryInterface(IPluginBase::iid.tuid(), &obj), kOk);
  EXPECT_EQ(obj, static_cast<IPluginBase*>(probe));
  EXPECT_EQ(probe->count(), 2);
  for (const char* iid : {IHostClasses::iid.tuid(), static_cast<const char*>(nullptr)}) {
    obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(probe->queryInterface(iid, &obj), kNotFound);
    EXPECT_EQ(obj, nullptr);
  }
  // Nowhere to store: no reference may be handed out.
  EXPECT_EQ(probe->queryInterface(FUnknown::iid.tuid(), nullptr), kNotFound);
  EXPECT_EQ(probe->count(), 2);
  EXPECT_EQ(probe->release(), 1u);
  EXPECT_EQ(probe->release(), 0u);
  EXPECT_EQ(Probe::destroyed, 1);
}

// A host registry that hands out Probes, or stores whatever it is told to.
class ProbeRegistry : public IHostClasses {
 public:
  bool offer = true;
  ResultCode answer = kOk;

  ResultCode queryInterface(const char*, void**) override { return kNotFound; }
  uint32 addRef() override { return 1; }
  uint32 release() override { return 1; }
  ResultCode createInstance(const char* iid, void** obj) override {
    EXPECT_EQ(*obj, nullptr) << "the out pointer must be preset to null";
    if (offer && iidEqual(iid, IPluginBase::iid)) *obj = static_cast<IPluginBase*>(new Probe);
    return answer;
  }
};

TEST(FUnknown, HoldersReleaseWhatTheyObtain) {
  Probe::resetCounts();
  auto* probe = new Probe;
  {
    FUnknownPtr<IPluginBase> held(probe);
    EXPECT_TRUE(held);
    EXPECT_FALSE(FUnknownPtr<IHostClasses>(probe));
    EXPECT_FALSE(FUnknownPtr<IPluginBase>(nullptr));
    EXPECT_EQ(probe->count(), 2);
  }
  EXPECT_EQ(probe->count(), 1);
  probe->release();

  // The result code is ignored: what the host stored is kept, and nothing is not.
  ProbeRegistry registry;
  registry.answer = kFalse;
  EXPECT_TRUE(FInstancePtr<IPluginBase>(&registry));
  registry.offer = false;
  EXPECT_FALSE(FInstancePtr<IPluginBase>(&registry));
  EXPECT_FALSE(FInstancePtr<IPluginBase>(nullptr));
  EXPECT_EQ(Probe::destroyed, 2);

  // Both holders give back their references when a host exception passes.
  registry.offer = true;
  probe = new Probe;
  struct HostError {};
  try {
    FInstancePtr<IPluginBase> instance(&registry);
    FUnknownPtr<IPluginBase> held(probe);
    throw HostError{};
  } catch (const HostError&) {
  }
  EXPECT_EQ(Probe::destroyed, 3);
  EXPECT_EQ(probe->release(), 0u);
}

}  // namespace
}  // namespace Quillon
