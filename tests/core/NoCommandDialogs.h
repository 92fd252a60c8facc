// The expander's dialogs as the router runs a command text where no placeholder may open one:
// every dialog is cancelled.
#pragma once

#include "core/CommandExpander.h"

#include <string>

namespace quolin::test_support {

class NoCommandDialogs : public TCommandDialogs {
public:
  bool ChooseFile(const TFileRequest&, std::string&) override { return false; }
  bool ChoosePicture(const TPictureRequest&, TPictureValues&) override { return false; }
  bool BuildTable(const TTableRequest&, TTableValues&) override { return false; }
  bool CallPlugIn(const std::string&, const std::string&, const std::string&, int,
                  std::string&) override {
    return false;
  }
};

} // namespace quolin::test_support
