// HostObserver: what a tool or test is told, as it happens, of the host handling a remote
// device's values and commands.
#pragma once

#include "interfaces/ftypes.h"

namespace simhost {

// Receives each event whether or not the host keeps its call log, so a player can follow
// millions of messages without the log growing. Every operation does nothing by default.
class HostObserver {
 public:
  virtual ~HostObserver() = default;
  // The standard handling received `value` for control `index`.
  virtual void valueHandled(Quillon::int32 index, Quillon::int32 value) {
    static_cast<void>(index), static_cast<void>(value);
  }
  // The module asked the action manager to execute `command` of `category` (texts may be null).
  virtual void commandExecuted(const char* category, const char* command) {
    static_cast<void>(category), static_cast<void>(command);
  }
  // The host performed a command of its own accord, such as the one bound to a control.
  virtual void commandPerformed(const char* category, const char* command) {
    static_cast<void>(category), static_cast<void>(command);
  }
};

}  // namespace simhost
