// Player: feeds MIDI messages to the module's remote device the way a host does, follows what
// the host then does with them, and checks a script's expectations.
//
// Defines `EventRecord` and `ExpectRecord` (what one message and one expectation came to), the
// `PlayLog` that receives them, and `Player`.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "host/hostobserver.h"
#include "tools/hostsession.h"
#include "tools/midi/playitem.h"

namespace px7000host {

// Where the module sent a control's value.
enum class Route { none, standardHandling, actionManager, module };

// "standard handling", "action manager", "module" (kept it) or "-".
const char* routeName(Route route);

// One message and what came of it.
struct EventRecord {
  double timeMs = 0;
  MidiMessage message;
  int control = -1;  // the control the host matched, or -1
  std::string controlName;
  Route route = Route::none;
  // Commands "Category/Command": asked of the action manager by the module, and performed by the
  // host for the control's binding.
  std::vector<std::string> executed, performed;
  // A value binding the host applied, e.g. "value Transport/rewind (selector -1)"; else empty.
  std::string valueBinding;
};

// One expectation of a script and whether the host met it.
struct ExpectRecord {
  std::string expectation;
  int line = 0;
  bool met = false;
  std::vector<std::string> seen;  // the commands it was checked against
};

// Receives a run's records as they happen.
class PlayLog {
 public:
  virtual ~PlayLog() = default;
  virtual void event(const EventRecord& record) = 0;
  virtual void expectation(const ExpectRecord& record) = 0;
};

// Plays into the first remote device of a started session, through the drum module's input
// port. Observes the session's host while it lives. Not copyable.
class Player : private simhost::HostObserver {
 public:
  // `log` is borrowed; null turns the output off (expectations are still checked).
  Player(HostSession& session, PlayLog* log);
  ~Player() override;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Plays one item, its time shifted by `timeOffsetMs`. An expectation passes when the host
  // carried out that command (performed it, or executed it for the module) since the previous
  // expectations; each command meets one expectation.
  void play(const PlayItem& item, double timeOffsetMs = 0);

  std::size_t eventsPlayed() const { return events; }
  std::size_t expectationsMet() const { return met; }
  std::size_t expectationsFailed() const { return failed; }

 private:
  // At most this many commands wait for an expectation; a long stream without any keeps only
  // the latest.
  static constexpr std::size_t kPendingLimit = 1024;

  HostSession& session;
  PlayLog* log;
  EventRecord current;
  std::deque<std::string> pending;
  bool afterExpectations = false;
  std::size_t events = 0, met = 0, failed = 0;

  void playMessage(const PlayItem& item, double timeOffsetMs);
  void checkExpectation(const PlayItem& item);
  void remember(const std::string& command);

  void valueHandled(Quillon::int32 index, Quillon::int32 value) override;
  void commandExecuted(const char* category, const char* command) override;
  void commandPerformed(const char* category, const char* command) override;
};

}  // namespace px7000host
