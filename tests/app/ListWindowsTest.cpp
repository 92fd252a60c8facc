// The list tool windows in the real main window: a group's commands, the labels of a document
// with the references they insert, the font tool, the per-window options and the document
// lists the windows keep.
#include "ListWindowFixture.h"

#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/CommandRouter.h"

#include <commctrl.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ListFrame : public ListWindowFixture {
protected:
  void SetUp() override {
    ShowMainWindow();
    UseTestCommands();
  }
  static std::string OptionsSection(int number) { return "Toolbar\\Button\\" + HexField(number); }
};

TEST_F(ListFrame, GroupListsItsMembersAndInsertsIntoTheActiveDocument) {
  OpenWithText("a.tex", "");
  TFrm_List* frame = ShowList(-3);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Kind(), lkGroup);
  EXPECT_EQ(Window(-3)->Caption(), "見出し");
  EXPECT_EQ(Window(-3)->Hint(), "見出し|");
  EXPECT_TRUE(Window(-3)->Resizable());
  EXPECT_TRUE(frame->Panel_Base->Visible());
  EXPECT_FALSE(frame->Panel_FontBase->Visible());
  for (TPanel* panel : {frame->Panel_Doc, frame->Panel_Ref, frame->Panel_Label})
    EXPECT_FALSE(panel->Visible()) << panel->Name();

  TListView& list = *frame->ListView_Cmd;
  ASSERT_EQ(Captions(list), (std::vector<std::string>{"節", "章"})) << "member 9 is gone";
  EXPECT_EQ(list.Items(0)->ImageIndex, 12);
  EXPECT_EQ(list.Items(1)->ImageIndex, -1);

  frame->Button_Insert1->Click();
  EXPECT_TRUE(commands.calls.empty()) << "nothing chosen";
  list.SetItemIndex(0);
  frame->Button_Insert1->Click();
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\section{$S}");
  EXPECT_EQ(commands.Last()->CommandId, 5);
  EXPECT_EQ(Body(), "\\section{}");

  frame->mn_MasterEdit->Click();
  EXPECT_NE(StatusMessage().find("$Sys_OptMaster"), std::string::npos) << "not there yet";
  TMenuItem* item = TComponent::Create<TMenuItem>(top, "mn0_FFFFFFFD10001");
  top->MainMenu1->Items()->Add(item);
  CheckCommandItems(-3);
  ASSERT_TRUE(item->Checked());
  frame->Button_Close1->Click();
  EXPECT_FALSE(Window(-3)->Visible());
  EXPECT_FALSE(item->Checked());
}

TEST_F(ListFrame, LabelListFindsWholeCharactersAndInsertsReferences) {
  const std::string text = "\\label{eq:a} % \\label{x}\r\n\\label{マ}\r\n表label{y}\r\n";
  TDocForm* doc = OpenWithText("labels.tex", text);
  TFrm_List* frame = ShowList(LabelMaster);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Kind(), lkLabels);
  EXPECT_EQ(Window(LabelMaster)->Caption(), "ラベル参照");
  EXPECT_EQ(frame->ListView_Cmd->ViewStyle(), TViewStyle::vsReport);
  EXPECT_TRUE(frame->Panel_Doc->Visible());
  EXPECT_TRUE(frame->Panel_Ref->Visible()) << "two reference entries";
  EXPECT_FALSE(frame->Panel_Label->Visible()) << "one label entry";
  EXPECT_EQ(Items(*frame->ComboBox_Ref), (std::vector<std::string>{"参照", "ページ参照"}));
  EXPECT_EQ(Items(*frame->ComboBox_Doc), (std::vector<std::string>{doc->FileName}));
  EXPECT_EQ(frame->ComboBox_Doc->Hint(), "参照文章(" + doc->FileName + ")|");
  EXPECT_EQ(Captions(*frame->ListView_Cmd), (std::vector<std::string>{"eq:a", "マ"}));
  EXPECT_FALSE(frame->mn_ShowIcon->Enabled());
  EXPECT_FALSE(frame->mn_ShowList->Enabled());

  View().SetText("");
  frame->Button_Insert1->Click();
  EXPECT_TRUE(commands.calls.empty()) << "no label chosen: no empty reference";
  EXPECT_EQ(Body(), "");
  frame->ListView_Cmd->SetItemIndex(0);
  frame->Button_Insert1->Click();
  ASSERT_NE(commands.Last(), nullptr);
  EXPECT_EQ(commands.Last()->Command, "\\ref{eq:a}");
  EXPECT_EQ(Body(), "\\ref{eq:a}");

  // The second reference, and a label that spells a placeholder stays literal.
  View().SetText("\\label{a$Sb}\r\n");
  frame->RefreshClick(nullptr);
  ASSERT_EQ(Captions(*frame->ListView_Cmd), (std::vector<std::string>{"a$Sb"}));
  View().SetText("");
  frame->ComboBox_Ref->SetItemIndex(1);
  frame->ListView_Cmd->SetItemIndex(0);
  frame->mn_Insert->Click();
  EXPECT_EQ(Body(), "\\pageref{a$Sb}");
  EXPECT_EQ(frame->mn_Insert->Caption(), "挿入(&I)");
}

TEST_F(ListFrame, FontToolAppliesOnlyAChange) {
  Master(0x90, "書体", "$Font(\"変更なし,\\rmfamily\",\"変更なし,\\large\","
                       "\"変更なし,\\bfseries\",\"変更なし,\\itshape\")");
  OpenWithText("font.tex", "");
  TFrm_List* frame = ShowList(0x90);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Kind(), lkFont);
  EXPECT_FALSE(frame->Panel_Base->Visible());
  EXPECT_TRUE(frame->Panel_FontBase->Visible());
  EXPECT_FALSE(Window(0x90)->Resizable());
  EXPECT_EQ(Window(0x90)->ClientAreaWidth(), frame->Panel_FontBase->Width());
  EXPECT_EQ(frame->HelpContext, 1202);
  EXPECT_EQ(frame->Popup_Series->Items()->Items(1)->Caption(), "\\bfseries(2)");
  for (TToolbarButton* button : {frame->ToolbarButton1, frame->ToolbarButton2,
                                 frame->ToolbarButton3})
    EXPECT_EQ(button->Glyph().Width(), 16) << button->Name();

  TToolbarButton& apply = *frame->ToolbarButton1;
  EXPECT_FALSE(apply.Enabled());
  auto choose = [](TComboBox* combo, int index) {
    combo->SetItemIndex(index);
    combo->OnChange(combo);
  };
  choose(frame->Combo_FontName, 1);
  EXPECT_TRUE(apply.Enabled());
  choose(frame->Combo_FontName, 0);
  EXPECT_FALSE(apply.Enabled());
  frame->Popup_Shape->Items()->Items(1)->Click();
  EXPECT_TRUE(apply.Enabled());
  EXPECT_TRUE(frame->ToolbarButton3->Down());
  frame->Popup_Shape->Items()->Items(0)->Click();
  EXPECT_FALSE(apply.Enabled()) << "変更なし sets nothing";
  EXPECT_FALSE(frame->ToolbarButton3->Down());
  EXPECT_TRUE(frame->Popup_Shape->Items()->Items(0)->Checked());
  EXPECT_FALSE(frame->Popup_Shape->Items()->Items(1)->Checked());

  choose(frame->Combo_FontSize, 1);
  frame->Popup_Series->Items()->Items(1)->Click();
  EXPECT_TRUE(frame->ToolbarButton2->Down());
  View().SetText("選択");
  View().SelectAll();
  apply.Click();
  EXPECT_EQ(Body(), "{\\large\\bfseries 選択}");
}

TEST_F(ListFrame, OptionsAreStoredAsOneByteAndAppliedOnRecreation) {
  TFrm_List* frame = ShowList(-3);
  EXPECT_TRUE(frame->ButtonPanel1->Visible());
  EXPECT_EQ(frame->ListView_Cmd->SmallImages, top->ImageList1);
  EXPECT_EQ(frame->ListView_Cmd->ViewStyle(), TViewStyle::vsList);
  EXPECT_FALSE(Stored(OptionsSection(-3), "ShowList").found) << "nothing written before";

  frame->mn_ShowList->Click();
  EXPECT_EQ(frame->ListView_Cmd->ViewStyle(), TViewStyle::vsReport);
  EXPECT_EQ(Stored(OptionsSection(-3), "ShowList"), BinaryValue(std::string(1, '\0')));
  EXPECT_EQ(Stored(OptionsSection(-3), "ShowButton"), BinaryValue("\x01"));
  EXPECT_EQ(Stored(OptionsSection(-3), "ShowIconEx"), BinaryValue("\x01"));
  frame->mn_ShowButton->Click();
  frame->mn_ShowIcon->Click();
  EXPECT_FALSE(frame->ButtonPanel1->Visible());
  EXPECT_EQ(frame->ListView_Cmd->SmallImages, nullptr);

  Window(-3)->Free();
  frame = ShowList(-3);
  EXPECT_FALSE(frame->ButtonPanel1->Visible());
  EXPECT_EQ(frame->ListView_Cmd->SmallImages, nullptr);
  EXPECT_EQ(frame->ListView_Cmd->ViewStyle(), TViewStyle::vsReport);
  EXPECT_FALSE(frame->mn_ShowList->Checked());
  EXPECT_FALSE(frame->mn_ShowButton->Checked());
}

TEST_F(ListFrame, MasterEditedIntoAPlainCommandClosesItsWindow) {
  auto* item = TComponent::Create<TMenuItem>(top, "mn0_0000008110001");
  item->OnClick = [this](TObject* sender) { top->mn_DefaultClick(sender); };
  top->MainMenu1->Items()->Add(item);
  item->Click();
  ASSERT_NE(Window(LabelMaster), nullptr);
  EXPECT_TRUE(item->Checked());

  top->RefreshToolWindowLists();
  EXPECT_TRUE(Window(LabelMaster)->Visible()) << "unchanged kind: refilled only";
  top->MasterList.Clear();
  Master(LabelMaster, "ラベル参照", "\\ref{$S}");
  top->RefreshToolWindowLists();
  EXPECT_FALSE(item->Checked());
  EXPECT_TRUE(uitest::PumpUntil([&] { return Window(LabelMaster) == nullptr; }));
}

TEST_F(ListFrame, DocumentListLeavesOutClosingAndUntitledDocuments) {
  TDocForm* a = OpenWithText("a.tex", "\\label{in-a}\r\n");
  TDocForm* b = OpenWithText("b.tex", "\\label{in-b}\r\n");
  const std::string aName = a->FileName, bName = b->FileName;
  SysFileNew();
  TFrm_List* frame = ShowList(LabelMaster);
  EXPECT_EQ(Items(*frame->ComboBox_Doc), (std::vector<std::string>{bName, aName}));
  EXPECT_EQ(frame->ComboBox_Doc->Text(), aName) << "none chosen before: the last";
  EXPECT_EQ(Captions(*frame->ListView_Cmd), (std::vector<std::string>{"in-a"}));

  frame->ComboBox_Doc->SetItemIndex(0);
  frame->ComboBox_Doc->OnChange(frame->ComboBox_Doc);
  EXPECT_EQ(Captions(*frame->ListView_Cmd), (std::vector<std::string>{"in-b"}));
  RefreshListWindows(aName);
  EXPECT_EQ(Items(*frame->ComboBox_Doc), (std::vector<std::string>{bName}));
  EXPECT_EQ(frame->ComboBox_Doc->Text(), bName) << "the chosen one kept";

  CloseDoc(b);
  EXPECT_EQ(Items(*frame->ComboBox_Doc), (std::vector<std::string>{aName}));
  EXPECT_EQ(Captions(*frame->ListView_Cmd), (std::vector<std::string>{"in-a"}));
}

TEST_F(ListFrame, FreeingAListWindowLeavesTheCommandImages) {
  HIMAGELIST images = top->ImageList1->Handle();
  const int count = ImageList_GetImageCount(images);
  ASSERT_GT(count, 0);
  TFrm_List* frame = ShowList(-3);
  ASSERT_EQ(reinterpret_cast<HIMAGELIST>(
                SendMessageA(frame->ListView_Cmd->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            images);
  Window(-3)->Free();
  uitest::Pump();
  EXPECT_EQ(ImageList_GetImageCount(images), count);
  IMAGEINFO info = {};
  EXPECT_TRUE(ImageList_GetImageInfo(images, 0, &info));
  frame = ShowList(-3);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(
                SendMessageA(frame->ListView_Cmd->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
            images);
}

TEST_F(ListFrame, ListWordWithoutAMasterMakesNoWindow) {
  OpenWithText("a.tex", "");
  EXPECT_TRUE(ExecuteCommand(top->StringGrid_Cmd1, "$List(\\label{$S},\\ref{$Label})", 0));
  EXPECT_TRUE(ExecuteCommand(nullptr, "$font(a)", 0));
  EXPECT_EQ(top->FindComponent("twd_00000000"), nullptr);
  EXPECT_EQ(Body(), "") << "not inserted as text either";
}

} // namespace
