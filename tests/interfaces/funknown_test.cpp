// Tests of FUID, its text forms, the queryInterface convention and the interface holders.
#include "interfaces/funknown.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "interfaces/ihostclasses.h"
#include "interfaces/ipluginbase.h"
#include "tests/support/test_component.h"

namespace Quillon {
namespace {

const char kSampleBytes[16] = {'\x12', '\x34', '\x56', '\x78', '\x9A', '\xBC', '\xDE', '\xF0',
                               '\x0F', '\x1E', '\x2D', '\x3C', '\x4B', '\x5A', '\x69', '\x78'};

// Hosts compare these numbers, not the names.
static_assert(kOk == 0 && kFalse == 1 && kBadArgument == 2 && kNotFound == -1,
              "result codes are part of the binary contract");

FUID sample() { return FUID(0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978); }

std::string bytesOf(const FUID& id) { return std::string(id.tuid(), 16); }

TEST(FUID, WordsAreStoredMostSignificantByteFirst) {
  const FUID id = sample();
  EXPECT_EQ(bytesOf(id), std::string(kSampleBytes, 16));
  EXPECT_EQ(id.getLong1(), 0x12345678u);
  EXPECT_EQ(id.getLong2(), 0x9ABCDEF0u);
  EXPECT_EQ(id.getLong3(), 0x0F1E2D3Cu);
  EXPECT_EQ(id.getLong4(), 0x4B5A6978u);
  uint32 l1, l2, l3, l4;
  FUID(kSampleBytes).to4Int(l1, l2, l3, l4);
  EXPECT_EQ(FUID(l1, l2, l3, l4), id);
}

TEST(FUID, ConstructionCopyAndValidity) {
  EXPECT_FALSE(FUID().isValid());
  EXPECT_TRUE(sample().isValid());
  EXPECT_FALSE(FUID(nullptr).isValid());
  FUID copy(sample());
  EXPECT_EQ(copy, sample());
  FUID assigned;
  assigned = kSampleBytes;
  EXPECT_EQ(assigned, sample());
  // A host may hand over null: assignment then gives the all-zero identifier.
  assigned = static_cast<const char*>(nullptr);
  EXPECT_FALSE(assigned.isValid());
  char out[16];
  sample().toTUID(out);
  EXPECT_EQ(std::memcmp(out, kSampleBytes, 16), 0);
  sample().toTUID(nullptr);  // writes nothing, does not crash
}

TEST(FUID, TextForms) {
  char text[FUID::kStringSize];
  sample().toString(text);
  EXPECT_STREQ(text, "123456789ABCDEF00F1E2D3C4B5A6978");
  char registry[FUID::kRegistryStringSize];
  sample().toRegistryString(registry);
  EXPECT_STREQ(registry, "{12345678-9ABC-DEF0-0F1E-2D3C4B5A6978}");

  FUID parsed;
  ASSERT_TRUE(parsed.fromString("123456789abcdef00f1e2d3c4b5a6978"));  // lower case reads too
  EXPECT_EQ(parsed, sample());
  FUID fromRegistry;
  ASSERT_TRUE(fromRegistry.fromRegistryString(registry));
  EXPECT_EQ(fromRegistry, sample());
  // Braces and dashes are not examined.
  ASSERT_TRUE(fromRegistry.fromRegistryString("x12345678_9ABC_DEF0_0F1E_2D3C4B5A6978y"));
  EXPECT_EQ(fromRegistry, sample());
}

TEST(FUID, WrongLengthsAreRejectedAndLeaveTheIdentifier) {
  FUID id = sample();
  for (const char* text : {static_cast<const char*>(nullptr), "",
                           "123456789ABCDEF00F1E2D3C4B5A697",       // 31
                           "123456789ABCDEF00F1E2D3C4B5A69780"}) {  // 33
    EXPECT_FALSE(id.fromString(text)) << (text ? text : "null");
    EXPECT_EQ(id, sample());
  }
  for (const char* text : {static_cast<const char*>(nullptr), "",
                           "{12345678-9ABC-DEF0-0F1E-2D3C4B5A697}",       // 37
                           "{12345678-9ABC-DEF0-0F1E-2D3C4B5A69780}"}) {  // 39
    EXPECT_FALSE(id.fromRegistryString(text)) << (text ? text : "null");
    EXPECT_EQ(id, sample());
  }
}

TEST(FUID, NonHexPairsReadAsTheirLeadingDigit) {
  char bytes[4] = {1, 1, 1, 1};
  // "G0": not a hex start -> 0; "3Z": first digit alone -> 3; "AB" -> 0xAB; "b7" -> 0xB7.
  fromString8("G03ZABb7", bytes, 0, 4);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 3);
  EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 0xAB);
  EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0xB7);
}

TEST(FUID, ShortTextNeverReadsPastItsTerminator) {
  // A heap copy lets AddressSanitizer catch any read past the three characters.
  std::vector<char> text{'A', 'B', 'C', '\0'};
  char bytes[4] = {9, 9, 9, 9};
  fromString8(text.data(), bytes, 0, 4);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xAB);
  EXPECT_EQ(bytes[1], 0xC);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 0);

  char hex[9];
  toString8(hex, kSampleBytes, 2, 6);
  EXPECT_STREQ(hex, "56789ABC");
  toString8(hex, kSampleBytes, 3, 3);
  EXPECT_STREQ(hex, "");
}

TEST(FUID, PrintStyles) {
  char out[FUID::kPrintBufferSize];
  const struct {
    int32 style;
    const char* text;
  } cases[] = {
      {0, "INLINE_UID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)"},
      {1, "DECLARE_UID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)"},
      {2, "FUID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)"},
      {7, "DECLARE_CLASS_IID (Interface, 0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)"},
      {-1, "DECLARE_CLASS_IID (Interface, 0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sample().print(out, c.style), int32(std::strlen(c.text)));
    EXPECT_STREQ(out, c.text);
  }
  // The longest form still fits the documented buffer with its terminator.
  const FUID allOnes(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_LT(allOnes.print(out, 3), FUID::kPrintBufferSize);
}

TEST(FUID, PrintWithoutBufferWritesALineToStandardOutput) {
  testing::internal::CaptureStdout();
  const int32 count = sample().print(nullptr, 2);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "FUID (0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978)\n");
  EXPECT_EQ(count, 53);
}

TEST(FUID, GenerateGivesDistinctVersion4Identifiers) {
  std::set<std::string> seen;
  for (int i = 0; i < 64; ++i) {
    FUID id;
    ASSERT_TRUE(id.generate());
    const auto* b = reinterpret_cast<const unsigned char*>(id.tuid());
    EXPECT_EQ(b[6] >> 4, 4) << "version nibble";
    EXPECT_EQ(b[8] >> 6, 2) << "RFC 4122 variant";
    seen.insert(bytesOf(id));
  }
  EXPECT_EQ(seen.size(), 64u);
}

using Probe = testing_support::TestComponent;

TEST(FUnknown, QueryInterfaceConvention) {
  auto* probe = new Probe;
  void* obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(probe->queryInterface(IPluginBase::iid.tuid(), &obj), kOk);
  EXPECT_EQ(obj, static_cast<IPluginBase*>(probe));
  EXPECT_EQ(probe->count(), 2);

  obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(probe->queryInterface(IHostClasses::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
  obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(probe->queryInterface(nullptr, &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
  // Nowhere to store: no reference may be handed out.
  EXPECT_EQ(probe->queryInterface(FUnknown::iid.tuid(), nullptr), kNotFound);
  EXPECT_EQ(probe->count(), 2);

  Probe::resetCounts();
  EXPECT_EQ(probe->release(), 1u);
  EXPECT_EQ(probe->release(), 0u);
  EXPECT_EQ(Probe::destroyed, 1);
}

TEST(FUnknown, AtomicAddFromFourThreadsLosesNoStep) {
  auto* probe = new Probe;
  Probe::resetCounts();
  constexpr int kThreads = 4;
  constexpr int kRounds = 100000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([probe] {
      for (int i = 0; i < kRounds; ++i) {
        probe->addRef();
        probe->addRef();
        probe->release();
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(probe->count(), 1 + kThreads * kRounds);
  EXPECT_EQ(Probe::destroyed, 0);

  // Now every thread gives back its share concurrently: exactly one destruction.
  threads.clear();
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([probe] {
      for (int i = 0; i < kRounds; ++i) probe->release();
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(Probe::destroyed, 0);
  EXPECT_EQ(probe->release(), 0u);
  EXPECT_EQ(Probe::destroyed, 1);
}

// A host registry that hands out Probes, or stores whatever it is told to.
class ProbeRegistry : public IHostClasses {
 public:
  bool offer = true;
  ResultCode answer = kOk;
  int calls = 0;

  ResultCode queryInterface(const char*, void** obj) override {
    if (obj != nullptr) *obj = nullptr;
    return kNotFound;
  }
  uint32 addRef() override { return 1; }
  uint32 release() override { return 1; }
  ResultCode createInstance(const char* iid, void** obj) override {
    ++calls;
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
    ASSERT_TRUE(held);
    EXPECT_EQ(probe->count(), 2);
    FUnknownPtr<IHostClasses> absent(probe);
    EXPECT_FALSE(absent);
    FUnknownPtr<IPluginBase> fromNull(nullptr);
    EXPECT_FALSE(fromNull);
  }
  EXPECT_EQ(probe->count(), 1);
  probe->release();
  EXPECT_EQ(Probe::destroyed, 1);

  ProbeRegistry registry;
  {
    FInstancePtr<IPluginBase> instance(&registry);
    EXPECT_TRUE(instance);
  }
  EXPECT_EQ(Probe::destroyed, 2);
  // The result code is ignored: what the host stored is kept, and nothing is not.
  registry.answer = kFalse;
  {
    FInstancePtr<IPluginBase> instance(&registry);
    EXPECT_TRUE(instance);
  }
  EXPECT_EQ(Probe::destroyed, 3);
  registry.offer = false;
  registry.answer = kOk;
  {
    FInstancePtr<IPluginBase> instance(&registry);
    EXPECT_FALSE(instance);
    FInstancePtr<IPluginBase> noRegistry(nullptr);
    EXPECT_FALSE(noRegistry);
  }
  EXPECT_EQ(registry.calls, 3);
}

TEST(FUnknown, HoldersReleaseWhenAHostExceptionPasses) {
  Probe::resetCounts();
  ProbeRegistry registry;
  auto* probe = new Probe;
  struct HostError {};
  try {
    FInstancePtr<IPluginBase> instance(&registry);
    FUnknownPtr<IPluginBase> held(probe);
    throw HostError{};
  } catch (const HostError&) {
  }
  EXPECT_EQ(Probe::destroyed, 1) << "the created instance was released";
  EXPECT_EQ(probe->count(), 1) << "the queried reference was released";
  probe->release();
}

}  // namespace
}  // namespace Quillon
