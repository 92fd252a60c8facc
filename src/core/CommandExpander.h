// User command texts: the "$" placeholders, their argument lists and the remembered last
// command. Window-free: the file, picture and table dialogs and the plug-in call come in through
// TCommandDialogs.
//
// While a text is expanded, a "$" that must stay literal (from "$$", from the selection or from
// a dialog's value) is held as the protection mark 0x06 and turned back at the end, so that no
// value is ever expanded a second time.
#pragma once

#include <string>
#include <string_view>

namespace quolin {

inline constexpr char ProtectionMark = '\x06';

struct TFileRequest {
  std::string Title;
  // Description and pattern pairs separated by "|".
  std::string Filter;
  // The remembered-folder key; empty: none.
  std::string HistoryKey;
  // The 8.3 form of the chosen path.
  bool ShortName = false;
};

struct TPictureRequest {
  // The argument list of "$PicFile".
  std::string Arguments;
  bool WantsCaption = false;
  bool WantsLabel = false;
};

struct TPictureValues {
  std::string FileName, Height, Width, VScale, HScale, Caption, Label;
};

struct TTableRequest {
  // The command text as it stands, "$MatrixDef" and its arguments included.
  std::string Command;
  std::string Selection;
  std::string LineBreak;
};

struct TTableValues {
  std::string Format, Body, Option;
};

// What the placeholders ask of the outside; each false cancels the command.
class TCommandDialogs {
public:
  virtual ~TCommandDialogs() = default;
  virtual bool ChooseFile(const TFileRequest& request, std::string& path) = 0;
  virtual bool ChoosePicture(const TPictureRequest& request, TPictureValues& values) = 0;
  virtual bool BuildTable(const TTableRequest& request, TTableValues& values) = 0;
  virtual bool CallPlugIn(const std::string& library, const std::string& function,
                          const std::string& input, int bufferSize, std::string& output) = 0;
};

// Every occurrence of from found by bytes, left to right, replaced by to; what to brings in is
// not searched again. Safe for placeholders: "$" is never a second byte.
std::string ReplaceEvery(std::string_view text, std::string_view from, std::string_view to);

// The argument text between "name(" (its first occurrence, case-sensitive) and the first ")"
// outside double quotes, and the text without "(", the arguments and ")". Without "name(" or
// without the closing ")": empty arguments and the whole text.
void ExtractMacroArgs(std::string_view text, std::string_view name, std::string& arguments,
                      std::string& rest);
// Item index (from 0) of the comma text, or the default when there are fewer items, with "$$"
// made "$" and the control placeholders expanded.
std::string GetCommaTextArg(std::string_view arguments, std::string_view lineBreak, int index,
                            std::string_view defaultValue);
// Argument index of "name(...)" in the command, read as above with CR LF as the line break.
std::string GetMacroArg(std::string_view name, std::string_view command, int index,
                        std::string_view defaultValue);
// False for an empty text or one beginning with "F", "f" or "0".
bool IsTrueArg(std::string_view text);

// "$$" made "$", "$Tab", "$Ret" (the line break), "$Rtn" (CR LF) and "$_" (a blank) expanded.
std::string ExpandControlText(std::string_view text, std::string_view lineBreak);
// TAB as "$Tab", CR LF as "$Ret": the stored form of a command.
std::string EncodeControlChars(std::string_view text);
// The stored form as edited: "$Tab" and "$Ret" expanded, everything else as stored, so that
// encoding it again gives it back.
std::string DecodeCommandForEdit(std::string_view text, std::string_view lineBreak);

// The buffer size of "$DllCall": a decimal number kept to 1..16 MiB, 2048 when not a number.
int PlugInBufferSize(std::string_view text);

struct TExpansion {
  std::string Result;
  // Where the caret goes, from the start of the result, and how much is selected from there.
  int CaretOffset = 0;
  int SelLength = 0;
};

// Expands a command against the selected text; perLine (box selections): "$Ret" and "$Rtn"
// dropped, "$S" applied to each line of the selection. False when a dialog or the plug-in
// cancelled it; then the last command stays as it was.
bool ExpandCommandText(TCommandDialogs& dialogs, const std::string& command,
                       const std::string& selected, const std::string& documentFile, bool perLine,
                       const std::string& lineBreak, TExpansion& expansion);

// The last command that expanded and may be repeated; empty when none.
const std::string& RepeatableCommand();
// That command, or the message that there is none.
std::string LastCommandText();

} // namespace quolin
