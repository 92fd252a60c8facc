#include "app/DocOps.h"

#include "app/DocUnit.h"
#include "app/FileState.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "common/Registry.h"
#include "common/SrgFile.h"
#include "common/StringHelpers.h"
#include "core/DocumentText.h"
#include "core/EditorUndo.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "settings/IndexUnit.h"
#include "texchain/FilePattern.h"
#include "ui/Application.h"
#include "ui/Edits.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace quolin {

namespace {

constexpr char UntitledFormat[] = "Noname%d";

constexpr char DdeErrorReply[] = "DDE Error";
constexpr char AppTitle[] = "Quolin";
constexpr char AppTitleFormat[] = "%s - Quolin";

constexpr int RemainMenuCount = 16;
constexpr char RemainItemFormat[] = "&%x %s";

TStatusBar* StatusBar() {
  return TopForm ? TopForm->StatusBar1 : nullptr;
}

void SetPanelText(int index, const std::string& text) {
  if (TStatusBar* bar = StatusBar())
    bar->Panels(index).SetText(text);
}

TMenuItem* NewRemainItem(const std::string& caption) {
  auto* item = TComponent::Create<TMenuItem>(TopForm);
  item->SetCaption(caption);
  TopForm->PopupMenu_RemainOpen->Items()->Add(item);
  return item;
}

} // namespace

bool HasDoc() {
  return DocCount() > 0;
}

TDocForm* ActiveDoc() {
  return TopForm ? dynamic_cast<TDocForm*>(TopForm->ActiveMDIChild()) : nullptr;
}

int DocCount() {
  return TopForm ? TopForm->MDIChildCount() : 0;
}

TDocForm* DocAt(int index) {
  return TopForm ? dynamic_cast<TDocForm*>(TopForm->MDIChildren(index)) : nullptr;
}

bool AnyDocMaximized() {
  for (int i = 0; i < DocCount(); ++i)
    if (TDocForm* doc = DocAt(i); doc && doc->WindowState() == TWindowState::wsMaximized)
      return true;
  return false;
}

TDocForm* FindDocByFileName(const std::string& fileName) {
  for (int i = 0; i < DocCount(); ++i)
    if (TDocForm* doc = DocAt(i); doc && IsSameText(doc->FileName, fileName))
      return doc;
  return nullptr;
}

namespace {

constexpr char TemplateCaretMark[] = "$S";
constexpr char OpenHistoryKey[] = "StdOpenDir";
constexpr char InsertHistoryKey[] = "InsertDoc";
constexpr char Utf8WarningName[] = "Utf8Warning";
constexpr char TexExtension[] = ".tex";

// A name without folder is taken in the active document's folder; "/" becomes "\"; a
// shortcut leads to its target; an existing file gets its full long name, and a missing one
// without extension is tried with ".tex".
std::string ResolveDocumentName(const std::string& fileName) {
  if (fileName.empty())
    return fileName;
  std::string name = ReplaceAll(fileName, "/", "\\", true);
  TDocForm* active = ActiveDoc();
  if (ExtractFilePath(name).empty() && active && !active->FileName.empty())
    name = ExtractFilePath(active->FileName) + name;
  name = ResolveShortcut(ExpandFileName(name));
  if (FileExists(name))
    return GetLongFileName(name);
  if (ExtractFileExt(name).empty() && FileExists(name + TexExtension))
    return GetLongFileName(name + TexExtension);
  return name;
}

bool IsConvertedCode(TextEncodingCode code) {
  return code == tcUtf8Bom || code == tcUtf8 || code == tcUtf16Le || code == tcUtf16Be;
}

// The document's bytes decoded; false, after the message, when the file cannot be read or is
// not valid in its code.
bool ReadDocumentText(const std::string& name, bool quiet, TDocumentText& text) {
  try {
    text = DecodeDocumentBytes(ReadFileBytes(name), HasUtf8Marker(name));
    return true;
  } catch (const EFileError& error) {
    if (!quiet)
      MsgBox(error.Message(), "WoB");
  } catch (const EEncodingError& error) {
    MsgBox(error.Message(), "WoB");
  }
  return false;
}

void AskUtf8Warning() {
  if (!RegReadBool(res::RegSectionFileIO, Utf8WarningName, true))
    return;
  if (MsgBox(res::Utf8Warning, "Wyn") == 'n')
    RegWriteBool(res::RegSectionFileIO, Utf8WarningName, false);
}

// The first "$S" of a template is removed and both carets go there.
void PlaceTemplateCaret(TDocForm& doc) {
  TEditorStrings& lines = doc.Editor1->Lines();
  for (int line = 0; line < lines.Count(); ++line) {
    std::string text = lines[line];
    size_t mark = text.find(TemplateCaretMark);
    if (mark == std::string::npos)
      continue;
    lines.Put(line, text.erase(mark, 2));
    int row = lines.LinesToRow(line);
    for (TEditor* view : {doc.Editor1, doc.Editor2})
      view->SetRowCol(row, doc.Editor1->ColumnOfByte(row, mark));
    return;
  }
}

bool ActivateOpenDocument(TDocForm& open, int line, bool quiet) {
  if (TopForm->TexCtrl1->Activ() && line >= 1)
    TopForm->TexCtrl1->DisconnectDde();
  open.Show();
  TopForm->BringApplicationToFront();
  if (line >= 0)
    open.GoToLine(line, 0, true);
  if (!quiet)
    ShowTimedStatusMessage(Format(res::AlreadyOpen, open.FileName));
  return false;
}

} // namespace

bool OpenDocument(const std::string& fileName, const std::string& ownerFile, bool asTemplate,
                  int line, bool readOnly, bool quiet) {
  if (!TopForm)
    return false;
  std::string name = ResolveDocumentName(fileName);
  bool exists = !name.empty() && FileExists(name);
  if (exists && IsBinaryFileName(name)) {
    if (quiet || MsgBoxFmt(res::NotTextExtension, {name}, "IynB") != 'y')
      return false;
    readOnly = true;
  }
  if (exists && IsWordFileName(name)) {
    if (quiet)
      return false;
    MsgBoxFmt(res::WordFile, {name}, "Io");
  }
  if (TDocForm* open = asTemplate || name.empty() ? nullptr : FindDocByFileName(name))
    return ActivateOpenDocument(*open, line, quiet);
  if (!exists && (asTemplate ? !name.empty() : true)) {
    if (!quiet)
      MsgBoxFmt(asTemplate ? res::TemplateNotFound : res::FileNotFound,
                {name.empty() ? fileName : name}, "WoB");
    if (!asTemplate)
      return false;
  }

  TDocumentText text;
  if (exists) {
    SetStatusMessage(asTemplate ? Format(res::OpeningTemplate, ChangeFileExt(ExtractFileName(name), ""))
                                : Format(res::OpeningFile, name));
    bool read = ReadDocumentText(name, quiet, text);
    ClearStatusMessage();
    if (!read)
      return false;
    // Saving would end its lines with CR LF and so destroy a file that is not text.
    if (text.Code == tcBinary && !text.Text.empty() && !readOnly) {
      readOnly = true;
      ShowTimedStatusMessage(Format(res::OpenedReadOnly, name));
    }
    if (!asTemplate && IsConvertedCode(text.Code))
      AskUtf8Warning();
  }

  bool defaultWrap = TopForm->EditorProp1->WordWrap();
  TFileState state;
  state.WordWrap = defaultWrap;
  TLogPaneState logState = DefaultLogPaneState();
  std::string rememberedOwner;
  if (!asTemplate && TopForm->Settings.FileIOOption.UseEditInfo) {
    logState = LoadLogPaneState(name);
    state = LoadFileState(name, defaultWrap, rememberedOwner);
  }

  auto fill = [&](TDocForm& doc) {
    doc.Editor1->Lines().LoadFromText(std::move(text.Text));
    doc.SetCharCode(text.Code);
    if (asTemplate) {
      PlaceTemplateCaret(doc);
    } else {
      doc.FileName = name;
      doc.OwnerFile = ownerFile.empty() ? rememberedOwner : ownerFile;
      if (line >= 0) {
        doc.Editor1->SetRowCol(doc.Editor1->Lines().LinesToRow(line), 0);
        doc.Editor2->SetRowCol(0, 0);
      } else {
        doc.Editor1->SetRowCol(state.Row1, state.Col1);
        doc.Editor2->SetRowCol(state.Row2, state.Col2);
      }
      doc.CenterCaretRow(*doc.Editor1);
      doc.CenterCaretRow(*doc.Editor2);
    }
    doc.Editor1->ScreenStrings().UndoObj().Clear();
    doc.Editor1->SetModified(false);
    for (TEditor* view : {doc.Editor1, doc.Editor2})
      view->SetReadOnly(readOnly);
  };
  HourGlassOn();
  auto* doc = TComponent::Create<TDocForm>(Application, "", state, logState, std::move(fill));
  if (!asTemplate)
    RemoveRemainFile(doc, true);
  doc->Timer_Section->SetEnabled(true);
  doc->ShowModified();
  doc->ShowCharCode();
  HourGlassOff();
  return true;
}

void OpenDocumentsByDialog(bool multiSelect) {
  TFileDialogParams params;
  params.Title = res::OpenTitle;
  params.Filter = DefaultFilter;
  params.DefaultExt = "tex";
  params.AllowMultiSelect = multiSelect;
  params.ShowReadOnly = true;
  params.FilterIndex = -1;
  params.HistoryKey = OpenHistoryKey;
  TStringList files;
  std::string first;
  bool readOnly = false;
  if (!ShowOpenDialog(params, &files, first, readOnly))
    return;
  if (files.Empty())
    files.Add(first);
  for (int i = 0; i < files.Count(); ++i)
    OpenDocument(files[i], "", false, -1, readOnly, false);
}

bool SaveAllModified(bool all) {
  if (!HasDoc())
    return false;
  bool anyModified = false;
  for (int i = 0; i < DocCount(); ++i)
    if (TDocForm* doc = DocAt(i); doc && (all || !doc->FileName.empty()))
      anyModified |= doc->Editor1->Modified();
  if (!anyModified)
    return true;
  if (!TopForm->Settings.TexExecAutoSave) {
    char answer = MsgBox(res::SaveAllModified, "Qync");
    if (answer == 'n')
      return true;
    if (answer != 'y')
      return false;
  }
  return all ? SaveAllDocs() : SaveNamedDocs();
}

bool SaveAllDocs() {
  for (int i = DocCount() - 1; i >= 0; --i)
    if (TDocForm* doc = DocAt(i); doc && doc->Editor1->Modified() && !doc->SaveFile(doc->FileName))
      return false;
  return true;
}

bool SaveNamedDocs() {
  for (int i = DocCount() - 1; i >= 0; --i) {
    TDocForm* doc = DocAt(i);
    if (doc && !doc->FileName.empty() && doc->Editor1->Modified() &&
        !doc->SaveFile(doc->FileName))
      return false;
  }
  return true;
}

bool CloseAllDocs() {
  for (int i = DocCount() - 1; i >= 0; --i) {
    TDocForm* doc = DocAt(i);
    if (!doc)
      continue;
    doc->Close();
    if (doc->Visible() && DocAt(i) == doc)
      return false;
  }
  return true;
}

void FocusActiveEditor() {
  if (TDocForm* doc = ActiveDoc(); doc && doc->ActiveEditor->Showing())
    doc->ActiveEditor->SetFocus();
}

void GoToDocLine(TDocForm* doc, int line) {
  if (!doc)
    return;
  doc->GoToLine(line, 0, true);
  if (doc->ActiveEditor->Showing())
    doc->ActiveEditor->SetFocus();
}

void GoToActiveDocLine(int line) {
  GoToDocLine(ActiveDoc(), line);
}

bool FillOpenDocCombo(TComboBox& combo, const std::string& leaveOut) {
  const int selected = combo.ItemIndex();
  const std::string previous = selected >= 0 ? combo.Items()[selected] : "";
  TStrings& items = combo.Items();
  items.Clear();
  for (int i = 0; i < DocCount(); ++i)
    if (TDocForm* doc = DocAt(i);
        doc && !doc->FileName.empty() && !IsSameString(doc->FileName, leaveOut, false))
      items.Add(doc->FileName);
  int kept = previous.empty() ? -1 : items.IndexOf(previous);
  combo.SetItemIndex(kept >= 0 ? kept : items.Count() - 1);
  return kept >= 0;
}

bool IsBinaryFileName(const std::string& fileName) {
  return HasListedExtension(fileName, DefaultBinFile);
}

bool IsWordFileName(const std::string& fileName) {
  return IsSameText(ExtractFileExt(fileName), ".doc") && IsStorageFile(fileName);
}

bool IsReadOnlyFile(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool ClearReadOnlyAttr(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         SetFileAttributesA(fileName.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

std::string ReadFileText(const std::string& fileName) {
  TDocumentText text;
  if (!ReadDocumentText(fileName, true, text))
    return {};
  TStringList lines;
  lines.SetText(text.Text);
  std::string joined;
  for (int i = 0; i < lines.Count(); ++i)
    joined += (i ? "\r\n" : "") + lines[i];
  return joined;
}

void InsertFileIntoActiveDoc(const std::string& fileName) {
  TDocForm* doc = ActiveDoc();
  if (!doc)
    return;
  std::string name = fileName;
  if (name.empty()) {
    TFileDialogParams params;
    params.Title = res::InsertFileTitle;
    params.Filter = DefaultFilter;
    params.DefaultExt = "tex";
    params.HistoryKey = InsertHistoryKey;
    bool readOnly = false;
    if (!ShowOpenDialog(params, nullptr, name, readOnly))
      return;
  }
  TEditor& view = *doc->ActiveEditor;
  std::string text = ReadFileText(name);
  int start = view.SelStart();
  view.SetSelText(text);
  view.SetSelStart(start);
  view.SetSelLength(static_cast<int>(text.size()));
}

bool ChooseOwnerFile(const std::string& start, std::string& chosen) {
  TFileDialogParams params;
  params.Title = res::OwnerFileTitle;
  params.FileName = start;
  params.Filter = DefaultFilter;
  params.DefaultExt = "tex";
  bool readOnly = false;
  return ShowOpenDialog(params, nullptr, chosen, readOnly);
}

bool ExpandExecuteParameters(const std::string& parameters, std::string& expanded,
                             std::string& folder) {
  constexpr char DollarStandIn = '\x01';
  std::string text = ReplaceAll(parameters, "$$", std::string(1, DollarStandIn), true);
  TDocForm* doc = ActiveDoc();
  folder.clear();
  if (doc) {
    // The owner's name first: "$FileName" is inside "$OwnerFileName".
    text = ReplaceAll(text, "$OwnerFileName", doc->TargetFileName(), true);
    if (text.find("$FileName") != std::string::npos && doc->FileName.empty())
      return false;
    text = ReplaceAll(text, "$FileName", doc->FileName, true);
    if (text.find("$SelText") != std::string::npos && !doc->ActiveEditor->Selected())
      return false;
    text = ReplaceAll(text, "$SelText", doc->ActiveEditor->SelText(), true);
    folder = ExtractFileDir(doc->TargetFileName());
  } else {
    for (const char* placeholder : {"$OwnerFileName", "$FileName", "$SelText"})
      text = ReplaceAll(text, placeholder, "", true);
  }
  if (text.find("%file") != std::string::npos) {
    if (!doc || doc->TargetFileName().empty())
      return false;
    text = ExpandFilePattern(text, doc->FileName, doc->TargetFileName());
  }
  expanded = ReplaceAll(text, std::string(1, DollarStandIn), "$", true);
  return true;
}

bool ExecuteFile(const std::string& program, const std::string& parameters) {
  std::string expanded, folder;
  if (!ExpandExecuteParameters(parameters, expanded, folder) || program.empty())
    return false;
  return RunProgram(program, expanded, folder);
}

bool RunProgram(const std::string& program, const std::string& parameters,
                const std::string& folder) {
  std::string commandLine =
      (program.find(' ') != std::string::npos ? "\"" + program + "\"" : program) + " " +
      parameters;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::string NextUntitledName() {
  static int untitledCount = 0;
  return Format(UntitledFormat, ++untitledCount);
}

void CheckCommandItems(int commandId) {
  if (TopForm)
    TopForm->SetCommandChecked(commandId, true);
}

void UncheckCommandItems(int commandId) {
  if (TopForm)
    TopForm->SetCommandChecked(commandId, false);
}

void SetStatusPanel(int index, const std::string& text) {
  SetPanelText(index, text);
}

void ShowCaretPosition(int column, int line) {
  SetPanelText(spCaret, Format("%d : %d", line, column));
}

void ShowEditMode(bool overwrite, bool readOnly) {
  SetPanelText(spEditMode, readOnly    ? res::ModeReadOnly
                           : overwrite ? res::ModeOverwrite
                                       : res::ModeInsert);
}

void SetAppTitle() {
  TDocForm* doc = ActiveDoc();
  if (!doc)
    return ResetAppTitle();
  std::string name = ExtractFileName(doc->FileName.empty() ? doc->Caption() : doc->FileName);
  Application->SetTitle(Format(AppTitleFormat, name));
}

void ResetAppTitle() {
  Application->SetTitle(AppTitle);
}

void ClearStatusPanels() {
  for (int i = 0; i < StatusPanelCount; ++i)
    SetPanelText(i, "");
}

void SetStatusMessage(const std::string& text) {
  SetPanelText(spMessage, text);
}

void ClearStatusMessage() {
  SetPanelText(spMessage, "");
}

void ShowTimedStatusMessage(const std::string& text) {
  if (!TopForm)
    return;
  SetPanelText(spMessage, " " + text);
  TopForm->Timer1->Restart();
}

void MruInsertFile(TStrings& list, const std::string& fileName) {
  if (fileName.empty())
    return;
  RemoveFileFromList(list, fileName);
  list.Insert(0, fileName);
}

void RemoveFileFromList(TStrings& list, const std::string& fileName) {
  for (int i = list.Count() - 1; i >= 0; --i)
    if (IsSameString(list[i], fileName, false))
      list.Delete(i);
}

void AddRemainFile(TDocForm* doc, bool rebuild) {
  if (!doc || !TopForm)
    return;
  MruInsertFile(TopForm->RemainFiles, doc->FileName);
  if (rebuild)
    RefreshRemainMenus();
  RefreshListWindows(doc->FileName);
  // The document is closing: the index dialog lists the others.
  if (IndexForm)
    IndexForm->RefreshEntryList(doc->FileName);
}

void RemoveRemainFile(TDocForm* doc, bool rebuild) {
  if (!doc || !TopForm)
    return;
  RemoveFileFromList(TopForm->RemainFiles, doc->FileName);
  if (rebuild)
    RefreshRemainMenus();
  RefreshListWindows("");
  if (IndexForm)
    IndexForm->RefreshEntryList();
}

void BuildRemainMenu() {
  if (!TopForm)
    return;
  TopForm->PopupMenu_RemainOpen->Items()->Clear();
  const TStrings& files = TopForm->RemainFiles;
  int count = std::min(files.Count(), RemainMenuCount);
  for (int i = 0; i < count; ++i)
    NewRemainItem(Format(RemainItemFormat, i, files[i]))->OnClick = [](TObject* sender) {
      TopForm->mn_FileRemainClick(sender);
    };
  if (count == 0)
    NewRemainItem(res::NoRemainFiles)->SetEnabled(false);
}

void RefreshRemainMenus() {
  if (!TopForm)
    return;
  BuildRemainMenu();
  CopyRemainMenuIntoGeneratedMenus(*TopForm->PopupMenu_RemainOpen);
}

TDdeReply InterpretDdeReply(const std::string& reply, const std::string& targetFile) {
  TDdeReply result;
  result.FileName = targetFile;
  result.Error = true;
  size_t blank = reply.rfind(' ');
  if (reply == DdeErrorReply) {
    result.MessageFormat = res::DdeFailed;
  } else if (blank == std::string::npos) {
    result.Error = reply.find("OK") == std::string::npos && Trim(reply) != "0";
    result.MessageFormat = result.Error ? res::RunFailed : res::RunDone;
  } else if (reply.size() < 3) {
    // Too short to name a file and a line, but still a failure.
    result.MessageFormat = res::RunFailed;
  } else {
    result.FileName = ReplaceAll(reply.substr(0, blank), "/", "\\", true);
    result.Line = StrToIntDef(reply.substr(blank + 1), -1);
    result.FileFromReply = true;
    result.MessageFormat = "%s 処理で \"" + result.FileName + "\" " + IntToStr(result.Line) +
                           "行目にエラーが報告されました.";
  }
  return result;
}

TDocForm* ParseDdeReply(const std::string& reply, TDdeReply& result) {
  result = InterpretDdeReply(reply, TopForm ? TopForm->TexCtrl1->TargetFile : "");
  return result.FileFromReply ? FindDocByFileName(result.FileName) : nullptr;
}

} // namespace quolin
