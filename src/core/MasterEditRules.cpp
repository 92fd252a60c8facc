#include "core/MasterEditRules.h"

#include "core/CommandRecords.h"
#include "core/Format.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr int LastStandardImage = FirstUserImage - 1;
constexpr int LastUserImage = SecondStripImage - 1;
constexpr size_t MinimumAutoLength = 5;
constexpr std::string_view BuiltInPrefixes[] = {"$Sys_", "$List", "$Font"};
constexpr std::string_view BeginText = "\\begin{";

constexpr int EmptyCommandContext = 1401;
constexpr int UserCommandContext = 1402;
constexpr int SysCommandContext = 1403;

bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         sjis::EqualIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// Every whole-character occurrence of part removed.
std::string RemoveAll(std::string_view text, std::string_view part) {
  std::string result;
  size_t start = 0;
  for (size_t found; (found = sjis::FindText(text, part, start)) != std::string_view::npos;
       start = found + part.size())
    result.append(text.substr(start, found - start));
  result.append(text.substr(start));
  return result;
}

// TAB is never a second byte, so a byte replace is safe.
std::string TabsAsPlaceholders(std::string_view text) {
  std::string result;
  for (char ch : text)
    result += ch == '\t' ? std::string_view("$Tab") : std::string_view(&ch, 1);
  return result;
}

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos))
    ++count;
  return count;
}

std::string_view FirstNonEmptyLine(std::string_view text) {
  while (!text.empty()) {
    size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (!line.empty() || end == std::string_view::npos)
      return line;
    text.remove_prefix(end + 1);
  }
  return {};
}

} // namespace

const TReadyMadeText ReadyMadeTexts[ReadyMadeTextCount] = {
    {"選択文字列", "$S"},
    {"選択文字", "$Char"},
    {"行頭挿入", "$HSel"},
    {"作表", "\\begin{tabular}{$MatrixFmt}$MatrixBody\\end{tabular}"},
    {"行列", "\\begin{array}{$MatrixFmt}$MatrixBody\\end{array}"},
    {"セル結合", "\\multicolumn{$ColCount}{$ColFmt}{$ColSel}"},
    {"ファイル名", "$File"},
    {"画像ファイル名",
     "\\special[$PicHeight, $PicWidth]{imgfile=$PicFile}\r\n\\caption{$PicCaption}\r\n"
     "\\label{$PicLabel}"},
    {"分数", "\\frac{$FlacA}{$FlacB}"},
};

int FirstImageOfKind(TImageKind kind) {
  switch (kind) {
  case ikStandard:
    return 0;
  case ikUser:
    return FirstUserImage;
  default:
    return NoImage;
  }
}

int StepImageBack(int image) {
  if (image == NoImage || image == 0 || image == FirstUserImage)
    return image;
  return image == SecondStripImage ? LastStandardImage : image - 1;
}

int StepImageForward(int image, int imageCount) {
  if (image == NoImage || image == LastUserImage)
    return image;
  int next = image == LastStandardImage ? SecondStripImage : image + 1;
  return next > imageCount - 2 ? image : next;
}

bool ShowListOf(bool checked, std::string_view assistCaption, std::string_view command) {
  return checked && !assistCaption.empty() && !command.empty();
}

TAutoKeyword AutoKeyword(std::string_view commandText) {
  std::string line = Trim(TabsAsPlaceholders(FirstNonEmptyLine(commandText)));
  TAutoKeyword result;
  result.Checked = CharacterCount(line) >= MinimumAutoLength;
  for (std::string_view prefix : BuiltInPrefixes)
    result.Checked = result.Checked && !BeginsIgnoringCase(line, prefix);
  if (result.Checked)
    result.Keyword = KeywordOfLine(line);
  return result;
}

std::string KeywordOfLine(std::string_view line) {
  std::string keyword = RemoveAll(RemoveAll(line, BeginText), "\\");
  size_t brace = sjis::FindChar(keyword, '{');
  if (brace != std::string::npos && brace > 0)
    keyword.resize(brace);
  return RemoveAll(keyword, "}");
}

std::optional<TBeginName> BeginNameBeforeCaret(std::string_view text, size_t caret) {
  caret = std::min(caret, text.size());
  size_t lineStart = text.substr(0, caret).find_last_of("\r\n");
  lineStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
  std::string_view line = text.substr(lineStart, caret - lineStart);
  std::optional<TBeginName> last;
  for (size_t found = sjis::FindText(line, BeginText); found != std::string_view::npos;
       found = sjis::FindText(line, BeginText, found + BeginText.size())) {
    size_t nameStart = found + BeginText.size();
    size_t close = sjis::FindChar(line, '}', nameStart);
    if (close == std::string_view::npos || close == nameStart)
      continue;
    last = TBeginName{lineStart + nameStart, std::string(line.substr(nameStart, close - nameStart))};
  }
  return last;
}

std::string EndOfEnvironment(std::string_view name) {
  return "\r\n\r\n\\end{" + std::string(name) + "}";
}

int CommandHelpContext(std::string_view commandText) {
  if (commandText.empty())
    return EmptyCommandContext;
  return BeginsIgnoringCase(commandText, BuiltInPrefixes[0]) ? SysCommandContext
                                                             : UserCommandContext;
}

} // namespace quolin
