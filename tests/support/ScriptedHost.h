#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Host.h"

namespace ferrowick::testing {

// Records every box shown and answers from a queue (OK when the queue is empty).
class ScriptedMessageBoxes : public runtime::MessageBoxes {
 public:
  struct Shown {
    std::string text;
    int style;
    std::string caption;
  };

  int show(const std::string& text, int style, const std::string& caption) override;
  void answer(int reply) { answers_.push_back(reply); }

  std::vector<Shown> shown;
  // Runs while a box is open, as the modal loop would let other handlers run.
  std::function<void(const Shown&)> whileOpen;

 private:
  std::deque<int> answers_;
};

class CountingEventLoop : public runtime::EventLoop {
 public:
  void yield() override;
  int yields = 0;
  // Runs at each yield, as a pending event would.
  std::function<void()> pending;
};

class ManualClock : public runtime::Clock {
 public:
  runtime::DateTime now() override { return time; }
  runtime::DateTime time{2026, 12, 6, 9, 15, 0};
};

class RecordingBusyPointer : public runtime::BusyPointer {
 public:
  void setBusy(bool busy) override { changes.push_back(busy); }
  bool busy() const { return !changes.empty() && changes.back(); }
  std::vector<bool> changes;
};

class RecordingShell : public runtime::Shell {
 public:
  int open(const std::string& target) override;
  std::vector<std::string> opened;
  int result = 42;
};

class ScriptedFolderPicker : public runtime::FolderPicker {
 public:
  struct Call {
    std::string title;
    std::string start;
  };
  std::string browse(const std::string& title, const std::string& startFolder) override;
  void choose(std::string folder) { choices_.push_back(std::move(folder)); }

  std::vector<Call> calls;

 private:
  std::deque<std::string> choices_;
};

// The whole set of doubles, bound as one Host.
struct ScriptedHost {
  ScriptedMessageBoxes messages;
  CountingEventLoop loop;
  ManualClock clock;
  RecordingBusyPointer pointer;
  RecordingShell shell;
  ScriptedFolderPicker folders;
  runtime::Host host{messages, loop, clock, pointer, shell, folders};
};

}  // namespace ferrowick::testing
