// TSpellParser: splits a line into tokens for the spell engine. It keeps the editor
// tokenizer's classes and kind numbers, but works on a copy of its own, gives TeX control
// sequences their own kind (tkControlSequence) and knows no brackets, quoted strings,
// hexadecimal prefixes or control codes. Its URL characters lack "+". Window-free.
#pragma once

#include "core/Persistent.h"
#include "core/TokenScan.h"

#include <string>
#include <string_view>

namespace quolin {

class TSpellParser : public TObject {
public:
  // Copies text and reads the first token.
  TSpellParser(std::string_view text, bool urlCheck, bool mailCheck, std::string commenter);

  virtual void SkipBlanks();
  // Reads the next token; at byte 0 it stays on the end token.
  virtual void NextToken();

  std::string_view TokenString() const;
  // The token start's byte offset in the text.
  int SourcePos() const { return static_cast<int>(tokenStart_); }
  EditorTokenKind TokenKind() const { return tokenKind_; }

private:
  std::string text_; // the copy; std::string keeps a zero byte after it
  size_t pos_ = 0;
  size_t tokenStart_ = 0;
  EditorTokenKind tokenKind_ = tkEnd;
  std::string commenter_;
  bool mailCheck_;
  bool urlCheck_;
  MailScanner mail_;
  BackslashTracker backslash_;

  bool Take(size_t end, EditorTokenKind kind);
};

} // namespace quolin
