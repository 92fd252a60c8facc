#include "common/FileDialogs.h"

#include "common/Registry.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>

namespace quolin {

namespace {

constexpr char FilterIndexSuffix[] = "_FilterIndex";
constexpr size_t OneFileBufferSize = 4096;
constexpr size_t SeveralFilesBufferSize = 0x10000;

TFileDialogHook& Hook() {
  static TFileDialogHook hook;
  return hook;
}

// The remembered folder of the history key, with the record's initial folder as default.
std::string StartFolder(const TFileDialogParams& params) {
  if (params.HistoryKey.empty())
    return params.InitialDir;
  return RegReadString(res::RegSectionFileDialogs, params.HistoryKey, params.InitialDir);
}

int RememberedFilterIndex(const TFileDialogParams& params) {
  if (params.HistoryKey.empty())
    return 0;
  return std::max(
      0, RegReadInteger(res::RegSectionFileDialogs, params.HistoryKey + FilterIndexSuffix, 0));
}

TFileDialogFields Resolved(const TFileDialogParams& params, TFileDialogKind kind) {
  TFileDialogFields fields;
  static_cast<TFileDialogParams&>(fields) = params;
  fields.Kind = kind;
  return fields;
}

// The read-only box is offered only for one file, and checked only when offered.
void SetReadOnlyBox(TFileDialogFields& fields) {
  fields.ShowReadOnly = fields.ShowReadOnly && !fields.AllowMultiSelect;
  fields.ReadOnly = fields.ShowReadOnly && fields.ReadOnly;
}

void RememberFolder(const TFileDialogFields& fields, const std::string& fileName) {
  RegWriteString(res::RegSectionFileDialogs, fields.HistoryKey, ExtractFilePath(fileName));
}

DWORD DialogFlags(const TFileDialogFields& fields) {
  DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
  if (fields.Kind == TFileDialogKind::fdOpen)
    flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  else
    flags |= OFN_OVERWRITEPROMPT;
  if (fields.AllowMultiSelect)
    flags |= OFN_ALLOWMULTISELECT;
  if (!fields.ShowReadOnly)
    flags |= OFN_HIDEREADONLY;
  if (fields.ReadOnly)
    flags |= OFN_READONLY;
  return flags;
}

const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

TFileDialogAnswer RunDialog(const TFileDialogFields& fields) {
  const std::string filter = ConvertDialogFilter(fields.Filter);
  std::string buffer(fields.AllowMultiSelect ? SeveralFilesBufferSize : OneFileBufferSize, '\0');
  fields.FileName.copy(buffer.data(), buffer.size() - 2);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = OrNull(filter);
  dialog.nFilterIndex = static_cast<DWORD>(std::max(0, fields.FilterIndex));
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = OrNull(fields.InitialDir);
  dialog.lpstrTitle = OrNull(fields.Title);
  dialog.lpstrDefExt = OrNull(fields.DefaultExt);
  dialog.Flags = DialogFlags(fields);

  TFileDialogAnswer answer;
  answer.Confirmed = fields.Kind == TFileDialogKind::fdOpen ? GetOpenFileNameA(&dialog)
                                                            : GetSaveFileNameA(&dialog);
  if (!answer.Confirmed)
    return answer;
  // Several names follow their folder after a NUL; one name is a whole path, and the buffer
  // behind its NUL may still hold the end of a longer initial name.
  const bool several =
      fields.AllowMultiSelect && dialog.nFileOffset > 0 && buffer[dialog.nFileOffset - 1] == '\0';
  answer.FileNames =
      several ? ParseSelectedFiles(buffer) : std::vector<std::string>{std::string(buffer.c_str())};
  answer.ReadOnly = (dialog.Flags & OFN_READONLY) != 0;
  answer.FilterIndex = static_cast<int>(dialog.nFilterIndex);
  return answer;
}

TFileDialogAnswer Ask(const TFileDialogFields& fields) {
  return Hook() ? Hook()(fields) : RunDialog(fields);
}

} // namespace

void SetFileDialogHook(TFileDialogHook hook) {
  Hook() = std::move(hook);
}

TFileDialogFields PrepareOpenDialog(const TFileDialogParams& params, bool filesGiven) {
  TFileDialogFields fields = Resolved(params, TFileDialogKind::fdOpen);
  fields.FilterIndex = params.FilterIndex >= 0 ? params.FilterIndex : RememberedFilterIndex(params);
  fields.AllowMultiSelect = params.AllowMultiSelect && filesGiven;
  SetReadOnlyBox(fields);
  fields.InitialDir = StartFolder(params);
  return fields;
}

TFileDialogFields PrepareSaveDialog(const TFileDialogParams& params) {
  TFileDialogFields fields = Resolved(params, TFileDialogKind::fdSave);
  fields.FileName = ExtractFileName(params.FileName);
  // No index is remembered for saving; an unset one shows the first filter.
  fields.FilterIndex = params.FilterIndex >= 0 ? params.FilterIndex : 1;
  fields.AllowMultiSelect = false;
  SetReadOnlyBox(fields);
  const std::string folder = ExtractFilePath(params.FileName);
  fields.InitialDir = folder.empty() ? StartFolder(params) : folder;
  return fields;
}

bool FinishOpenDialog(const TFileDialogFields& fields, const TFileDialogAnswer& answer,
                      TStrings* files, std::string& fileName, bool& readOnly) {
  if (!answer.Confirmed || answer.FileNames.empty())
    return false;
  fileName = answer.FileNames.front();
  if (fields.AllowMultiSelect && files) {
    files->Clear();
    for (const std::string& name : answer.FileNames)
      files->Add(name);
  }
  readOnly = fields.ShowReadOnly && answer.ReadOnly;
  if (!fields.HistoryKey.empty()) {
    RememberFolder(fields, fileName);
    RegWriteInteger(res::RegSectionFileDialogs, fields.HistoryKey + FilterIndexSuffix,
                    answer.FilterIndex);
  }
  return true;
}

bool FinishSaveDialog(const TFileDialogFields& fields, const TFileDialogAnswer& answer,
                      std::string& fileName, bool& readOnly) {
  if (!answer.Confirmed || answer.FileNames.empty())
    return false;
  fileName = answer.FileNames.front();
  readOnly = fields.ShowReadOnly && answer.ReadOnly;
  if (!fields.HistoryKey.empty())
    RememberFolder(fields, fileName);
  return true;
}

bool ShowOpenDialog(const TFileDialogParams& params, TStrings* files, std::string& fileName,
                    bool& readOnly) {
  const TFileDialogFields fields = PrepareOpenDialog(params, files != nullptr);
  return FinishOpenDialog(fields, Ask(fields), files, fileName, readOnly);
}

bool ShowSaveDialog(const TFileDialogParams& params, std::string& fileName, bool& readOnly) {
  const TFileDialogFields fields = PrepareSaveDialog(params);
  return FinishSaveDialog(fields, Ask(fields), fileName, readOnly);
}

std::string ConvertDialogFilter(std::string_view filter) {
  if (filter.empty())
    return {};
  std::string result;
  for (size_t pos = 0; pos < filter.size();) {
    const size_t length = sjis::CharLength(filter, pos);
    if (length == 1 && filter[pos] == '|')
      result += '\0';
    else
      result.append(filter.substr(pos, length));
    pos += length;
  }
  result.append(2, '\0');
  return result;
}

std::vector<std::string> ParseSelectedFiles(std::string_view buffer) {
  std::vector<std::string> items;
  for (size_t pos = 0; pos < buffer.size();) {
    const size_t end = std::min(buffer.find('\0', pos), buffer.size());
    if (end == pos)
      break;
    items.emplace_back(buffer.substr(pos, end - pos));
    pos = end + 1;
  }
  if (items.size() <= 1)
    return items;
  const std::string folder = IncludeTrailingPathDelimiter(items.front());
  std::vector<std::string> files;
  for (size_t i = 1; i < items.size(); ++i)
    files.push_back(folder + items[i]);
  return files;
}

} // namespace quolin
