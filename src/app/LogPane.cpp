#include "app/LogPane.h"

#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "common/StringHelpers.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/Platform.h"
#include "core/ResConst.h"
#include "ui/Buttons.h"

namespace quolin {

namespace {

constexpr int MinLogPaneHeight = 11;

TLogFilterOptions FilterOptions(const TDocForm& doc) {
  const TLogLoadOption& option = TopForm->Settings.LogLoadOption;
  TLogFilterOptions options;
  options.Filter = CheckedLogFilter(doc);
  options.ErrorPrefixes = CommaTextItems(option.LogErrorStr);
  options.WarningPrefixes = CommaTextItems(option.LogWarningStr);
  options.NextLineError = option.LogNextLineViewError;
  options.NextLineWarning = option.LogNextLineViewWarning;
  return options;
}

void ShowListing(TDocForm& doc, const std::vector<std::string>& lines, int selected) {
  TStrings& items = doc.LogListBox1->Items();
  items.BeginUpdate();
  items.Clear();
  for (const std::string& line : lines)
    items.Add(line);
  items.EndUpdate();
  doc.LogListBox1->SetItemIndex(selected);
}

// A log that exists but cannot be read lists as missing.
bool ReadLog(const std::string& logName, std::string& bytes) {
  if (!FileExists(logName))
    return false;
  try {
    bytes = ReadFileBytes(logName);
    return true;
  } catch (const EFileError&) {
    return false;
  }
}

TMenuItem* FilterItem(const TDocForm& doc, TLogFilter filter) {
  TMenuItem* items[] = {doc.pop_LogViewAll, doc.pop_LogViewError, doc.pop_LogViewWanning};
  return items[filter];
}

} // namespace

void ClearLogList(TDocForm& doc) {
  ShowListing(doc, {}, -1);
}

TLogFilter CheckedLogFilter(const TDocForm& doc) {
  for (TLogFilter filter : {lfAll, lfErrors})
    if (FilterItem(doc, filter)->Checked())
      return filter;
  return lfWarnings;
}

void SetLogFilter(TDocForm& doc, TLogFilter filter) {
  for (TLogFilter each : {lfAll, lfErrors, lfWarnings})
    FilterItem(doc, each)->SetChecked(each == filter);
  LoadLog(&doc, "");
}

void LoadLog(TDocForm* doc, const std::string& fileName) {
  if (!doc || doc->Panel_Log->Height() < MinLogPaneHeight)
    return;
  std::string target = doc->TargetFileName();
  if (target.empty() || (!fileName.empty() && !IsSameText(fileName, target)))
    return;
  std::string logName = ChangeFileExt(target, TopForm->Settings.LogLoadOption.LogExt);
  doc->SpeedButton1->SetHint(
      Format(res::LogReloadHint, ExtractFileName(logName), ExtractFilePath(logName)));
  std::string bytes;
  if (!ReadLog(logName, bytes)) {
    ShowListing(*doc, {res::LogMissing}, -1);
    return;
  }
  TLogListing listing = FilterLogLines(SplitLogLines(bytes), FilterOptions(*doc));
  if (listing.Lines.empty())
    ShowListing(*doc, {res::LogNothingListed}, -1);
  else
    ShowListing(*doc, listing.Lines, listing.Selected);
}

void LogListBox1DblClick(TDocForm& doc) {
  int index = doc.LogListBox1->ItemIndex();
  if (index < 0 || index >= doc.LogListBox1->Items().Count())
    return;
  int line = ParseLogLineNumber(doc.LogListBox1->Items()[index]) - 1;
  if (line < 0 || line >= doc.ActiveEditor->Lines().Count())
    return;
  doc.GoToLine(line, 0, true);
  if (doc.ActiveEditor->Showing())
    doc.ActiveEditor->SetFocus();
}

void ConnectLogPane(TDocForm& doc) {
  for (TLogFilter filter : {lfAll, lfErrors, lfWarnings})
    FilterItem(doc, filter)->OnClick = [&doc, filter](TObject*) { SetLogFilter(doc, filter); };
  doc.LogListBox1->OnDblClick = [&doc](TObject*) { LogListBox1DblClick(doc); };
}

} // namespace quolin
