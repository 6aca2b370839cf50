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

std::optional<Faults::Rule> Faults::take(FaultPoint point, std::string_view path,
                                         bool withActions) {
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (it->point != point || (it->action && !withActions)) continue;
    if (!it->pathPart.empty() && path.find(it->pathPart) == std::string_view::npos) continue;
    if (it->skip > 0) {
      --it->skip;
      continue;
    }
    Rule taken{it->point, {}, it->number, 0, 0, std::move(it->action)};
    if (--it->times <= 0) rules_.erase(it);
    return taken;
  }
  return std::nullopt;
}

void Faults::check(FaultPoint point, std::string_view path) {
  if (rules_.empty()) return;
  const std::optional<Rule> rule = take(point, path, true);
  if (!rule) return;
  if (rule->action) {
    rule->action();
    return;
  }
  raise(rule->number);
}

int Faults::planned(FaultPoint point, std::string_view path) {
  const std::optional<Rule> rule = take(point, path, false);
  return rule ? rule->number : 0;
}

}  // namespace ferrowick::runtime
