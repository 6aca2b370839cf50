#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ferrowick::testing {

template <class List>
std::vector<std::string> itemsOf(const List& list) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < list.count(); ++i) items.push_back(list.item(i));
  return items;
}

}  // namespace ferrowick::testing
