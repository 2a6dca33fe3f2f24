// px7000-host play: MIDI from files, streams and scripts fed to the module as a host does.
#include <csignal>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "base/source/fstring.h"
#include "tools/commandline.h"
#include "tools/hostsession.h"
#include "tools/midi/midisource.h"
#include "tools/playlog.h"

namespace px7000host {
namespace {

constexpr char kPlayUsage[] =
    "usage: px7000-host play [BUNDLE] SOURCE... [--host-name T] [--host-version V]\n"
    "       [--host-build B] [--ports pair|none|input|output|two-pairs] [--json] [--quiet]\n";

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

// A command-line text (UTF-8) as the host hands it out; bytes that are not UTF-8 give "".
std::u16string widened(const std::string& text) {
  using namespace Quillon;
  const int32 needed = String::multiByteToWideString(nullptr, text.c_str(), 0, kCodePageUtf8);
  if (needed <= 1) return {};
  std::u16string wide(std::size_t(needed), u'\0');
  const int32 written =
      String::multiByteToWideString(wide.data(), text.c_str(), needed - 1, kCodePageUtf8);
  wide.resize(written > 0 ? std::size_t(written - 1) : 0);
  return wide;
}

// Reads each source in turn into `player`, one after the other in time.
bool playSources(const std::vector<std::string>& sources, Player& player, SourceError& error) {
  double offset = 0;
  for (const std::string& source : sources) {
    double last = 0;
    const bool read = readSource(
        source,
        [&](const PlayItem& item) {
          last = item.timeMs;
          player.play(item, offset);
        },
        error, &stopRequested);
    if (!read) return false;
    offset += last;
  }
  return true;
}

}  // namespace

int runPlay(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(args, {"--host-name", "--host-version", "--host-build", "--ports"},
                      {"--json", "--quiet"}, parsed, error)) {
    err << "px7000-host play: " << error << "\n" << kPlayUsage;
    return kExitUsage;
  }
  SessionOptions options;
  options.bundlePath = takeBundle(parsed.positional, false);
  if (parsed.positional.empty()) {
    err << "px7000-host play: no MIDI source named\n" << kPlayUsage;
    return kExitUsage;
  }
  options.identity.name = widened(parsed.value("--host-name", "Tessera Crafter 5"));
  options.identity.version = widened(parsed.value("--host-version", "5.0.2"));
  options.identity.build = widened(parsed.value("--host-build", "Build 210"));
  if (!parsePortLayout(parsed.value("--ports", "pair"), options.ports)) {
    err << "px7000-host play: unknown port layout '" << parsed.value("--ports") << "'\n"
        << kPlayUsage;
    return kExitUsage;
  }

  HostSession session(options);
  if (!session.start()) {
    err << "px7000-host play: " << session.error() << "\n";
    return session.failureStatus();
  }
  const bool json = parsed.has("--json");
  std::unique_ptr<PlayLog> log;
  if (!parsed.has("--quiet")) {
    if (json)
      log = std::make_unique<JsonPlayLog>(out);
    else
      log = std::make_unique<TextPlayLog>(out);
  }
  if (json)
    out << nlohmann::json{{"type", "start"},
                          {"schemaVersion", 1},
                          {"bundle", options.bundlePath},
                          {"notes", session.notes()}}
               .dump()
        << "\n";
  else
    for (const std::string& note : session.notes()) out << "note: " << note << "\n";

  stopRequested = 0;
  const auto previous = std::signal(SIGINT, requestStop);
  SourceError sourceError;
  bool read = false;
  Player player(session, log.get());
  read = playSources(parsed.positional, player, sourceError);
  std::signal(SIGINT, previous);

  int status = kExitSuccess;
  if (!read) {
    err << "px7000-host play: " << sourceError.describe() << "\n";
    status = kExitUsage;
  } else if (player.expectationsFailed() > 0) {
    status = kExitFailure;
  }
  const auto problems = session.stop();
  for (const std::string& problem : problems) {
    err << "px7000-host play: at shutdown, " << problem << "\n";
    if (status == kExitSuccess) status = kExitFailure;
  }
  if (json) {
    out << nlohmann::json{{"type", "summary"},
                          {"events", player.eventsPlayed()},
                          {"expectationsMet", player.expectationsMet()},
                          {"expectationsFailed", player.expectationsFailed()},
                          {"result", status == kExitSuccess ? "SUCCESS" : "FAILURE"}}
               .dump()
        << "\n";
  } else {
    out << player.eventsPlayed() << " events played, " << player.expectationsMet()
        << " expectations met, " << player.expectationsFailed() << " failed\n"
        << (status == kExitSuccess ? "SUCCESS" : "FAILURE") << "\n";
  }
  return status;
}

}  // namespace px7000host
