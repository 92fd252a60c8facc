#include "settings/SettingsPage.h"

#include "common/FileDialogs.h"
#include "core/Paths.h"
#include "ui/FolderDlg.h"
#include "ui/Graphics.h"

#include <algorithm>

namespace quolin {

namespace {
constexpr int ColumnRows = 440;
// Between the check mark and the caption, and after the caption.
constexpr int CaptionMargin = 8;
} // namespace

TSettingsPage::TSettingsPage(TComponent* owner, TSettingsChanges& changes, int helpContext)
    : TFrame(owner), Changes(changes) {
  HelpContext = helpContext;
  SetAlign(alClient);
}

void TSettingsPage::LoadSettings() {
  if (PageLoaded)
    return;
  PageLoaded = true;
  FillControls();
}

void TSettingsPage::SaveSettings() {
  if (!PageLoaded)
    return;
  PageLoaded = false;
  StoreControls();
}

void TSettingsPage::CancelSettings() {
  PageLoaded = false;
}

void TSettingsPage::Place(TControl& control, int width, int height) {
  if (top_ + height > ColumnRows)
    NextColumn();
  control.SetBounds(left_, top_, width, height);
  control.SetParent(this);
  top_ += height + 4;
  widest_ = std::max(widest_, width);
}

void TSettingsPage::NextColumn() {
  left_ += std::max(ColumnWidth, widest_ + 16);
  top_ = 8;
  widest_ = 0;
}

// A caption longer than the column widens the control, and the column with it.
int TSettingsPage::MarkedCaptionWidth(const std::string& caption) {
  const int text = static_cast<int>(TextExtent(Font().Handle(), caption).cx);
  return std::max(ColumnWidth - 16, GetSystemMetrics(SM_CXMENUCHECK) + text + 2 * CaptionMargin);
}

TCheckBox* TSettingsPage::AddCheck(std::string_view name, const std::string& caption) {
  return Add<TCheckBox>(name, caption, MarkedCaptionWidth(caption));
}

TRadioButton* TSettingsPage::AddRadio(std::string_view name, const std::string& caption) {
  return Add<TRadioButton>(name, caption, MarkedCaptionWidth(caption));
}

TButton* TSettingsPage::AddButton(std::string_view name, const std::string& caption) {
  return Add<TButton>(name, caption, 150);
}

TLabel* TSettingsPage::AddLabel(const std::string& caption, std::string_view name) {
  return Add<TLabel>(name, caption, ColumnWidth - 16);
}

TEdit* TSettingsPage::AddEdit(std::string_view name, const std::string& label) {
  TLabel* caption = AddLabel(label);
  auto* edit = Create<TEdit>(this, name);
  Place(*edit, ColumnWidth - 16, RowHeight);
  caption->FocusControl = edit;
  return edit;
}

TComboBox* TSettingsPage::AddCombo(std::string_view name, const std::string& label,
                                   std::initializer_list<const char*> items) {
  TLabel* caption = AddLabel(label);
  auto* combo = Create<TComboBox>(this, name);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* item : items)
    combo->Items().Add(item);
  Place(*combo, 160, RowHeight);
  caption->FocusControl = combo;
  return combo;
}

TCheckBox& TSettingsPage::CheckBox(std::string_view name) const {
  return *static_cast<TCheckBox*>(FindComponent(name));
}

bool TSettingsPage::BrowseFile(const std::string& current, const std::string& title,
                               const std::string& filter, const std::string& defaultExt,
                               std::string& chosen) {
  TFileDialogParams params;
  params.Title = title;
  params.Filter = filter;
  params.DefaultExt = defaultExt;
  params.InitialDir = ExtractFilePath(current);
  params.FileName = ExtractFileName(current);
  bool readOnly = false;
  return ShowOpenDialog(params, nullptr, chosen, readOnly);
}

void TSettingsPage::BrowseFolder(TEdit& edit, const std::string& title) {
  std::string folder = edit.Text();
  if (SelectFolderDialog(title, Handle(), folder))
    edit.SetText(folder);
}

} // namespace quolin
