#include "app/CommandHelper.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "common/StringHelpers.h"
#include "core/CommandRecords.h"
#include "core/CommandLookup.h"
#include "core/Format.h"
#include "core/HelperPanel.h"
#include "core/ResConst.h"
#include "commands/TopFormData.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"

#include <imm.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quolin {

bool CommandHelperDirty = true;

namespace {

constexpr int NameColumnWidth = 80;

std::string_view WithoutBackslash(std::string_view text) {
  if (!text.empty() && text.front() == '\\')
    text.remove_prefix(1);
  return text;
}

struct THelperRow {
  std::string Name;
  std::string Command;
};

} // namespace

void BuildCommandHelperList() {
  SetStatusMessage(res::PreparingCommandHelper);
  HourGlassOn();
  std::vector<THelperRow> rows;
  const TStrings& masters = TopForm->MasterList;
  for (int i = 0; i < masters.Count(); ++i) {
    TQuolin_CmdList master;
    ParseMasterRecord(masters[i], master);
    if (master.ShowList && !master.Command.empty())
      rows.push_back({master.AssistCaption, master.Command});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const THelperRow& a, const THelperRow& b) {
    return CompareLocale(WithoutBackslash(a.Name + "\t" + a.Command),
                         WithoutBackslash(b.Name + "\t" + b.Command), false) < 0;
  });
  TStringGrid* grid = TopForm->StringGrid_Cmd1;
  grid->SetRowCount(0);
  grid->SetRowCount(static_cast<int>(rows.size()) + 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    grid->SetCells(0, static_cast<int>(i), rows[i].Name);
    grid->SetCells(1, static_cast<int>(i), rows[i].Command);
  }
  grid->SetColumnWidth(0, NameColumnWidth);
  grid->SetColumnWidth(1, grid->ClientWidth() - NameColumnWidth - 3);
  CommandHelperDirty = false;
  ClearStatusMessage();
  HourGlassOff();
}

bool HelperTextBeginsRow(const std::string& typed, const std::string& rowName, bool matchCase) {
  const std::string trimmed = Trim(typed);
  std::string_view text = WithoutBackslash(trimmed);
  std::string_view name = WithoutBackslash(rowName);
  if (matchCase)
    return StartsWithText(name, text) && name.substr(0, text.size()) == text;
  return StartsWithText(name, text);
}

void SelectHelperRow(const std::string& typed) {
  TStringGrid* grid = TopForm->StringGrid_Cmd1;
  if (WithoutBackslash(Trim(typed)).empty() || grid->RowCount() == 0)
    return;
  for (bool matchCase : {true, false})
    for (int row = 0; row < grid->RowCount(); ++row)
      if (HelperTextBeginsRow(typed, grid->Cells(0, row), matchCase)) {
        grid->SetRow(row);
        return;
      }
}

void ShowCommandHelper() {
  TDocForm* doc = ActiveDoc();
  if (!TopForm || !doc)
    return;
  if (CommandHelperDirty || TopForm->StringGrid_Cmd1->RowCount() < 2)
    BuildCommandHelperList();
  doc->OpenCommandHelper();
}

void CloseCommandHelper() {
  TDocForm* doc = HelperPanelDoc();
  ReleaseCommandHelperPanel();
  if (!doc)
    return;
  if (std::exchange(doc->AssistImeOpen, false))
    SetImeOpen(*doc->ActiveEditor, true);
  if (doc == ActiveDoc() && doc->ActiveEditor->CanFocus())
    doc->ActiveEditor->SetFocus();
}

void HideCommandHelper() {
  TDocForm* doc = HelperPanelDoc();
  if (doc && doc->AssistShown)
    doc->CloseCommandHelper();
  else
    CloseCommandHelper();
}

TDocForm* HelperPanelDoc() {
  return TopForm ? dynamic_cast<TDocForm*>(TopForm->Panel_ExHelper1->Parent()) : nullptr;
}

void ReleaseCommandHelperPanel() {
  // A document frees its child controls with it: the main window's panel goes back first.
  TPanel* panel = TopForm->Panel_ExHelper1;
  panel->Hide();
  if (panel->Parent() != TopForm)
    panel->SetParent(TopForm);
}

bool AddCommandFromHelper(const std::string& typed) {
  TStrings& masters = TopForm->MasterList;
  const int id = NewRecordId(masters);
  std::optional<TQuolin_CmdList> master = NewHelperMaster(typed, id);
  if (!master)
    return false;
  if (id == 0) {
    MsgBox(res::RecordIdsExhausted, "WoB");
    return false;
  }
  masters.Add(BuildMasterRecord(*master));
  SaveMasterData(true);
  CommandHelperDirty = true;
  return true;
}

bool SetImeOpen(TControl& view, bool open) {
  HWND window = view.Handle();
  HIMC context = ImmGetContext(window);
  if (!context)
    return false;
  bool wasOpen = ImmGetOpenStatus(context);
  ImmSetOpenStatus(context, open);
  ImmReleaseContext(window, context);
  return wasOpen;
}

} // namespace quolin
