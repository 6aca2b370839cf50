// The registry store's text form: any bytes parse, and what the store writes of them
// reads back as the same keys and values.
#include "FuzzSupport.h"
#include "runtime/registry/RegistryHive.h"

using namespace ferrowick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const runtime::RegistryHive hive = runtime::RegistryHive::parse(fuzz::asText(data, size));
  const std::string written = hive.serialize("HKEY_CURRENT_USER");
  fuzz::check(runtime::RegistryHive::parse(written).serialize("HKEY_CURRENT_USER") == written,
              "a written store reads back as written");
  return 0;
}
