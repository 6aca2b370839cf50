#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/FileDialog.h"
#include "runtime/Host.h"

namespace ferrowick::testing {

template <typename T>
T next(std::deque<T>& queue) {
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

// A style by its parts, as "Critical", "YesNo", "YesNo+Exclamation" or "OkOnly".
inline std::string styleName(runtime::MsgStyle style) {
  static constexpr const char* kIcons[] = {"", "Critical", "Question", "Exclamation",
                                           "Information"};
  const std::string icon = kIcons[static_cast<std::size_t>(style.icon)];
  if (style.buttons != runtime::MsgButtons::YesNo) return icon.empty() ? "OkOnly" : icon;
  return icon.empty() ? "YesNo" : "YesNo+" + icon;
}

}  // namespace ferrowick::testing

namespace ferrowick::runtime {
// A failed comparison of styles names them.
inline void PrintTo(MsgStyle style, std::ostream* out) { *out << testing::styleName(style); }
}  // namespace ferrowick::runtime

namespace ferrowick::testing {

// Records every box shown and answers from a queue (OK when the queue is empty).
class ScriptedMessageBoxes : public runtime::MessageBoxes {
 public:
  struct Shown {
    std::string text;
    runtime::MsgStyle style;
    std::string caption;
  };

  runtime::MsgAnswer show(const std::string& text, runtime::MsgStyle style,
                          const std::string& caption) override {
    shown.push_back({text, style, caption});
    if (whileOpen) whileOpen(shown.back());
    return answers_.empty() ? runtime::MsgAnswer::Ok : next(answers_);
  }
  void answer(runtime::MsgAnswer reply) { answers_.push_back(reply); }
  // Every box shown as "caption|style|text", the style by name.
  std::vector<std::string> all() const {
    std::vector<std::string> lines;
    for (const auto& box : shown)
      lines.push_back(box.caption + "|" + styleName(box.style) + "|" + box.text);
    return lines;
  }
  // Runs while a box is open, as the modal loop would let other handlers run.
  std::function<void(const Shown&)> whileOpen;
  std::vector<Shown> shown;

 private:
  std::deque<runtime::MsgAnswer> answers_;
};

class CountingEventLoop : public runtime::EventLoop {
 public:
  void yield() override {
    ++yields;
    if (pending) pending();
  }
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
  int open(const std::string& target) override {
    opened.push_back(target);
    return result;
  }
  std::vector<std::string> opened;
  int result = 42;
};

// A picker's answers in order; an empty queue or an empty answer is a cancel.
class Choices {
 public:
  void choose(std::string answer) { choices_.push_back(std::move(answer)); }

 protected:
  std::string next() { return choices_.empty() ? std::string() : testing::next(choices_); }

 private:
  std::deque<std::string> choices_;
};

class ScriptedFolderPicker : public runtime::FolderPicker, public Choices {
 public:
  struct Call {
    std::string title;
    std::string start;
  };
  std::string browse(const std::string& title, const std::string& startFolder) override {
    calls.push_back({title, startFolder});
    return next();
  }
  std::vector<Call> calls;
};

class ScriptedFileDialog : public runtime::FileDialog, public Choices {
 public:
  struct Call {
    std::string description;
    std::string pattern;
    std::string fileName;
  };
  std::string openFile(const std::string& description, const std::string& pattern,
                       const std::string& fileName) override {
    calls.push_back({description, pattern, fileName});
    return next();
  }
  std::vector<Call> calls;
};

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
