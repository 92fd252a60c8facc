#include "commands/CommandRouter.h"

#include "app/CommandHelper.h"
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/Outline.h"
#include "app/TopUnit.h"
#include "commands/MenuBuilder.h"
#include "commands/ReservedWords.h"
#include "commands/SetDataUnit.h"
#include "commands/SetMenuForm.h"
#include "commands/SetReservUnit.h"
#include "commands/ToolbarBuilder.h"
#include "commands/TopFormData.h"
#include "commands/UserCommand.h"
#include "common/Registry.h"
#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/SysWords.h"
#include "settings/BracketListForm.h"
#include "settings/ConvUnit.h"
#include "settings/DocInfoUnit.h"
#include "settings/FindOpenUnit.h"
#include "settings/FindUnit.h"
#include "settings/FmtUnit.h"
#include "settings/IndexUnit.h"
#include "settings/JumpUnit.h"
#include "settings/OutlineDetailForm.h"
#include "settings/SetUnit.h"
#include "settings/TplUnit.h"
#include "settings/VerUnit.h"
#include "settings/WizUnit.h"
#include "spell/SpellUnit.h"
#include "texchain/AuxFiles.h"
#include "texchain/ToolUtil.h"
#include "toolbar/TbControls.h"
#include "toolbar/TbToolbar.h"
#include "ui/Application.h"
#include "ui/Clipboard.h"
#include "ui/HelpFile.h"
#include "ui/HourGlass.h"
#include "ui/Menus.h"

#include <windows.h>

#include <iterator>
#include <utility>

namespace quolin {

namespace {

constexpr std::string_view SysPrefix = "$Sys_";
constexpr std::string_view ListPrefixes[] = {"$List", "$Font"};
constexpr int HelpTopicContext = 1000;

TCommandWatcher& Watcher() {
  static TCommandWatcher watcher;
  return watcher;
}

bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         sjis::EqualIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// A built-in word as the router hands it to its handler.
struct TSysCall {
  TObject* Sender;
  const std::string& Command;
  int CommandId;
  // The word as the text spells it: the name its arguments follow.
  std::string Spelled;
  int Number;

  std::string Arg(int index, std::string_view defaultValue) const {
    return GetMacroArg(Spelled, Command, index, defaultValue);
  }
  bool Flag(int index, std::string_view defaultValue) const {
    return IsTrueArg(Arg(index, defaultValue));
  }
};

using THandler = void (*)(const TSysCall& call);

// Stands for a word whose form or dialog is not there yet.
void OptMenu(const TSysCall&) {
  SysOptMenu(0);
}

TDocForm& Doc() {
  return *ActiveDoc();
}

TEditor& View() {
  return *Doc().ActiveEditor;
}

// The active form's own edit box takes the dialog edit commands when it offers them.
bool RunOnEditTarget(TEditCommand command) {
  auto* target = dynamic_cast<TEditCommandTarget*>(Screen->ActiveForm());
  return target && target->RunEditCommand(command);
}

// The outline's selected section takes cut, copy and paste while its tree has the focus.
bool RunOnOutline(TSectionCommand command) {
  if (!TopForm->Panel_Section->Visible() || !TopForm->TreeView_Section->Focused())
    return false;
  OutlineSectionCommand(command);
  return true;
}

void SendToFocus(UINT message) {
  if (HWND focus = GetFocus())
    SendMessageA(focus, message, 0, 0);
}

void ClipboardCommand(TEditCommand command, TSectionCommand section, UINT message) {
  if (!RunOnEditTarget(command) && !RunOnOutline(section))
    SendToFocus(message);
}

void FileNew(const TSysCall&) {
  SysFileNew();
}

void FileTemplate(const TSysCall&) {
  ShowTplForm();
}

void FileOpenNamed(const TSysCall& call) {
  OpenDocument(call.Arg(0, ""), call.Arg(1, ""), call.Flag(2, "False"), -1, call.Flag(4, "False"),
               call.Flag(3, "True"));
}

void FileFindOpen(const TSysCall& call) {
  ToggleFindOpenForm(call.CommandId);
}

void FileOpen(const TSysCall&) {
  OpenDocumentsByDialog(false);
}

void FilesOpen(const TSysCall&) {
  OpenDocumentsByDialog(true);
}

void FileRemain(const TSysCall& call) {
  auto* control = dynamic_cast<TControl*>(call.Sender);
  if (!control)
    return;
  POINT corner = control->ClientToScreen({0, control->Height()});
  TopForm->PopupMenu_RemainOpen->Popup(corner.x, corner.y);
}

void FileInsert(const TSysCall& call) {
  if (HasDoc())
    InsertFileIntoActiveDoc(call.Arg(0, ""));
}

void FileSave(const TSysCall&) {
  Doc().SaveFile(Doc().FileName);
}

void FileSaveAs(const TSysCall&) {
  Doc().SaveFile("");
}

void FileSaveAll(const TSysCall&) {
  SaveAllDocs();
}

void FileReadOnly(const TSysCall&) {
  TDocForm& doc = Doc();
  bool readOnly = !doc.Editor1->ReadOnly();
  doc.Editor1->SetReadOnly(readOnly);
  doc.Editor2->SetReadOnly(readOnly);
  ShowEditMode(doc.Editor1->OverWrite(), readOnly);
}

void FileClose(const TSysCall&) {
  Doc().Close();
}

void FileCloseAll(const TSysCall&) {
  CloseAllDocs();
}

void FileExit(const TSysCall&) {
  TopForm->Close();
}

void FileOwnerSet(const TSysCall&) {
  Doc().SelectOwnerFile("");
}

void FileOwnerClear(const TSysCall&) {
  Doc().ClearOwnerFile();
}

// A run of the tool component for the active document's target; nothing while one runs.
template <TExeType Kind> void TexRun(const TSysCall&) {
  TTexCtrl& tex = *TopForm->TexCtrl1;
  TDocForm* doc = ActiveDoc();
  if (!doc || tex.Activ() || !SaveAllModified(doc->FileName.empty()))
    return;
  const std::string target = doc->TargetFileName();
  if (target.empty()) {
    PlayDefaultBeep();
    return;
  }
  tex.TargetFile = target;
  tex.EditFileName = doc->FileName;
  tex.OwnerFileName = doc->OwnerFile;
  tex.EditRowNum = doc->CaretLine() + 1;
  tex.ExeType = Kind;
  if (!tex.Execute())
    PlayDefaultBeep();
}

void FileDosThreadEnd(const TSysCall&) {
  TopForm->TexCtrl1->Stop();
}

void FileDelTempFile(const TSysCall&) {
  DeleteTexOutputFiles(Doc().TargetFileName());
}

void EditUndo(const TSysCall&) {
  if (!RunOnEditTarget(ecUndo) && HasDoc())
    View().Undo();
}

void EditRedo(const TSysCall&) {
  if (HasDoc())
    View().Redo();
}

void EditRepeat(const TSysCall&) {
  std::string command = RepeatableCommand();
  if (command.empty())
    ShowTimedStatusMessage(res::NoCommandToRepeat);
  else
    ExecuteUserCommand(command);
}

void EditCut(const TSysCall&) {
  ClipboardCommand(ecCut, scCut, WM_CUT);
}

void EditCopy(const TSysCall&) {
  ClipboardCommand(ecCopy, scCopy, WM_COPY);
}

// The selection joined to the clipboard's text, without a separator; plain copy or cut when
// either is missing.
void AppendToClipboard(bool cut) {
  TEditor& view = View();
  std::string clipboard = GetClipboardText();
  if (clipboard.empty() || !view.Selected()) {
    cut ? view.CutToClipboard() : view.CopyToClipboard();
    return;
  }
  SetClipboardText(clipboard + view.SelText());
  if (cut)
    view.ClearSelection();
}

void EditAddCut(const TSysCall&) {
  AppendToClipboard(true);
}

void EditAddCopy(const TSysCall&) {
  AppendToClipboard(false);
}

void EditPaste(const TSysCall&) {
  if (RunOnEditTarget(ecPaste) || RunOnOutline(scPaste))
    return;
  if (IsClipboardFormatAvailable(CF_TEXT)) {
    SendToFocus(WM_PASTE);
    return;
  }
  // Opened only after the clipboard is closed again, as dropped files are.
  for (const std::string& name : GetClipboardFileNames())
    OpenDocument(name, "", false, -1, false, true);
}

// The browser's preview, while it has the focus, before the documents.
bool SelectAllInBrowser() {
  if (!FindOpenForm || !FindOpenForm->Visible() || !FindOpenForm->Editor1->Focused())
    return false;
  FindOpenForm->Editor1->SelectAll();
  return true;
}

void EditSelectAll(const TSysCall&) {
  if (RunOnEditTarget(ecSelectAll) || SelectAllInBrowser() || !HasDoc())
    return;
  if (TEditor& view = View(); view.Focused())
    view.SelectAll();
}

// Arguments from first: forward, match case, whole word.
void FindWithFlags(const TSysCall& call, int first, const std::string& pattern) {
  FindTextInActiveDoc(pattern, call.Flag(first, "True"), call.Flag(first + 1, "False"),
                      call.Flag(first + 2, "False"));
}

void EditFindStr(const TSysCall& call) {
  FindWithFlags(call, 1, call.Arg(0, ""));
}

void EditFindDialog(const TSysCall& call) {
  ToggleFindForm(call.CommandId);
}

template <bool Forward> void EditFindDialogAgain(const TSysCall&) {
  FindAgainFromDialog(Forward);
}

void EditSelFind(const TSysCall& call) {
  TEditor& view = View();
  std::string pattern;
  if (view.Selected() && view.SelLength() > 0) {
    pattern = view.SelText();
    RegWriteString(res::RegSectionFindReplace, res::SelFindTextName, pattern);
  } else {
    pattern = RegReadString(res::RegSectionFindReplace, res::SelFindTextName, "");
  }
  FindWithFlags(call, 0, pattern);
}

void EditMoveLine(const TSysCall& call) {
  GoToActiveDocLine(StrToIntDef(call.Arg(0, "1"), 1) - 1);
}

void EditJump(const TSysCall& call) {
  GoToActiveDocLine(StrToIntDef(call.Arg(0, "0"), 0));
}

void EditJumpDialog(const TSysCall& call) {
  ToggleJumpForm(call.CommandId);
}

template <TSectionMove Move> void EditMoveSection(const TSysCall&) {
  MoveSectionSelection(&Doc(), Move);
}

void EditPopupMenu(const TSysCall&) {
  if (HasDoc())
    Doc().PopupMenuAtCaret();
}

void EditLineCut(const TSysCall&) {
  Doc().CutCaretLine();
}

void EditLinePaste(const TSysCall&) {
  Doc().PasteCutLine();
}

void ViewWordWrap(const TSysCall& call) {
  TopForm->WordWrapCommandId = call.CommandId;
  Doc().SetWordWrap(!Doc().Editor1->WordWrap());
}

void ViewStatusBar(const TSysCall& call) {
  TopForm->ShowStatusBar(!TopForm->StatusBar1->Visible(), call.CommandId);
}

void ViewToolBarList(const TSysCall& call) {
  SysViewToolBarList(call.Sender);
}

void ViewDocExp(const TSysCall& call) {
  TopForm->ShowOutlinePanel(!TopForm->Panel_Section->Visible(), call.CommandId);
}

template <UINT Message, WPARAM WParam, LPARAM LParam = 0> void MdiCommand(const TSysCall&) {
  SendMessageA(TopForm->ClientHandle(), Message, WParam, LParam);
}

template <TWindowState State> void DocWindowState(const TSysCall&) {
  Doc().SetWindowState(State);
}

void WinDocInfo(const TSysCall&) {
  ShowDocInfoForm();
}

template <TWindowState State> void MainWindowState(const TSysCall&) {
  TopForm->SetWindowState(State);
}

void MainActiv(const TSysCall&) {
  TopForm->BringApplicationToFront();
}

void OptCreateNewDataFile(const TSysCall&) {
  CreateDataFileInteractive();
}

void OptSetup(const TSysCall&) {
  ShowSetForm();
}

void OptDocExpSetup(const TSysCall&) {
  ShowSetExpForm();
}

void OptSpellCheck(const TSysCall&) {
  ShowSpellForm();
}

void OptBracketSetup(const TSysCall&) {
  ShowKakkoForm();
}

void OptMaster(const TSysCall&) {
  ShowSetDataForm(0, false);
}

void OptReserve(const TSysCall&) {
  ShowSetReservForm();
}

void OptAddReserve(const TSysCall&) {
  if (View().SelLength() == 0)
    return;
  TBusyCursor busy;
  AddReserveWord(View().SelText());
}

void OptModuleWizard(const TSysCall&) {
  ShowWizForm();
}

// Registry mode: the pLaTeX2e front end's settings; otherwise the TeX front end's INI file.
template <bool RegistryMode> void OptSelectFmt(const TSysCall&) {
  ShowFmtForm(RegistryMode);
}

void OptVersion(const TSysCall&) {
  ShowVerForm();
}

void OptExecuteFile(const TSysCall& call) {
  ExecuteFile(call.Arg(0, ""), call.Arg(1, ""));
}

void EditIndexDialog(const TSysCall& call) {
  ToggleIndexForm(call.CommandId);
}

void EditCharConv(const TSysCall&) {
  ShowConvForm();
}

void EditCommandHelper(const TSysCall&) {
  ShowCommandHelper();
}

void HelpTopic(const TSysCall&) {
  ShowHelpContext(HelpTopicContext);
}

// One handler per word, in the order of the word table.
constexpr THandler Handlers[] = {
    FileNew,
    FileTemplate,
    FileOpenNamed,
    FileOpen,
    FilesOpen,
    FileRemain,
    FileFindOpen,
    FileInsert,
    FileSave,
    FileSaveAs,
    FileSaveAll,
    FileReadOnly,
    FileClose,
    FileCloseAll,
    FileExit,
    FileOwnerSet,
    FileOwnerClear,
    TexRun<etTeX>,
    TexRun<etMakeIndex>,
    TexRun<etBibTeX>,
    TexRun<etPreview>,
    TexRun<etPrint>,
    TexRun<etAuto>,
    TexRun<etAutoPreview>,
    TexRun<etAutoPrint>,
    FileDosThreadEnd,
    FileDelTempFile,
    EditUndo,
    EditRedo,
    EditRepeat,
    EditCut,
    EditCopy,
    EditAddCut,
    EditAddCopy,
    EditPaste,
    EditSelectAll,
    // Find, find dialog, find next and previous.
    EditFindStr,
    EditFindDialog,
    EditFindDialogAgain<true>,
    EditFindDialogAgain<false>,
    EditSelFind,
    EditIndexDialog,
    EditMoveLine,
    EditJump,
    EditJumpDialog,
    EditMoveSection<smParent>,
    EditMoveSection<smFirstChild>,
    EditMoveSection<smNextSibling>,
    EditMoveSection<smPrevSibling>,
    EditMoveSection<smNext>,
    EditMoveSection<smPrev>,
    EditCharConv,
    EditCommandHelper,
    EditPopupMenu,
    EditLineCut,
    EditLinePaste,
    ViewWordWrap,
    ViewStatusBar,
    ViewToolBarList,
    ViewDocExp,
    MdiCommand<WM_MDINEXT, 0>,
    MdiCommand<WM_MDINEXT, 0, 1>,
    MdiCommand<WM_MDITILE, MDITILE_VERTICAL>,
    MdiCommand<WM_MDITILE, MDITILE_HORIZONTAL>,
    MdiCommand<WM_MDIICONARRANGE, 0>,
    MdiCommand<WM_MDICASCADE, 0>,
    DocWindowState<TWindowState::wsMaximized>,
    DocWindowState<TWindowState::wsMinimized>,
    DocWindowState<TWindowState::wsNormal>,
    WinDocInfo,
    MainWindowState<TWindowState::wsMaximized>,
    MainWindowState<TWindowState::wsMinimized>,
    MainWindowState<TWindowState::wsNormal>,
    MainActiv,
    // Settings, master editor, menu editor.
    OptSetup,
    OptMaster,
    OptMenu,
    OptCreateNewDataFile,
    // Outline categories, reserved words and adding to them, the module wizards, the format
    // dialogs and the about box.
    OptDocExpSetup,
    OptReserve,
    OptAddReserve,
    OptModuleWizard,
    OptModuleWizard,
    OptModuleWizard,
    OptSelectFmt<false>,
    OptSelectFmt<true>,
    OptVersion,
    OptExecuteFile,
    OptSpellCheck,
    OptBracketSetup,
    HelpTopic,
};
static_assert(std::size(Handlers) == SysWordCount);

} // namespace

TCommandWatcher SetCommandWatcher(TCommandWatcher watcher) {
  return std::exchange(Watcher(), std::move(watcher));
}

bool ExecuteCommand(TObject* sender, const std::string& command, int commandId) {
  if (Watcher())
    Watcher()({sender, command, commandId});
  if (BeginsIgnoringCase(command, SysPrefix))
    return ExecuteSysCommand(sender, command, commandId);
  for (std::string_view prefix : ListPrefixes)
    if (BeginsIgnoringCase(command, prefix)) {
      // A list window belongs to a master: without its number there is none to show.
      if (TopForm && commandId != 0)
        TopForm->ToggleGroupToolWindow(commandId);
      return true;
    }
  return ExecuteUserCommand(command);
}

bool ExecuteSysCommand(TObject* sender, const std::string& command, int commandId) {
  TFoundSysWord found = FindSysWord(command);
  if (found.Number == 0)
    return false;
  if (!TopForm || (SysWords[found.Number - 1].NeedsDocument && !HasDoc()))
    return true;
  Handlers[found.Number - 1]({sender, command, commandId, found.Spelled, found.Number});
  return true;
}

void DeleteTexOutputFiles(const std::string& targetFile) {
  if (targetFile.empty() || !TopForm)
    return;
  if (TopForm->TexCtrl1->Activ() &&
      CompareLocale(TopForm->TexCtrl1->TargetFile, targetFile, false) == 0)
    return;
  const TAutoDeleteOptions& options = TopForm->Settings.AutoDeleteOptions;
  DeleteAuxiliaryFiles(targetFile, {options.dvi, options.log, options.toc, options.lof, options.lot,
                                    options.idx, options.ind, options.ilg, options.aux, options.bbl,
                                    options.blg});
}

void SysFileNew() {
  if (TopForm)
    OpenDocument(TopForm->Settings.FileIOOption.DefaultTemplateFile, "", true, -1, false, true);
}

void SysOptMenu(int page) {
  ShowSetMenuForm(page);
}

void SysViewToolBarList(TObject* sender) {
  TMenuItem* items = nullptr;
  if (auto* item = dynamic_cast<TMenuItem*>(sender))
    items = item;
  else if (auto* menu = dynamic_cast<TMenu*>(sender))
    items = menu->Items();
  else if (auto* button = dynamic_cast<TToolbarButton*>(sender); button && button->DropdownMenu())
    items = button->DropdownMenu()->Items();
  const std::vector<TToolbar*>& toolbars = UserToolbars();
  if (!items || static_cast<int>(toolbars.size()) > items->Count())
    return;
  for (size_t i = 0; i < toolbars.size(); ++i)
    items->Items(static_cast<int>(i))->SetChecked(toolbars[i]->Visible());
}

} // namespace quolin
