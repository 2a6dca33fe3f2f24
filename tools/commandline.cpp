// What the commands share in reading their arguments.
#include "tools/commandline.h"

#include <algorithm>

#include "tools/loadedbundle.h"

namespace px7000host {
namespace {

bool listed(std::initializer_list<const char*> names, const std::string& word) {
  return std::any_of(names.begin(), names.end(), [&](const char* name) { return word == name; });
}

}  // namespace

bool looksLikeBundle(const std::string& word) {
  const std::string suffix = ".so";
  return word.size() > suffix.size() &&
         word.compare(word.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string ParsedArguments::value(const std::string& option, const std::string& fallback) const {
  const auto found = values.find(option);
  return found == values.end() ? fallback : found->second;
}

bool parseArguments(const Arguments& args, std::initializer_list<const char*> valueOptions,
                    std::initializer_list<const char*> flagOptions, ParsedArguments& parsed,
                    std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() < 2 || word[0] != '-') {
      parsed.positional.push_back(word);
    } else if (listed(flagOptions, word)) {
      parsed.flags.insert(word);
    } else if (listed(valueOptions, word)) {
      if (i + 1 == args.size()) {
        error = "option " + word + " needs a value";
        return false;
      }
      parsed.values[word] = args[++i];
    } else {
      error = "unknown option " + word;
      return false;
    }
  }
  return true;
}

std::string takeBundle(std::vector<std::string>& words, bool anyWord) {
  if (!words.empty() && (anyWord || looksLikeBundle(words.front()))) {
    std::string bundle = words.front();
    words.erase(words.begin());
    return bundle;
  }
  return bundleBesideProgram();
}

}  // namespace px7000host
