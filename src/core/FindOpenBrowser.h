// The find-and-open browser's window-free rules: which files its list shows, and the back and
// forward lists of the files it previewed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// Folders never show (the tree has them); with allFiles every file does; otherwise only a file
// whose extension is in textList (".tex.txt." ...).
bool ShowsInFindOpenList(std::string_view fileName, bool isFolder, bool allFiles,
                         std::string_view textList);

// Entry 0 of the back list is the file shown now; entry 0 of the forward list the one a step
// forward goes to.
class TPreviewHistory {
public:
  static constexpr std::size_t MenuLimit = 16;

  // A newly previewed file: the forward list is dropped.
  void Push(const std::string& path);
  // Steps + 1 files back or forward; the file shown then, or nothing when out of range.
  std::optional<std::string> GoBack(std::size_t steps);
  std::optional<std::string> GoForward(std::size_t steps);

  bool CanGoBack() const { return back_.size() > 1; }
  bool CanGoForward() const { return !forward_.empty(); }
  // Entry k of a menu goes back or forward by k.
  std::vector<std::string> BackMenu() const;
  std::vector<std::string> ForwardMenu() const;

  const std::vector<std::string>& BackList() const { return back_; }
  const std::vector<std::string>& ForwardList() const { return forward_; }

private:
  std::vector<std::string> back_;
  std::vector<std::string> forward_;
};

} // namespace quolin
