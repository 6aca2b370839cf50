// The settings file: any bytes parse; the document's own bytes read back as the same
// document; and a value the document accepts reads back exactly from the written bytes.
// Input: file bytes, then optionally section, key and value, each after a 0x1F byte.
#include <vector>

#include "FuzzSupport.h"
#include "runtime/profile/ProfileDocument.h"

using namespace ferrowick;

namespace {
std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator)) {
    parts.push_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  parts.push_back(text);
  return parts;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> parts = split(fuzz::asText(data, size), '\x1f');
  runtime::ProfileDocument document = runtime::ProfileDocument::parse(parts[0]);
  const std::string bytes = document.text();
  fuzz::check(runtime::ProfileDocument::parse(bytes).text() == bytes,
              "a written document reads back as written");
  if (parts.size() < 4) return 0;
  if (document.write(parts[1], parts[2], parts[3]) != 1) return 0;
  const runtime::ProfileDocument reread = runtime::ProfileDocument::parse(document.text());
  const std::string* value = reread.find(parts[1], parts[2]);
  fuzz::check(value != nullptr && *value == parts[3], "a stored value reads back the same");
  return 0;
}
