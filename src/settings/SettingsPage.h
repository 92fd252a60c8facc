// The protocol every settings page follows, whichever form hosts it: a page fills its controls
// on its first visit, and on save copies them back and stores them, once per visit. A page that
// was never visited is neither filled nor stored, so its settings stay as they were.
#pragma once

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quolin {

// What the saved pages changed, for their host to apply once after all saves.
struct TSettingsChanges {
  // The view or an editor page: the default editor options and every document take them.
  bool EditorChanged = false;
  // A tool page: the tool modules are stored.
  bool ModulesChanged = false;
};

// Check boxes bound to the boolean fields of a settings record.
template <typename Record> struct TCheckField {
  const char* Name;
  const char* Caption;
  bool Record::*Field;
};

class TSettingsPage : public TFrame {
public:
  // Set by the visit that filled the controls, cleared by save and cancel.
  bool PageLoaded = false;

  virtual void LoadSettings();
  virtual void SaveSettings();
  virtual void CancelSettings();

  // An open dialog at the folder and name of current; false when cancelled.
  static bool BrowseFile(const std::string& current, const std::string& title,
                         const std::string& filter, const std::string& defaultExt,
                         std::string& chosen);
  // The width the placed columns take, with the margin on their right.
  int ContentWidth() const { return left_ + widest_ + 8; }

protected:
  TSettingsPage(TComponent* owner, TSettingsChanges& changes, int helpContext);

  // Controls from the settings, and back; run by the protocol above.
  virtual void FillControls() {}
  virtual void StoreControls() {}

  TSettingsChanges& Changes;

  // Builders placing the controls top to bottom in columns; layout is free.
  template <typename T> T* Add(std::string_view name, const std::string& caption, int width) {
    T* control = Create<T>(this, name);
    control->SetCaption(caption);
    Place(*control, width, RowHeight);
    return control;
  }
  TCheckBox* AddCheck(std::string_view name, const std::string& caption);
  TRadioButton* AddRadio(std::string_view name, const std::string& caption);
  TButton* AddButton(std::string_view name, const std::string& caption);
  // A label above the control it names.
  TLabel* AddLabel(const std::string& caption, std::string_view name = {});
  TEdit* AddEdit(std::string_view name, const std::string& label);
  TComboBox* AddCombo(std::string_view name, const std::string& label,
                      std::initializer_list<const char*> items);
  void Place(TControl& control, int width, int height);
  template <typename Record, size_t N> void AddChecks(const TCheckField<Record> (&fields)[N]) {
    for (const auto& field : fields)
      AddCheck(field.Name, field.Caption);
  }
  template <typename Record, size_t N>
  void ShowChecks(const TCheckField<Record> (&fields)[N], const Record& record) {
    for (const auto& field : fields)
      CheckBox(field.Name).SetChecked(record.*field.Field);
  }
  template <typename Record, size_t N>
  void ReadChecks(const TCheckField<Record> (&fields)[N], Record& record) {
    for (const auto& field : fields)
      record.*field.Field = CheckBox(field.Name).Checked();
  }
  TCheckBox& CheckBox(std::string_view name) const;
  // The folder browser, starting at the edit's folder; the edit takes the chosen one.
  void BrowseFolder(TEdit& edit, const std::string& title);
  void NextColumn();

  static constexpr int RowHeight = 21;
  static constexpr int ColumnWidth = 260;

private:
  int left_ = 8;
  int top_ = 8;
  // The widest control of the current column.
  int widest_ = 0;

  // The width of a check box or radio button that shows all of caption in the page's font.
  int MarkedCaptionWidth(const std::string& caption);
};

} // namespace quolin
