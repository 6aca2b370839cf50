#pragma once

#include <string>

namespace ferrowick::runtime {

// This computer's network name; the empty string when it cannot be read.
std::string computerName();

}  // namespace ferrowick::runtime
