#include "runtime/profile/ProfileDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "runtime/AsciiCase.h"
#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/UniqueFd.h"

namespace ferrowick::runtime {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(asciiLower(c));
  return folded;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool enclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

std::string_view unquote(std::string_view value) {
  return enclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

bool breaksLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool validSectionName(std::string_view name) {
  return !name.empty() && !breaksLine(name) && name.find(']') == std::string_view::npos &&
         trim(name) == name;
}

bool validKeyName(std::string_view key) {
  return !key.empty() && !breaksLine(key) && key.find('=') == std::string_view::npos &&
         key.front() != '[' && key.front() != ';' && trim(key) == key;
}

// The value as it must stand after "=" to read back unchanged.
std::string encodeValue(std::string_view value) {
  const bool needsQuotes =
      !value.empty() &&
      (kBlanks.find(value.front()) != std::string_view::npos ||
       kBlanks.find(value.back()) != std::string_view::npos || enclosedInQuotes(value));
  if (!needsQuotes) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted += '"';
  quoted += value;
  quoted += '"';
  return quoted;
}

std::string readWholeFile(const std::filesystem::path& file) {
  const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    raiseErrno(errno, file);
  }
  std::string bytes;
  struct stat info {};
  if (::fstat(fd.get(), &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      raiseErrno(errno, file);
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

}  // namespace

ProfileDocument ProfileDocument::load(const std::filesystem::path& file, Faults* faults) {
  return parse(readFile(file, faults));
}

std::string ProfileDocument::readFile(const std::filesystem::path& file, Faults* faults) {
  if (faults != nullptr) faults->check(FaultPoint::ReadProfile, file.string());
  return readWholeFile(file);
}

bool ProfileDocument::hasSection(std::string_view section) const {
  return sectionIndex_.contains(fold(section));
}

ProfileDocument ProfileDocument::parse(std::string_view text) {
  ProfileDocument document;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    document.addLine(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return document;
}

void ProfileDocument::addLine(std::string_view line) {
  const std::string_view content = trim(line);
  if (!content.empty() && content.front() == '[') {
    const auto close = content.find(']');
    if (close != std::string_view::npos) {
      const std::string name = fold(trim(content.substr(1, close - 1)));
      sectionIndex_.try_emplace(name, sections_.size());
      sections_.push_back(Section{std::string(line), {}, {}});
      return;
    }
  }
  if (sections_.empty()) {
    preamble_.emplace_back(line);
    return;
  }
  Section& section = sections_.back();
  Line entry{std::string(line), {}, false};
  const auto equals = content.find('=');
  if (equals != std::string_view::npos && content.front() != ';') {
    const std::string_view key = trim(content.substr(0, equals));
    if (!key.empty()) {
      entry.isKey = true;
      entry.value = unquote(trim(content.substr(equals + 1)));
      entry.keyStart = static_cast<std::size_t>(key.data() - line.data());
      entry.keyLength = key.size();
    }
  }
  section.lines.push_back(std::move(entry));
  if (section.lines.back().isKey) {
    section.addKey(section.lines.back().key(), section.lines.size() - 1);
  }
}

std::size_t ProfileDocument::Section::findKey(std::string_view key) const {
  return keys.find(key, [this](std::size_t line) { return lines[line].key(); });
}

std::size_t ProfileDocument::Section::addKey(std::string_view key, std::size_t line) {
  return keys.insert(key, line, [this](std::size_t at) { return lines[at].key(); });
}

const std::string* ProfileDocument::find(std::string_view section, std::string_view key) const {
  const auto s = sectionIndex_.find(fold(section));
  if (s == sectionIndex_.end()) return nullptr;
  const Section& found = sections_[s->second];
  const std::size_t line = found.findKey(key);
  if (line == FoldedIndex::npos) return nullptr;
  return &found.lines[line].value;
}

std::size_t ProfileDocument::read(std::string_view section, std::string_view key, std::string& out,
                                  std::size_t size) const {
  const std::string* value = find(section, key);
  if (value == nullptr) {
    out.clear();
    return 0;
  }
  return copyCut(*value, out, size);
}

std::size_t ProfileDocument::copyCut(std::string_view value, std::string& out, std::size_t size) {
  out.clear();
  if (size == 0) return 0;
  std::size_t count = std::min(value.size(), size - 1);
  // Back off to the start of a UTF-8 sequence rather than cut one in two.
  while (count > 0 && count < value.size() &&
         (static_cast<unsigned char>(value[count]) & 0xC0) == 0x80) {
    --count;
  }
  out.assign(value.substr(0, count));
  return count;
}

ProfileDocument::Section& ProfileDocument::sectionFor(std::string_view name) {
  const auto [it, added] = sectionIndex_.try_emplace(fold(name), sections_.size());
  if (added) {
    sections_.push_back(Section{"[" + std::string(name) + "]", {}, {}});
  }
  return sections_[it->second];
}

int ProfileDocument::write(std::string_view section, std::string_view key, std::string_view value) {
  if (!validSectionName(section) || !validKeyName(key) || breaksLine(value)) return 0;
  Section& target = sectionFor(section);
  Line line{std::string(key) + "=" + encodeValue(value), std::string(value), true, 0, key.size()};
  const std::size_t existing = target.findKey(key);
  if (existing == FoldedIndex::npos) {
    target.lines.push_back(std::move(line));
    target.addKey(target.lines.back().key(), target.lines.size() - 1);
  } else {
    target.lines[existing] = std::move(line);
  }
  return 1;
}

std::string ProfileDocument::text() const {
  std::size_t size = 0;
  for (const auto& line : preamble_) size += line.size() + 2;
  for (const auto& section : sections_) {
    size += section.header.size() + 2;
    for (const auto& line : section.lines) size += line.text.size() + 2;
  }
  std::string bytes;
  bytes.reserve(size);
  auto put = [&bytes](const std::string& line) {
    bytes += line;
    bytes += "\r\n";
  };
  for (const auto& line : preamble_) put(line);
  for (const auto& section : sections_) {
    put(section.header);
    for (const auto& line : section.lines) put(line.text);
  }
  return bytes;
}

StagedFile ProfileDocument::stage(const std::filesystem::path& file, Faults* faults) const {
  return StagedFile(file, text(), faults);
}

void ProfileDocument::save(const std::filesystem::path& file, Faults* faults) const {
  stage(file, faults).commit();
}

}  // namespace ferrowick::runtime
