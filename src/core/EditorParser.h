// TEditorParser: splits a row into tokens for colouring, bracket states and the token under
// the caret. With a view, its View options add bracket pairs, mail addresses, URLs, comments,
// quoted strings, a hexadecimal prefix and "#" control codes. Window-free.
#pragma once

#include "core/Persistent.h"
#include "core/TokenScan.h"

#include <string_view>

namespace quolin {

class EditorView;
class TEditorViewInfo;

class TEditorParser : public TObject {
public:
  // No bracket open.
  static constexpr int kNoBracket = -1;
  // State not computed: bracket pairs are not recognised.
  static constexpr int kNotComputed = -2;

  // A plain tokenizer: no view. Reads the first token at once.
  explicit TEditorParser(std::string_view text);
  // A tokenizer steered by editor's View options, starting in state.
  TEditorParser(const EditorView& editor, std::string_view text, int state);

  virtual void SkipBlanks();
  // Reads the next token; after the end token it stays at the end.
  virtual void NextToken();

  // The token start's offset in the text.
  int SourcePos() const { return static_cast<int>(tokenStart_); }
  // The offset after the token.
  int TokenEnd() const { return static_cast<int>(pos_); }
  std::string_view TokenString() const { return text_.substr(tokenStart_, pos_ - tokenStart_); }
  EditorTokenKind TokenKind() const { return tokenKind_; }
  // -2 not computed, -1 no bracket open, else the index of the open pair in View.Brackets.
  int State() const { return state_; }
  // The pair the current bracket token belongs to (-2 until one was found).
  int BracketIndex() const { return bracketIndex_; }

protected:
  // Back to the first byte and the first token read again; a descendant with rules of its
  // own calls it from its constructor.
  void Restart();

private:
  const TEditorViewInfo* view_ = nullptr;
  int initialState_ = kNotComputed;
  int state_ = kNotComputed;
  int bracketIndex_ = kNotComputed;
  std::string_view text_;
  size_t pos_ = 0;
  size_t tokenStart_ = 0;
  EditorTokenKind tokenKind_ = tkEnd;
  bool ended_ = false;
  MailScanner mail_;
  BackslashTracker backslash_;

  bool ViewToken();
  bool OpenBracket();
  void BracketScan();
  void QuotedString(char quote);
  void ControlCode();
};

} // namespace quolin
