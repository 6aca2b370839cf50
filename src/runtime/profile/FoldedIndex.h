#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/AsciiCase.h"

namespace ferrowick::runtime {

// Positions by name, names matched without regard to ASCII case. The names themselves
// stay with their owner: every call takes `nameAt(position)`, which gives the name stored
// at a position, so the index holds no strings and no nodes of its own.
class FoldedIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  template <typename NameAt>
  std::size_t find(std::string_view name, const NameAt& nameAt) const {
    if (slots_.empty()) return npos;
    const std::uint64_t hash = hashOf(name);
    for (std::size_t i = hash & mask(); slots_[i].stored != 0; i = (i + 1) & mask()) {
      const Slot& slot = slots_[i];
      if (slot.hash == hash && sameFolded(nameAt(slot.stored - 1), name)) return slot.stored - 1;
    }
    return npos;
  }

  // The position already stored under an equal name, or `position`, newly stored.
  template <typename NameAt>
  std::size_t insert(std::string_view name, std::size_t position, const NameAt& nameAt) {
    if ((size_ + 1) * 4 > slots_.size() * 3) grow();
    const std::uint64_t hash = hashOf(name);
    std::size_t i = hash & mask();
    for (; slots_[i].stored != 0; i = (i + 1) & mask()) {
      const Slot& slot = slots_[i];
      if (slot.hash == hash && sameFolded(nameAt(slot.stored - 1), name)) return slot.stored - 1;
    }
    slots_[i] = Slot{hash, position + 1};
    ++size_;
    return position;
  }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::size_t stored = 0;  // position + 1; 0 marks a free slot
  };

  static std::uint64_t hashOf(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : name) hash = (hash ^ asciiLower(c)) * 1099511628211ull;
    return hash ^ (hash >> 29);
  }

  static bool sameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
  }

  std::size_t mask() const { return slots_.size() - 1; }

  void grow() {
    std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
      if (slot.stored == 0) continue;
      std::size_t i = slot.hash & mask();
      while (slots_[i].stored != 0) i = (i + 1) & mask();
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

}  // namespace ferrowick::runtime
