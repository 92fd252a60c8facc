#include "core/FindOpenBrowser.h"

#include "core/DocumentText.h"

#include <algorithm>

namespace quolin {

bool ShowsInFindOpenList(std::string_view fileName, bool isFolder, bool allFiles,
                         std::string_view textList) {
  if (isFolder)
    return false;
  return allFiles || HasListedExtension(fileName, textList);
}

namespace {

// Moves count entries, one by one, from the top of one list to the top of the other.
void MoveTop(std::vector<std::string>& from, std::vector<std::string>& to, std::size_t count) {
  for (std::size_t moved = 0; moved < count; ++moved) {
    to.insert(to.begin(), std::move(from.front()));
    from.erase(from.begin());
  }
}

std::vector<std::string> MenuFrom(const std::vector<std::string>& list, std::size_t first) {
  if (list.size() <= first)
    return {};
  std::size_t count = std::min(list.size() - first, TPreviewHistory::MenuLimit);
  return {list.begin() + first, list.begin() + first + count};
}

} // namespace

void TPreviewHistory::Push(const std::string& path) {
  forward_.clear();
  back_.insert(back_.begin(), path);
}

std::optional<std::string> TPreviewHistory::GoBack(std::size_t steps) {
  if (back_.size() < 2 || steps + 1 >= back_.size())
    return std::nullopt;
  MoveTop(back_, forward_, steps + 1);
  return back_.front();
}

std::optional<std::string> TPreviewHistory::GoForward(std::size_t steps) {
  if (steps >= forward_.size())
    return std::nullopt;
  MoveTop(forward_, back_, steps + 1);
  return back_.front();
}

std::vector<std::string> TPreviewHistory::BackMenu() const { return MenuFrom(back_, 1); }

std::vector<std::string> TPreviewHistory::ForwardMenu() const { return MenuFrom(forward_, 0); }

} // namespace quolin
