#include "services/RegValue.h"

namespace ferrowick::services {

std::string RegValue::text() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
  return {};
}

}  // namespace ferrowick::services
