#pragma once

#include <string>

#include "runtime/DateTime.h"

namespace ferrowick::runtime {

// A message box's buttons and icon. Plain icon or button names convert to a style, and
// `MsgButtons::YesNo | MsgIcon::Critical` combines the two parts.
enum class MsgButtons { OkOnly, YesNo };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };

struct MsgStyle {
  constexpr MsgStyle() = default;
  constexpr MsgStyle(MsgButtons b) : buttons(b) {}
  constexpr MsgStyle(MsgIcon i) : icon(i) {}
  constexpr MsgStyle(MsgButtons b, MsgIcon i) : buttons(b), icon(i) {}
  bool operator==(const MsgStyle&) const = default;

  MsgButtons buttons = MsgButtons::OkOnly;
  MsgIcon icon = MsgIcon::None;
};

constexpr MsgStyle operator|(MsgButtons buttons, MsgIcon icon) { return {buttons, icon}; }

enum class MsgAnswer { Ok, Yes, No };

// Everything the program takes from the outside world is one of these, handed in at
// start-up: Qt binds them in the program, scripted doubles in the tests.

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal: other handlers may run while it is open.
  virtual MsgAnswer show(const std::string& text, MsgStyle style, const std::string& caption) = 0;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Processes pending events, then returns.
  virtual void yield() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() = 0;
};

class BusyPointer {
 public:
  virtual ~BusyPointer() = default;
  // The whole screen's pointer: the hourglass when busy, the default otherwise.
  virtual void setBusy(bool busy) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document or web address with its default handler; above 32 means started.
  virtual int open(const std::string& target) = 0;
};

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // The chosen folder, or the empty string when the user cancels.
  virtual std::string browse(const std::string& title, const std::string& startFolder) = 0;
};

struct Host {
  MessageBoxes& messages;
  EventLoop& loop;
  Clock& clock;
  BusyPointer& pointer;
  Shell& shell;
  FolderPicker& folders;
};

}  // namespace ferrowick::runtime
