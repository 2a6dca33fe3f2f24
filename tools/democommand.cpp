// px7000-host demo: the surface and a built-in session on the bundle beside the program.
#include <ostream>

#include "device/px7000_surface.h"
#include "tools/commands.h"
#include "tools/hostsession.h"
#include "tools/midi/midiscript.h"
#include "tools/playlog.h"
#include "tools/surfacereport.h"

namespace px7000host {
namespace {

// Every key once, in the drum module's panel order, then the data dial one step each way. The
// expectations are what a host must do for a supported Tessera 5 host.
constexpr char kDemoSession[] = R"(# transport keys
note 88 127
expect Transport/Return to Zero
wait 100ms
note 91 127   # Rewind: a value binding, no command
wait 100ms
note 92 127   # Fast FWD: a value binding
wait 100ms
note 95 127
expect Transport/Record
wait 100ms
note 94 127
expect Transport/StartStop
wait 100ms
note 68 127
expect Transport/Metronome On
wait 100ms
note 8 127    # Audition: solo, a value binding
wait 100ms
# function keys: user functions with their default commands
note 54 127
expect MIDI/Quantize
wait 100ms
note 55 127
expect Edit/Undo
wait 100ms
note 56 127
expect Zoom/Zoom In
wait 100ms
note 57 127
expect Zoom/Zoom Out
wait 100ms
note 58 127
expect Zoom/Zoom In Tracks
wait 100ms
note 59 127
expect Zoom/Zoom Out Tracks
wait 100ms
# shifted function keys: user functions without a default command
note 60 127
wait 100ms
note 61 127
wait 100ms
note 62 127
wait 100ms
note 63 127
wait 100ms
note 64 127
wait 100ms
note 65 127
wait 100ms
# increment, decrement and cursor keys
note 66 127
expect Preset/Next
wait 100ms
note 67 127
expect Preset/Previous
wait 100ms
note 96 127
expect Project/Select Track: Prev
wait 100ms
note 97 127
expect Project/Select Track: Next
wait 100ms
note 98 127
expect Project/Select Track: Prev
wait 100ms
note 99 127
expect Project/Select Track: Next
wait 100ms
# the data dial, one step forward and one back
cc 60 1
expect Transport/Step Bar
wait 100ms
cc 60 65
expect Transport/Step Back Bar
)";

}  // namespace

int runDemo(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "px7000-host demo: takes no arguments\nusage: px7000-host demo\n";
    return kExitUsage;
  }
  std::vector<PlayItem> items;
  SourceError scriptError;
  if (!parseMidiScript(kDemoSession, items, scriptError)) {
    scriptError.file = "(demo session)";
    err << "px7000-host demo: " << scriptError.describe() << "\n";
    return kExitFailure;
  }
  HostSession session({bundleBesideProgram(), {}, PortLayout::pair});
  if (!session.start()) {
    err << "px7000-host demo: " << session.error() << "\n";
    return session.failureStatus();
  }
  out << "bundle: " << session.options().bundlePath << "\n";
  for (const std::string& note : session.notes()) out << "note: " << note << "\n";
  int status = kExitSuccess;
  if (const simhost::Device* device = session.remoteDevice()) {
    printSurfaceTable(reportSurface(*device->standard(), kp_bank_default, kp_layer_default), out);
  } else {
    err << "px7000-host demo: the module made no remote device\n";
    status = kExitFailure;
  }
  out << "\nsession: every key once, then the data dial one step each way\n\n";
  {
    TextPlayLog log(out);
    Player player(session, &log);
    for (const PlayItem& item : items) player.play(item);
    out << "\n"
        << player.eventsPlayed() << " events played, " << player.expectationsMet()
        << " expectations met, " << player.expectationsFailed() << " failed\n";
    if (player.expectationsFailed() > 0) status = kExitFailure;
  }
  for (const std::string& problem : session.stop()) {
    err << "px7000-host demo: at shutdown, " << problem << "\n";
    status = kExitFailure;
  }
  out << (status == kExitSuccess ? "SUCCESS" : "FAILURE") << "\n";
  return status;
}

}  // namespace px7000host
