#include "core/CommandExpander.h"

#include "core/Format.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace quolin {

namespace {

constexpr std::string_view CrLf = "\r\n";
constexpr std::string_view NoRepeatWord = "$NoRepeat";
constexpr std::string_view IdeographicSpace = "\x81\x40";
constexpr int DefaultPlugInBuffer = 2048;
constexpr int MaxPlugInBuffer = 16 * 1024 * 1024;
const std::string Mark(1, ProtectionMark);

std::string& StoredCommand() {
  static std::string command;
  return command;
}

std::string ReplaceByte(std::string_view text, char from, char to) {
  std::string result(text);
  std::replace(result.begin(), result.end(), from, to);
  return result;
}

std::string MarkDollars(std::string_view text) {
  return ReplaceByte(text, '$', ProtectionMark);
}

std::string Unmark(std::string_view text) {
  return ReplaceByte(text, ProtectionMark, '$');
}

std::string ExpandControls(std::string_view text, std::string_view lineBreak) {
  std::string result = ReplaceEvery(text, "$Tab", "\t");
  result = ReplaceEvery(result, "$Ret", lineBreak);
  result = ReplaceEvery(result, "$Rtn", CrLf);
  return ReplaceEvery(result, "$_", " ");
}

// A value inside an expansion: marks stay, so nothing literal is expanded later.
std::string MarkedValue(std::string_view value, std::string_view lineBreak) {
  return ExpandControls(ReplaceEvery(value, "$$", Mark), lineBreak);
}

// The items of a comma text with its marks kept; the split takes the mark for a blank, so it
// sees the doubled "$" in its place.
std::vector<std::string> MarkedItems(std::string_view text) {
  std::vector<std::string> items = CommaTextItems(ReplaceEvery(text, Mark, "$$"));
  for (std::string& item : items)
    item = ReplaceEvery(item, "$$", Mark);
  return items;
}

std::string MarkedArg(std::string_view arguments, std::string_view lineBreak, int index,
                      std::string_view defaultValue) {
  std::vector<std::string> items = MarkedItems(arguments);
  bool given = index >= 0 && index < static_cast<int>(items.size());
  return MarkedValue(given ? std::string_view(items[index]) : defaultValue, lineBreak);
}

// The lines of a selection split at CR LF; a final CR LF ends the last line.
std::vector<std::string_view> SelectionLines(std::string_view selection) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < selection.size()) {
    size_t end = selection.find(CrLf, start);
    if (end == std::string_view::npos)
      end = selection.size();
    lines.push_back(selection.substr(start, end - start));
    start = end + CrLf.size();
  }
  return lines;
}

// text ends with the whole characters of tail.
bool EndsWithWhole(std::string_view text, std::string_view tail) {
  return !tail.empty() && text.ends_with(tail) &&
         !sjis::IsTrailByteAt(text, text.size() - tail.size());
}

// text holds, from pos, the whole characters of head.
bool HasWholeAt(std::string_view text, size_t pos, std::string_view head) {
  size_t end = pos + head.size();
  return !head.empty() && text.substr(pos).starts_with(head) &&
         (end >= text.size() || !sjis::IsTrailByteAt(text, end));
}

size_t CountWhole(std::string_view text, std::string_view needle) {
  if (needle.empty())
    return 0;
  size_t count = 0;
  for (size_t pos = sjis::FindText(text, needle); pos != std::string_view::npos;
       pos = sjis::FindText(text, needle, pos + needle.size()))
    ++count;
  return count;
}

std::string RemoveWhole(std::string_view text, std::string_view needle) {
  std::string result;
  size_t pos = 0;
  for (size_t found = sjis::FindText(text, needle); found != std::string_view::npos;
       found = sjis::FindText(text, needle, pos)) {
    result.append(text.substr(pos, found - pos));
    pos = found + needle.size();
  }
  return result.append(text.substr(pos));
}

std::string SlashPath(std::string_view path) {
  std::string result(path);
  for (size_t pos = 0; pos < result.size(); pos += sjis::CharLength(result, pos))
    if (result[pos] == '\\' && sjis::CharLength(result, pos) == 1)
      result[pos] = '/';
  return result;
}

class TExpander {
public:
  TExpander(TCommandDialogs& dialogs, std::string text, const std::string& selected,
            const std::string& documentFile, bool perLine, const std::string& lineBreak)
      : dialogs_(dialogs), text_(std::move(text)), selected_(selected),
        selection_(MarkDollars(selected)), documentFile_(documentFile), perLine_(perLine),
        lineBreak_(lineBreak) {}

  bool Run(TExpansion& expansion) {
    text_ = ReplaceEvery(text_, "$$", Mark);
    if (perLine_)
      text_ = ReplaceEvery(ReplaceEvery(text_, "$Ret", ""), "$Rtn", "");
    text_ = ExpandControls(text_, lineBreak_);
    caret_ = text_.size();
    selLength_ = 0;
    if (!File() || !Picture())
      return false;
    Columns();
    if (!Table() || !PlugIn())
      return false;
    Fractions();
    HeadSelection();
    HeadDelete();
    EachCharacter();
    Selection();
    expansion.Result = Unmark(text_);
    expansion.CaretOffset = static_cast<int>(caret_);
    expansion.SelLength = static_cast<int>(selLength_);
    return true;
  }

private:
  TCommandDialogs& dialogs_;
  std::string text_;
  const std::string& selected_;
  const std::string selection_;
  const std::string& documentFile_;
  const bool perLine_;
  const std::string& lineBreak_;
  size_t caret_ = 0;
  size_t selLength_ = 0;

  bool Contains(std::string_view name) const { return text_.find(name) != std::string::npos; }
  bool ContainsAny(std::initializer_list<std::string_view> names) const {
    return std::any_of(names.begin(), names.end(), [this](auto name) { return Contains(name); });
  }
  // The argument list of the first "name(...)", taken out of the text.
  std::string TakeArgs(std::string_view name) {
    std::string arguments, rest;
    ExtractMacroArgs(text_, name, arguments, rest);
    text_ = std::move(rest);
    return arguments;
  }
  std::string Arg(std::string_view arguments, int index, std::string_view defaultValue) const {
    return MarkedArg(arguments, lineBreak_, index, defaultValue);
  }
  std::string PlainArg(std::string_view arguments, int index, std::string_view defaultValue) const {
    return Unmark(Arg(arguments, index, defaultValue));
  }

  // A filled placeholder leaves the whole result selected; an emptied one leaves the caret
  // where it stood.
  void Fill(std::string_view name, std::string_view value) {
    size_t first = text_.find(name);
    if (first == std::string::npos)
      return;
    text_ = ReplaceEvery(text_, name, value);
    if (value.empty()) {
      caret_ = first;
      selLength_ = 0;
    } else {
      WholeSelected();
    }
  }
  void WholeSelected() {
    caret_ = 0;
    selLength_ = text_.size();
  }
  void WholeResult(std::string result) {
    text_ = std::move(result);
    WholeSelected();
  }

  bool File() {
    if (!Contains("$File"))
      return true;
    std::string arguments = TakeArgs("$File");
    TFileRequest request;
    request.ShortName = IsTrueArg(PlainArg(arguments, 0, "False"));
    request.Title = PlainArg(arguments, 2, "");
    request.Filter = PlainArg(arguments, 3, res::DefaultFileFilter);
    request.HistoryKey = PlainArg(arguments, 4, "");
    std::string path;
    if (!dialogs_.ChooseFile(request, path))
      return false;
    // An untitled document has no folder to be relative to.
    if (!IsTrueArg(PlainArg(arguments, 1, "True")) && !documentFile_.empty())
      path = GetRelativePath(path, documentFile_);
    if (IsTrueArg(PlainArg(arguments, 5, "True")))
      path = SlashPath(path);
    Fill("$File", MarkDollars(path));
    return true;
  }

  bool Picture() {
    if (!Contains("$PicFile"))
      return true;
    TPictureRequest request;
    request.Arguments = Unmark(TakeArgs("$PicFile"));
    request.WantsCaption = Contains("$PicCaption");
    request.WantsLabel = Contains("$PicLabel");
    TPictureValues values;
    if (!dialogs_.ChoosePicture(request, values))
      return false;
    const std::pair<std::string_view, const std::string&> fills[] = {
        {"$PicFile", values.FileName}, {"$PicHeight", values.Height},
        {"$PicWidth", values.Width},   {"$PicVScale", values.VScale},
        {"$PicHScale", values.HScale}, {"$PicCaption", values.Caption},
        {"$PicLabel", values.Label}};
    for (const auto& [name, value] : fills)
      Fill(name, MarkDollars(value));
    return true;
  }

  void Columns() {
    if (Contains("$ColCount")) {
      std::string arguments = TakeArgs("$ColCount");
      size_t count = CountWhole(selection_, Arg(arguments, 0, "&"));
      int base = StrToIntDef(PlainArg(arguments, 1, "1"), 1);
      Fill("$ColCount", IntToStr(static_cast<int64_t>(count) + base));
    }
    if (Contains("$ColFmt")) {
      std::string arguments = TakeArgs("$ColFmt");
      std::string rule = Arg(arguments, 0, "|");
      Fill("$ColFmt", rule + Arg(arguments, 1, "c") + rule);
    }
    if (Contains("$ColSel")) {
      std::vector<std::string> items = MarkedItems(TakeArgs("$ColSel"));
      if (items.empty())
        items.push_back("&");
      std::string value = selection_;
      for (const std::string& item : items)
        if (std::string marked = MarkedValue(item, lineBreak_); !marked.empty())
          value = RemoveWhole(value, marked);
      Fill("$ColSel", value);
    }
  }

  bool Table() {
    if (!ContainsAny({"$MatrixFmt", "$MatrixBody", "$FigEnvOpt"}))
      return true;
    TTableValues values;
    if (!dialogs_.BuildTable({text_, selected_, lineBreak_}, values))
      return false;
    TakeArgs("$MatrixDef");
    text_ = ReplaceEvery(text_, "$MatrixDef", "");
    const std::pair<std::string_view, const std::string&> fills[] = {
        {"$MatrixFmt", values.Format}, {"$MatrixBody", values.Body}, {"$FigEnvOpt", values.Option}};
    for (const auto& [name, value] : fills) {
      TakeArgs(name);
      text_ = ReplaceEvery(text_, name, MarkDollars(value));
    }
    WholeSelected();
    return true;
  }

  bool PlugIn() {
    if (!Contains("$DllCall"))
      return true;
    std::string arguments = TakeArgs("$DllCall");
    std::string output;
    if (!dialogs_.CallPlugIn(PlainArg(arguments, 0, ""), PlainArg(arguments, 1, ""), selected_,
                             PlugInBufferSize(PlainArg(arguments, 2, "")), output))
      return false;
    Fill("$DllCall", MarkDollars(output));
    return true;
  }

  void Fractions() {
    if (!ContainsAny({"$FracA", "$FracB", "$FlacA", "$FlacB"}))
      return;
    // "/" is never the second byte of a double-byte character.
    size_t split = selection_.find("//");
    std::string before = selection_.substr(0, split);
    std::string after = split == std::string::npos ? "" : selection_.substr(split + 2);
    for (std::string_view name : {"$FracA", "$FlacA"})
      Fill(name, before);
    for (std::string_view name : {"$FracB", "$FlacB"})
      Fill(name, after);
  }

  void HeadSelection() {
    if (!Contains("$HSel"))
      return;
    std::string arguments = TakeArgs("$HSel");
    std::string head = Arg(arguments, 0, " \\item ");
    std::string skipDefault = Trim(head).starts_with("%") ? "" : "%,\\\\";
    std::vector<std::string> skip = MarkedItems(Arg(arguments, 1, skipDefault));
    if (selection_.empty()) {
      size_t first = text_.find("$HSel");
      text_ = ReplaceEvery(text_, "$HSel", head);
      caret_ = first + head.size();
      selLength_ = 0;
      return;
    }
    std::string value = head;
    size_t start = 0;
    for (size_t end = selection_.find(CrLf); end != std::string::npos;
         end = selection_.find(CrLf, start)) {
      std::string_view line(selection_.data() + start, end - start);
      value.append(line).append(CrLf);
      if (std::none_of(skip.begin(), skip.end(),
                       [line](const std::string& item) { return EndsWithWhole(line, item); }))
        value += head;
      start = end + CrLf.size();
    }
    value.append(selection_, start);
    Fill("$HSel", value);
  }

  void HeadDelete() {
    if (!Contains("$HDel"))
      return;
    std::string head = Arg(TakeArgs("$HDel"), 0, "%");
    std::string result;
    for (std::string_view line : SelectionLines(selection_)) {
      size_t indent = std::min(line.find_first_not_of(" \t"), line.size());
      if (HasWholeAt(line, indent, head))
        result.append(line.substr(0, indent)).append(line.substr(indent + head.size()));
      else
        result.append(line);
      result.append(CrLf);
    }
    if (!selection_.ends_with(CrLf) && !result.empty())
      result.resize(result.size() - CrLf.size());
    WholeResult(std::move(result));
  }

  void EachCharacter() {
    if (!Contains("$Char"))
      return;
    if (selection_.empty()) {
      Fill("$Char", "");
      return;
    }
    std::string result;
    for (size_t pos = 0; pos < selection_.size();) {
      const size_t length = sjis::CharLength(selection_, pos);
      std::string_view character(selection_.data() + pos, length);
      pos += length;
      auto byte = static_cast<unsigned char>(character[0]);
      // A protected "$" stands for a printable character.
      bool kept = length == 1 ? (byte <= ' ' || byte == 0x7F) && character[0] != ProtectionMark
                              : character == IdeographicSpace;
      result += kept ? std::string(character) : ReplaceEvery(text_, "$Char", character);
    }
    WholeResult(std::move(result));
  }

  void Selection() {
    if (!Contains("$S"))
      return;
    if (!perLine_ || selection_.empty()) {
      Fill("$S", selection_);
      return;
    }
    std::string result;
    for (std::string_view line : SelectionLines(selection_))
      result.append(ReplaceEvery(text_, "$S", line)).append(CrLf);
    WholeResult(std::move(result));
  }
};

} // namespace

// Every placeholder begins with "$", which is never the second byte of a double-byte
// character, so a byte search finds only whole characters.
std::string ReplaceEvery(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  size_t pos = 0;
  for (size_t found = text.find(from); found != std::string_view::npos;
       found = text.find(from, pos)) {
    result.append(text.substr(pos, found - pos)).append(to);
    pos = found + from.size();
  }
  result.append(text.substr(pos));
  return result;
}

void ExtractMacroArgs(std::string_view text, std::string_view name, std::string& arguments,
                      std::string& rest) {
  arguments.clear();
  rest.assign(text);
  std::string opening = std::string(name) + "(";
  size_t start = sjis::FindText(text, opening);
  if (start == std::string_view::npos)
    return;
  size_t first = start + opening.size();
  bool quoted = false;
  for (size_t pos = first; pos < text.size(); pos += sjis::CharLength(text, pos)) {
    if (sjis::CharLength(text, pos) != 1)
      continue;
    if (text[pos] == '"') {
      quoted = !quoted;
    } else if (text[pos] == ')' && !quoted) {
      arguments.assign(text.substr(first, pos - first));
      rest.assign(text.substr(0, start + name.size())).append(text.substr(pos + 1));
      return;
    }
  }
}

std::string GetCommaTextArg(std::string_view arguments, std::string_view lineBreak, int index,
                            std::string_view defaultValue) {
  return Unmark(MarkedArg(arguments, lineBreak, index, defaultValue));
}

std::string GetMacroArg(std::string_view name, std::string_view command, int index,
                        std::string_view defaultValue) {
  std::string arguments, rest;
  ExtractMacroArgs(command, name, arguments, rest);
  return GetCommaTextArg(arguments, CrLf, index, defaultValue);
}

bool IsTrueArg(std::string_view text) {
  return !text.empty() && text[0] != 'F' && text[0] != 'f' && text[0] != '0';
}

std::string ExpandControlText(std::string_view text, std::string_view lineBreak) {
  return Unmark(MarkedValue(text, lineBreak));
}

std::string EncodeControlChars(std::string_view text) {
  return ReplaceEvery(ReplaceEvery(text, "\t", "$Tab"), CrLf, "$Ret");
}

std::string DecodeCommandForEdit(std::string_view text, std::string_view lineBreak) {
  std::string marked = ReplaceEvery(text, "$$", Mark);
  marked = ReplaceEvery(ReplaceEvery(marked, "$Tab", "\t"), "$Ret", lineBreak);
  return ReplaceEvery(marked, Mark, "$$");
}

int PlugInBufferSize(std::string_view text) {
  int size = 0;
  if (!TryStrToInt(text, size))
    return DefaultPlugInBuffer;
  return std::clamp(size, 1, MaxPlugInBuffer);
}

bool ExpandCommandText(TCommandDialogs& dialogs, const std::string& command,
                       const std::string& selected, const std::string& documentFile, bool perLine,
                       const std::string& lineBreak, TExpansion& expansion) {
  bool repeatable = command.compare(0, NoRepeatWord.size(), NoRepeatWord) != 0;
  std::string text = repeatable ? command : command.substr(NoRepeatWord.size());
  TExpander expander(dialogs, std::move(text), selected, documentFile, perLine, lineBreak);
  if (!expander.Run(expansion))
    return false;
  if (repeatable && !command.empty())
    StoredCommand() = command;
  return true;
}

const std::string& RepeatableCommand() {
  return StoredCommand();
}

std::string LastCommandText() {
  return StoredCommand().empty() ? std::string(res::NoCommandToRepeat) : StoredCommand();
}

} // namespace quolin
