#include "core/FindReplace.h"

#include "core/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace quolin {

void TStringEditTarget::SetSelection(int start, int length) {
  int size = static_cast<int>(text_.size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}

int TStringEditTarget::ReadText(int start, int length, char* out) const {
  int size = static_cast<int>(text_.size());
  if (start < 0 || start > size || length <= 0)
    return 0;
  int bytes = std::min(length, size - start);
  std::memcpy(out, text_.data() + start, static_cast<size_t>(bytes));
  bytesRead_ += static_cast<size_t>(bytes);
  return bytes;
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
  lastMatch_ = {};
  // The matcher refuses a record outside the text.
  if (selection.Start < 0 || selection.Length < 0)
    return false;
  if (pattern.Flags & sfForward)
    return SearchForward(selection, pattern);
  TGapText& text = Text();
  if (static_cast<size_t>(selection.Start) > text.Size())
    return false;
  auto start = static_cast<size_t>(selection.Start);
  std::string_view view = text.BackwardView(start, pattern.Text, pattern.Flags);
  TSearchPos position{selection.Start, 0};
  if (!pattern.Search.Find(view, position))
    return false;
  selection = position;
  return true;
}

bool TFindSession::ReadWindow(int first, int width, TWindow& window) {
  // The bytes before first that the search reads come with the window; more of them when a run
  // of lead bytes reaches back beyond them.
  for (int before = std::min(first, 4);; before = std::min(first, 2 * before)) {
    auto bytes = static_cast<size_t>(before + width);
    if (window_.size() < bytes)
      window_.resize(bytes);
    int read = target_.ReadText(first - before, before + width, window_.data());
    if (read < before)
      return false;
    std::string_view text(window_.data(), static_cast<size_t>(read));
    auto behind =
        static_cast<int>(ForwardSearchLookBehind(text.substr(0, static_cast<size_t>(before))));
    if (behind < before || before == first) {
      window = {text.substr(static_cast<size_t>(before - behind)), behind, read - before < width};
      windowStart_ = first - before;
      windowValid_ = 0;
      windowRead_ = read;
      windowToEnd_ = window.ToEnd;
      return true;
    }
  }
}

bool TFindSession::KeptWindow(int first, TWindow& window) const {
  int index = first - windowStart_;
  if (windowStart_ < 0 || index < windowValid_ || index > windowRead_)
    return false;
  std::string_view text(window_.data() + windowValid_,
                        static_cast<size_t>(windowRead_ - windowValid_));
  int before = index - windowValid_;
  auto behind =
      static_cast<int>(ForwardSearchLookBehind(text.substr(0, static_cast<size_t>(before))));
  // The bytes before the known ones may be what a run of lead bytes reaches back to.
  if (behind >= before && first != before)
    return false;
  window = {text.substr(static_cast<size_t>(before - behind)), behind, windowToEnd_};
  return true;
}

void TFindSession::KeepWindowThrough(int start, int length, std::string_view replacement,
                                     bool verbatim) {
  int index = start - windowStart_;
  auto size = static_cast<int>(replacement.size());
  int from = index + length - size;
  if (!verbatim || windowStart_ < 0 || index < windowValid_ || index + length > windowRead_ ||
      from < 0) {
    windowStart_ = -1;
    return;
  }
  // The bytes after the replaced ones stay where they are; what stood before the replacement
  // is no longer beside it.
  std::memcpy(window_.data() + from, replacement.data(), replacement.size());
  windowStart_ += size - length;
  windowValid_ = from;
}

bool TFindSession::SearchForward(TSearchPos& selection, TPattern& pattern) {
  int first = selection.Start + selection.Length;
  int width = streaming_ ? largestWindow_ : windowBytes_;
  TWindow window;
  bool have = KeptWindow(first, window) || ReadWindow(first, width, window);
  for (; have; have = ReadWindow(first, width, window)) {
    std::string_view view = window.Text;
    // Near a window's end the matcher would judge candidates by a text cut short.
    auto judged = static_cast<int>(
        window.ToEnd ? view.size()
                     : view.size() - ForwardSearchLookAhead(view, pattern.Text, pattern.Flags));
    TSearchPos position{window.Behind, 0};
    if (pattern.Search.Find(view, position) && position.Start < judged) {
      selection = {first - window.Behind + position.Start, position.Length};
      lastMatch_ = {selection, view.substr(static_cast<size_t>(position.Start),
                                           static_cast<size_t>(position.Length))};
      // The next search likely goes about as far.
      int reach = position.Start + position.Length - window.Behind;
      windowBytes_ = std::clamp(reach + reach / 8, kLeastWindow, largestWindow_);
      return true;
    }
    if (window.ToEnd)
      return false;
    int next = first - window.Behind + judged;
    // A window without a judged candidate beyond first grows until it has one.
    width = next > first ? std::min(2 * width, largestWindow_) : 2 * width;
    first = std::max(first, next);
  }
  // first lies beyond the text's end.
  return false;
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
  int start = std::max(selection.Start, 0);
  // The text of a match just found is still in the window.
  std::string read;
  std::string_view selected = lastMatch_.Text;
  if (!(selection == lastMatch_.At)) {
    read.resize(static_cast<size_t>(std::max(selection.Length, 0)));
    read.resize(
        static_cast<size_t>(target_.ReadText(start, static_cast<int>(read.size()), read.data())));
    selected = read;
  }
  lastMatch_ = {};
  if (!search.MatchesSelection(selected))
    return false;
  if (!target_.ReplaceSelection(replacement))
    return false;
  // Only line breaks may be stored otherwise; asking the target where its caret went costs it a
  // walk over its rows.
  int end = replacement.find_first_of("\r\n") == std::string_view::npos
                ? start + static_cast<int>(replacement.size())
                : target_.SelStart();
  // The editor may store the inserted text differently (line ends); then read it again.
  bool verbatim = end == start + static_cast<int>(replacement.size());
  if (haveText_) {
    if (verbatim)
      text_.Replace(static_cast<size_t>(start), selected.size(), replacement);
    else
      haveText_ = false;
  }
  KeepWindowThrough(start, static_cast<int>(selected.size()), replacement, verbatim);
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

bool TFindSession::ReplaceStep(std::string_view search, std::string_view replacement, int flags) {
  ReplaceIfMatching(search, replacement, flags);
  return FindNext(search, flags) >= 0;
}

int TFindSession::ReplaceAll(std::string_view search, std::string_view replacement, int flags) {
  int count = 0;
  TUpdateBracket bracket(target_);
  // The selection is followed here; the target's is set only where a replacement needs it.
  TPattern pattern(search, flags);
  TSearchPos selection = TargetSelection();
  bool replaced = false;
  // The window read stays in use after each replacement, so it may as well be large.
  streaming_ = true;
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
