// What a benchmark found wrong in what it timed: each failed check is printed at once, and the
// program ends with status 2 when any failed.
#pragma once

#include <cstdio>
#include <string>

namespace bench {

class Checks {
public:
  void Expect(bool ok, const std::string& what) {
    if (ok)
      return;
    std::printf("CHECK FAILED: %s\n", what.c_str());
    failed_ = true;
  }
  bool Failed() const { return failed_; }

private:
  bool failed_ = false;
};

} // namespace bench
