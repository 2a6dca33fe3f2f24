// The drum module's surface as its remote-surface component declares it.
//
// This header defines, as constant tables with one row per item:
//  - `kp_controls`, the 26 controls in the host's numbering, with the MIDI message each sends,
//    and `kp_ctrlNames`, their names in the same order;
//  - `kp_remoteProperties`, the four remote properties;
//  - `kp_userFunctions`, the twelve user functions bound to the function keys;
//  - `kp_fixedAssignments`, the thirteen command and value bindings of the bank "Mixer";
//  - the bank, layer, category and command texts shared by the component's operations.
// Every text is static and zero-terminated; the host copies what it keeps.
#pragma once

#include <array>

#include "interfaces/ftypes.h"

// The host numbers controls from 0 in the order the component adds them.
enum PX7000_Control : Quillon::int32 {
  kCtrlTop,
  kCtrlRewind,
  kCtrlFastForward,
  kCtrlRec,
  kCtrlPlayStop,
  kCtrlClick,
  kCtrlAudition,
  kCtrlF1,
  kCtrlF2,
  kCtrlF3,
  kCtrlF4,
  kCtrlF5,
  kCtrlF6,
  kCtrlSF1,
  kCtrlSF2,
  kCtrlSF3,
  kCtrlSF4,
  kCtrlSF5,
  kCtrlSF6,
  kCtrlInc,
  kCtrlDec,
  kCtrlUp,
  kCtrlDown,
  kCtrlLeft,
  kCtrlRight,
  kCtrlDataDial,
  kCtrlCount
};

// MIDI status bytes on channel 1.
inline constexpr Quillon::uint8 kNoteOn = 0x90;
inline constexpr Quillon::uint8 kControlChange = 0xB0;

// One control: its name and the MIDI message it sends.
struct PX7000_ControlRow {
  const char* name;
  Quillon::uint8 midiStatus;
  Quillon::uint16 midiNumber;
  Quillon::int32 maxValue;
  Quillon::int32 controlFlags;
};

// Keys send a Note On; the dial sends a Control Change whose value is a relative step.
// clang-format off
inline constexpr PX7000_ControlRow kp_controls[kCtrlCount] = {
    {"Top",       kNoteOn,         88, 127, 1},
    {"Rewind",    kNoteOn,         91, 127, 1},
    {"Fast FWD",  kNoteOn,         92, 127, 1},
    {"Rec",       kNoteOn,         95, 127, 1},
    {"Play/Stop", kNoteOn,         94, 127, 1},
    {"Click",     kNoteOn,         68, 127, 1},
    {"Audition",  kNoteOn,          8, 127, 1},
    {"F1",        kNoteOn,         54, 127, 1},
    {"F2",        kNoteOn,         55, 127, 1},
    {"F3",        kNoteOn,         56, 127, 1},
    {"F4",        kNoteOn,         57, 127, 1},
    {"F5",        kNoteOn,         58, 127, 1},
    {"F6",        kNoteOn,         59, 127, 1},
    {"SF1",       kNoteOn,         60, 127, 1},
    {"SF2",       kNoteOn,         61, 127, 1},
    {"SF3",       kNoteOn,         62, 127, 1},
    {"SF4",       kNoteOn,         63, 127, 1},
    {"SF5",       kNoteOn,         64, 127, 1},
    {"SF6",       kNoteOn,         65, 127, 1},
    {"Inc",       kNoteOn,         66, 127, 1},
    {"Dec",       kNoteOn,         67, 127, 1},
    {"Up",        kNoteOn,         96, 127, 1},
    {"Down",      kNoteOn,         97, 127, 1},
    {"Left",      kNoteOn,         98, 127, 1},
    {"Right",     kNoteOn,         99, 127, 1},
    {"Data Dial", kControlChange,  60, 127, 5},
};
// clang-format on

namespace detail {
constexpr std::array<const char*, kCtrlCount> controlNames() {
  std::array<const char*, kCtrlCount> names{};
  for (int i = 0; i < kCtrlCount; ++i) names[std::size_t(i)] = kp_controls[i].name;
  return names;
}
}  // namespace detail

// The control names in table order; the same texts as `kp_controls`.
inline constexpr std::array<const char*, kCtrlCount> kp_ctrlNames = detail::controlNames();

inline constexpr const char kp_bank_default[] = "Mixer";
inline constexpr const char kp_layer_default[] = "Default";
inline constexpr const char kp_category_transport[] = "Transport";
inline constexpr const char kp_command_stepBar[] = "Step Bar";
inline constexpr const char kp_command_stepBackBar[] = "Step Back Bar";

// The data dial's relative steps: one step forward, one step back.
inline constexpr Quillon::int32 kDialStepForward = 1;
inline constexpr Quillon::int32 kDialStepBack = 65;

// A four-character code, its first character in the most significant byte.
constexpr Quillon::uint32 fourCharCode(const char (&code)[5]) {
  return Quillon::uint32(Quillon::uint8(code[0])) << 24 |
         Quillon::uint32(Quillon::uint8(code[1])) << 16 |
         Quillon::uint32(Quillon::uint8(code[2])) << 8 | Quillon::uint32(Quillon::uint8(code[3]));
}

struct PX7000_RemoteProperty {
  Quillon::uint32 key;
  Quillon::int32 value;
};

// Set in this order; their meaning is the host's.
inline constexpr PX7000_RemoteProperty kp_remoteProperties[] = {
    {fourCharCode("midi"), 1},
    {fourCharCode("ftch"), 1},
    {fourCharCode("wrng"), 24},
    {fourCharCode("miex"), 1},
};

// The default command of one function key's user function. Hosts at major version 5 or lower
// know the quantize command under another category.
struct PX7000_UserFunction {
  PX7000_Control key;
  const char* categoryTessera5;
  const char* category;
  const char* command;
};

// One per function key in control order; the shifted keys start empty (texts, not nulls).
inline constexpr PX7000_UserFunction kp_userFunctions[] = {
    {kCtrlF1, "MIDI", "Quantize Category", "Quantize"},
    {kCtrlF2, "Edit", "Edit", "Undo"},
    {kCtrlF3, "Zoom", "Zoom", "Zoom In"},
    {kCtrlF4, "Zoom", "Zoom", "Zoom Out"},
    {kCtrlF5, "Zoom", "Zoom", "Zoom In Tracks"},
    {kCtrlF6, "Zoom", "Zoom", "Zoom Out Tracks"},
    {kCtrlSF1, "", "", ""},
    {kCtrlSF2, "", "", ""},
    {kCtrlSF3, "", "", ""},
    {kCtrlSF4, "", "", ""},
    {kCtrlSF5, "", "", ""},
    {kCtrlSF6, "", "", ""},
};
inline constexpr int kUserFunctionCount = int(std::size(kp_userFunctions));

// A binding in the layer "Default": a host command (category, command) or a host value
// (section, selector, value name).
struct PX7000_Assignment {
  enum Kind { command, value };
  Kind kind;
  PX7000_Control control;
  const char* categoryOrSection;
  Quillon::int32 selector;  // values only
  const char* target;
  Quillon::int32 flags;
};

// Made in this order. "Up"/"Left" and "Down"/"Right" select the same tracks.
inline constexpr PX7000_Assignment kp_fixedAssignments[] = {
    {PX7000_Assignment::command, kCtrlTop, "Transport", 0, "Return to Zero", 1},
    {PX7000_Assignment::command, kCtrlPlayStop, "Transport", 0, "StartStop", 1},
    {PX7000_Assignment::command, kCtrlRec, "Transport", 0, "Record", 1},
    {PX7000_Assignment::command, kCtrlClick, "Transport", 0, "Metronome On", 1},
    {PX7000_Assignment::command, kCtrlInc, "Preset", 0, "Next", 1},
    {PX7000_Assignment::command, kCtrlDec, "Preset", 0, "Previous", 1},
    {PX7000_Assignment::command, kCtrlUp, "Project", 0, "Select Track: Prev", 1},
    {PX7000_Assignment::command, kCtrlDown, "Project", 0, "Select Track: Next", 1},
    {PX7000_Assignment::command, kCtrlLeft, "Project", 0, "Select Track: Prev", 1},
    {PX7000_Assignment::command, kCtrlRight, "Project", 0, "Select Track: Next", 1},
    {PX7000_Assignment::value, kCtrlRewind, "Transport", -1, "rewind", 0x200},
    {PX7000_Assignment::value, kCtrlFastForward, "Transport", -1, "forward", 0x200},
    {PX7000_Assignment::value, kCtrlAudition, "Mixer", -2, "solo", 0x301},
};

// The group that binds each function key to the user function bearing its name.
inline constexpr const char kp_userFunctionSection[] = "Function";
inline constexpr const char kp_userFunctionGroup[] = "User Function";
