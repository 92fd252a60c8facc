// The document window's file: saving with backups, the per-file state, the information the
// document-information dialog shows, and the caret line buffer.
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/FileState.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/CommandRouter.h"
#include "common/DateTime.h"
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "core/DocumentText.h"
#include "core/Exceptions.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"

#include <windows.h>

#include <algorithm>

namespace quolin {

namespace {

constexpr char SaveHistoryKey[] = "StdSaveDir";
constexpr char LineBreak[] = "\r\n";

struct TextCounts {
  int32_t Bytes = 0, Chars = 0, Lines = 0, CharsWithoutBreaks = 0;
};

// A line break counts as 2 bytes and 1 character; characters are counted in UTF-16.
TextCounts CountText(const std::string& text) {
  TextCounts counts;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(LineBreak, pos);
    bool broken = end != std::string::npos;
    std::string_view line(text.data() + pos, (broken ? end : text.size()) - pos);
    auto chars = static_cast<int32_t>(AnsiToUtf16(line).size());
    counts.Bytes += static_cast<int32_t>(line.size()) + (broken ? 2 : 0);
    counts.CharsWithoutBreaks += chars;
    counts.Chars += chars + (broken ? 1 : 0);
    ++counts.Lines;
    pos = broken ? end + 2 : text.size();
  }
  return counts;
}

class HourGlassScope {
public:
  HourGlassScope() { HourGlassOn(); }
  ~HourGlassScope() { HourGlassOff(); }
  HourGlassScope(const HourGlassScope&) = delete;
  HourGlassScope& operator=(const HourGlassScope&) = delete;
};

} // namespace

bool TDocForm::SaveFile(const std::string& fileName) {
  if (fileName.empty())
    return SaveAs();
  if (FileExists(fileName) && IsReadOnlyFile(fileName)) {
    char answer = MsgBoxFmt(res::ReadOnlyAttribute, {fileName}, "Qync");
    if (answer == 'n')
      return SaveAs();
    if (answer != 'y')
      return false;
    if (!ClearReadOnlyAttr(fileName)) {
      MsgBoxFmt(res::AttributeChangeFailed, {fileName}, "WoB");
      return false;
    }
  }
  if (Editor1->ReadOnly() && IsSameText(fileName, FileName)) {
    MessageBeep(0);
    ShowTimedStatusMessage(Format(res::OpenedReadOnly, fileName));
    return SaveAs();
  }
  if (TDocForm* other = FindDocByFileName(fileName); other && other != this) {
    MsgBoxFmt(res::OpenInAnotherWindow, {fileName}, "IoB");
    return SaveAs();
  }
  if (Editor1->Modified())
    MakeBackups(fileName);
  SetStatusMessage(res::Saving);
  bool written = false;
  {
    HourGlassScope hourGlass;
    written = WriteFile(fileName);
  }
  ClearStatusMessage();
  if (!written) {
    MsgBoxFmt(res::SaveFailed, {fileName}, "WoB");
    return false;
  }
  Editor1->SetModified(false);
  ShowModified();
  FileTime = NowDateTime();
  FileName = fileName;
  UpdateCaption();
  return true;
}

bool TDocForm::WriteFile(const std::string& fileName) {
  std::string bytes;
  try {
    bytes = EncodeDocumentText(Editor1->Lines().Text(), CharCode);
  } catch (const EEncodingError&) {
    return false;
  }
  return SaveFileReplacing(fileName, bytes);
}

void TDocForm::MakeBackups(const std::string& fileName) {
  const TFileIOOption& option = TopForm->Settings.FileIOOption;
  if (BackupPending && option.OrgBackUp) {
    CopyFileIfDifferent(fileName, ChangeFileExt(fileName, option.OrgBackUpExt));
    BackupPending = false;
  }
  if (option.NorBackUp)
    CopyFileIfDifferent(fileName, ChangeFileExt(fileName, option.NorBackUpExt));
}

bool TDocForm::SaveAs() {
  TFileDialogParams params;
  params.Title = res::SaveAsTitle;
  params.FileName = FileName;
  params.Filter = DefaultFilter;
  params.DefaultExt = "tex";
  params.HistoryKey = SaveHistoryKey;
  std::string chosen;
  bool readOnly = false;
  if (!ShowSaveDialog(params, chosen, readOnly))
    return false;
  bool pending = BackupPending, modified = Editor1->Modified();
  std::string oldName = FileName, oldTarget = TargetFileName();
  BackupPending = true;
  Editor1->SetModified(true);
  if (!SaveFile(chosen)) {
    BackupPending = pending;
    Editor1->SetModified(modified);
    ShowModified();
    return false;
  }
  BackupPending = false;
  Editor1->SetReadOnly(readOnly);
  Editor2->SetReadOnly(readOnly);
  UpdateCaption();
  if (TopForm->Settings.AutoDeleteOptions.AutoDelete && !oldTarget.empty())
    DeleteTexOutputFiles(oldTarget);
  if (!IsSameText(oldName, FileName)) {
    MruInsertFile(TopForm->RemainFiles, oldName);
    RemoveFileFromList(TopForm->RemainFiles, FileName);
    RefreshRemainMenus();
  }
  return true;
}

TFileState TDocForm::CurrentFileState() const {
  return TFileState{Editor1->Col(), Editor1->Row(),       Editor2->Col(),
                    Editor2->Row(), Editor1->WordWrap(), Panel_Editor->Height()};
}

void TDocForm::ApplyFileState(const TFileState& state, bool carets) {
  SetWordWrap(state.WordWrap);
  Panel_Editor->SetHeight(std::max(1, state.PaneHeight));
  Splitter1Moved(Splitter1);
  if (!carets)
    return;
  Editor1->SetRowCol(state.Row1, state.Col1);
  Editor2->SetRowCol(state.Row2, state.Col2);
}

TLogPaneState TDocForm::CurrentLogPaneState() const {
  int filter = pop_LogViewAll->Checked() ? 0 : pop_LogViewError->Checked() ? 1 : 2;
  return TLogPaneState{Panel_Log->Height(), LogSize2, filter, pop_LogPopup->Checked()};
}

void TDocForm::RestoreDocState(const TLogPaneState& state) {
  LogSize2 = state.Size2;
  Panel_Log->SetHeight(std::max(1, state.Height));
  pop_LogPopup->SetChecked(state.Popup);
  TMenuItem* filter = state.Filter == 0   ? pop_LogViewAll
                      : state.Filter == 1 ? pop_LogViewError
                                          : pop_LogViewWanning;
  for (TMenuItem* item : {pop_LogViewAll, pop_LogViewError, pop_LogViewWanning})
    item->SetChecked(item == filter);
  Splitter2Moved(Splitter2);
}

void TDocForm::SaveDocState() {
  if (FileName.empty())
    return;
  SaveLogPaneState(FileName, CurrentLogPaneState());
  SaveFileState(FileName, CurrentFileState(), OwnerFile);
}

TDocumentInfo TDocForm::GetDocumentInfo() const {
  TDocumentInfo info;
  info.FileName = FileName;
  info.ShortFileName = FileName.empty() ? "" : GetShortPath(FileName);
  info.OwnerFile = OwnerFile;
  info.ShortOwnerFile = OwnerFile.empty() ? "" : GetShortPath(OwnerFile);
  info.Modified = Editor1->Modified() ? 1 : 0;
  info.OpenTime = OpenTime;
  info.FileTime = FileTime;
  TextCounts whole = CountText(Editor1->Lines().Text());
  info.Bytes = whole.Bytes;
  info.Chars = whole.Chars;
  info.Lines = whole.Lines;
  info.CharsWithoutBreaks = whole.CharsWithoutBreaks;
  TextCounts selected = CountText(ActiveEditor->Selected() ? ActiveEditor->SelText() : "");
  info.SelBytes = selected.Bytes;
  info.SelChars = selected.Chars;
  info.SelLines = selected.Lines;
  info.SelCharsWithoutBreaks = selected.CharsWithoutBreaks;
  return info;
}

double NowDateTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return SystemTimeToDateTime(now);
}

} // namespace quolin
