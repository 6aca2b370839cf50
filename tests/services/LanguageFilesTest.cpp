// Checks the shipped language files and documents as the loader and the help menu
// will meet them: CR LF lines, one text per index, and the same entries in every
// language.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

#ifndef FERROWICK_SOURCE_DIR
#error "FERROWICK_SOURCE_DIR must name the source tree"
#endif

namespace {

namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;

// Every index that a window, message or log line of the program reads.
constexpr std::pair<int, int> kRequired[] = {{100, 101}, {118, 122}, {125, 128}, {135, 135},
                                             {144, 147}, {177, 229}, {232, 288}};

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Structural UTF-8: lead bytes that can start a character, each with its continuations.
bool validUtf8(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t extra = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    if ((lead >= 0x80 && lead < 0xC2) || lead >= 0xF5 || i + extra >= bytes.size()) return false;
    for (const std::size_t last = i + extra; i < last;) {
      if ((static_cast<unsigned char>(bytes[++i]) & 0xC0U) != 0x80U) return false;
    }
  }
  return true;
}

TEST(LanguageFiles, EveryLanguageIsCompleteWellFormedAndMatchesTheFirst) {
  std::set<int> reference;
  for (const std::string name : {"English", "Polish", "Deutsch"}) {
    SCOPED_TRACE(name);
    const auto folder = fs::path(FERROWICK_SOURCE_DIR) / "languages" / name;
    for (const char* document : {"readme.txt", "license.txt"}) {
      const auto text = readBytes(folder / document);
      EXPECT_GT(text.size(), 500U) << document << " is missing or nearly empty";
      EXPECT_TRUE(validUtf8(text)) << document << " is not UTF-8";
    }

    const auto data = readBytes(folder / (name + ".txt"));
    ASSERT_GE(data.size(), 2U);
    // A mark would turn the first line, a comment, into an entry for index 0.
    EXPECT_NE(data.rfind("\xEF\xBB\xBF", 0), 0U);
    EXPECT_TRUE(validUtf8(data));
    EXPECT_EQ(data.substr(data.size() - 2), "\r\n") << "the last line has no CR LF";

    std::map<int, std::string> texts;
    int number = 0;
    for (std::size_t start = 0, end = 0; start < data.size(); start = end + 2) {
      end = std::min(data.find("\r\n", start), data.size());
      const std::string line = data.substr(start, end - start);
      ++number;
      // The loader takes a bare LF as part of the text and a bare CR as a line end.
      EXPECT_EQ(line.find_first_of("\r\n"), npos) << "line " << number << " has a bare CR or LF";
      if (line.empty() || line[0] == ';' || line.find_first_not_of(' ') == npos) continue;
      // The loader reads whatever the first three characters give; the shipped files
      // keep to plain three-digit indexes and a space so that nothing depends on that.
      const bool plain = line.find_first_not_of("0123456789") == 3 && line[3] == ' ';
      EXPECT_TRUE(plain) << "line " << number << " is malformed: " << line;
      if (plain && !texts.emplace(std::stoi(line.substr(0, 3)), line.substr(4)).second) {
        ADD_FAILURE() << "line " << number << " repeats index " << line.substr(0, 3);
      }
    }

    std::ostringstream missing;
    for (const auto& [from, to] : kRequired) {
      for (int index = from; index <= to; ++index) {
        const auto it = texts.find(index);
        if (it == texts.end() || it->second.find_first_not_of(" _") == npos)
          missing << ' ' << index;
      }
    }
    EXPECT_EQ(missing.str(), "") << "entries missing or showing nothing";
    std::set<int> indexes;
    for (const auto& entry : texts) indexes.insert(entry.first);
    if (reference.empty()) reference = indexes;
    EXPECT_EQ(indexes, reference) << "the entries differ from the first language's";
  }
}

}  // namespace
