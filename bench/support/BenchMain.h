// The main of a benchmark program: "--smoke" as the first argument asks for a small input,
// measured once, which ctest runs to see that the program still works.
#pragma once

#include "support/BenchChecks.h"
#include "support/BenchTable.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace bench {

// What a program measures: it fills the table and the checks, and throws when it cannot go on.
using BenchBody = std::function<void(BenchTable& table, Checks& checks)>;

inline bool SmokeAsked(int argc, char** argv) {
  return argc > 1 && std::string(argv[1]) == "--smoke";
}

// Runs body, then prints the table under title. The program's status: 2 when body threw (said
// at once) or a check failed, 1 when a full run missed a target, else 0: a smoke run's figures
// are too small to judge.
inline int BenchMain(bool smoke, const std::string& title, const BenchBody& body) {
  BenchTable table;
  Checks checks;
  try {
    body(table, checks);
  } catch (const std::exception& error) {
    std::printf("FAILED: %s\n", error.what());
    return 2;
  }
  const bool met = table.Print(title);
  if (checks.Failed())
    return 2;
  return met || smoke ? 0 : 1;
}

} // namespace bench
