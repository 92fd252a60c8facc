// The placeholder language of user commands against a fake dialog side: argument lists, the
// expansion order, caret and selection, cancelling and the remembered last command.
#include "core/CommandExpander.h"
#include "core/ResConst.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

// Answers every dialog from its fields; a false answer cancels.
class FakeDialogs : public TCommandDialogs {
public:
  bool confirm = true;
  std::string chosenFile = "C:\\Users\\x\\doc.tex";
  std::string pluginOutput = "OUT";
  TPictureValues picture;
  TTableValues table;
  std::vector<TFileRequest> fileRequests;
  std::vector<TPictureRequest> pictureRequests;
  std::vector<TTableRequest> tableRequests;
  std::vector<std::vector<std::string>> pluginCalls;

  bool ChooseFile(const TFileRequest& request, std::string& path) override {
    fileRequests.push_back(request);
    path = request.ShortName ? "C:\\SHORT~1\\A.TEX" : chosenFile;
    return confirm;
  }
  bool ChoosePicture(const TPictureRequest& request, TPictureValues& values) override {
    pictureRequests.push_back(request);
    values = picture;
    return confirm;
  }
  bool BuildTable(const TTableRequest& request, TTableValues& values) override {
    tableRequests.push_back(request);
    values = table;
    return confirm;
  }
  bool CallPlugIn(const std::string& library, const std::string& function, const std::string& input,
                  int bufferSize, std::string& output) override {
    pluginCalls.push_back({library, function, input, std::to_string(bufferSize)});
    output = pluginOutput;
    return confirm;
  }
};

struct Expanded {
  bool done;
  std::string result;
  int caret;
  int selLength;
};

Expanded Expand(FakeDialogs& dialogs, const std::string& command, const std::string& selected,
                bool perLine = false, const std::string& lineBreak = "\r\n",
                const std::string& documentFile = "C:\\Users\\x\\main.tex") {
  TExpansion expansion;
  bool done =
      ExpandCommandText(dialogs, command, selected, documentFile, perLine, lineBreak, expansion);
  return {done, expansion.Result, expansion.CaretOffset, expansion.SelLength};
}

Expanded Expand(const std::string& command, const std::string& selected, bool perLine = false,
                const std::string& lineBreak = "\r\n") {
  FakeDialogs dialogs;
  return Expand(dialogs, command, selected, perLine, lineBreak);
}

TEST(MacroArgs, QuotesParenthesesAndDoubleByteText) {
  struct Case {
    std::string text, name, arguments, rest;
  } cases[] = {
      {"a$F(x,y)b", "$F", "x,y", "a$Fb"},
      {"$F(\"a)b\",c)d", "$F", "\"a)b\",c", "$Fd"},
      {"$F(表,ソ)$F(2)", "$F", "表,ソ", "$F$F(2)"},
      // The second byte of "ソ" is not a ")" nor a quote: the scan steps over whole characters.
      {"$F(\x83\x29)x)", "$F", "\x83\x29", "$Fx)"},
      {"$F(\"unclosed)", "$F", "", "$F(\"unclosed)"},
      {"$F(no end", "$F", "", "$F(no end"},
      {"$f(x)", "$F", "", "$f(x)"},
      {"$F x", "$F", "", "$F x"},
      {"$F()", "$F", "", "$F"},
  };
  for (const Case& c : cases) {
    std::string arguments = "old", rest;
    ExtractMacroArgs(c.text, c.name, arguments, rest);
    EXPECT_EQ(arguments, c.arguments) << c.text;
    EXPECT_EQ(rest, c.rest) << c.text;
  }
}

TEST(MacroArgs, CommaItemsDefaultsAndControlPlaceholders) {
  EXPECT_EQ(GetCommaTextArg("a,,b", "\r\n", 1, "d"), "");
  EXPECT_EQ(GetCommaTextArg("a,,b", "\r\n", 2, "d"), "b");
  EXPECT_EQ(GetCommaTextArg("a,b,", "\r\n", 2, "d"), "d");
  EXPECT_EQ(GetCommaTextArg(" \\item ", "\r\n", 0, "d"), "\\item");
  EXPECT_EQ(GetCommaTextArg("\"x, y\",\"say \"\"hi\"\"\"", "\r\n", 0, ""), "x, y");
  EXPECT_EQ(GetCommaTextArg("\"x, y\",\"say \"\"hi\"\"\"", "\r\n", 1, ""), "say \"hi\"");
  EXPECT_EQ(GetCommaTextArg("a$Tab$Ret$Rtn$_b", "\n  ", 0, ""), "a\t\n  \r\n b");
  EXPECT_EQ(GetCommaTextArg("$$Tab", "\r\n", 0, ""), "$Tab");
  EXPECT_EQ(GetCommaTextArg("", "\r\n", 0, "$Tab&"), "\t&");
  EXPECT_EQ(GetMacroArg("$Sys_FileOpen", "$Sys_FileOpen(a.tex,,True)", 2, "False"), "True");
  EXPECT_EQ(GetMacroArg("$Sys_FileOpen", "$Sys_FileOpen(a.tex)", 3, "True"), "True");
}

TEST(MacroArgs, TrueArguments) {
  for (const char* text : {"", "F", "false", "0", "0x"})
    EXPECT_FALSE(IsTrueArg(text)) << text;
  for (const char* text : {"T", "1", "yes", " F"})
    EXPECT_TRUE(IsTrueArg(text)) << text;
}

TEST(CommandExpand, SelectionCaretAndLiterals) {
  struct Case {
    std::string command, selected, result;
    int caret, selLength;
  } cases[] = {
      {"\\section{$S}", "abc", "\\section{abc}", 0, 13},
      {"\\section{$S}", "", "\\section{}", 9, 0},
      {"[$S]", "$S", "[$S]", 0, 4},
      {"$$S", "abc", "$S", 2, 0},
      {"a$Tab$Ret$_b", "", "a\t\r\n b", 6, 0},
      {"$S$S", "x", "xx", 0, 2},
      {"plain", "sel", "plain", 5, 0},
  };
  for (const Case& c : cases) {
    Expanded e = Expand(c.command, c.selected);
    EXPECT_TRUE(e.done);
    EXPECT_EQ(e.result, c.result) << c.command;
    EXPECT_EQ(e.caret, c.caret) << c.command;
    EXPECT_EQ(e.selLength, c.selLength) << c.command;
  }
}

TEST(CommandExpand, LastHandlerDecidesTheCaret) {
  // "$FracB" is emptied after "$FracA" was filled: the caret goes where "$FracB" was.
  Expanded e = Expand("\\frac{$FracA}{$FracB}", "a+b");
  EXPECT_EQ(e.result, "\\frac{a+b}{}");
  EXPECT_EQ(e.caret, 11);
  EXPECT_EQ(e.selLength, 0);
  e = Expand("\\frac{$FlacA}{$FlacB}", "x//y//z");
  EXPECT_EQ(e.result, "\\frac{x}{y//z}");
  EXPECT_EQ(e.caret, 0);
  EXPECT_EQ(e.selLength, 14);
  e = Expand("\\frac{$FracA}{$FracB}", "//y");
  EXPECT_EQ(e.result, "\\frac{}{y}");
  EXPECT_EQ(e.selLength, 10);
}

TEST(CommandExpand, HeadSelectionSkipsLinesEndingInSkipItems) {
  // "表" ends in the byte of "\": its line does not end in "\\".
  Expanded e = Expand("$HSel", "a\\\\\r\n表\\\r\nc%\r\nd");
  EXPECT_EQ(e.result, " \\item a\\\\\r\n表\\\r\n \\item c%\r\nd");
  EXPECT_EQ(e.selLength, static_cast<int>(e.result.size()));
  EXPECT_EQ(Expand("$HSel( \\item )", "a\r\nb").result, "\\itema\r\n\\itemb");
  // A head beginning "%" skips nothing by default.
  EXPECT_EQ(Expand("$HSel(%)", "a%\r\nb").result, "%a%\r\n%b");
  EXPECT_EQ(Expand("$HSel(-,x)", "ax\r\nb\r\nc").result, "-ax\r\nb\r\n-c");
  e = Expand("[$HSel]", "");
  EXPECT_EQ(e.result, "[ \\item ]");
  EXPECT_EQ(e.caret, 8);
  EXPECT_EQ(e.selLength, 0);
}

TEST(CommandExpand, HeadDelete) {
  EXPECT_EQ(Expand("$HDel", "  %a\r\n%%b\r\nc%\r\n").result, "  a\r\n%b\r\nc%\r\n");
  EXPECT_EQ(Expand("x$HDel(--)", "--a\r\n\t--b").result, "a\r\n\tb");
  // "ソ" is 83 5C: a head of its first byte is not a whole character.
  EXPECT_EQ(Expand("$HDel(\x83)", "ソa").result, "ソa");
  Expanded e = Expand("$HDel", "");
  EXPECT_EQ(e.result, "");
  EXPECT_EQ(e.caret, 0);
  EXPECT_EQ(e.selLength, 0);
}

TEST(CommandExpand, EachCharacter) {
  Expanded e = Expand("{$Char}", "a表\x81\x40 b\r\n$");
  EXPECT_EQ(e.result, "{a}{表}\x81\x40 {b}\r\n{$}");
  EXPECT_EQ(e.caret, 0);
  EXPECT_EQ(e.selLength, static_cast<int>(e.result.size()));
  e = Expand("<$Char>", "");
  EXPECT_EQ(e.result, "<>");
  EXPECT_EQ(e.caret, 1);
}

TEST(CommandExpand, Columns) {
  EXPECT_EQ(Expand("$ColCount", "a&b&c").result, "3");
  EXPECT_EQ(Expand("$ColCount(|,0)", "a|b").result, "1");
  EXPECT_EQ(Expand("$ColFmt", "").result, "|c|");
  EXPECT_EQ(Expand("$ColFmt(\"\",l)", "").result, "l");
  EXPECT_EQ(Expand("$ColSel", "a & b&c").result, "a  bc");
  EXPECT_EQ(Expand("$ColSel(a,b)", "abcab").result, "c");
  Expanded e = Expand("<$ColSel>", "");
  EXPECT_EQ(e.result, "<>");
  EXPECT_EQ(e.caret, 1);
}

TEST(CommandExpand, PerLineModeDropsLineBreaksAndRepeatsPerRow) {
  Expanded e = Expand("[$S]$Ret$Rtn", "ab\r\ncd\r\n", true);
  EXPECT_EQ(e.result, "[ab]\r\n[cd]\r\n");
  EXPECT_EQ(e.selLength, static_cast<int>(e.result.size()));
  EXPECT_EQ(Expand("[$S]$Ret", "", true).result, "[]");
}

TEST(CommandExpand, IndentedLineBreak) {
  EXPECT_EQ(Expand("a$Retb$Rtnc", "", false, "\r\n\t  ").result, "a\r\n\t  b\r\nc");
}

TEST(CommandExpand, FileArgumentsAndTheChosenPath) {
  FakeDialogs dialogs;
  dialogs.chosenFile = "C:\\Users\\x\\表\\my$Stuff.tex";
  Expanded e = Expand(dialogs, "\\input{$File(False,False)}", "sel");
  EXPECT_EQ(e.result, "\\input{表/my$Stuff.tex}");
  EXPECT_EQ(e.caret, 0);
  EXPECT_EQ(e.selLength, static_cast<int>(e.result.size()));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_FALSE(dialogs.fileRequests[0].ShortName);
  EXPECT_EQ(dialogs.fileRequests[0].Filter, res::DefaultFileFilter);
  EXPECT_EQ(dialogs.fileRequests[0].Title, "");

  EXPECT_EQ(Expand(dialogs, "$File", "").result, "C:/Users/x/表/my$Stuff.tex");
  EXPECT_EQ(Expand(dialogs, "$File(F,F,,,,F)", "").result, "表\\my$Stuff.tex");
  // Untitled: nothing to be relative to.
  EXPECT_EQ(Expand(dialogs, "$File(F,F,,,,F)", "", false, "\r\n", "").result,
            "C:\\Users\\x\\表\\my$Stuff.tex");
  EXPECT_EQ(Expand(dialogs, "$File(True,True,\"Pick one\",\"TeX|*.tex\",key)", "").result,
            "C:/SHORT~1/A.TEX");
  const TFileRequest& last = dialogs.fileRequests.back();
  EXPECT_TRUE(last.ShortName);
  EXPECT_EQ(last.Title, "Pick one");
  EXPECT_EQ(last.Filter, "TeX|*.tex");
  EXPECT_EQ(last.HistoryKey, "key");
}

TEST(CommandExpand, CancelKeepsTheLastCommand) {
  FakeDialogs dialogs;
  ASSERT_TRUE(Expand(dialogs, "remembered $S", "").done);
  EXPECT_EQ(LastCommandText(), "remembered $S");
  dialogs.confirm = false;
  for (const char* command : {"$File", "$PicFile", "$MatrixBody", "$FigEnvOpt", "$DllCall(a,b)"})
    EXPECT_FALSE(Expand(dialogs, command, "x").done) << command;
  EXPECT_EQ(RepeatableCommand(), "remembered $S");
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.pictureRequests.size(), 1u);
  EXPECT_EQ(dialogs.tableRequests.size(), 2u);
  EXPECT_EQ(dialogs.pluginCalls.size(), 1u);
}

TEST(CommandExpand, NoRepeatAndEmptyCommandsAreNotRemembered) {
  ASSERT_TRUE(Expand("first", "").done);
  EXPECT_EQ(Expand("$NoRepeatsecond", "").result, "second");
  EXPECT_EQ(RepeatableCommand(), "first");
  // Case-sensitive: "$noRepeat" is no such word.
  EXPECT_EQ(Expand("$norepeat", "").result, "$norepeat");
  EXPECT_EQ(RepeatableCommand(), "$norepeat");
  EXPECT_TRUE(Expand("", "sel").done);
  EXPECT_EQ(RepeatableCommand(), "$norepeat");
}

TEST(CommandExpand, HandlerValuesAreNeverExpandedAgain) {
  FakeDialogs dialogs;
  dialogs.pluginOutput = "$S$Tab";
  dialogs.picture = {"p$S.png", "1", "2", "3", "4", "cap", "lab"};
  dialogs.table = {"|c|$S", "$S & x", "h"};
  EXPECT_EQ(Expand(dialogs, "$DllCall(lib.dll,Dollar,abc)[$S]", "sel").result, "$S$Tab[sel]");
  EXPECT_EQ(dialogs.pluginCalls.back(),
            (std::vector<std::string>{"lib.dll", "Dollar", "sel", "2048"}));
  EXPECT_EQ(
      Expand(dialogs, "$PicFile(a,b):$PicHeight,$PicWidth,$PicVScale,$PicHScale,$PicLabel", "")
          .result,
      "p$S.png:1,2,3,4,lab");
  EXPECT_EQ(dialogs.pictureRequests.back().Arguments, "a,b");
  EXPECT_TRUE(dialogs.pictureRequests.back().WantsLabel);
  EXPECT_FALSE(dialogs.pictureRequests.back().WantsCaption);
  Expanded e = Expand(
      dialogs, "$MatrixDef(F,F)\\begin{tabular}{$MatrixFmt(l,c,r)}$MatrixBody$FigEnvOpt", "");
  EXPECT_EQ(e.result, "\\begin{tabular}{|c|$S}$S & xh");
  EXPECT_EQ(e.selLength, static_cast<int>(e.result.size()));
}

TEST(CommandExpand, PlugInInputAndBufferSizes) {
  FakeDialogs dialogs;
  Expand(dialogs, "$DllCall(a.dll,f)", "a$b");
  EXPECT_EQ(dialogs.pluginCalls.back()[2], "a$b");
  EXPECT_EQ(PlugInBufferSize("abc"), 2048);
  EXPECT_EQ(PlugInBufferSize(""), 2048);
  EXPECT_EQ(PlugInBufferSize("-5"), 1);
  EXPECT_EQ(PlugInBufferSize("0"), 1);
  EXPECT_EQ(PlugInBufferSize("1"), 1);
  EXPECT_EQ(PlugInBufferSize("16777216"), 16777216);
  EXPECT_EQ(PlugInBufferSize("16777217"), 16777216);
  EXPECT_EQ(PlugInBufferSize("1000000000"), 16777216);
}

TEST(CommandExpand, DoubledDollarBeforeAPlaceholderName) {
  EXPECT_EQ(Expand("$$Tab", "").result, "$Tab");
  EXPECT_EQ(Expand("$HSel($$Tab)", "a").result, "$Taba");
  EXPECT_EQ(Expand("$$$S", "x").result, "$x");
}

TEST(CommandExpand, EditFormRoundTrip) {
  for (const char* stored : {"a$Tab$Retb", "$_x$Rtn", "$$Tab$$Ret", "\\item $S$Ret"}) {
    std::string edited = DecodeCommandForEdit(stored, "\r\n");
    EXPECT_EQ(EncodeControlChars(edited), stored) << stored;
  }
  EXPECT_EQ(DecodeCommandForEdit("a$Tab$Ret$_$Rtn$$Tab", "\r\n"), "a\t\r\n$_$Rtn$$Tab");
  EXPECT_EQ(EncodeControlChars("a\tb\r\nc\nd"), "a$Tabb$Retc\nd");
}

TEST(CommandExpand, TemplateControlText) {
  EXPECT_EQ(ExpandControlText("$$x$Tab$Ret", "\r\n"), "$x\t\r\n");
}

} // namespace
