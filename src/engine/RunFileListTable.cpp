#include "engine/RunFileListTable.h"

#include <cstring>

namespace ferrowick::engine {

namespace {
constexpr std::size_t kChunk = std::size_t{1} << 20;

// Lengths are mostly small: seven bits a byte, the high bit set on all but the last.
void putLength(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7f) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

std::uint64_t takeLength(const char*& in) {
  std::uint64_t value = 0;
  for (unsigned shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*in++);
    value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return value;
  }
}
}  // namespace

SourceFileEntry RunFileListTable::operator[](std::size_t slot) const {
  if (slot + 1 >= size()) return last_;
  const Entry& entry = entries_[slot];
  SourceFileEntry read;
  if (entry.name == kNone) return read;
  const char* record = at(entry.name);
  read.Size = takeLength(record);
  if (entry.attributes != 0) read.Attributes = entry.attributes & ~kListed;
  read.Path = at(folders_[entry.folder]);
  read.Path += record;
  return read;
}

bool RunFileListTable::emptySlot(std::size_t slot) const {
  return slot + 1 >= size() ? last_.Path.empty() : entries_[slot].name == kNone;
}

void RunFileListTable::put(std::size_t slot, std::string_view path, std::uint64_t length,
                           std::optional<unsigned> attributes) {
  if (slot + 1 >= size()) {
    last_.Path.assign(path);
    last_.Size = length;
    last_.Attributes = attributes;
    return;
  }
  // Only the slot before the last is ever written again; its old text stays unused.
  if (slot + 2 == size()) entries_.back() = store(path, length, attributes);
}

void RunFileListTable::grow() {
  entries_.push_back(store(last_.Path, last_.Size, last_.Attributes));
  last_ = {};
}

void RunFileListTable::reset() { *this = RunFileListTable(); }

RunFileListTable::Entry RunFileListTable::store(std::string_view path, std::uint64_t length,
                                                std::optional<unsigned> attributes) {
  Entry entry;
  if (path.empty()) return entry;
  if (attributes) entry.attributes = static_cast<std::uint8_t>((*attributes & 0x7f) | kListed);
  const auto slash = path.rfind('/');
  const std::size_t nameAt = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view folder = path.substr(0, nameAt);
  if (folders_.empty() || folder != lastFolder_) {
    lastFolder_.assign(folder);
    folders_.push_back(append(lastFolder_));
  }
  entry.folder = static_cast<std::uint32_t>(folders_.size() - 1);
  std::string record;
  putLength(record, length);
  record += path.substr(nameAt);
  entry.name = append(record);
  return entry;
}

// Each record ends in a NUL, which no path holds.
std::uint64_t RunFileListTable::append(std::string_view bytes) {
  const std::size_t needed = bytes.size() + 1;
  if (chunks_.empty() || chunkUsed_ + needed > chunkSize_) {
    chunkSize_ = needed > kChunk ? needed : kChunk;
    chunks_.push_back(std::make_unique<char[]>(chunkSize_));
    chunkUsed_ = 0;
  }
  char* place = chunks_.back().get() + chunkUsed_;
  std::memcpy(place, bytes.data(), bytes.size());
  place[bytes.size()] = '\0';
  const std::uint64_t position =
      (static_cast<std::uint64_t>(chunks_.size() - 1) << 32) | chunkUsed_;
  chunkUsed_ += needed;
  return position;
}

const char* RunFileListTable::at(std::uint64_t position) const {
  return chunks_[position >> 32].get() + (position & 0xffffffffu);
}

}  // namespace ferrowick::engine
