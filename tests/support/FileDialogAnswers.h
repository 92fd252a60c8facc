// Answers the program's open and save dialogs while it lives: each dialog's fields are kept,
// and chosenFile is confirmed (an empty one cancels).
#pragma once

#include "common/FileDialogs.h"

#include <string>
#include <vector>

namespace quolin::test_support {

struct FileDialogAnswers {
  std::vector<TFileDialogFields> shown;
  std::string chosenFile;

  FileDialogAnswers() {
    SetFileDialogHook([this](const TFileDialogFields& fields) {
      shown.push_back(fields);
      TFileDialogAnswer answer;
      answer.Confirmed = !chosenFile.empty();
      if (answer.Confirmed)
        answer.FileNames = {chosenFile};
      return answer;
    });
  }
  ~FileDialogAnswers() { SetFileDialogHook({}); }
  FileDialogAnswers(const FileDialogAnswers&) = delete;
  FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;
};

} // namespace quolin::test_support
