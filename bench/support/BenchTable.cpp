#include "support/BenchTable.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace bench {

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ThreadSeconds() {
  FILETIME creation, exit, kernel, user;
  GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
  auto seconds = [](const FILETIME& time) {
    return static_cast<double>(static_cast<uint64_t>(time.dwHighDateTime) << 32 |
                               time.dwLowDateTime) *
           1e-7;
  };
  return seconds(kernel) + seconds(user);
}

std::string Milliseconds(double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f ms", seconds * 1000.0);
  return text;
}

} // namespace

double MinSeconds(int runs, const std::function<void()>& work) {
  return MinSeconds(runs, [] {}, work);
}

double MinSeconds(int runs, const std::function<void()>& setup, const std::function<void()>& work) {
  double best = std::numeric_limits<double>::max();
  for (int i = 0; i < runs; ++i) {
    setup();
    double start = Now();
    work();
    best = std::min(best, Now() - start);
  }
  return best;
}

double ThreadSecondsPerCall(double total, const std::function<void()>& work) {
  double start = ThreadSeconds();
  double now = start;
  int calls = 0;
  do {
    work();
    ++calls;
    now = ThreadSeconds();
  } while (now - start < total);
  return (now - start) / calls;
}

void BenchTable::AddRatio(const std::string& measure, double seconds,
                          const std::string& baselineName, double baselineSeconds, double target) {
  double ratio = baselineSeconds > 0 ? seconds / baselineSeconds : std::numeric_limits<double>::max();
  rows_.push_back({measure, Milliseconds(seconds), baselineName + " " + Milliseconds(baselineSeconds),
                   ratio, target});
}

void BenchTable::AddValue(const std::string& measure, double value, const std::string& unit,
                          double target) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f %s", value, unit.c_str());
  rows_.push_back({measure, text, "-", value, target});
}

bool BenchTable::Print(const std::string& title) const {
  std::printf("\n%s\n", title.c_str());
  std::printf("%-58s %14s %30s %9s %7s %5s\n", "measure", "time", "baseline", "ratio", "target",
              "pass");
  bool allPassed = true;
  for (const Row& row : rows_) {
    bool passed = row.ratio <= row.target;
    allPassed = allPassed && passed;
    std::printf("%-58s %14s %30s %9.2f %7.2f %5s\n", row.measure.c_str(), row.time.c_str(),
                row.baseline.c_str(), row.ratio, row.target, passed ? "yes" : "NO");
  }
  std::fflush(stdout);
  return allPassed;
}

} // namespace bench
