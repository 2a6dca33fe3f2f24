// Tests of the drum module's remote surface: what the host sees declared, in what order, and
// where each control's values go.
#include "device/px7000_hwremote.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "device/hostglobals.h"
#include "tests/support/failing_allocator.h"
#include "tests/support/module_fixture.h"

namespace {

using namespace Quillon;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing_support::ModuleFixture;
using UserFunction = std::array<std::string, 3>;

// The host calls that declare the surface, in order, as the simulated host records them.
std::vector<std::string> surfaceDeclaration() {
  std::vector<std::string> calls = {
      "remote.setRemoteProperty(" + std::to_string(0x6D696469) + ", 1)",   // "midi"
      "remote.setRemoteProperty(" + std::to_string(0x66746368) + ", 1)",   // "ftch"
      "remote.setRemoteProperty(" + std::to_string(0x77726E67) + ", 24)",  // "wrng"
      "remote.setRemoteProperty(" + std::to_string(0x6D696578) + ", 1)",   // "miex"
      "remote.addUserFunctions(12)",
  };
  const struct {
    const char* name;
    int status, number, flags;
  } controls[] = {
      {"Top", 0x90, 88, 1},     {"Rewind", 0x90, 91, 1},    {"Fast FWD", 0x90, 92, 1},
      {"Rec", 0x90, 95, 1},     {"Play/Stop", 0x90, 94, 1}, {"Click", 0x90, 68, 1},
      {"Audition", 0x90, 8, 1}, {"F1", 0x90, 54, 1},        {"F2", 0x90, 55, 1},
      {"F3", 0x90, 56, 1},      {"F4", 0x90, 57, 1},        {"F5", 0x90, 58, 1},
      {"F6", 0x90, 59, 1},      {"SF1", 0x90, 60, 1},       {"SF2", 0x90, 61, 1},
      {"SF3", 0x90, 62, 1},     {"SF4", 0x90, 63, 1},       {"SF5", 0x90, 64, 1},
      {"SF6", 0x90, 65, 1},     {"Inc", 0x90, 66, 1},       {"Dec", 0x90, 67, 1},
      {"Up", 0x90, 96, 1},      {"Down", 0x90, 97, 1},      {"Left", 0x90, 98, 1},
      {"Right", 0x90, 99, 1},   {"Data Dial", 0xB0, 60, 5},
  };
  for (const auto& c : controls) {
    calls.push_back("remote.addRemoteControl(" + std::string(c.name) + ", " +
                    std::to_string(c.status) + ", " + std::to_string(c.number) + ", 127, " +
                    std::to_string(c.flags) + ")");
  }
  const std::vector<std::string> bank = {
      "remote.createBank(Mixer)",
      "bank:Mixer.addLayer(Default)",
      "bank:Mixer.assignCommand(Default, Top, Transport, Return to Zero, 1)",
      "bank:Mixer.assignCommand(Default, Play/Stop, Transport, StartStop, 1)",
      "bank:Mixer.assignCommand(Default, Rec, Transport, Record, 1)",
      "bank:Mixer.assignCommand(Default, Click, Transport, Metronome On, 1)",
      "bank:Mixer.assignCommand(Default, Inc, Preset, Next, 1)",
      "bank:Mixer.assignCommand(Default, Dec, Preset, Previous, 1)",
      "bank:Mixer.assignCommand(Default, Up, Project, Select Track: Prev, 1)",
      "bank:Mixer.assignCommand(Default, Down, Project, Select Track: Next, 1)",
      "bank:Mixer.assignCommand(Default, Left, Project, Select Track: Prev, 1)",
      "bank:Mixer.assignCommand(Default, Right, Project, Select Track: Next, 1)",
      "bank:Mixer.assignValue(Default, Rewind, Transport, -1, rewind, 512)",
      "bank:Mixer.assignValue(Default, Fast FWD, Transport, -1, forward, 512)",
      "bank:Mixer.assignValue(Default, Audition, Mixer, -2, solo, 769)",
      "bank:Mixer.addFunctionGroup(Function, User Function, 0, -1, 0)",
  };
  calls.insert(calls.end(), bank.begin(), bank.end());
  for (const char* key :
       {"F1", "F2", "F3", "F4", "F5", "F6", "SF1", "SF2", "SF3", "SF4", "SF5", "SF6"}) {
    calls.push_back("bank:Mixer.group0.assignFunction(Default, " + std::string(key) + ", " + key +
                    ", 0)");
  }
  return calls;
}

std::vector<UserFunction> userFunctions(const char* quantizeCategory) {
  std::vector<UserFunction> functions = {
      {"F1", quantizeCategory, "Quantize"},
      {"F2", "Edit", "Undo"},
      {"F3", "Zoom", "Zoom In"},
      {"F4", "Zoom", "Zoom Out"},
      {"F5", "Zoom", "Zoom In Tracks"},
      {"F6", "Zoom", "Zoom Out Tracks"},
  };
  for (const char* key : {"SF1", "SF2", "SF3", "SF4", "SF5", "SF6"})
    functions.push_back({key, "", ""});  // empty texts, which the host records apart from null
  return functions;
}

// One remote surface, with the host's registry where the service component would keep it.
class Surface : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    remote = static_cast<IHWRemote*>(PX7000_HWRemote::createInstance(nullptr));
    ASSERT_NE(remote, nullptr);
  }
  void TearDown() override {
    EXPECT_EQ(remote->release(), 0u);
    ModuleFixture::TearDown();
  }

  IHWRemote* remote = nullptr;
};

TEST_F(Surface, InitDeclaresTheWholeSurfaceInOrder) {
  ASSERT_TRUE(remote->init(&host.remote()));
  EXPECT_THAT(host.log().entries(), ElementsAreArray(surfaceDeclaration()));
  EXPECT_THAT(host.remote().userFunctions(), ElementsAreArray(userFunctions("Quantize Category")));
  EXPECT_TRUE(remote->term());
  EXPECT_TRUE(remote->open()) << "term keeps the standard remote";
}

TEST_F(Surface, HostsAtVersionFiveQuantizeFromTheMidiCategory) {
  g_isTessera5 = true;
  ASSERT_TRUE(remote->init(&host.remote()));
  g_isTessera5 = false;  // read once per init: the registered table stays
  EXPECT_THAT(host.remote().userFunctions(), ElementsAreArray(userFunctions("MIDI")));
}

TEST_F(Surface, TheHostResolvesEachMessageToItsBinding) {
  ASSERT_TRUE(remote->init(&host.remote()));
  const simhost::RemoteStandard& standard = host.remote();
  const struct {
    int status, number;
    int32 index;
    simhost::Binding::Kind kind;
    const char *category, *target;
  } messages[] = {
      {0x90, 94, 4, simhost::Binding::Kind::command, "Transport", "StartStop"},
      {0x90, 98, 23, simhost::Binding::Kind::command, "Project", "Select Track: Prev"},
      {0x90, 8, 6, simhost::Binding::Kind::value, "Mixer", "solo"},
      {0x90, 54, 7, simhost::Binding::Kind::userFunction, "Quantize Category", "Quantize"},
      {0x90, 60, 13, simhost::Binding::Kind::userFunction, "", ""},
      {0xB0, 60, 25, simhost::Binding::Kind::none, "", ""},
  };
  for (const auto& m : messages) {
    const int32 index = standard.controlFor(uint8(m.status), uint16(m.number));
    EXPECT_EQ(index, m.index) << m.number;
    const simhost::Binding binding = standard.bindingOf(index, "Default");
    EXPECT_EQ(binding.kind, m.kind) << m.number;
    EXPECT_EQ(binding.category, m.category) << m.number;
    EXPECT_EQ(binding.target, m.target) << m.number;
  }
  EXPECT_EQ(standard.controlFor(0x80, 94), -1) << "a Note Off is no control's message";
}

TEST_F(Surface, MissingBankOrGroupLeavesOnlyThoseBindingsOut) {
  const std::vector<std::string> whole = surfaceDeclaration();
  const auto upTo = [&](const std::string& last) {
    return std::vector<std::string>(whole.begin(), std::find(whole.begin(), whole.end(), last) + 1);
  };
  host.remote().setRefuseBanks(true);
  ASSERT_TRUE(remote->init(&host.remote()));
  EXPECT_THAT(host.log().entries(), ElementsAreArray(upTo("remote.createBank(Mixer)")));
  host.log().clear();

  simhost::SimulatedHost other;
  ASSERT_TRUE(remote->init(&other.remote()));
  other.remote().bank("Mixer")->setRefuseFunctionGroups(true);
  other.log().clear();
  ASSERT_TRUE(remote->init(&other.remote())) << "the bank is created once more, its group refused";
  EXPECT_THAT(
      other.log().entries(),
      ElementsAreArray(upTo("bank:Mixer.addFunctionGroup(Function, User Function, 0, -1, 0)")));
  EXPECT_THAT(host.log().entries(), IsEmpty()) << "a second init leaves the first remote";
}

TEST_F(Surface, NoRegistryOrNoStandardRemoteDeclaresNothing) {
  ASSERT_TRUE(remote->init(&host.remote()));
  host.log().clear();
  EXPECT_FALSE(remote->init(nullptr));
  EXPECT_FALSE(remote->open()) << "an init with null lets go of the earlier remote";
  dropRegistry();
  EXPECT_FALSE(remote->init(&host.remote()));
  EXPECT_FALSE(remote->open()) << "the standard remote was not kept";
  remote->changeValue(4, 127);
  remote->changeValue(25, 1);
  EXPECT_THAT(host.log().entries(), IsEmpty());
}

TEST_F(Surface, OnlyTheDialStepsBarsAndOnlyBySingleSteps) {
  ASSERT_TRUE(remote->init(&host.remote()));
  const struct {
    int32 value;
    const char* command;  // null: nothing performed
  } dial[] = {{1, "Step Bar"}, {65, "Step Back Bar"}, {0, nullptr},   {2, nullptr},
              {64, nullptr},   {66, nullptr},         {127, nullptr}, {-1, nullptr}};
  for (const auto& step : dial) {
    const std::size_t before = host.actions().commands().size();
    remote->changeValue(25, step.value);
    EXPECT_EQ(host.actions().commands().size(), before + (step.command ? 1 : 0)) << step.value;
    if (step.command) {
      EXPECT_EQ(host.actions().commands().back(),
                std::make_pair(std::string("Transport"), std::string(step.command)));
    }
    EXPECT_EQ(host.actions().outstandingReferences(), 0) << step.value;
  }
  remote->changeValue(13, 1);  // "SF1" shares the dial's number 60, not its index
  remote->changeValue(24, 1);
  remote->changeValue(0, 127);
  EXPECT_THAT(host.remote().standardValues(),
              ElementsAre(std::make_pair(13, 1), std::make_pair(24, 1), std::make_pair(0, 127)));
  EXPECT_EQ(host.actions().commands().size(), 2u);
}

TEST_F(Surface, DialWithoutActionManagerIsDropped) {
  ASSERT_TRUE(remote->init(&host.remote()));
  host.registry().withdraw(IActionManager::iid);
  remote->changeValue(25, 1);
  dropRegistry();
  remote->changeValue(25, 65);
  EXPECT_THAT(host.actions().commands(), IsEmpty());
  EXPECT_THAT(host.remote().standardValues(), IsEmpty());
}

TEST_F(Surface, HostExceptionsPassThroughWithTheActionManagerReleased) {
  ASSERT_TRUE(remote->init(&host.remote()));
  host.log().throwOn("actions.executeCommand");
  EXPECT_THROW(remote->changeValue(25, 65), simhost::HostException);
  EXPECT_EQ(host.actions().outstandingReferences(), 0);
  host.log().stopThrowing();
  host.log().throwOn("remote.addRemoteControl(Rec");
  EXPECT_THROW(remote->init(&host.remote()), simhost::HostException);
  host.log().stopThrowing();
}

TEST_F(Surface, DeclaringAndPlayingAllocateNothing) {
  if (!testing_support::FailingAllocations::inForce()) GTEST_SKIP() << "allocator replaced";
  testing_support::FailingAllocations failing(0);
  EXPECT_TRUE(remote->init(&host.remote()));
  remote->changeValue(4, 127);
  remote->changeValue(25, 1);
  EXPECT_FALSE(failing.refusedAny());
  EXPECT_EQ(host.actions().commands().size(), 1u);
}

}  // namespace
