#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrowick::engine {

// One slot of the run file list as its readers see it.
struct SourceFileEntry {
  std::string Path;  // empty in an empty slot
  std::uint64_t Size = 0;
  // The file's read-only and archive attributes when it was listed, if they were read.
  std::optional<unsigned> Attributes;
};

// The run file list's slots, stored compactly: a run may list millions of files, so each
// folder path is kept once, and each file is its name and length in one shared block of
// text beside a small record. The last slot is kept apart: it is the one being written.
class RunFileListTable {
 public:
  RunFileListTable() = default;

  // Never 0: the last slot, the one being written, is always there.
  std::size_t size() const noexcept { return entries_.size() + 1; }
  SourceFileEntry operator[](std::size_t slot) const;
  // The slot holds no path; without building the path as operator[] does.
  bool emptySlot(std::size_t slot) const;

  // Writes a slot: the last one, or the one before it.
  void put(std::size_t slot, std::string_view path, std::uint64_t length,
           std::optional<unsigned> attributes = std::nullopt);
  // A new empty last slot after the present one.
  void grow();
  // Back to a single empty slot.
  void reset();

  class Iterator {
   public:
    Iterator(const RunFileListTable& table, std::size_t slot) : table_(&table), slot_(slot) {}
    SourceFileEntry operator*() const { return (*table_)[slot_]; }
    Iterator& operator++() {
      ++slot_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return slot_ != other.slot_; }

   private:
    const RunFileListTable* table_;
    std::size_t slot_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

 private:
  static constexpr std::uint64_t kNone = ~std::uint64_t{0};
  static constexpr unsigned kListed = 0x80;  // above read-only (1) and archive (32)
  struct Entry {
    std::uint64_t name = kNone;  // the text block's record of length and name
    std::uint32_t folder = 0;
    // In what would be padding: the listed attribute word with kListed, or 0.
    std::uint8_t attributes = 0;
  };

  Entry store(std::string_view path, std::uint64_t length, std::optional<unsigned> attributes);
  std::uint64_t append(std::string_view bytes);
  const char* at(std::uint64_t position) const;

  std::deque<Entry> entries_;  // every slot but the last; no copying as it grows
  SourceFileEntry last_;
  std::vector<std::uint64_t> folders_;  // each folder path's place in the text block
  std::string lastFolder_;              // the folder written last, usually the next one's too
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t chunkUsed_ = 0;
  std::size_t chunkSize_ = 0;
};

}  // namespace ferrowick::engine
