// Records what a command line asks for, one readable line per action.
#pragma once

#include "app/CommandLine.h"

#include <string>
#include <vector>

namespace quolin::test_support {

struct ActionLog {
  std::vector<std::string> entries;

  CommandLineActions Actions(const std::string& programFolder = "P:\\prog\\") {
    CommandLineActions actions;
    actions.openFile = [this](const std::string& file, bool asTemplate, int line) {
      entries.push_back("open " + file + " line=" + std::to_string(line) +
                        (asTemplate ? " template" : ""));
    };
    actions.runCommand = [this](const std::string& text) { entries.push_back("command " + text); };
    actions.bringToFront = [this] { entries.push_back("front"); };
    actions.programFolder = programFolder;
    return actions;
  }
};

} // namespace quolin::test_support
