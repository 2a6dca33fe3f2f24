// Tests of the device code's string helpers and device classification.
#include "device/useful.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostFixture;
using Useful::String16;

TEST(Useful, ConversionsFallBackToTheSystemCodePage) {
  EXPECT_EQ(Useful::getCString(nullptr), "");
  EXPECT_EQ(Useful::getCString(u"Port\u00E9"), "Port\xC3\xA9");
  // A lone surrogate is not UTF-16 that UTF-8 can carry: Mac Roman replaces it.
  EXPECT_EQ(Useful::getCString(u"a\xD800"
                               u"b"),
            "a?b");
  EXPECT_EQ(Useful::getCString(u"\u00C4\u2022"), "\xC3\x84\xE2\x80\xA2");

  EXPECT_EQ(Useful::getTString(nullptr), u"");
  EXPECT_EQ(Useful::getTString("Port\xC3\xA9"), u"Port\u00E9");
  // 0x80 alone is not UTF-8; in Mac Roman it is A with diaeresis.
  EXPECT_EQ(Useful::getTString("x\x80"), u"x\u00C4");
}

TEST(Useful, CaseFoldingTouchesOnlyTheDefaultLocaleLetters) {
  EXPECT_EQ(Useful::getLowerCaseString("AbZ\xC4"), "abz\xC4");
  EXPECT_EQ(Useful::getLowerCaseString(u"AbZ\u00C4\u0100\uFF21\x8000"),
            u"abz\u00C4\u0100\uFF21\x8000");
  EXPECT_EQ(Useful::getLowerCaseString(static_cast<const char*>(nullptr)), "");
}

TEST(Useful, SameStringAndContainment) {
  EXPECT_TRUE(Useful::isSameString("Orvella PX7000", "orvella px7000", true));
  EXPECT_FALSE(Useful::isSameString("Orvella PX7000", "orvella px7000", false));
  EXPECT_FALSE(Useful::isSameString("abc", "abcd", true));
  EXPECT_FALSE(Useful::isSameString("x", static_cast<const char*>(nullptr), true));
  EXPECT_TRUE(Useful::isSameString(u"Port3", u"PORT3", true));
  EXPECT_FALSE(Useful::isSameString(u"Port3", u"PORT3", false));
  EXPECT_FALSE(Useful::isSameString(static_cast<const char16_t*>(nullptr), u"", false));
  const std::string a("A\0b", 3), b("a\0c", 3);
  EXPECT_FALSE(Useful::isSameString(&a, &b, false));
  EXPECT_TRUE(Useful::isSameString(&a, &b, true)) << "folding reads the zero-terminated text";
  const String16 wide(u"Tessera"), other(u"tessera");
  EXPECT_TRUE(Useful::isSameString(&wide, &other, true));
  EXPECT_FALSE(Useful::isSameString(&wide, static_cast<const String16*>(nullptr), true));

  EXPECT_TRUE(Useful::isContainedInString("Orvella PX7000 Port3", "px7000 port", true));
  EXPECT_FALSE(Useful::isContainedInString("Orvella PX7000 Port3", "px7000 port", false));
  EXPECT_TRUE(Useful::isContainedInString("abc", "", false));
  EXPECT_FALSE(Useful::isContainedInString("abc", static_cast<const char*>(nullptr), false));
  EXPECT_TRUE(Useful::isContainedInString(u"Tessera Crafter 5", u"CRAFTER", true));
  EXPECT_FALSE(Useful::isContainedInString(u"ab", u"abc", true));
}

// The comparisons walk the texts in place; they must answer as comparing and searching folded
// copies does, including after a partial match and for units past 255 or sign-extended.
TEST(Useful, ComparisonsAnswerAsFoldedCopiesDo) {
  const std::vector<String16> texts = {u"",        u"a",      u"A",         u"aab",
                                       u"aaab",    u"AaAb",   u"ab",        u"ba",
                                       u"b\u00C4", u"B\u00E4", u"x\u0141y", u"X\u0141Y",
                                       u"\uFF41a", u"\uFF41A", u"PX7000 3",  u"px7000 3 "};
  for (const String16& text : texts) {
    for (const String16& part : texts) {
      const bool folded =
          Useful::getLowerCaseString(text.c_str()) == Useful::getLowerCaseString(part.c_str());
      EXPECT_EQ(Useful::isSameString(text.c_str(), part.c_str(), true), folded);
      EXPECT_EQ(Useful::isSameString(text.c_str(), part.c_str(), false), text == part);
      const bool inFolded = Useful::getLowerCaseString(text.c_str())
                                .find(Useful::getLowerCaseString(part.c_str())) != String16::npos;
      EXPECT_EQ(Useful::isContainedInString(text.c_str(), part.c_str(), true), inFolded);
      EXPECT_EQ(Useful::isContainedInString(text.c_str(), part.c_str(), false),
                text.find(part) != String16::npos);

      // The same texts cut to 8 bits, where bytes above 127 are negative chars.
      std::string narrowText, narrowPart;
      for (char16_t unit : text) narrowText += char(unit);
      for (char16_t unit : part) narrowPart += char(unit);
      const std::string lowText = Useful::getLowerCaseString(narrowText.c_str());
      const std::string lowPart = Useful::getLowerCaseString(narrowPart.c_str());
      EXPECT_EQ(Useful::isSameString(narrowText.c_str(), narrowPart.c_str(), true),
                lowText == lowPart);
      EXPECT_EQ(Useful::isContainedInString(narrowText.c_str(), narrowPart.c_str(), true),
                lowText.find(lowPart) != std::string::npos);
      EXPECT_EQ(Useful::isContainedInString(narrowText.c_str(), narrowPart.c_str(), false),
                narrowText.find(narrowPart) != std::string::npos);
    }
  }
}

TEST(Useful, InPlaceEdits) {
  std::string text = "  a b ";
  Useful::removeSpaceFromString(&text, true);
  EXPECT_EQ(text, "a b ");
  text = "  a b ";
  Useful::removeSpaceFromString(&text, false);
  EXPECT_EQ(text, "ab");
  String16 blanks = u"   ";
  Useful::removeSpaceFromString(&blanks, true);
  EXPECT_EQ(blanks, u"");
  String16 tabbed = u" \ta";
  Useful::removeSpaceFromString(&tabbed, false);
  EXPECT_EQ(tabbed, u"\ta") << "only U+0020 is a blank";
  Useful::removeSpaceFromString(static_cast<std::string*>(nullptr), false);

  std::string twice = "Port3 Port3";
  EXPECT_TRUE(Useful::replaceString(&twice, "Port", "In"));
  EXPECT_EQ(twice, "In3 Port3");
  EXPECT_FALSE(Useful::replaceString(&twice, "Out", "In"));
  EXPECT_EQ(twice, "In3 Port3");
  std::string empty;
  EXPECT_FALSE(Useful::replaceString(&empty, "a", "b"));
  EXPECT_FALSE(Useful::replaceString(&twice, "", "b"));
  EXPECT_FALSE(Useful::replaceString(&twice, "In", nullptr));
  String16 name = u"PX7000 Port3";
  EXPECT_TRUE(Useful::replaceString(&name, u"Port3", u"DAW"));
  EXPECT_EQ(name, u"PX7000 DAW");
}

TEST(Useful, NumbersAsciiAndSysEx) {
  EXPECT_EQ(Useful::strToL(u"  -42abc"), -42);
  EXPECT_EQ(Useful::strToL(u"ff", true), 255);
  EXPECT_EQ(Useful::strToL(u"ff", false), 0);
  EXPECT_EQ(Useful::strToL(nullptr), 0);
  EXPECT_EQ(Useful::strToL(u"4294967297"), 1) << "cut to the low 32 bits";

  EXPECT_TRUE(Useful::isASCIIString(u""));
  EXPECT_TRUE(Useful::isASCIIString(u"Port\x7F"));
  EXPECT_FALSE(Useful::isASCIIString(u"Port\x80"));
  EXPECT_FALSE(Useful::isASCIIString(nullptr));

  const Quillon::uint8 a[] = {0xF0, 0x41, 0xF7}, b[] = {0xF0, 0x41, 0xF6};
  EXPECT_TRUE(Useful::isSysExMessage(a, b, 2));
  EXPECT_FALSE(Useful::isSysExMessage(a, b, 3));
  EXPECT_FALSE(Useful::isSysExMessage(a, a, 0));
  EXPECT_FALSE(Useful::isSysExMessage(a, a, -1));
  EXPECT_FALSE(Useful::isSysExMessage(a, nullptr, 1));
}

using UsefulHost = HostFixture;

TEST_F(UsefulHost, ValueTextNeverReachesBeyondItsBuffer) {
  EXPECT_EQ(Useful::getValueString(nullptr), u"");
  EXPECT_EQ(Useful::getValueString(&host.makeValue(u"Kick", nullptr)), u"Kick");
  EXPECT_EQ(host.log().count("value0.getString(256)"), 1);
  simhost::Value& unterminated = host.makeValue(u"ab", nullptr);
  unterminated.setUnterminated(true);
  const String16 text = Useful::getValueString(&unterminated);
  EXPECT_EQ(text.size(), 256u);
  EXPECT_EQ(text.substr(0, 4), u"abab");
}

TEST_F(UsefulHost, DeviceOfAValueIsBorrowed) {
  simhost::Device& device = host.devices().install("Synth");
  EXPECT_EQ(Useful::getIDeviceFromIValue(&host.makeValue(u"v", device.unknown())),
            static_cast<Quillon::IDevice*>(&device));
  EXPECT_EQ(Useful::getIDeviceFromIValue(&host.makeValue(u"v", nullptr)), nullptr);
  EXPECT_EQ(Useful::getIDeviceFromIValue(&host.makeValue(u"v", host.context())), nullptr);
  simhost::Value& plain = host.makeValue(u"v", device.unknown());
  plain.refuse(Quillon::IValue2::iid);
  EXPECT_EQ(Useful::getIDeviceFromIValue(&plain), nullptr);
  EXPECT_EQ(Useful::getIDeviceFromIValue(nullptr), nullptr);
}

TEST_F(UsefulHost, DevicesAreClassifiedByTheirExactType) {
  const struct {
    const char* type;
    bool (*test)(Quillon::IDevice*);
  } kinds[] = {
      {"GroupChannel", Useful::isGroupTrack},   {"FxChannel", Useful::isFXTrack},
      {"Synth", Useful::isInstrumentTrack},     {"MidiChannel", Useful::isMIDITrack},
      {"AudioChannel", Useful::isAudioTrack},   {"OutputChannel", Useful::isOutputChannel},
      {"InputChannel", Useful::isInputChannel},
  };
  simhost::Device& lower = host.devices().install("x", u"x", std::string("synth"));
  for (const auto& kind : kinds) {
    simhost::Device& device = host.devices().install(kind.type);
    EXPECT_TRUE(kind.test(&device)) << kind.type;
    EXPECT_FALSE(kind.test(&lower)) << kind.type;
    EXPECT_FALSE(kind.test(nullptr)) << kind.type;
  }
  simhost::Device& untyped = host.devices().install("AudioChannel");
  untyped.setType(std::nullopt);
  EXPECT_FALSE(Useful::isAudioTrack(&untyped));
}

}  // namespace
