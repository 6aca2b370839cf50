// Checks the shipped language files and documents as the loader and the help menu
// will meet them: CR LF lines, one text per index, and the same entries in every
// language.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef FERROWICK_SOURCE_DIR
#error "FERROWICK_SOURCE_DIR must name the source tree"
#endif

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kLanguages = {"English", "Polish", "Deutsch"};

fs::path languagesFolder() { return fs::path(FERROWICK_SOURCE_DIR) / "languages"; }

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every index that a window, message or log line of the program reads.
std::set<int> requiredIndexes() {
  std::set<int> out = {100, 101, 135};
  const auto range = [&out](int from, int to) {
    for (int i = from; i <= to; ++i) out.insert(i);
  };
  range(118, 122);
  range(125, 128);
  range(144, 147);
  range(177, 229);
  range(232, 288);
  return out;
}

struct ParsedFile {
  std::map<int, std::string> texts;
  std::vector<int> duplicates;
  std::vector<std::string> malformed;
};

// Splits on CR LF only; the CR LF test below makes sure nothing else ends a line.
std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const auto end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

ParsedFile parse(const std::string& bytes) {
  ParsedFile out;
  for (const auto& line : splitLines(bytes)) {
    if (line.empty() || line.front() == ';' ||
        line.find_first_not_of(' ') == std::string::npos) {
      continue;
    }
    // The loader reads whatever the first three characters give; the shipped files
    // keep to plain three-digit indexes and a space so that nothing depends on that.
    if (line.size() < 4 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]) ||
        line[3] != ' ') {
      out.malformed.push_back(line);
      continue;
    }
    const int index = std::stoi(line.substr(0, 3));
    if (out.texts.count(index) != 0) out.duplicates.push_back(index);
    out.texts[index] = line.substr(4);
  }
  return out;
}

// Returns the byte offset of the first invalid UTF-8 sequence, or npos.
std::size_t firstInvalidUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    unsigned int code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0U) == 0xC0U) {
      extra = 1;
      code = lead & 0x1FU;
    } else if ((lead & 0xF0U) == 0xE0U) {
      extra = 2;
      code = lead & 0x0FU;
    } else if ((lead & 0xF8U) == 0xF0U) {
      extra = 3;
      code = lead & 0x07U;
    } else {
      return i;
    }
    if (i + extra >= bytes.size()) return i;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0U) != 0x80U) return i;
      code = (code << 6) | (next & 0x3FU);
    }
    const unsigned int smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return i;
    }
    i += extra + 1;
  }
  return std::string::npos;
}

class LanguageFile : public ::testing::TestWithParam<std::string> {
 protected:
  fs::path path() const { return languagesFolder() / GetParam() / (GetParam() + ".txt"); }
  std::string bytes() const {
    const auto p = path();
    EXPECT_TRUE(fs::is_regular_file(p)) << p;
    return readBytes(p);
  }
};

TEST_P(LanguageFile, EveryLineEndsInCrLf) {
  const auto data = bytes();
  ASSERT_GE(data.size(), 2U);
  EXPECT_EQ(data.substr(data.size() - 2), "\r\n") << "the last line has no CR LF";
  // The loader takes a bare LF as part of the text and a bare CR as a line end.
  int line = 1;
  int firstBad = 0;
  for (std::size_t i = 0; i < data.size() && firstBad == 0; ++i) {
    const bool bareLf = data[i] == '\n' && (i == 0 || data[i - 1] != '\r');
    const bool bareCr = data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n');
    if (bareLf || bareCr) firstBad = line;
    if (data[i] == '\n') ++line;
  }
  EXPECT_EQ(firstBad, 0) << "line " << firstBad << " has a bare CR or LF";
}

TEST_P(LanguageFile, IsUtf8WithoutByteOrderMark) {
  const auto data = bytes();
  // A mark would turn the first line, a comment, into an entry for index 0.
  EXPECT_NE(data.rfind("\xEF\xBB\xBF", 0), 0U);
  const auto bad = firstInvalidUtf8(data);
  EXPECT_EQ(bad, std::string::npos) << "invalid UTF-8 at byte " << bad;
}

TEST_P(LanguageFile, EntriesHaveOneTextPerThreeDigitIndex) {
  const auto parsed = parse(bytes());
  EXPECT_TRUE(parsed.malformed.empty()) << "first malformed line: " << parsed.malformed.front();
  EXPECT_TRUE(parsed.duplicates.empty()) << "index " << parsed.duplicates.front() << " twice";
}

TEST_P(LanguageFile, EveryRequiredEntryHasText) {
  const auto parsed = parse(bytes());
  std::ostringstream missing;
  std::ostringstream blank;
  for (const int index : requiredIndexes()) {
    const auto it = parsed.texts.find(index);
    if (it == parsed.texts.end()) {
      missing << ' ' << index;
    } else if (it->second.find_first_not_of(" _") == std::string::npos) {
      blank << ' ' << index;
    }
  }
  EXPECT_EQ(missing.str(), "") << "entries missing";
  EXPECT_EQ(blank.str(), "") << "entries that show nothing";
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile, ::testing::ValuesIn(kLanguages),
                         [](const auto& language) { return language.param; });

TEST(LanguageFiles, AllLanguagesHaveTheSameIndexes) {
  std::map<std::string, std::set<int>> indexes;
  for (const auto& name : kLanguages) {
    const auto parsed = parse(readBytes(languagesFolder() / name / (name + ".txt")));
    auto& set = indexes[name];
    for (const auto& entry : parsed.texts) set.insert(entry.first);
  }
  const auto& reference = indexes.at(kLanguages.front());
  ASSERT_FALSE(reference.empty());
  for (const auto& name : kLanguages) {
    std::ostringstream onlyHere;
    std::ostringstream missingHere;
    for (const int i : indexes[name]) {
      if (reference.count(i) == 0) onlyHere << ' ' << i;
    }
    for (const int i : reference) {
      if (indexes[name].count(i) == 0) missingHere << ' ' << i;
    }
    EXPECT_EQ(onlyHere.str(), "") << name << " has entries that " << kLanguages.front()
                                  << " lacks";
    EXPECT_EQ(missingHere.str(), "") << name << " lacks entries of " << kLanguages.front();
  }
}

TEST(LanguageDocuments, EveryLanguageShipsReadmeAndLicence) {
  for (const auto& name : kLanguages) {
    for (const char* document : {"readme.txt", "license.txt"}) {
      const auto path = languagesFolder() / name / document;
      ASSERT_TRUE(fs::is_regular_file(path)) << path;
      const auto data = readBytes(path);
      EXPECT_GT(data.size(), 500U) << path << " is nearly empty";
      EXPECT_EQ(firstInvalidUtf8(data), std::string::npos) << path << " is not UTF-8";
    }
  }
}

}  // namespace
