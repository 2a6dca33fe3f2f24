// Reading a command's words: options with a value, flags, and the remaining words in order.
#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/commands.h"

namespace px7000host {

struct ParsedArguments {
  std::vector<std::string> positional;  // in order; "-" counts as a word, not an option
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  // The value given for `option`, or `fallback`.
  std::string value(const std::string& option, const std::string& fallback = {}) const;
};

// Splits `args` into `parsed`. Options in `valueOptions` take the next word as their value;
// those in `flagOptions` take none. False, with `error` set, for an unknown option or one
// missing its value.
bool parseArguments(const Arguments& args, std::initializer_list<const char*> valueOptions,
                    std::initializer_list<const char*> flagOptions, ParsedArguments& parsed,
                    std::string& error);

// Takes the bundle from the front of `words` when it looksLikeBundle (or, with `anyWord`,
// whatever the first word is); otherwise the bundle beside this program.
std::string takeBundle(std::vector<std::string>& words, bool anyWord);

}  // namespace px7000host
