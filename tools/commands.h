// The px7000-host commands, each run from its own arguments (the words after its name).
//
// Every command writes its results to `out` and its complaints to `err`, and returns the
// program's exit status: kExitSuccess; kExitFailure when the bundle failed a check, could not be
// loaded or started, or a run failed an expectation; kExitUsage for a usage error, no bundle file
// at the path, or an unreadable source.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace px7000host {

enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

using Arguments = std::vector<std::string>;

// px7000-host check [BUNDLE] [--list] [--only NAME...] [--skip NAME...] [--json FILE]
//                   [--timeout SECONDS] [--in-process]
int runCheck(const Arguments& args, std::ostream& out, std::ostream& err);
// px7000-host surface [BUNDLE] [--format table|json|markdown]
int runSurface(const Arguments& args, std::ostream& out, std::ostream& err);
// px7000-host play [BUNDLE] SOURCE... [host and port options] [--json] [--quiet]
int runPlay(const Arguments& args, std::ostream& out, std::ostream& err);
// px7000-host demo
int runDemo(const Arguments& args, std::ostream& out, std::ostream& err);

// Whether `word` names a bundle rather than an option or a MIDI source: it ends in ".so".
bool looksLikeBundle(const std::string& word);

}  // namespace px7000host
