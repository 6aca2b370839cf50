#pragma once

#include <string>

#include "runtime/DateTime.h"

namespace ferrowick::runtime {

// Message-box style values and answers as the program uses them.
namespace MsgStyle {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
}  // namespace MsgStyle

namespace MsgAnswer {
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace MsgAnswer

// Everything the program takes from the outside world is one of these, handed in at
// start-up: Qt binds them in the program, scripted doubles in the tests.

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal: other handlers may run while it is open. Returns the answer (MsgAnswer).
  virtual int show(const std::string& text, int style, const std::string& caption) = 0;
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
