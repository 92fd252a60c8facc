// The main of the shell tests: the shell unit's start and end around the tests, as the
// program's start-up does.
#include "shell/ShellIDFunc.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  quolin::ShellUnitStartup();
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  quolin::ShellUnitShutdown();
  return result;
}
