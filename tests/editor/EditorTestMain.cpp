// The main of the editor tests: the editor unit's start-up step, then the tests or a mode of
// a second process.
#include "SecondProcess.h"
#include "editor/EditorStartup.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  quolin::EditorUnitStartup();
  int exitCode = 0;
  if (editortest::RunRequestedMode(argc, argv, exitCode))
    return exitCode;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
