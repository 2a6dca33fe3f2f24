// The ELF dynamic symbol table reader, bounds-checked against every damaged field.
#include "tools/check/elfsymbols.h"

#include <elf.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <type_traits>

namespace px7000host {
namespace {

// A bundle this host can load has the host's own word size and byte order.
constexpr bool kWide = sizeof(void*) == 8;
using Ehdr = std::conditional_t<kWide, Elf64_Ehdr, Elf32_Ehdr>;
using Shdr = std::conditional_t<kWide, Elf64_Shdr, Elf32_Shdr>;
using Sym = std::conditional_t<kWide, Elf64_Sym, Elf32_Sym>;
constexpr unsigned char kClass = kWide ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kByteOrder =
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

// No bundle comes near this; a larger file is not worth reading into memory.
constexpr std::uintmax_t kLargestFile = std::uintmax_t(1) << 30;

// The bytes of a file, read through bounds-checked accessors only.
class Image {
 public:
  Image(const unsigned char* bytes, std::size_t size) : bytes(bytes), total(size) {}

  bool holds(std::uint64_t offset, std::uint64_t size) const {
    return offset <= total && size <= total - offset;
  }
  // Copies a record from `offset`; false when it does not fit (copying also avoids reading
  // through a misaligned pointer).
  template <class Record>
  bool read(std::uint64_t offset, Record& record) const {
    if (!holds(offset, sizeof record)) return false;
    std::memcpy(&record, bytes + offset, sizeof record);
    return true;
  }
  const unsigned char* at(std::uint64_t offset) const { return bytes + offset; }

 private:
  const unsigned char* bytes;
  std::uint64_t total;
};

bool fail(std::string& error, std::string why) {
  error = std::move(why);
  return false;
}

bool readHeader(const Image& image, Ehdr& header, std::string& error) {
  if (!image.read(0, header)) return fail(error, "not an ELF file: too short for its header");
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
    return fail(error, "not an ELF file: no ELF magic number");
  if (header.e_ident[EI_CLASS] != kClass)
    return fail(error, kWide ? "not a 64-bit ELF file" : "not a 32-bit ELF file");
  if (header.e_ident[EI_DATA] != kByteOrder)
    return fail(error, "an ELF file of the other byte order");
  if (header.e_type != ET_DYN) return fail(error, "an ELF file but not a shared library");
  return true;
}

// Reads the section header table; its count may sit in section 0 when it is too large for
// the ELF header.
bool readSections(const Image& image, const Ehdr& header, std::vector<Shdr>& sections,
                  std::string& error) {
  if (header.e_shoff == 0) return fail(error, "the file has no section header table");
  if (header.e_shentsize < sizeof(Shdr))
    return fail(error, "section header entries are smaller than a section header");
  Shdr first{};
  if (!image.read(header.e_shoff, first))
    return fail(error, "the section header table lies beyond the end of the file");
  const std::uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
  const std::uint64_t entry = header.e_shentsize;
  if (count == 0 || count > std::numeric_limits<std::uint64_t>::max() / entry ||
      !image.holds(header.e_shoff, count * entry))
    return fail(error, "the section header table lies beyond the end of the file");
  sections.resize(std::size_t(count));
  for (std::uint64_t i = 0; i < count; ++i) image.read(header.e_shoff + i * entry, sections[i]);
  return true;
}

bool isExported(const Sym& symbol) {
  const unsigned bind = ELF64_ST_BIND(symbol.st_info);
  const unsigned type = ELF64_ST_TYPE(symbol.st_info);
  const unsigned visibility = ELF64_ST_VISIBILITY(symbol.st_other);
  const bool global = bind == STB_GLOBAL || bind == STB_WEAK || bind == STB_GNU_UNIQUE;
  const bool codeOrData = type == STT_FUNC || type == STT_GNU_IFUNC || type == STT_OBJECT ||
                          type == STT_COMMON || type == STT_TLS;
  const bool visible = visibility == STV_DEFAULT || visibility == STV_PROTECTED;
  return global && codeOrData && visible && symbol.st_shndx != SHN_UNDEF;
}

bool readDynamicSymbols(const Image& image, const std::vector<Shdr>& sections, const Shdr& table,
                        std::vector<ExportedSymbol>& symbols, std::string& error) {
  if (table.sh_link >= sections.size())
    return fail(error, "the dynamic symbol table names no valid string table");
  const Shdr& strings = sections[table.sh_link];
  if (strings.sh_type != SHT_STRTAB)
    return fail(error, "the dynamic symbol table's string table is not a string table");
  if (!image.holds(strings.sh_offset, strings.sh_size))
    return fail(error, "the dynamic string table lies beyond the end of the file");
  if (table.sh_entsize < sizeof(Sym))
    return fail(error, "dynamic symbol entries are smaller than a symbol");
  if (!image.holds(table.sh_offset, table.sh_size))
    return fail(error, "the dynamic symbol table lies beyond the end of the file");
  const std::uint64_t count = table.sh_size / table.sh_entsize;
  const auto* text = reinterpret_cast<const char*>(image.at(strings.sh_offset));
  for (std::uint64_t i = 0; i < count; ++i) {
    Sym symbol{};
    image.read(table.sh_offset + i * table.sh_entsize, symbol);
    if (!isExported(symbol)) continue;
    if (symbol.st_name >= strings.sh_size)
      return fail(error, "symbol " + std::to_string(i) + " has its name beyond the string table");
    const std::size_t room = std::size_t(strings.sh_size - symbol.st_name);
    const std::size_t length = strnlen(text + symbol.st_name, room);
    if (length == room)
      return fail(error,
                  "symbol " + std::to_string(i) + " has a name that runs past the string table");
    const unsigned type = ELF64_ST_TYPE(symbol.st_info);
    symbols.push_back(
        {std::string(text + symbol.st_name, length), type == STT_FUNC || type == STT_GNU_IFUNC});
  }
  return true;
}

}  // namespace

bool listExportedSymbols(const unsigned char* bytes, std::size_t size,
                         std::vector<ExportedSymbol>& symbols, std::string& error) {
  symbols.clear();
  const Image image(bytes, size);
  Ehdr header{};
  std::vector<Shdr> sections;
  if (!readHeader(image, header, error) || !readSections(image, header, sections, error))
    return false;
  const Shdr* table = nullptr;
  for (const Shdr& section : sections)
    if (section.sh_type == SHT_DYNSYM) {
      if (table != nullptr) return fail(error, "the file has two dynamic symbol tables");
      table = &section;
    }
  if (table == nullptr) return fail(error, "the file has no dynamic symbol table");
  if (!readDynamicSymbols(image, sections, *table, symbols, error)) {
    symbols.clear();
    return false;
  }
  return true;
}

bool listExportedSymbolsOfFile(const std::string& path, std::vector<ExportedSymbol>& symbols,
                               std::string& error) {
  symbols.clear();
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return fail(error, "cannot open " + path);
  const std::streamoff size = file.tellg();
  if (size < 0) return fail(error, "cannot read " + path);
  if (std::uintmax_t(size) > kLargestFile) return fail(error, path + " is too large for a bundle");
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
    return fail(error, "cannot read " + path);
  return listExportedSymbols(bytes.data(), bytes.size(), symbols, error);
}

}  // namespace px7000host
