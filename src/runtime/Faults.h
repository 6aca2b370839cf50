#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrowick::runtime {

// The operations at which tests can plan a failure; each operation names its point in its
// own comment.
enum class FaultPoint {
  List,            // a folder listing
  Length,          // a file's length
  Exists,          // the test for an ordinary file
  Attributes,      // reading the attribute word
  SetAttributes,   // changing attributes
  MakeFolder,      // creating one folder
  Copy,            // the start of a file copy
  CopyWrite,       // each chunk of a file copy
  Delete,          // deleting a file
  OpenOutput,      // opening a text file for output
  WriteOutput,     // each write to it
  OpenText,        // opening a text file for reading
  ReadLine,        // each line read from it
  ReadProfile,     // reading a profile file
  StageFile,       // writing a whole new file beside its target
  CommitFile,      // putting a staged file in place
  ReplaceFile,     // replacing a file whole, before the rename
  OpenRead,        // opening a file to read it in blocks
  ReadBlock,       // each block read from it
  CopyAttributes,  // giving a copy its permissions, and its time (planned as an errno)
  Flush,           // flushing a file system that received copies
  OpenArchive,     // opening or creating the archive records' database
  DeleteEntry,     // deleting an autostart entry
};

// Lets tests make a chosen operation fail with a chosen run-time error. CI runs as root,
// where permission and many device failures never happen by themselves.
class Faults {
 public:
  // The next `times` calls at `point` whose path contains `pathPart` (any path when
  // empty), after `skip` matching calls have passed, raise error `number`.
  void inject(FaultPoint point, int number, std::string pathPart = {}, int times = 1, int skip = 0);
  // The next matching call at `point`, after `skip` have passed, runs `action` and then
  // goes on: another program changing a file at that moment.
  void interfere(FaultPoint point, std::function<void()> action, std::string pathPart = {},
                 int skip = 0);
  void clear();

  // Raises the planned error, or runs the planned action, when a rule matches this call.
  void check(FaultPoint point, std::string_view path);
  // For points where the system's own answer matters: the planned number of a matching
  // rule, taken as an errno, or 0.
  int planned(FaultPoint point, std::string_view path);

 private:
  struct Rule {
    FaultPoint point;
    std::string pathPart;
    int number;
    int times;
    int skip;
    std::function<void()> action;
  };
  // Takes one use of the first rule at `point` that matches `path` and has no skip left
  // (`withActions`: rules that run an action count too); every matching rule passed over
  // uses up one skip. Its number and action, or nothing.
  std::optional<Rule> take(FaultPoint point, std::string_view path, bool withActions);

  std::vector<Rule> rules_;
};

}  // namespace ferrowick::runtime
