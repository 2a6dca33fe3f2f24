// px7000-host: loads the Orvella PX7000 bundle as a host would; checks, shows and plays it.
#include <iostream>
#include <string>

#include "tools/commands.h"

namespace {

constexpr char kUsage[] =
    R"(usage: px7000-host COMMAND [ARGUMENTS]

Loads the Orvella PX7000 remote-surface bundle the way a host does, in a simulated host.
BUNDLE is the path of the bundle (a file ending in .so); when left out, the px7000.so built
beside this program is used.

commands:
  check [BUNDLE] [--list] [--only NAME...] [--skip NAME...] [--json FILE]
        [--timeout SECONDS] [--in-process]
      Checks the bundle's binary contract, one line per check (PASS, FAIL, SKIP, CRASH,
      TIMEOUT). Each check runs in a child process with a time limit (default 10 s).
  surface [BUNDLE] [--format table|json|markdown]
      Runs the start-up path and prints the surface the module declared: its controls, their
      MIDI messages and bindings, the user functions and the remote properties.
  play [BUNDLE] SOURCE... [--host-name T] [--host-version V] [--host-build B]
       [--ports pair|none|input|output|two-pairs] [--json] [--quiet]
      Runs the start-up path and feeds MIDI to the module as a host does, one line per event.
      A SOURCE is a Standard MIDI File, a raw MIDI byte stream, a text script, a MIDI device
      node such as /dev/snd/midiC1D0, or - for standard input. Scripts hold lines such as
      "note 94 127", "cc 60 1", "wait 250ms" and "expect Transport/Step Bar".
  demo
      Plays a built-in session on the bundle beside this program: every key once, then the
      data dial one step each way; prints the surface and the transcript.
  help
      Prints this text.

exit status: 0 success; 1 a check or an expectation failed, or the bundle could not be loaded,
started or shut down cleanly; 2 usage error, no bundle file at the path, or an unreadable source.
)";

}  // namespace

int main(int argc, char** argv) {
  using namespace px7000host;
  if (argc < 2) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  const std::string command = argv[1];
  const Arguments args(argv + 2, argv + argc);
  if (command == "check") return runCheck(args, std::cout, std::cerr);
  if (command == "surface") return runSurface(args, std::cout, std::cerr);
  if (command == "play") return runPlay(args, std::cout, std::cerr);
  if (command == "demo") return runDemo(args, std::cout, std::cerr);
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsage;
    return kExitSuccess;
  }
  std::cerr << "px7000-host: unknown command '" << command << "'\n\n" << kUsage;
  return kExitUsage;
}
