// Desktop entries: any entry file reads without harm, and a command written as an entry
// reads back as the same command.
#include <optional>

#include "FuzzSupport.h"
#include "runtime/Faults.h"
#include "runtime/RuntimeError.h"
#include "runtime/registry/AutostartEntries.h"
#include "runtime/registry/DesktopEntry.h"

using namespace ferrowick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::asText(data, size);
  const runtime::AutostartEntries entries(fuzz::scratchFolder());
  runtime::Faults faults;
  fuzz::writeScratch("Read.desktop", bytes);
  entries.read("Read", faults);

  fuzz::check(runtime::unescapeDesktopString(runtime::escapeDesktopString(bytes)) == bytes,
              "an escaped string unescapes to itself");
  // A command is one program; NUL cannot stand in a file's text.
  if (bytes.empty() || bytes.find('\0') != std::string_view::npos) return 0;
  entries.write("Written", bytes, faults);
  const std::optional<std::string> command = entries.read("Written", faults);
  fuzz::check(command && *command == bytes, "a written command reads back the same");
  return 0;
}
