#include "runtime/Faults.h"

#include <utility>

#include "runtime/RuntimeError.h"

namespace ferrowick::runtime {

void Faults::inject(FaultPoint point, int number, std::string pathPart, int times, int skip) {
  rules_.push_back({point, std::move(pathPart), number, times, skip, {}});
}

void Faults::interfere(FaultPoint point, std::function<void()> action, std::string pathPart,
                       int skip) {
  rules_.push_back({point, std::move(pathPart), 0, 1, skip, std::move(action)});
}

void Faults::clear() { rules_.clear(); }

void Faults::check(FaultPoint point, std::string_view path) {
  if (rules_.empty()) return;
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (it->point != point) continue;
    if (!it->pathPart.empty() && path.find(it->pathPart) == std::string_view::npos) continue;
    if (it->skip > 0) {
      --it->skip;
      continue;
    }
    const int number = it->number;
    std::function<void()> action = std::move(it->action);
    if (--it->times <= 0) rules_.erase(it);
    if (action) {
      action();
      return;
    }
    raise(number);
  }
}

int Faults::planned(FaultPoint point, std::string_view path) {
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (it->point != point || it->action) continue;
    if (!it->pathPart.empty() && path.find(it->pathPart) == std::string_view::npos) continue;
    if (it->skip > 0) {
      --it->skip;
      continue;
    }
    const int number = it->number;
    if (--it->times <= 0) rules_.erase(it);
    return number;
  }
  return 0;
}

}  // namespace ferrowick::runtime
