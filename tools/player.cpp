// Playing MIDI messages into the module's remote device and following what the host does.
#include "tools/player.h"

#include <algorithm>

#include "tools/surfacereport.h"

namespace px7000host {
namespace {

std::string commandText(const char* category, const char* command) {
  return std::string(category != nullptr ? category : "(null)") + "/" +
         (command != nullptr ? command : "(null)");
}

}  // namespace

const char* routeName(Route route) {
  switch (route) {
    case Route::standardHandling:
      return "standard handling";
    case Route::actionManager:
      return "action manager";
    case Route::module:
      return "module";
    case Route::none:
      break;
  }
  return "-";
}

Player::Player(HostSession& session, PlayLog* log) : session(session), log(log) {
  session.host().setObserver(this);
}

Player::~Player() { session.host().setObserver(nullptr); }

void Player::play(const PlayItem& item, double timeOffsetMs) {
  if (item.kind == PlayItem::Kind::expect) {
    checkExpectation(item);
    return;
  }
  if (afterExpectations) {
    pending.clear();
    afterExpectations = false;
  }
  playMessage(item, timeOffsetMs);
}

void Player::playMessage(const PlayItem& item, double timeOffsetMs) {
  current.timeMs = item.timeMs + timeOffsetMs;
  current.message = item.message;
  current.control = -1;
  current.controlName.clear();
  current.route = Route::none;
  current.executed.clear();
  current.performed.clear();
  current.valueBinding.clear();
  ++events;
  const Quillon::IPort* port = session.moduleInput();
  if (port != nullptr) {
    current.control = session.host().receiveMidi(port, item.message.status, item.message.data1,
                                                 item.message.data2);
  }
  if (current.control >= 0 && current.route == Route::none) current.route = Route::module;
  if (log == nullptr) return;
  const simhost::Device* device = session.remoteDevice();
  if (current.control >= 0 && device != nullptr) {
    const simhost::RemoteStandard& remote = *device->standard();
    // Another device on the port may have matched a control this one does not have.
    if (std::size_t(current.control) < remote.controls().size()) {
      current.controlName = remote.controls()[std::size_t(current.control)].name;
      const simhost::Binding bound = remote.bindingOf(current.control, remote.layerInForce());
      if (current.route == Route::standardHandling && bound.kind == simhost::Binding::Kind::value &&
          item.message.data2 != 0)
        current.valueBinding = describeBinding(bound);
    }
  }
  log->event(current);
}

void Player::checkExpectation(const PlayItem& item) {
  afterExpectations = true;
  ExpectRecord record;
  record.expectation = item.expectation;
  record.line = item.line;
  const auto found = std::find(pending.begin(), pending.end(), item.expectation);
  record.met = found != pending.end();
  if (log != nullptr) record.seen.assign(pending.begin(), pending.end());
  if (record.met) {
    pending.erase(found);
    ++met;
  } else {
    ++failed;
  }
  if (log != nullptr) log->expectation(record);
}

void Player::remember(const std::string& command) {
  if (pending.size() == kPendingLimit) pending.pop_front();
  pending.push_back(command);
}

void Player::valueHandled(Quillon::int32, Quillon::int32) {
  current.route = Route::standardHandling;
}

void Player::commandExecuted(const char* category, const char* command) {
  current.route = Route::actionManager;
  current.executed.push_back(commandText(category, command));
  remember(current.executed.back());
}

void Player::commandPerformed(const char* category, const char* command) {
  current.performed.push_back(commandText(category, command));
  remember(current.performed.back());
}

}  // namespace px7000host
