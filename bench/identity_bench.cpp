// Speed of identifier text forms and of instance creation through the class factory.
//
// Targets: identifier text forms no slower than the C library's formatted I/O doing the same
// work (ratio <= 1); createInstance at most 3 x a bare allocation, interface query and release
// of the same component (the lookup and bookkeeping must stay small).
#include <cstdio>

#include "bench/ratio_reporter.h"
#include "interfaces/ipluginbase.h"
#include "module/pluginfactory.h"
#include "tests/support/test_component.h"

namespace Quillon {
namespace {

const FUID kSample(0x12345678, 0x9ABCDEF0, 0x0F1E2D3C, 0x4B5A6978);

void BM_FUID_toString(benchmark::State& state) {
  char text[FUID::kStringSize];
  for (auto _ : state) {
    kSample.toString(text);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FUID_toString);

void BM_FUID_toString_reference(benchmark::State& state) {
  char text[FUID::kStringSize];
  const auto* bytes = reinterpret_cast<const unsigned char*>(kSample.tuid());
  for (auto _ : state) {
    for (int i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02X", bytes[i]);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FUID_toString_reference)->Name("BM_FUID_toString/reference");

void BM_FUID_fromString(benchmark::State& state) {
  FUID id;
  for (auto _ : state) {
    id.fromString("123456789ABCDEF00F1E2D3C4B5A6978");
    benchmark::DoNotOptimize(id);
  }
}
BENCHMARK(BM_FUID_fromString);

void BM_FUID_fromString_reference(benchmark::State& state) {
  const char* text = "123456789ABCDEF00F1E2D3C4B5A6978";
  unsigned char bytes[16];
  for (auto _ : state) {
    for (int i = 0; i < 16; ++i) std::sscanf(text + 2 * i, "%2hhx", &bytes[i]);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_FUID_fromString_reference)->Name("BM_FUID_fromString/reference");

using Component = testing_support::TestComponent;

void BM_Factory_createInstance(benchmark::State& state) {
  auto* factory = new CPluginFactory(PFactoryInfo("Vendor", "", "", 0));
  // The module registers three classes; look up the last.
  const FUID ids[] = {FUID(1, 0, 0, 1), FUID(1, 0, 0, 2), FUID(1, 0, 0, 3)};
  for (const FUID& id : ids) {
    const PClassInfo info(id.tuid(), 1, "Test", "Component");
    factory->registerClass(&info, Component::create, nullptr);
  }
  for (auto _ : state) {
    void* obj = nullptr;
    factory->createInstance(ids[2].tuid(), IPluginBase::iid.tuid(), &obj);
    static_cast<IPluginBase*>(obj)->release();
  }
  factory->release();
}
BENCHMARK(BM_Factory_createInstance);

void BM_Factory_createInstance_reference(benchmark::State& state) {
  for (auto _ : state) {
    FUnknown* instance = Component::create(nullptr);
    void* obj = nullptr;
    instance->queryInterface(IPluginBase::iid.tuid(), &obj);
    instance->release();
    static_cast<IPluginBase*>(obj)->release();
  }
}
BENCHMARK(BM_Factory_createInstance_reference)->Name("BM_Factory_createInstance/reference");

}  // namespace
}  // namespace Quillon

int main(int argc, char** argv) { return px7000::bench::runWithRatios(argc, argv); }
