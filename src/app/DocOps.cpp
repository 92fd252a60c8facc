#include "app/DocOps.h"

#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "common/StringHelpers.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr char UntitledFormat[] = "Noname%d";

constexpr char DdeErrorReply[] = "DDE Error";

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

bool OpenDocument(const std::string& fileName, const std::string& ownerFile, bool asTemplate,
                  int line, bool, bool quiet) {
  if (!TopForm)
    return false;
  std::string name =
      fileName.empty() ? fileName : ExpandFileName(ReplaceAll(fileName, "/", "\\", true));
  if (TDocForm* open = name.empty() ? nullptr : FindDocByFileName(name)) {
    if (TopForm->TexCtrl1->Activ() && line >= 1)
      TopForm->TexCtrl1->DisconnectDde();
    open->Show();
    TopForm->BringApplicationToFront();
    if (line >= 0)
      open->GoToLine(line, 0, true);
    if (!quiet)
      ShowTimedStatusMessage(Format(res::AlreadyOpen, name));
    return false;
  }
  if (name.empty() ? !asTemplate : !FileExists(name)) {
    if (!quiet)
      MsgBoxFmt(asTemplate ? res::TemplateNotFound : res::FileNotFound,
                {name.empty() ? fileName : name}, "WoB");
    if (!asTemplate)
      return false;
  }
  auto* doc = TComponent::Create<TDocForm>(Application);
  if (!asTemplate) {
    doc->FileName = name;
    doc->OwnerFile = ownerFile;
    if (line >= 0)
      doc->GoToLine(line, 0, true);
    RemoveRemainFile(doc, true);
  }
  doc->UpdateCaption();
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
  TopForm->Timer1->SetEnabled(false);
  TopForm->Timer1->SetEnabled(true);
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
}

void RemoveRemainFile(TDocForm* doc, bool rebuild) {
  if (!doc || !TopForm)
    return;
  RemoveFileFromList(TopForm->RemainFiles, doc->FileName);
  if (rebuild)
    RefreshRemainMenus();
  RefreshListWindows("");
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
