#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

class Faults;

// A whole new content for a file, written beside it and not yet in its place. Until
// commit() the target keeps its old content; a staged file that is never committed
// leaves nothing behind, and one whose process was killed is removed by the next staging
// of the same target.
//
// Fault names: StageFile (checked once half of the bytes are written, as a disk that
// fills up would) and CommitFile.
class StagedFile {
 public:
  // Writes `bytes` to a new temporary file in the target's folder and flushes it to the
  // disk. The file gets `mode`, or else the existing target's permissions. Raises the
  // runtime's error when that fails.
  StagedFile(std::filesystem::path target, std::string_view bytes, Faults* faults = nullptr,
             std::optional<mode_t> mode = std::nullopt);
  ~StagedFile();
  StagedFile(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  StagedFile& operator=(StagedFile&&) = delete;

  // Puts the new content in place in one step (a rename over the target).
  void commit();

 private:
  void discard() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  Faults* faults_;
  UniqueFd fd_;  // held, and locked, while the file is staged
};

}  // namespace ferrowick::runtime
