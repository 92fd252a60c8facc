// The closing table of a benchmark: measure, time, baseline, ratio, target, pass.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

// Minimum wall time in seconds of runs calls of work (QueryPerformanceCounter).
double MinSeconds(int runs, const std::function<void()>& work);
// The same, with setup run untimed before each call of work.
double MinSeconds(int runs, const std::function<void()>& setup, const std::function<void()>& work);
// Processor time of this thread in seconds per call of work, which is called until the calls
// took at least total seconds of it. Time the thread waits for a processor does not count, so a
// busy machine changes the figure little; Wine counts the time in steps of 10 ms, which total
// must dwarf.
double ThreadSecondsPerCall(double total, const std::function<void()>& work);

class BenchTable {
public:
  // A time measured against a baseline of the same run; passes when time / baseline <= target.
  void AddRatio(const std::string& measure, double seconds, const std::string& baselineName,
                double baselineSeconds, double target);
  // A figure with its own target (memory per byte, a size ratio); passes when value <= target.
  void AddValue(const std::string& measure, double value, const std::string& unit, double target);
  // Prints the table to stdout; true when every row passed.
  bool Print(const std::string& title) const;

private:
  struct Row {
    std::string measure, time, baseline;
    double ratio, target;
  };
  std::vector<Row> rows_;
};

} // namespace bench
