#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ferrowick::runtime {

// Lets tests make a chosen operation fail with a chosen run-time error. CI runs as root,
// where permission and many device failures never happen by themselves.
class Faults {
 public:
  // The next `times` calls of `operation` whose path contains `pathPart` (any path when
  // empty), after `skip` matching calls have passed, raise error `number`.
  void inject(std::string operation, int number, std::string pathPart = {}, int times = 1,
              int skip = 0);
  void clear();

  // Raises the planned error when a rule matches this call.
  void check(std::string_view operation, std::string_view path);

 private:
  struct Rule {
    std::string operation;
    std::string pathPart;
    int number;
    int times;
    int skip;
  };
  std::vector<Rule> rules_;
};

}  // namespace ferrowick::runtime
