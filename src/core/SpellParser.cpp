#include "core/SpellParser.h"

namespace quolin {

namespace {

// The editor's URL characters without "+".
const ByteSet& SpellUrlChars() {
  static const ByteSet set = [] {
    ByteSet chars = EditorUrlChars();
    chars.reset('+');
    return chars;
  }();
  return set;
}

} // namespace

TSpellParser::TSpellParser(std::string_view text, bool urlCheck, bool mailCheck,
                           std::string commenter)
    : text_(text), commenter_(std::move(commenter)), mailCheck_(mailCheck), urlCheck_(urlCheck) {
  NextToken();
}

void TSpellParser::SkipBlanks() {
  pos_ = quolin::SkipBlanks(text_, pos_);
}

std::string_view TSpellParser::TokenString() const {
  return std::string_view(text_).substr(tokenStart_, pos_ - tokenStart_);
}

void TSpellParser::NextToken() {
  backslash_.TokenEnded(TokenString(), pos_);
  SkipBlanks();
  tokenStart_ = pos_;
  if (AtRowEnd(text_, pos_)) {
    tokenKind_ = tkEnd;
    return;
  }
  if (mailCheck_ && Take(mail_.Scan(text_, pos_), tkMail))
    return;
  if (urlCheck_ && Take(ScanUrl(text_, pos_, SpellUrlChars()), tkUrl))
    return;
  if (CommentStartsAt(text_, pos_, commenter_, backslash_.LoneBackslashEndsAt(pos_))) {
    Take(RowEnd(text_, pos_), tkComment);
    return;
  }
  ScannedToken token = ScanByFirstByte(text_, pos_);
  Take(token.end, token.kind == tkWord && text_[pos_] == '\\' ? tkControlSequence : token.kind);
}

// Moves to end as a token of kind; false when end is the token start (nothing taken).
bool TSpellParser::Take(size_t end, EditorTokenKind kind) {
  if (end == pos_)
    return false;
  pos_ = end;
  tokenKind_ = kind;
  return true;
}

} // namespace quolin
