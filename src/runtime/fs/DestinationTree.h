#pragma once

#include <string>
#include <vector>

#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

class CopyFolder;
class Faults;

// The backup tree below the folder the user picked, walked one name at a time from a held
// descriptor of each parent and never through a link: whatever anyone places or swaps
// into the tree cannot lead a copy outside it. The levels of the folder walked last stay
// held, so its siblings cost one open each.
class DestinationTree {
 public:
  explicit DestinationTree(Faults& faults) : faults_(faults) {}
  ~DestinationTree() { close(); }
  DestinationTree(const DestinationTree&) = delete;
  DestinationTree& operator=(const DestinationTree&) = delete;

  // Holds the picked folder, taken as it is: it may be a link (to a mounted disk, say).
  // Raises the runtime's error when it cannot be opened.
  void open(const std::string& root);
  void close() noexcept;
  bool isOpen() const noexcept { return rootFd_.valid(); }
  // The path lies at or below the picked folder, as the walk spells it.
  bool contains(const std::string& folder) const;

  // What walk() found at the folder's last level.
  enum class Level { Made, Found, Failed };

  // Opens, or with `make` makes where missing, every level of `folder` below the root.
  // Failed when the folder is not below the root, a level is "." or "..", a link or not
  // a folder, or cannot be made; the levels made before stay.
  Level walk(const std::string& folder, bool make = true);

  // The folder walked last (after a walk that did not fail), held open by path only.
  int folder() const noexcept { return (levels_.empty() ? rootFd_ : levels_.back().fd).get(); }

  // Lets `into` hold the folder walked last, known by the path `folder`, unless it holds
  // it already. Raises the runtime's error.
  void handTo(CopyFolder& into, const std::string& folder, bool madeEmpty) const;

  // Lets go of the levels below the root: the next walk opens each again from the root.
  void forgetLevels() noexcept;

 private:
  struct Held {
    std::string name;
    UniqueFd fd;
  };
  // `gone`: the failure may come from a held level removed since.
  Level walkFrom(const std::vector<std::string>& names, bool make, bool& gone);
  void keepLevels(std::size_t count) noexcept;

  Faults& faults_;
  std::string root_;  // ends in "/"
  UniqueFd rootFd_;
  std::vector<Held> levels_;
};

}  // namespace ferrowick::runtime
