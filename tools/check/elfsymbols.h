// Reads the dynamic symbol table of an ELF shared library: the names it offers to a host.
//
// The reader trusts nothing in the file: every offset, size and count is checked against the
// bytes actually there, so a truncated or corrupt bundle gives an error, never a crash.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace px7000host {

// One symbol the library defines for others: a function or a data object.
struct ExportedSymbol {
  std::string name;
  bool function = false;
};

// Lists the symbols that the shared library in the `size` bytes at `image` (the file's
// contents) exports: every
// defined global, weak or unique symbol of the dynamic symbol table whose type is a function
// or an object and whose visibility lets others see it. False, with `error` set and `symbols`
// left empty, when the image is not a shared library of this machine's kind or is damaged.
bool listExportedSymbols(const unsigned char* image, std::size_t size,
                         std::vector<ExportedSymbol>& symbols, std::string& error);

// As listExportedSymbols, for the file at `path`; also false when it cannot be read.
bool listExportedSymbolsOfFile(const std::string& path, std::vector<ExportedSymbol>& symbols,
                               std::string& error);

}  // namespace px7000host
