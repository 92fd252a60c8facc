// The main window in the test process with the master, group and reserved-word editors shown
// for real: a timer of the main window drives each modal dialog while its loop runs; input
// boxes, message boxes, beeps and file dialogs are answered by hooks.
#pragma once

#include "SettingsDialogFixture.h"
#include "common/FileDialogs.h"
#include "commands/TopFormData.h"
#include "core/CommandRecords.h"
#include "core/MenuTree.h"
#include "support/UiTest.h"
#include "ui/Edits.h"
#include "ui/ListView.h"

#include <functional>
#include <string>
#include <vector>

namespace quolin::test_support {

class MasterEditorFixture : public SettingsDialogFixture {
protected:
  uitest::InputRecorder input;

  void TearDown() override {
    SetFileDialogHook(nullptr);
    SettingsDialogFixture::TearDown();
  }

  // The main window with only these records, menus and toolbars, saved to its data file, and
  // the menu editor made from them as at start-up.
  void StartWith(const std::vector<TQuolin_CmdList>& masters,
                 const std::vector<TQuolin_CmdList>& groups, const TMenuTree& menus,
                 const std::vector<TQuolin_ButtonList>& toolbars) {
    MakeMainWindow();
    top->MasterList.Clear();
    for (const TQuolin_CmdList& master : masters)
      top->MasterList.Add(BuildMasterRecord(master));
    top->GroupList.Clear();
    for (const TQuolin_CmdList& group : groups)
      top->GroupList.Add(BuildMasterRecord(group));
    menus.WriteLines(top->MenuList);
    top->ToolBarList.Clear();
    for (const TQuolin_ButtonList& toolbar : toolbars)
      top->ToolBarList.Add(BuildToolbarLine(toolbar));
    ASSERT_TRUE(SaveMasterData(true) && SaveMasterData(false) && SaveMenuData());
    MakeMenuEditor();
    ShowMainWindow();
  }

  // The form of that name made by the application or the main window.
  TComponent* FindForm(const std::string& name) const {
    if (TComponent* found = Application->FindComponent(name))
      return found;
    return top ? top->FindComponent(name) : nullptr;
  }
  // Runs show; act drives the dialog named name once it is up. A dialog that act left open is
  // cancelled, so that a failed assertion never hangs the test.
  template <typename Form>
  void RunForm(const std::string& name, const std::function<void(Form&)>& act,
               const std::function<void()>& show) {
    bool acted = false;
    uitest::Later(top, [&] {
      auto* form = dynamic_cast<Form*>(FindForm(name));
      ASSERT_NE(form, nullptr) << name;
      acted = true;
      act(*form);
      if (form->ModalResult() == mrNone)
        form->SetModalResult(mrCancel);
    });
    show();
    EXPECT_TRUE(acted);
  }
  // The file dialogs answer with fileName (nothing: Cancel) and are recorded.
  void AnswerFileDialogs(const std::string& fileName) {
    asked_.clear();
    SetFileDialogHook([this, fileName](const TFileDialogFields& fields) {
      asked_.push_back(fields);
      return TFileDialogAnswer{!fileName.empty(), {fileName}, false, 1};
    });
  }
  const std::vector<TFileDialogFields>& FileDialogsAsked() const { return asked_; }

  static void Choose(TComboBox& combo, int index) {
    combo.SetItemIndex(index);
    uitest::FormDriver::Notify(combo, CBN_SELCHANGE);
  }
  static std::vector<std::string> Captions(TListView& view) {
    std::vector<std::string> captions;
    for (int i = 0; i < view.ItemCount(); ++i)
      captions.push_back(view.Items(i)->Caption);
    return captions;
  }
  static void Select(TListView& view, const std::string& caption) {
    for (int i = 0; i < view.ItemCount(); ++i)
      if (view.Items(i)->Caption == caption) {
        view.SetItemIndex(i);
        uitest::Pump();
        return;
      }
    FAIL() << "no item " << caption;
  }
  // Holds the data file open without sharing while it lives: every save fails.
  struct HeldFile {
    HANDLE handle;
    explicit HeldFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { CloseHandle(handle); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
  };

  // A record as the record dialog stores it: the name in the empty captions and hint, and
  // without a keyword not offered.
  static TQuolin_CmdList Record(int id, const std::string& name, const std::string& command,
                                int category = 0) {
    TQuolin_CmdList record;
    record.Id = id;
    record.Name = name;
    record.MenuCaption = name;
    record.ListCaption = name;
    record.Hint = name;
    record.Command = command;
    record.CommandType = category;
    record.ShowList = false;
    return record;
  }

private:
  std::vector<TFileDialogFields> asked_;
};

} // namespace quolin::test_support
