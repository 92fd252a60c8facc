#include "commands/UserCommand.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/CommandRouter.h"
#include "commands/PlugInCall.h"
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "core/CommandExpander.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr char CrLf[] = "\r\n";
constexpr std::string_view NoRepeatWord = "$NoRepeat";
constexpr int BoxMode = 1;

// The dialogs and the plug-in as the placeholders reach them.
class TUserCommandDialogs : public TCommandDialogs {
public:
  bool ChooseFile(const TFileRequest& request, std::string& path) override {
    TFileDialogParams params;
    params.Title = request.Title;
    params.Filter = request.Filter;
    params.HistoryKey = request.HistoryKey;
    bool readOnly = false;
    if (!ShowOpenDialog(params, nullptr, path, readOnly))
      return false;
    if (std::string shortPath = request.ShortName ? GetShortPath(path) : ""; !shortPath.empty())
      path = shortPath;
    return true;
  }
  bool ChoosePicture(const TPictureRequest&, TPictureValues&) override {
    ShowNotAvailable("$PicFile");
    return false;
  }
  bool BuildTable(const TTableRequest& request, TTableValues&) override {
    for (std::string_view word : {"$MatrixFmt", "$MatrixBody", "$FigEnvOpt"})
      if (request.Command.find(word) != std::string::npos) {
        ShowNotAvailable(word);
        break;
      }
    return false;
  }
  bool CallPlugIn(const std::string& library, const std::string& function, const std::string& input,
                  int bufferSize, std::string& output) override {
    return CallPlugInDll(library, function, input, bufferSize, output);
  }
};

// "$Ret" continues at the caret's column: the caret line before the caret with everything but
// TAB made blanks, byte for byte (two for a double-byte character).
std::string IndentedLineBreak(const std::string& beforeCaret) {
  std::string indent(beforeCaret);
  std::replace_if(
      indent.begin(), indent.end(), [](char c) { return c != '\t'; }, ' ');
  return CrLf + indent;
}

std::string WithoutNoRepeat(const std::string& text) {
  std::string result;
  for (size_t pos = 0; pos < text.size();) {
    if (sjis::EqualIgnoreAsciiCase(std::string_view(text).substr(pos, NoRepeatWord.size()),
                                   NoRepeatWord)) {
      pos += NoRepeatWord.size();
      continue;
    }
    size_t length = sjis::CharLength(text, pos);
    result.append(text, pos, length);
    pos += length;
  }
  return result;
}

} // namespace

std::string ExpandTemplateText(const std::string& text, bool asSelection) {
  std::string result = ExpandControlText(WithoutNoRepeat(text), CrLf);
  if (TDocForm* doc = ActiveDoc(); asSelection && doc)
    doc->ActiveEditor->SetSelText(result);
  return result;
}

bool ExecuteUserCommand(const std::string& command) {
  TDocForm* doc = ActiveDoc();
  if (!doc || command.empty())
    return false;
  TEditor& view = *doc->ActiveEditor;
  const bool box = view.SelectionMode() == BoxMode;
  std::string selected = view.Selected() ? view.SelText() : "";
  std::string lineBreak = CrLf;
  if (!selected.empty()) {
    // A trailing line break is neither replaced nor consumed.
    if (!box && selected.size() > 1 && selected.ends_with(CrLf)) {
      selected.resize(selected.size() - 2);
      view.SetSelLength(view.SelLength() - 2);
    }
  } else if (TopForm && TopForm->Settings.EditOption.CommandIndent) {
    lineBreak = IndentedLineBreak(doc->GetTextBeforeCaret());
  }
  const int start = view.SelStart();
  TUserCommandDialogs dialogs;
  TExpansion expansion;
  if (!ExpandCommandText(dialogs, command, selected, doc->FileName, box, lineBreak, expansion))
    return false;
  if (!view.ReadOnly()) {
    if (box) {
      view.SetBoxSelTextBuf(expansion.Result.c_str());
      view.SetSelStart(start);
    } else {
      view.SetSelText(expansion.Result);
      view.SetSelStart(start + expansion.CaretOffset);
      view.SetSelLength(expansion.SelLength);
    }
  }
  if (view.CanFocus())
    view.SetFocus();
  return true;
}

} // namespace quolin
