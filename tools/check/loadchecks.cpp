// The checks of the bundle as a file: what it exports, and its entry and exit.
#include <algorithm>

#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"
#include "tools/check/elfsymbols.h"
#include "tools/loadedbundle.h"

namespace px7000host::checks {
namespace {

constexpr const char* kEntryPoints[] = {"bundleEntry", "bundleExit", "GetPluginFactory"};
// Enough names to recognise a bundle that exports everything, without drowning the report.
constexpr std::size_t kNamesShown = 5;

bool isEntryPoint(const std::string& name) {
  return std::find(std::begin(kEntryPoints), std::end(kEntryPoints), name) !=
         std::end(kEntryPoints);
}

std::string listed(const std::vector<std::string>& names) {
  std::string out;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
    out += (i > 0 ? ", " : "") + names[i];
  if (names.size() > kNamesShown)
    out += " and " + std::to_string(names.size() - kNamesShown) + " more";
  return out;
}

}  // namespace

CheckOutcome exportsCheck(const std::string& path) {
  std::vector<ExportedSymbol> symbols;
  std::string error;
  if (!listExportedSymbolsOfFile(path, symbols, error))
    fail("cannot read the dynamic symbol table: " + error);
  std::vector<std::string> missing, extra, data;
  for (const char* name : kEntryPoints) {
    const auto found = std::find_if(symbols.begin(), symbols.end(),
                                    [&](const ExportedSymbol& s) { return s.name == name; });
    if (found == symbols.end())
      missing.push_back(name);
    else if (!found->function)
      data.push_back(name);
  }
  for (const ExportedSymbol& symbol : symbols)
    if (!isEntryPoint(symbol.name)) extra.push_back(symbol.name);
  std::vector<std::string> problems;
  if (!missing.empty()) problems.push_back("does not export " + listed(missing));
  if (!data.empty()) problems.push_back("exports " + listed(data) + " as data, not a function");
  if (!extra.empty())
    problems.push_back("also exports " + std::to_string(extra.size()) +
                       " other symbols: " + listed(extra));
  require(problems.empty(), joined(problems));

  LoadedBundle bundle;
  if (!bundle.open(path)) fail("dlopen refuses the bundle: " + bundle.error());
  require(bundle.entry != nullptr, "dlsym does not find bundleEntry");
  require(bundle.exit != nullptr, "dlsym does not find bundleExit");
  require(bundle.getFactory != nullptr, "dlsym does not find GetPluginFactory");
  return passed("exactly the 3 entry points, each found by dlsym");
}

CheckOutcome entryExitCheck(const std::string& path) {
  LoadedBundle bundle;
  if (!bundle.open(path)) fail("the bundle does not load: " + bundle.error());
  if (bundle.entry == nullptr) skip("the bundle exports no bundleEntry");
  if (bundle.exit == nullptr) skip("the bundle exports no bundleExit");
  require(bundle.entry(bundle.nativeHandle()), "bundleEntry answered false");
  require(bundle.exit(), "bundleExit answered false");
  require(bundle.close(), "the bundle stayed loaded after bundleExit and dlclose");
  return passed("both answered true; the bundle unloaded");
}

}  // namespace px7000host::checks
