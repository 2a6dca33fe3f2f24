// The ELF symbol reader on real bundles, and on damaged copies, which it must refuse without
// reading outside the bytes it was given.
#include "tools/check/elfsymbols.h"

#include <elf.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <random>

namespace px7000host {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::vector<unsigned char> fileBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> names(const std::vector<ExportedSymbol>& symbols) {
  std::vector<std::string> out;
  for (const ExportedSymbol& symbol : symbols)
    out.push_back(symbol.name + (symbol.function ? "()" : ""));
  return out;
}

TEST(ElfSymbols, ListsTheEntryPointsOfTheBuiltBundles) {
  std::vector<ExportedSymbol> symbols;
  std::string error;
  ASSERT_TRUE(listExportedSymbolsOfFile(PX7000_BUNDLE_PATH, symbols, error)) << error;
  EXPECT_THAT(names(symbols),
              UnorderedElementsAre("bundleEntry()", "bundleExit()", "GetPluginFactory()"));
  ASSERT_TRUE(listExportedSymbolsOfFile(PX7000_BROKEN_MISSING_EXPORT, symbols, error)) << error;
  EXPECT_THAT(names(symbols), UnorderedElementsAre("bundleEntry()", "bundleExit()"));
}

TEST(ElfSymbols, RefusesWhatIsNoSharedLibrary) {
  std::vector<ExportedSymbol> symbols;
  std::string error;
  EXPECT_FALSE(listExportedSymbolsOfFile("/no/such/file.so", symbols, error));
  EXPECT_THAT(error, HasSubstr("cannot open"));
  const unsigned char text[] =
      "\x7F"
      "ELF but then nothing";
  EXPECT_FALSE(listExportedSymbols(text, sizeof text, symbols, error));
  EXPECT_THAT(error, HasSubstr("too short"));
  EXPECT_FALSE(listExportedSymbols(nullptr, 0, symbols, error));
  EXPECT_THAT(symbols, IsEmpty());
}

// A copy of the built bundle, with the places of its tables, to damage one field at a time.
class DamagedBundle : public testing::Test {
 protected:
  void SetUp() override {
    image = fileBytes(PX7000_BUNDLE_PATH);
    ASSERT_GE(image.size(), sizeof(Elf64_Ehdr));
    std::memcpy(&header, image.data(), sizeof header);
    for (int i = 0; i < header.e_shnum; ++i) {
      Elf64_Shdr section;
      std::memcpy(&section, sectionAt(i), sizeof section);
      if (section.sh_type == SHT_DYNSYM) {
        dynsym = i;
        dynstr = int(section.sh_link);
      }
    }
    ASSERT_GE(dynsym, 0);
  }

  unsigned char* sectionAt(int index) {
    return image.data() + header.e_shoff + std::size_t(index) * header.e_shentsize;
  }
  // Changes field `member` of section `index`.
  template <class Field>
  void setSection(int index, Field Elf64_Shdr::*member, Field value) {
    Elf64_Shdr section;
    std::memcpy(&section, sectionAt(index), sizeof section);
    section.*member = value;
    std::memcpy(sectionAt(index), &section, sizeof section);
  }
  template <class Field>
  void setHeader(Field Elf64_Ehdr::*member, Field value) {
    header.*member = value;
    std::memcpy(image.data(), &header, sizeof header);
  }
  Elf64_Shdr section(int index) {
    Elf64_Shdr out;
    std::memcpy(&out, sectionAt(index), sizeof out);
    return out;
  }

  // Where the first defined global symbol of the dynamic symbol table lies.
  std::size_t exportedSymbolPlace() {
    const Elf64_Shdr table = section(dynsym);
    for (std::size_t place = table.sh_offset; place < table.sh_offset + table.sh_size;
         place += table.sh_entsize) {
      Elf64_Sym symbol;
      std::memcpy(&symbol, image.data() + place, sizeof symbol);
      if (symbol.st_shndx != SHN_UNDEF && ELF64_ST_BIND(symbol.st_info) == STB_GLOBAL) return place;
    }
    ADD_FAILURE() << "no defined global symbol";
    return table.sh_offset;
  }

  // The reader's verdict on the damaged image: its error, or "" when it accepted it.
  std::string verdict(std::size_t size) {
    std::vector<ExportedSymbol> symbols;
    std::string error;
    const bool read = listExportedSymbols(image.data(), size, symbols, error);
    if (read) return "";
    EXPECT_THAT(symbols, IsEmpty());
    return error.empty() ? "(no error given)" : error;
  }
  std::string verdict() { return verdict(image.size()); }

  std::vector<unsigned char> image;
  Elf64_Ehdr header{};
  int dynsym = -1, dynstr = -1;
};

TEST_F(DamagedBundle, EveryTruncationIsRefused) {
  // The linker writes the section header table last, so every shorter copy lacks part of it.
  ASSERT_EQ(header.e_shoff + std::size_t(header.e_shnum) * header.e_shentsize, image.size());
  const std::size_t step = std::max<std::size_t>(1, image.size() / 4000);
  for (std::size_t size = 0; size < image.size(); size += step)
    EXPECT_NE(verdict(size), "") << "accepted " << size << " of " << image.size() << " bytes";
  for (std::size_t size = header.e_shoff; size < image.size(); ++size)
    ASSERT_NE(verdict(size), "") << "accepted " << size << " of " << image.size() << " bytes";
}

TEST_F(DamagedBundle, EachDamagedFieldIsRefusedWithItsReason) {
  constexpr auto huge = std::numeric_limits<Elf64_Off>::max() - 4;
  const std::vector<unsigned char> original = image;
  const Elf64_Ehdr originalHeader = header;
  const std::pair<std::function<void()>, const char*> damages[] = {
      {[&] { image[1] = 'X'; }, "no ELF magic"},
      {[&] { image[EI_CLASS] = ELFCLASS32; }, "not a 64-bit"},
      {[&] { setHeader(&Elf64_Ehdr::e_type, Elf64_Half(ET_EXEC)); }, "not a shared library"},
      {[&] { setHeader(&Elf64_Ehdr::e_shoff, Elf64_Off(0)); }, "no section header table"},
      {[&] { setHeader(&Elf64_Ehdr::e_shoff, huge); }, "beyond the end"},
      {[&] { setHeader(&Elf64_Ehdr::e_shoff, Elf64_Off(image.size() - 8)); }, "beyond the end"},
      {[&] { setHeader(&Elf64_Ehdr::e_shentsize, Elf64_Half(8)); }, "smaller than a section"},
      {[&] { setHeader(&Elf64_Ehdr::e_shnum, Elf64_Half(0xFFFF)); }, "beyond the end"},
      {[&] {
         setHeader(&Elf64_Ehdr::e_shnum, Elf64_Half(0));
         setSection(0, &Elf64_Shdr::sh_size, Elf64_Xword(1) << 40);
       },
       "beyond the end"},
      {[&] { setSection(dynsym, &Elf64_Shdr::sh_link, Elf64_Word(60000)); }, "no valid string"},
      {[&] { setSection(dynsym, &Elf64_Shdr::sh_offset, huge); }, "symbol table lies beyond"},
      {[&] { setSection(dynsym, &Elf64_Shdr::sh_size, Elf64_Xword(huge)); },
       "symbol table lies beyond"},
      {[&] { setSection(dynsym, &Elf64_Shdr::sh_entsize, Elf64_Xword(0)); },
       "smaller than a symbol"},
      {[&] { setSection(dynstr, &Elf64_Shdr::sh_type, Elf64_Word(SHT_PROGBITS)); },
       "not a string table"},
      {[&] { setSection(dynstr, &Elf64_Shdr::sh_offset, Elf64_Off(image.size())); },
       "string table lies beyond"},
      {[&] { setSection(dynstr, &Elf64_Shdr::sh_size, Elf64_Xword(1)); },
       "beyond the string table"},
      {[&] {
         // The string table's last byte is no terminator, and an exported name starts on it.
         const Elf64_Shdr strings = section(dynstr);
         image[strings.sh_offset + strings.sh_size - 1] = 'x';
         const std::size_t place = exportedSymbolPlace();
         Elf64_Sym symbol;
         std::memcpy(&symbol, image.data() + place, sizeof symbol);
         symbol.st_name = Elf64_Word(strings.sh_size - 1);
         std::memcpy(image.data() + place, &symbol, sizeof symbol);
       },
       "runs past the string table"},
      {[&] { setSection(dynsym == 1 ? 2 : 1, &Elf64_Shdr::sh_type, Elf64_Word(SHT_DYNSYM)); },
       "two dynamic symbol tables"},
  };
  for (const auto& [damage, reason] : damages) {
    image = original;
    header = originalHeader;
    damage();
    EXPECT_THAT(verdict(), HasSubstr(reason));
  }
}

TEST_F(DamagedBundle, RandomDamageToItsTablesIsReadWithinBounds) {
  // Bytes of the header, the section header table and both dynamic tables, where a reader
  // finds the offsets and sizes it follows.
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < sizeof header; ++i) places.push_back(i);
  for (std::size_t i = 0; i < std::size_t(header.e_shnum) * header.e_shentsize; ++i)
    places.push_back(header.e_shoff + i);
  for (const int index : {dynsym, dynstr})
    for (std::size_t i = 0; i < section(index).sh_size; ++i)
      places.push_back(section(index).sh_offset + i);
  std::mt19937 random(20240601);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::pair<std::size_t, unsigned char>> changed;
    for (int n = 0; n < 4; ++n) {
      const std::size_t place = places[random() % places.size()];
      changed.emplace_back(place, image[place]);
      image[place] = static_cast<unsigned char>(random());
    }
    accepted += verdict().empty();
    for (auto it = changed.rbegin(); it != changed.rend(); ++it) image[it->first] = it->second;
  }
  EXPECT_EQ(verdict(), "") << "the image was not restored";
  // Most damage lands on bytes no reader looks at; both verdicts must have occurred.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 3000);
}

}  // namespace
}  // namespace px7000host
