// The main window with masters and groups of the test's own, its list tool windows and
// documents with a text of the test's own.
#pragma once

#include "MainWindowFixture.h"

#include "commands/ListWindows.h"
#include "commands/ViewText.h"
#include "core/IndexList.h"
#include "toolbar/TbToolWindow.h"

namespace quolin::test_support {

class ListWindowFixture : public MainWindowFixture {
protected:
  // The label master of the shipped data.
  static constexpr int LabelMaster = 0x81;
  static constexpr char LabelCommand[] =
      "$List(ラベル:\\label{$S},\"参照:\\ref{$Label},ページ参照:\\pageref{$Label}\")";

  // Masters are added in ascending Id order.
  void Master(int id, const std::string& name, const std::string& command,
              const std::string& listCaption = "", int image = -1) {
    TQuolin_CmdList master;
    master.Id = id;
    master.Name = name;
    master.Command = command;
    master.ListCaption = listCaption;
    master.ImgIndex = image;
    top->MasterList.Add(BuildMasterRecord(master));
  }
  void Group(int id, const std::string& name, const std::vector<int>& members) {
    TQuolin_CmdList group;
    group.Id = id;
    group.Name = name;
    TIndexList list;
    for (int member : members)
      list.Add(member);
    group.Command = list.Text;
    top->GroupList.Add(BuildMasterRecord(group));
  }
  // Masters 5 and 6, a group of them with a member that is gone, and the label master.
  void UseTestCommands() {
    top->MasterList.Clear();
    top->GroupList.Clear();
    Master(5, "Section", "\\section{$S}", "節", 12);
    Master(6, "Chapter", "\\chapter{$S}", "章");
    Master(7, "Plain", "\\emph{$S}", "強調");
    Master(LabelMaster, "ラベル参照", LabelCommand, "ラベル参照");
    Group(3, "見出し", {5, 9, 6});
  }

  TToolWindow* Window(int number) const {
    return dynamic_cast<TToolWindow*>(top->FindComponent("twd_" + HexField(number)));
  }
  TFrm_List* Frame(int number) const {
    TToolWindow* window = Window(number);
    return window ? dynamic_cast<TFrm_List*>(window->FindComponent("Frm_CmdList")) : nullptr;
  }
  TFrm_List* ShowList(int number) {
    top->ToggleGroupToolWindow(number);
    uitest::Pump();
    return Frame(number);
  }

  TDocForm* OpenWithText(const std::string& name, const std::string& text) {
    const std::string path = files / name;
    TempFolder::WriteFile(path, text);
    EXPECT_TRUE(OpenDocument(path, "", false, -1, false, true)) << path;
    return ActiveDoc();
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }
  static std::string Body() { return WithoutFinalLineEnd(View().Text()); }
  static void CloseDoc(TDocForm* doc) {
    int count = DocCount();
    doc->Close();
    ASSERT_TRUE(uitest::PumpUntil([&] { return DocCount() < count; }));
  }
  static std::vector<std::string> Captions(TListView& view) {
    std::vector<std::string> captions;
    for (int i = 0; i < view.ItemCount(); ++i)
      captions.push_back(view.Items(i)->Caption);
    return captions;
  }
  static std::vector<std::string> Items(TComboBox& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.Items().Count(); ++i)
      items.push_back(combo.Items()[i]);
    return items;
  }
  std::string StatusMessage() const { return top->StatusBar1->Panels(spMessage).Text(); }
};

} // namespace quolin::test_support
