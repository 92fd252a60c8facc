// The section outline and the TeX log pane of documents in the main window: branches built from
// entry lists, the section-update thread driven through the timer handlers, section ranges,
// cuts, copies and drags, and the log pane's listing and jump.
#include "MainWindowFixture.h"
#include "app/LogPane.h"
#include "app/Outline.h"
#include "app/SecUpdate.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/Edits.h"
#include "ui/TreeView.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

const char SampleTex[] = "\\documentclass{article}\r\n"
                         "\\begin{document}\r\n"
                         "\\section{A}\r\n"
                         "a\r\n"
                         "\\subsection{A1}\r\n"
                         "a1\r\n"
                         "\\section{B}\r\n"
                         "b\r\n"
                         "% \\end{document}\r\n"
                         "\\end{document}\r\n";

std::string Entry(int line, int level, const std::string& title) {
  return MakeOutlineEntry(line, std::to_string(level) + title);
}

// "title(children),..." of the node's children.
std::string Shape(TTreeNode* node) {
  std::string shape;
  for (int i = 0; i < node->Count(); ++i) {
    TTreeNode* child = node->Item(i);
    shape += (i ? "," : "") + child->Text();
    if (child->Count() > 0)
      shape += "(" + Shape(child) + ")";
  }
  return shape;
}

class Outline : public MainWindowFixture {
protected:
  void SetUp() override {
    ShowMainWindow();
    top->ShowOutlinePanel(true, 0);
  }
  TDocForm* Open(const std::string& name, const std::string& text) {
    std::string path = files / name;
    TempFolder::WriteFile(path, text);
    EXPECT_TRUE(OpenDocument(path, "", false, 0, false, true)) << path;
    return ActiveDoc();
  }
  static void Rebuild(TDocForm* doc) {
    auto entries = ScanSections(SectionScanInput(*doc), [] { return false; });
    UpdateOutlineTree(*entries, doc->OutlineNode, false);
  }
  static TTreeNode* Node(TDocForm* doc, const std::string& title) {
    for (TTreeNode* node = doc->OutlineNode->GetFirstChild(); node; node = node->GetNext())
      if (node->Text() == title)
        return node;
    return nullptr;
  }
  static std::string Text(TDocForm* doc) { return doc->Editor1->Lines().Text(); }
  TTreeView& Tree() { return *top->TreeView_Section; }
};

class OutlineTree : public Outline {};
class SecUpdate : public Outline {};
class OutlineEdit : public Outline {};

TEST_F(OutlineTree, EntriesBecomeBranchesWithNodesReused) {
  TTreeNode* root = Open("a.tex", "x\r\n")->OutlineNode;
  std::vector<std::string> entries = {Entry(0, 3, "pre"), Entry(1, 2, "C1"), Entry(2, 4, "sub"),
                                      Entry(3, 3, "S1"), Entry(4, 2, "C2")};
  EXPECT_EQ(UpdateOutlineTree(entries, root, false), 5);
  EXPECT_EQ(Shape(root), "pre,C1(sub,S1),C2") << "irregular nesting keeps every heading";
  TTreeNode* c1 = root->Item(1);
  EXPECT_EQ(c1->ImageIndex(), 7);
  EXPECT_EQ(c1->SelectedIndex(), 5);
  EXPECT_EQ(OutlineNodeLine(c1->Item(1)), 3);
  EXPECT_EQ(UpdateOutlineTree(entries, root, false), 0) << "nothing changed, nothing written";
  entries[3] = Entry(3, 3, "S1 renamed");
  EXPECT_EQ(UpdateOutlineTree(entries, root, false), 1);
  EXPECT_EQ(c1->Item(1)->Text(), "S1 renamed");
  EXPECT_EQ(UpdateOutlineTree({entries[0], entries[1], Entry(2, 3, "S")}, root, false), 3);
  EXPECT_EQ(Shape(root), "pre,C1(S)") << "one rewrite, two deletions from the end";
  EXPECT_EQ(root->Item(1), c1);

  EXPECT_EQ(UpdateOutlineTree({Entry(0, 1, "early"), Entry(1, 0, "G"), Entry(2, 1, "k")}, root,
                              true),
            3);
  EXPECT_EQ(Shape(root), "early,G(k)") << "entries before the first group stay";
  EXPECT_EQ(root->Item(1)->ImageIndex(), 3);
  EXPECT_EQ(root->Item(1)->SelectedIndex(), 4);
  UpdateOutlineTree({}, root, false);
  EXPECT_EQ(root->Count(), 0);
}

TEST_F(OutlineTree, DocumentsSortByNameHeadingsByLineOnceAnUpdateEnds) {
  for (const char* name : {"b.tex", "C.tex", "a.tex"})
    Open(name, "x\r\n");
  std::vector<std::string> names;
  for (TTreeNode* node = Tree().Items().GetFirstNode(); node; node = node->GetNextSibling())
    names.push_back(node->Text());
  EXPECT_EQ(names, (std::vector<std::string>{"a.tex", "b.tex", "C.tex"}));

  TTreeNode* root = ActiveDoc()->OutlineNode;
  TTreeNodes& nodes = Tree().Items();
  nodes.BeginUpdate();
  for (int line : {3, 1, 2})
    nodes.AddChildObject(root, std::to_string(line), reinterpret_cast<void*>(static_cast<intptr_t>(line)));
  EXPECT_EQ(Shape(root), "3,1,2") << "no sort inside the update";
  nodes.EndUpdate();
  EXPECT_EQ(Shape(root), "1,2,3");
}

TEST_F(OutlineTree, NewViewLevelEmptiesTheBranchAndRearms) {
  TDocForm* doc = Open("a.tex", SampleTex);
  Rebuild(doc);
  ASSERT_GT(doc->OutlineNode->Count(), 0);
  top->Settings.Edit2Option.SectionViewLevel = 3;
  doc->ApplySettings();
  EXPECT_EQ(doc->OutlineNode->Count(), 0);
  EXPECT_TRUE(doc->Timer_Section->Enabled());
  OutlineSectionTick(*doc);
  doc->SecUpdate->WaitFor();
  EXPECT_EQ(Shape(doc->OutlineNode), "A,B") << "subsections are below the level";
}

TEST_F(SecUpdate, TickScansAndAppliesAndEditsDropStaleResults) {
  TDocForm* doc = Open("a.tex", SampleTex);
  OutlineDocumentEdited(*doc);
  EXPECT_TRUE(doc->Timer_Section->Enabled());
  EXPECT_FALSE(doc->SecUpdate) << "typing only re-arms the timer";
  OutlineSectionTick(*doc);
  EXPECT_FALSE(doc->Timer_Section->Enabled());
  ASSERT_TRUE(doc->SecUpdate);
  doc->SecUpdate->WaitFor();
  EXPECT_EQ(Shape(doc->OutlineNode), "A(A1),B");

  doc->Editor1->Lines().Insert(0, "\\section{New}");
  OutlineSectionTick(*doc);
  doc->Editor1Change(doc->Editor1);
  doc->SecUpdate->WaitFor();
  EXPECT_EQ(Shape(doc->OutlineNode), "A(A1),B") << "the edit dropped the result";
  EXPECT_TRUE(doc->Timer_Section->Enabled());

  OutlineSectionTick(*doc);
  Tree().SetSelected(doc->OutlineNode);
  Tree().BeginDrag();
  doc->SecUpdate->WaitFor();
  EXPECT_EQ(Shape(doc->OutlineNode), "A(A1),B") << "no rebuild under a drag";
  EXPECT_TRUE(doc->Timer_Section->Enabled());
  Tree().EndDrag(false);
  EXPECT_EQ(top->DragSourceNode, nullptr);
  OutlineSectionTick(*doc);
  doc->SecUpdate->WaitFor();
  EXPECT_EQ(Shape(doc->OutlineNode), "New,A(A1),B");
}

TEST_F(SecUpdate, DocumentsGoMidScanWithTheThreadJoined) {
  std::string big;
  for (int i = 0; i < 100000; ++i)
    big += "\\section{S" + std::to_string(i) + "}\r\nparagraph text\r\n";
  for (bool close : {true, false}) {
    TDocForm* doc = Open(close ? "close.tex" : "free.tex", big);
    OutlineSectionTick(*doc);
    OutlineDocumentEdited(*doc);
    OutlineSectionTick(*doc);
    if (close) {
      doc->Close();
      ASSERT_TRUE(uitest::PumpUntil([] { return DocCount() == 0; }));
    } else {
      doc->Free();
    }
    EXPECT_EQ(Tree().Items().Count(), 0);
  }
}

TEST_F(SecUpdate, RealTimersBuildTheBranchAfterAnEdit) {
  TDocForm* doc = Open("a.tex", SampleTex);
  doc->Editor1Change(doc->Editor1);
  EXPECT_TRUE(uitest::PumpUntil([&] { return Shape(doc->OutlineNode) == "A(A1),B"; }));
}

TEST_F(OutlineEdit, RangesCommandsAndSelection) {
  TDocForm* doc = Open("a.tex", SampleTex);
  Rebuild(doc);
  TTreeNode *a = Node(doc, "A"), *a1 = Node(doc, "A1"), *b = Node(doc, "B");
  auto range = [](TTreeNode* node) {
    TLineRange r = SectionLineRange(node);
    return std::make_pair(r.First, r.Last);
  };
  EXPECT_EQ(range(a), std::make_pair(2, 5));
  EXPECT_EQ(range(a1), std::make_pair(4, 5));
  EXPECT_EQ(range(b), std::make_pair(6, 8)) << "ends before the uncommented end of document";
  EXPECT_EQ(EndOfDocLine(*doc), 8);

  FindOutlineNodeForLine(5, doc->OutlineNode);
  EXPECT_EQ(Tree().Selected(), a1);
  FindOutlineNodeForLine(0, doc->OutlineNode);
  EXPECT_EQ(Tree().Selected(), doc->OutlineNode);
  doc->GoToLine(7, 0, false);
  doc->Timer_Section->SetEnabled(true);
  OutlineTreeSelectTick(*doc);
  EXPECT_EQ(Tree().Selected(), doc->OutlineNode) << "nothing while a rebuild is pending";
  doc->Timer_Section->SetEnabled(false);
  OutlineTreeSelectTick(*doc);
  EXPECT_EQ(Tree().Selected(), b);

  struct Move {
    int kind;
    TTreeNode* from;
    TTreeNode* to;
  };
  for (const Move& move : {Move{smFirstChild, a, a1}, Move{smParent, a1, a},
                           Move{smNextSibling, a, b}, Move{smPrevSibling, b, a},
                           Move{smNext, a, a1}, Move{smPrev, a1, a}}) {
    Tree().SetSelected(move.from);
    MoveSectionSelection(doc, move.kind);
    EXPECT_EQ(Tree().Selected(), move.to) << move.kind;
    EXPECT_EQ(doc->CaretLine(), OutlineNodeLine(move.to) + 1) << move.kind;
  }

  Tree().SetSelected(b);
  OutlineSectionCommand(scCopy);
  EXPECT_EQ(GetClipboardText(), "\\section{B}\r\nb\r\n% \\end{document}\r\n");
  Tree().SetSelected(a1);
  OutlineSectionCommand(scCut);
  EXPECT_EQ(GetClipboardText(), "\\subsection{A1}\r\na1\r\n");
  EXPECT_EQ(doc->Editor1->Lines()[4], "\\section{B}");
  Rebuild(doc);
  Tree().SetSelected(Node(doc, "B"));
  OutlineSectionCommand(scPaste);
  EXPECT_EQ(doc->Editor1->Lines()[4], "\\subsection{A1}");
  EXPECT_EQ(doc->Editor1->Lines()[6], "\\section{B}");

  std::string before = Text(doc);
  for (TTreeNode* refused : {doc->OutlineNode, static_cast<TTreeNode*>(nullptr)}) {
    Tree().SetSelected(refused);
    OutlineSectionCommand(scCut);
    EXPECT_EQ(Text(doc), before);
  }
}

TEST_F(OutlineEdit, DragsMoveWithinAndCopyAcross) {
  TDocForm* doc = Open("a.tex", SampleTex);
  Rebuild(doc);
  EXPECT_FALSE(MoveSectionByDrag(Node(doc, "A"), Node(doc, "A1"))) << "a deeper target";
  EXPECT_FALSE(MoveSectionByDrag(Node(doc, "A1"), Node(doc, "A"))) << "already its first child";
  EXPECT_FALSE(MoveSectionByDrag(Node(doc, "A"), doc->OutlineNode));
  EXPECT_FALSE(MoveSectionByDrag(Node(doc, "A"), Node(doc, "A")));

  ASSERT_TRUE(MoveSectionByDrag(Node(doc, "B"), Node(doc, "A"))) << "in front, from after";
  EXPECT_EQ(doc->Editor1->Lines()[2], "\\section{B}");
  EXPECT_EQ(doc->Editor1->Lines()[5], "\\section{A}");
  EXPECT_EQ(doc->CaretLine(), 2);
  Rebuild(doc);
  ASSERT_TRUE(MoveSectionByDrag(Node(doc, "A1"), Node(doc, "B"))) << "into a childless parent";
  EXPECT_EQ(doc->Editor1->Lines()[5], "\\subsection{A1}");
  EXPECT_EQ(doc->Editor1->Lines()[7], "\\section{A}");
  Rebuild(doc);
  EXPECT_EQ(Shape(doc->OutlineNode), "B(A1),A");

  std::string source = Text(doc);
  TDocForm* other = Open("b.tex", "\\section{X}\r\n\\subsection{Y}\r\nx\r\n");
  Rebuild(other);
  ASSERT_TRUE(MoveSectionByDrag(Node(doc, "A1"), Node(other, "X"))) << "to a parent with children";
  EXPECT_EQ(Text(doc), source) << "across documents the section is copied";
  EXPECT_EQ(other->Editor1->Lines()[1], "\\subsection{A1}");
  EXPECT_EQ(other->Editor1->Lines()[3], "\\subsection{Y}");
}

TEST_F(OutlineEdit, MouseDragFromTheTreesOwnNotification) {
  TDocForm* doc = Open("a.tex", SampleTex);
  Rebuild(doc);
  doc->OutlineNode->Expand(true);
  TTreeNode *b = Node(doc, "B"), *a = Node(doc, "A");
  NMTREEVIEWA begin{};
  begin.hdr = {Tree().Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(Tree().Handle())),
               static_cast<UINT>(TVN_BEGINDRAGA)};
  begin.itemNew.hItem = b->ItemId();
  begin.itemNew.lParam = reinterpret_cast<LPARAM>(b);
  SendMessageA(GetParent(Tree().Handle()), WM_NOTIFY, begin.hdr.idFrom,
               reinterpret_cast<LPARAM>(&begin));
  ASSERT_TRUE(Tree().Dragging());
  EXPECT_EQ(top->DragSourceNode, b);
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  RECT rect{};
  HTREEITEM item = a->ItemId();
  std::memcpy(&rect, &item, sizeof item);
  ASSERT_TRUE(SendMessageA(Tree().Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
  LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(Tree().Handle(), WM_MOUSEMOVE, 0, point);
  EXPECT_EQ(Tree().DropTarget(), a);
  SendMessageA(Tree().Handle(), WM_LBUTTONUP, 0, point);
  EXPECT_FALSE(Tree().Dragging());
  EXPECT_EQ(top->DragSourceNode, nullptr);
  EXPECT_EQ(doc->Editor1->Lines()[2], "\\section{B}");
}

class LogPane : public Outline {
protected:
  TDocForm* doc = nullptr;
  void SetUp() override {
    Outline::SetUp();
    doc = Open("paper.tex", SampleTex);
    doc->Panel_Log->SetHeight(80);
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> lines;
    for (int i = 0; i < doc->LogListBox1->Items().Count(); ++i)
      lines.push_back(doc->LogListBox1->Items()[i]);
    return lines;
  }
};

TEST_F(LogPane, ListsFiltersAndJumps) {
  LoadLog(doc, "");
  EXPECT_EQ(Listed(), std::vector<std::string>{res::LogMissing});
  EXPECT_EQ(doc->SpeedButton1->Hint(),
            "再読込|ログの再読込 : paper.log (" + ExtractFilePath(doc->FileName) + ")");
  TempFolder::WriteFile(files / "paper.log",
                        "This is TeX\r\n! Undefined control sequence.\nl.7 \\foo\rOverfull x\r\n");
  SetLogFilter(*doc, lfErrors);
  EXPECT_TRUE(doc->pop_LogViewError->Checked());
  EXPECT_FALSE(doc->pop_LogViewWanning->Checked());
  EXPECT_EQ(Listed(), (std::vector<std::string>{"! Undefined control sequence.", "l.7 \\foo"}));
  EXPECT_EQ(doc->LogListBox1->ItemIndex(), 1);
  LogListBox1DblClick(*doc);
  EXPECT_EQ(doc->CaretLine(), 6);

  SetLogFilter(*doc, lfAll);
  EXPECT_EQ(Listed().size(), 4u);
  TempFolder::WriteFile(files / "paper.log", "nothing\r\n");
  SetLogFilter(*doc, lfWarnings);
  EXPECT_EQ(Listed(), std::vector<std::string>{res::LogNothingListed});
  doc->GoToLine(0, 0, true);
  doc->LogListBox1->SetItemIndex(0);
  LogListBox1DblClick(*doc);
  EXPECT_EQ(doc->CaretLine(), 0) << "the placeholder names no line";
}

TEST_F(LogPane, ARealLatexLogListsTheErrorAndItsLine) {
  std::string source = TempFolder::ReadFile(QUOLIN_FAULTY_TEX);
  TempFolder::WriteFile(files / "faulty.log", TempFolder::ReadFile(QUOLIN_TEX_LOG));
  TDocForm* faulty = Open("faulty.tex", source);
  faulty->Panel_Log->SetHeight(80);
  SetLogFilter(*faulty, lfErrors);
  TListBox& list = *faulty->LogListBox1;
  ASSERT_EQ(list.Items().Count(), 2);
  EXPECT_EQ(list.Items()[0], "! Undefined control sequence.");
  EXPECT_EQ(list.Items()[1], "l.5 \\undefinedcommand");
  EXPECT_EQ(list.ItemIndex(), 1);
  LogListBox1DblClick(*faulty);
  EXPECT_EQ(faulty->CaretLine(), 4);
}

TEST_F(LogPane, ReloadsOnlyForItsTargetAndAnOpenPane) {
  TempFolder::WriteFile(files / "paper.log", "! e\r\nl.3\r\n");
  top->TexCtrl1->TargetFile = files / "other.tex";
  top->TexCtrl1EndProcess(mtTeX, true, "");
  EXPECT_TRUE(Listed().empty());
  top->TexCtrl1->TargetFile = files / "PAPER.tex";
  top->TexCtrl1EndProcess(mtTeX, true, "");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"! e", "l.3"}));
  ClearLogList(*doc);
  doc->Panel_Log->SetHeight(10);
  LoadLog(doc, "");
  EXPECT_TRUE(Listed().empty()) << "a pane below 11 pixels reads nothing";
}

} // namespace
