#include "core/EditorParser.h"

#include "core/EditorOptions.h"
#include "core/EditorView.h"

namespace quolin {

namespace {

bool StartsWithAt(std::string_view text, size_t pos, std::string_view part) {
  return pos <= text.size() && text.substr(pos).starts_with(part);
}

} // namespace

TEditorParser::TEditorParser(std::string_view text) : text_(text) {
  Restart();
}

TEditorParser::TEditorParser(const EditorView& editor, std::string_view text, int state)
    : view_(&editor.View()), initialState_(state), text_(text) {
  Restart();
}

void TEditorParser::Restart() {
  state_ = initialState_;
  bracketIndex_ = kNotComputed;
  pos_ = tokenStart_ = 0;
  ended_ = false;
  mail_ = MailScanner();
  NextToken();
}

void TEditorParser::SkipBlanks() {
  pos_ = quolin::SkipBlanks(text_, pos_);
}

void TEditorParser::NextToken() {
  if (ended_)
    return;
  backslash_.TokenEnded(TokenString(), pos_);
  SkipBlanks();
  tokenStart_ = pos_;
  if (AtRowEnd(text_, pos_)) {
    tokenKind_ = tkEnd;
    ended_ = true;
    return;
  }
  if (view_ && ViewToken())
    return;
  ScannedToken token = ScanByFirstByte(text_, pos_);
  pos_ = token.end;
  tokenKind_ = token.kind;
}

bool TEditorParser::ViewToken() {
  const TEditorViewInfo& view = *view_;
  // A state left from other brackets counts as no bracket open.
  if (state_ >= view.Brackets().Count())
    state_ = kNoBracket;
  if (state_ >= 0) {
    bracketIndex_ = state_;
    BracketScan();
    return true;
  }
  if (state_ == kNoBracket && OpenBracket())
    return true;
  auto take = [this](size_t end, EditorTokenKind kind) {
    if (end == pos_)
      return false;
    pos_ = end;
    tokenKind_ = kind;
    return true;
  };
  if (view.Mail() && take(mail_.Scan(text_, pos_), tkMail))
    return true;
  if (view.Url() && take(ScanUrl(text_, pos_, EditorUrlChars()), tkUrl))
    return true;
  if (CommentStartsAt(text_, pos_, view.Commenter(), backslash_.LoneBackslashEndsAt(pos_)))
    return take(RowEnd(text_, pos_), tkComment);
  unsigned char byte = ByteOf(text_, pos_);
  if (!view.Quotation().empty() && byte == static_cast<unsigned char>(view.Quotation()[0])) {
    QuotedString(view.Quotation()[0]);
    return true;
  }
  if (!view.HexPrefix().empty() && StartsWithAt(text_, pos_, view.HexPrefix())) {
    return take(SkipHexDigits(text_, pos_ + view.HexPrefix().size()), tkInteger);
  }
  if (byte == '#' && view.ControlCode()) {
    ControlCode();
    return true;
  }
  return false;
}

bool TEditorParser::OpenBracket() {
  const TEditorBracketCollection& brackets = view_->Brackets();
  for (int i = 0; i < brackets.Count(); ++i) {
    const std::string& left = brackets.Items(i).LeftBracket();
    if (left.empty() || !StartsWithAt(text_, pos_, left))
      continue;
    pos_ += left.size();
    state_ = bracketIndex_ = i;
    BracketScan();
    return true;
  }
  return false;
}

void TEditorParser::BracketScan() {
  tokenKind_ = tkBracket;
  const std::string& right = view_->Brackets().Items(bracketIndex_).RightBracket();
  while (!AtRowEnd(text_, pos_)) {
    if (StartsWithAt(text_, pos_, right)) {
      pos_ += right.size();
      state_ = kNoBracket;
      return;
    }
    pos_ += CharBytes(text_, pos_);
  }
}

void TEditorParser::QuotedString(char quote) {
  tokenKind_ = tkString;
  ++pos_;
  while (!AtRowEnd(text_, pos_)) {
    if (text_[pos_] != quote) {
      pos_ += CharBytes(text_, pos_);
      continue;
    }
    ++pos_;
    if (ByteOf(text_, pos_) != static_cast<unsigned char>(quote))
      return;
    ++pos_; // a doubled quote stands for one
  }
}

void TEditorParser::ControlCode() {
  tokenKind_ = tkString;
  ++pos_;
  pos_ = ByteOf(text_, pos_) == '$' ? SkipHexDigits(text_, pos_ + 1) : SkipDigits(text_, pos_);
}

} // namespace quolin
