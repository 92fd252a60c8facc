// The main of the editor tests: the tests, or a mode of a second process.
#include "SecondProcess.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  int exitCode = 0;
  if (editortest::RunRequestedMode(argc, argv, exitCode))
    return exitCode;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
