// The rules of the master editor that need no window: stepping through the command images,
// when a master is offered to input assistance, the keyword its command suggests, the
// "\begin{name}" that Enter closes, the command field's help context and the ready-made texts.
// Texts are Shift-JIS: "\", "{" and "}" are matched as whole characters only, since they are
// also second bytes of double-byte characters ("表" is 95 5C, "マ" 83 7D).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quolin {

// The image type choice: none, the built-in strip, the user's images.
enum TImageKind { ikNone, ikStandard, ikUser };
int FirstImageOfKind(TImageKind kind);
// One step back or forward from image in a list of imageCount images; image itself where a step
// stops. The built-in strip runs 0 to FirstUserImage - 1 and goes on at SecondStripImage; the
// list's last image is a blank spare that stepping never reaches.
int StepImageBack(int image);
int StepImageForward(int image, int imageCount);

// Offered to input assistance only when asked for and both keyword and command are there.
bool ShowListOf(bool checked, std::string_view assistCaption, std::string_view command);

// What the automatic input makes of the command text: whether to offer the master, and when
// so, its keyword.
struct TAutoKeyword {
  bool Checked = false;
  std::string Keyword;
};
TAutoKeyword AutoKeyword(std::string_view commandText);
// The keyword of a command line: "\begin{" and every "\" removed, cut before the first "{"
// unless it comes first, every "}" removed.
std::string KeywordOfLine(std::string_view line);

// The last complete "\begin{name}" on the caret's line before caret (a byte offset in text).
struct TBeginName {
  // The name's offset in text.
  size_t Start = 0;
  std::string Name;
};
std::optional<TBeginName> BeginNameBeforeCaret(std::string_view text, size_t caret);
// What Enter inserts after "\begin{name}": a line break, a blank line and "\end{name}"; the
// caret goes after the first line break.
std::string EndOfEnvironment(std::string_view name);

// The command field's help context: empty, a user command, or a built-in word.
int CommandHelpContext(std::string_view commandText);

// The command editor's pop-up texts.
struct TReadyMadeText {
  const char* Caption;
  const char* Text;
};
inline constexpr int ReadyMadeTextCount = 9;
extern const TReadyMadeText ReadyMadeTexts[ReadyMadeTextCount];

} // namespace quolin
