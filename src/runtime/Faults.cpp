#include "runtime/Faults.h"

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void Faults::inject(std::string operation, int number, std::string pathPart, int times,
                    int skip) {
  rules_.push_back({std::move(operation), std::move(pathPart), number, times, skip});
}

void Faults::clear() { rules_.clear(); }

void Faults::check(std::string_view operation, std::string_view path) {
  if (rules_.empty()) return;
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (it->operation != operation) continue;
    if (!it->pathPart.empty() && path.find(it->pathPart) == std::string_view::npos) continue;
    if (it->skip > 0) {
      --it->skip;
      continue;
    }
    const int number = it->number;
    if (--it->times <= 0) rules_.erase(it);
    raise(number);
  }
}

}  // namespace ferrowick::runtime
