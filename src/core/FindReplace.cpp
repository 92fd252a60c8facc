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

// The search text compiled once for the searches of one step and for the selection check,
// which folds as MatchesSelection does.
struct TFindSession::TPattern {
  TPattern(std::string_view text, int flags)
      : Text(text), Flags(flags), Search(text, flags),
        Selection(text, flags & (sfMatchCase | sfIgnoreWidth)) {}

  bool MatchesSelection(std::string_view selected) {
    return Selection.LengthAt(selected, 0) == static_cast<int>(selected.size());
  }

  std::string_view Text;
  int Flags;
  TPreparedSearch Search;
  TPreparedSearch Selection;
};

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

TGapText& TFindSession::Text() {
  if (!haveText_) {
    text_.Assign(target_.Text());
    haveText_ = true;
  }
  return text_;
}

TSearchPos TFindSession::TargetSelection() const {
  return {target_.SelStart(), target_.SelLength()};
}

bool TFindSession::Search(TSearchPos& selection, TPattern& pattern) {
  TGapText& text = Text();
  // The matcher refuses a record outside the text.
  if (selection.Start < 0 || selection.Length < 0 ||
      static_cast<size_t>(selection.Start) > text.Size())
    return false;
  auto start = static_cast<size_t>(selection.Start);
  size_t offset = 0;
  std::string_view view;
  TSearchPos position{selection.Start, 0};
  if (pattern.Flags & sfForward) {
    size_t first = start + static_cast<size_t>(selection.Length);
    if (first > text.Size())
      return false;
    view = text.ForwardView(first, offset);
    position.Start = static_cast<int>(first - offset);
  } else {
    view = text.BackwardView(start, pattern.Text, pattern.Flags);
  }
  if (!pattern.Search.Find(view, position))
    return false;
  selection = {position.Start + static_cast<int>(offset), position.Length};
  return true;
}

int TFindSession::FindNext(std::string_view pattern, int flags) {
  TPattern search(pattern, flags);
  TSearchPos selection = TargetSelection();
  if (!Search(selection, search))
    return -1;
  target_.SetSelection(selection.Start, selection.Length);
  return selection.Start;
}

bool TFindSession::ReplaceSelected(TSearchPos& selection, TPattern& search,
                                   std::string_view replacement) {
  TGapText& text = Text();
  int size = static_cast<int>(text.Size());
  int start = std::clamp(selection.Start, 0, size);
  int length = std::clamp(selection.Length, 0, size - start);
  if (!search.MatchesSelection(text.Substr(start, length)))
    return false;
  if (!target_.ReplaceSelection(replacement))
    return false;
  int end = target_.SelStart();
  // The editor may store the inserted text differently (line ends); then read it again.
  if (end == start + static_cast<int>(replacement.size()))
    text.Replace(start, length, replacement);
  else
    haveText_ = false;
  // The next search starts beyond the replaced text, so it is never searched again.
  selection = {(search.Flags & sfForward) ? end : start, 0};
  return true;
}

bool TFindSession::ReplaceIfMatching(std::string_view search, std::string_view replacement,
                                     int flags) {
  TPattern pattern(search, flags);
  TSearchPos selection = TargetSelection();
  if (!ReplaceSelected(selection, pattern, replacement))
    return false;
  target_.SetSelection(selection.Start, selection.Length);
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
  // The selection is followed here; the target's is set only where a replacement needs it.
  TPattern pattern(search, flags);
  TSearchPos selection = TargetSelection();
  bool replaced = false;
  while (true) {
    replaced = ReplaceSelected(selection, pattern, replacement);
    count += replaced ? 1 : 0;
    if (!Search(selection, pattern))
      break;
    target_.SetSelection(selection.Start, selection.Length);
  }
  // A replacement leaves the caret after the inserted text; the failing search began elsewhere
  // when it went backward.
  if (replaced)
    target_.SetSelection(selection.Start, selection.Length);
  return count;
}

} // namespace quolin
