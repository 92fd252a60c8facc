// Find and replace on an editor, window-free: the flags the dialog builds, whether a selection
// is a match, find next, replace and replace all. The editor is reached through TEditTarget,
// so the same steps run on a real editor and on a string.
#pragma once

#include "core/GapText.h"
#include "core/TextSearch.h"

#include <string>
#include <string_view>

namespace quolin {

// The few editor operations find and replace needs. Positions and lengths are bytes as the
// editor counts them.
class TEditTarget {
public:
  virtual ~TEditTarget() = default;

  virtual std::string Text() const = 0;
  // Copies up to length bytes of the text from start into out: the bytes copied, fewer only at
  // the text's end.
  virtual int ReadText(int start, int length, char* out) const = 0;
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual void SetSelection(int start, int length) = 0;
  // Replaces the selection; the caret then stands after the inserted text. False when the
  // text did not change (a read-only editor refuses).
  virtual bool ReplaceSelection(std::string_view text) = 0;
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual bool ReadOnly() const = 0;
};

// One update bracket of a target, closed also when a step throws.
class TUpdateBracket {
public:
  explicit TUpdateBracket(TEditTarget& target) : target_(target) { target_.BeginUpdate(); }
  ~TUpdateBracket() { target_.EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
  TEditTarget& target_;
};

// A target over a string, for tests and the fuzzer.
class TStringEditTarget : public TEditTarget {
public:
  explicit TStringEditTarget(std::string text, bool readOnly = false)
      : text_(std::move(text)), readOnly_(readOnly) {}

  std::string Text() const override {
    ++textReads_;
    return text_;
  }
  int ReadText(int start, int length, char* out) const override;
  int SelStart() const override { return selStart_; }
  int SelLength() const override { return selLength_; }
  void SetSelection(int start, int length) override;
  bool ReplaceSelection(std::string_view text) override;
  void BeginUpdate() override { ++updateDepth_; }
  void EndUpdate() override { --updateDepth_; }
  bool ReadOnly() const override { return readOnly_; }

  int UpdateDepth() const { return updateDepth_; }
  int TextReads() const { return textReads_; }
  size_t BytesRead() const { return bytesRead_; }
  // The text without counting a read.
  const std::string& Contents() const { return text_; }

private:
  std::string text_;
  bool readOnly_;
  int selStart_ = 0;
  int selLength_ = 0;
  int updateDepth_ = 0;
  mutable int textReads_ = 0;
  mutable size_t bytesRead_ = 0;
};

// The options of the dialog that decide the matcher's flags.
struct TFindOptions {
  bool Forward = true;
  bool MatchCase = false;
  bool WholeWord = false;
  bool IgnoreWidth = false;
};

int SearchFlagsFromDialog(const TFindOptions& options);

// Whether the selected text is a match of search as find would select it: case and width fold
// as the matcher folds them; the whole-word flag plays no part.
bool MatchesSelection(std::string_view selected, std::string_view search, bool matchCase,
                      bool ignoreWidth);

// Finds the next match from the target's selection and selects it: its start, or -1 with the
// selection left alone.
int FindInEditor(TEditTarget& target, std::string_view pattern, int flags);

// Find and replace on one target, reading its whole text once and keeping that copy current
// through its own replacements.
class TFindSession {
public:
  // largestWindow: the most a read of the target takes at once (small in tests, to cut texts).
  explicit TFindSession(TEditTarget& target, int largestWindow = kLargestWindow)
      : target_(target), largestWindow_(largestWindow) {}

  // As FindInEditor, on the session's copy.
  int FindNext(std::string_view pattern, int flags);
  // Replaces the selection when it matches search; then the caret stands beyond the replaced
  // text in the search direction. True when the text changed.
  bool ReplaceIfMatching(std::string_view search, std::string_view replacement, int flags);
  // Replace, then find next: whether a next match was found.
  bool ReplaceStep(std::string_view search, std::string_view replacement, int flags);
  // Replaces every match from the selection on in the search direction inside one update
  // bracket; the number of replacements made.
  int ReplaceAll(std::string_view search, std::string_view replacement, int flags);

private:
  struct TPattern;

  TGapText& Text();
  TSearchPos TargetSelection() const;
  // The next match from selection, into selection; false leaves it alone.
  bool Search(TSearchPos& selection, TPattern& pattern);
  // Forward, reading the target a window at a time.
  bool SearchForward(TSearchPos& selection, TPattern& pattern);

  // Text of the target from a little before first: the Behind bytes before first that a
  // forward search from there reads, then up to width bytes; ToEnd when it reaches the end.
  struct TWindow {
    std::string_view Text;
    int Behind = 0;
    bool ToEnd = false;
  };
  // False when first lies beyond the text's end.
  bool ReadWindow(int first, int width, TWindow& window);
  // The window last read, from first on, when it still holds what a search from there reads.
  bool KeptWindow(int first, TWindow& window) const;
  // Follows this session's replacement of the target's bytes [start, start + length) by
  // replacement (stored as it is when verbatim), or forgets the window.
  void KeepWindowThrough(int start, int length, std::string_view replacement, bool verbatim);
  // Replaces selection, the target's selection too, when it matches the pattern; then
  // selection is the caret beyond the replaced text in the search direction.
  bool ReplaceSelected(TSearchPos& selection, TPattern& search, std::string_view replacement);

  // Windows of a few kilobytes stay in the processor's cache; a copy of a large text in fresh
  // memory costs more than searching it.
  static constexpr int kLeastWindow = 64;
  static constexpr int kLargestWindow = 64 * 1024;

  TEditTarget& target_;
  int largestWindow_;
  std::string window_;
  int windowBytes_ = kLeastWindow;
  bool streaming_ = false;
  // window_[0] stands at the target's offset windowStart_ (-1: no window); its bytes from index
  // windowValid_ up to windowRead_ are the target's own. A replace all reads each byte once:
  // the bytes after a replacement are still in the window, the replacement is put before them.
  int windowStart_ = -1;
  int windowValid_ = 0;
  int windowRead_ = 0;
  bool windowToEnd_ = false;
  // The last match found and its text in the window, until the next replacement.
  struct {
    TSearchPos At{-1, -1};
    std::string_view Text;
  } lastMatch_;
  // Backward searches work on a copy of the whole text that follows the replacements.
  TGapText text_;
  bool haveText_ = false;
};

} // namespace quolin
