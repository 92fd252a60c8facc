#include "core/FindReplace.h"

#include "core/TextSearch.h"

#include <algorithm>

namespace quolin {

void TStringEditTarget::SetSelection(int start, int length) {
  int size = static_cast<int>(text_.size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}

bool TStringEditTarget::ReplaceSelection(std::string_view text) {
  if (readOnly_)
    return false;
  text_.replace(selStart_, selLength_, text);
  selStart_ += static_cast<int>(text.size());
  selLength_ = 0;
  return true;
}

int SearchFlagsFromDialog(const TFindOptions& options) {
  return (options.Forward ? sfForward : 0) | (options.MatchCase ? sfMatchCase : 0) |
         (options.WholeWord ? sfWholeWord : 0) | (options.IgnoreWidth ? sfIgnoreWidth : 0);
}

bool MatchesSelection(std::string_view selected, std::string_view search, bool matchCase,
                      bool ignoreWidth) {
  int flags = (matchCase ? sfMatchCase : 0) | (ignoreWidth ? sfIgnoreWidth : 0);
  // Folding exactly as the matcher does keeps replace in step with what find selected.
  return MatchLengthAt(selected, 0, search, flags) == static_cast<int>(selected.size());
}

namespace {

// Searches text from the target's selection; on a match selects it.
int FindFromSelection(TEditTarget& target, std::string_view text, std::string_view pattern,
                      int flags) {
  TSearchPos position{target.SelStart(), target.SelLength()};
  if (!FindTextMatch(text, position, pattern, flags))
    return -1;
  target.SetSelection(position.Start, position.Length);
  return position.Start;
}

} // namespace

int FindInEditor(TEditTarget& target, std::string_view pattern, int flags) {
  return FindFromSelection(target, target.Text(), pattern, flags);
}

const std::string& TFindSession::Text() {
  if (!haveText_) {
    text_ = target_.Text();
    haveText_ = true;
  }
  return text_;
}

std::string TFindSession::Selected() {
  const std::string& text = Text();
  int start = std::clamp(target_.SelStart(), 0, static_cast<int>(text.size()));
  int length = std::clamp(target_.SelLength(), 0, static_cast<int>(text.size()) - start);
  return text.substr(start, length);
}

int TFindSession::FindNext(std::string_view pattern, int flags) {
  return FindFromSelection(target_, Text(), pattern, flags);
}

bool TFindSession::ReplaceIfMatching(std::string_view search, std::string_view replacement,
                                     int flags) {
  if (!MatchesSelection(Selected(), search, flags & sfMatchCase, flags & sfIgnoreWidth))
    return false;
  int start = target_.SelStart();
  int length = target_.SelLength();
  if (!target_.ReplaceSelection(replacement))
    return false;
  int end = target_.SelStart();
  // The editor may store the inserted text differently (line ends); then read it again.
  if (end == start + static_cast<int>(replacement.size()))
    text_.replace(start, length, replacement);
  else
    haveText_ = false;
  // The next search starts beyond the replaced text, so it is never searched again.
  target_.SetSelection((flags & sfForward) ? end : start, 0);
  return true;
}

bool TFindSession::ReplaceStep(std::string_view search, std::string_view replacement,
                               int flags) {
  ReplaceIfMatching(search, replacement, flags);
  return FindNext(search, flags) >= 0;
}

namespace {

// One update bracket of the target, closed also when a step throws.
class TUpdateBracket {
public:
  explicit TUpdateBracket(TEditTarget& target) : target_(target) { target_.BeginUpdate(); }
  ~TUpdateBracket() { target_.EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
  TEditTarget& target_;
};

} // namespace

int TFindSession::ReplaceAll(std::string_view search, std::string_view replacement, int flags) {
  int count = 0;
  TUpdateBracket bracket(target_);
  do {
    if (ReplaceIfMatching(search, replacement, flags))
      ++count;
  } while (FindNext(search, flags) >= 0);
  return count;
}

} // namespace quolin
