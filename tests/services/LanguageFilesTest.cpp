#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ranges>
#include <string>

namespace {

constexpr auto npos = std::string::npos;

constexpr std::pair<int, int> kRequired[] = {{100, 101}, {118, 122}, {125, 128}, {135, 135},
                                             {144, 147}, {177, 229}, {232, 288}};

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool validUtf8(const std::string& bytes) {
  std::size_t extra = 0;  // continuation bytes still due
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (extra > 0 ? (c & 0xC0U) != 0x80U : (c >= 0x80 && c < 0xC2) || c >= 0xF5) return false;
    extra = extra > 0 ? extra - 1 : c < 0xC2 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
  }
  return extra == 0;
}

TEST(LanguageFiles, EveryLanguageIsCompleteWellFormedAndMatchesTheFirst) {
  std::map<int, std::string> first;
  for (const std::string name : {"English", "Polish", "Deutsch"}) {
    SCOPED_TRACE(name);
    const auto folder = std::filesystem::path(FERROWICK_SOURCE_DIR) / "languages" / name;
    for (const char* document : {"readme.txt", "license.txt"}) {
      const auto text = readBytes(folder / document);
      EXPECT_TRUE(text.size() > 500 && validUtf8(text)) << document;
    }
    const auto data = readBytes(folder / (name + ".txt"));
    EXPECT_TRUE(validUtf8(data) && data.ends_with("\r\n")) << "not UTF-8, or no CR LF at the end";

    std::map<int, std::string> texts;
    for (std::size_t start = 0, end = 0; start < data.size(); start = end + 2) {
      end = std::min(data.find("\r\n", start), data.size());
      const std::string line = data.substr(start, end - start);
      // The loader takes a bare LF as part of the text and a bare CR as a line end.
      EXPECT_EQ(line.find_first_of("\r\n"), npos) << "a bare CR or LF in: " << line;
      if (line.empty() || line[0] == ';' || line.find_first_not_of(' ') == npos) continue;
      // The loader reads any first three characters; the files keep to "NNN text" regardless.
      const bool plain = line.find_first_not_of("0123456789") == 3 && line[3] == ' ';
      EXPECT_TRUE(plain && texts.emplace(std::stoi(line.substr(0, 3)), line.substr(4)).second)
          << "malformed or repeating its index: " << line;
    }
    for (const auto& [from, to] : kRequired)
      for (int index = from; index <= to; ++index)  // each entry is there and shows something
        EXPECT_TRUE(texts.contains(index) && texts[index].find_first_not_of(" _") != npos) << index;
    if (first.empty()) first = texts;
    EXPECT_TRUE(std::ranges::equal(std::views::keys(texts), std::views::keys(first)));
  }
}

}  // namespace
