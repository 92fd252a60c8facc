// The controls the later windows need: status bar panels, tree nodes and dragging, the string
// grid, speed-button groups, the splitter, check and radio buttons, lists, fonts and colours.
#include "FormFixture.h"
#include "support/WaitLimit.h"
#include "support/WindowSearch.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/ListView.h"
#include "ui/Panels.h"
#include "ui/TreeView.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

using namespace quolin;

namespace {

using UiControls = uitest::FormTest;

LPARAM Point(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The texts of a tree level as the window has them.
std::string WindowLevel(HWND tree, HTREEITEM parent) {
  auto next = [tree](WPARAM code, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  };
  std::string texts;
  for (HTREEITEM item = next(parent ? TVGN_CHILD : TVGN_ROOT, parent); item;
       item = next(TVGN_NEXT, item)) {
    char text[64] = {};
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    texts.append(texts.empty() ? "" : ",").append(text);
  }
  return texts;
}

// A cell's text as the list view window gives it.
std::string WindowCell(HWND list, int row, int column) {
  char text[64] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string NodeLevel(TTreeNode* first) {
  std::string texts;
  for (TTreeNode* node = first; node; node = node->GetNextSibling())
    texts.append(texts.empty() ? "" : ",").append(node->Text());
  return texts;
}

TEST_F(UiControls, StatusPanelShowsTheModifiedMarkByteExact) {
  form->Show();
  auto* status = Add<TStatusBar>("StatusBar1");
  for (int width : {80, 54, 54, 80})
    status->AddPanel(width, TAlignment::taCenter);
  status->AddPanel(50);
  status->Panels(1).SetText("変更");
  status->Panels(4).SetText(" 挿入");
  EXPECT_EQ(status->WindowPanelText(1), "\t\x95\xCF\x8D\x58");
  EXPECT_EQ(status->WindowPanelText(4), " \x91\x7D\x93\xFC");
  EXPECT_EQ(status->Panels(1).Text(), "変更");
  int edges[5] = {};
  ASSERT_EQ(SendMessageA(status->Handle(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges)), 5);
  EXPECT_EQ(edges[0], 80);
  EXPECT_EQ(edges[3], 268);
  EXPECT_EQ(edges[4], -1) << "the last panel takes the rest";
  status->RecreateWnd();
  EXPECT_EQ(status->WindowPanelText(1), "\t\x95\xCF\x8D\x58") << "a new window gets the texts";
}

TEST_F(UiControls, PanelPaintedLaterTakesItsTextAtOnceAndWaitsForTheBarsPaint) {
  form->Show();
  auto* status = Add<TStatusBar>("StatusBar1");
  status->AddPanel(80);
  status->AddPanel(50);
  status->Panels(0).SetPaintLater(true);
  HWND bar = status->Handle();
  UpdateWindow(bar);
  RECT pending{};
  status->Panels(1).SetText("now");
  EXPECT_FALSE(GetUpdateRect(bar, &pending, FALSE)) << "an ordinary panel is painted at once";
  status->Panels(0).SetText("1 : 2");
  EXPECT_EQ(status->WindowPanelText(0), "1 : 2");
  RECT part{};
  ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part)));
  ASSERT_TRUE(GetUpdateRect(bar, &pending, FALSE)) << "the new text waits for the bar's paint";
  RECT both{};
  EXPECT_TRUE(IntersectRect(&both, &pending, &part));
  // What waited to be painted before the new text still waits after it.
  UpdateWindow(bar);
  RECT waiting{part.right + 40, 1, part.right + 50, 5};
  InvalidateRect(bar, &waiting, FALSE);
  status->Panels(0).SetText("3 : 4");
  ASSERT_TRUE(GetUpdateRect(bar, &pending, FALSE));
  EXPECT_GE(pending.right, waiting.right);
  UpdateWindow(bar);
  EXPECT_FALSE(GetUpdateRect(bar, &pending, FALSE));
  EXPECT_EQ(status->WindowPanelText(0), "3 : 4");
}

TEST_F(UiControls, TreeNodesKeepTheirOrderAndAreReusedInPlace) {
  auto* tree = Add<TTreeView>("TreeView1");
  TTreeNodes& nodes = tree->Items();
  TTreeNode* doc = nodes.AddChild(nullptr, "doc");
  TTreeNode* b = nodes.AddChild(doc, "b");
  TTreeNode* d = nodes.Add(b, "d");
  TTreeNode* a = nodes.AddChildFirst(doc, "a");
  TTreeNode* c = nodes.Insert(d, "c");
  TTreeNode* sub = nodes.AddChildObject(c, "c.1", reinterpret_cast<void*>(42));
  EXPECT_EQ(NodeLevel(doc->GetFirstChild()), "a,b,c,d");
  EXPECT_EQ(WindowLevel(tree->Handle(), doc->ItemId()), "a,b,c,d");
  EXPECT_EQ(nodes.Count(), 6);
  EXPECT_EQ(nodes.Item(4), sub);
  EXPECT_EQ(sub->Level(), 2);
  EXPECT_EQ(sub->Parent(), c);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(sub->GetNext(), d);
  EXPECT_EQ(d->GetPrev(), sub);
  EXPECT_EQ(a->GetPrev(), doc);
  EXPECT_EQ(doc->Parent(), nullptr);

  HTREEITEM item = b->ItemId();
  b->SetText("b2");
  b->Data = reinterpret_cast<void*>(7);
  EXPECT_EQ(b->ItemId(), item) << "the node and its window item stay";
  EXPECT_EQ(WindowLevel(tree->Handle(), doc->ItemId()), "a,b2,c,d");

  c->Delete();
  EXPECT_EQ(NodeLevel(doc->GetFirstChild()), "a,b2,d");
  EXPECT_EQ(WindowLevel(tree->Handle(), doc->ItemId()), "a,b2,d");
  d->MoveTo(a, TNodeAttachMode::naInsert);
  EXPECT_EQ(WindowLevel(tree->Handle(), doc->ItemId()), "d,a,b2");

  tree->RecreateWnd();
  EXPECT_EQ(WindowLevel(tree->Handle(), doc->ItemId()), "d,a,b2") << "a new window gets the nodes";
  tree->SetSelected(b);
  EXPECT_EQ(tree->Selected(), b);
  doc->DeleteChildren();
  EXPECT_EQ(tree->Selected(), doc) << "the window moves the selection to what remains";
  EXPECT_EQ(nodes.Count(), 1);
}

TEST_F(UiControls, TreeSortsStablyWithOnCompare) {
  auto* tree = Add<TTreeView>("TreeView1");
  // Documents compare by text ignoring case; headings (with data) compare equal.
  tree->OnCompare = [](TObject*, TTreeNode* left, TTreeNode* right, int, int& compare) {
    if (left->Data || right->Data) {
      compare = 0;
      return;
    }
    compare = _stricmp(left->Text().c_str(), right->Text().c_str());
  };
  tree->SetSortType(TSortType::stText);
  TTreeNodes& nodes = tree->Items();
  TTreeNode* docB = nodes.AddChild(nullptr, "b.tex");
  nodes.AddChild(nullptr, "C.tex");
  nodes.AddChild(nullptr, "a.tex");
  for (const char* heading : {"Zeta", "Alpha", "Mid"})
    nodes.AddChildObject(docB, heading, reinterpret_cast<void*>(1));
  EXPECT_EQ(NodeLevel(nodes.GetFirstNode()), "a.tex,b.tex,C.tex");
  EXPECT_EQ(WindowLevel(tree->Handle(), nullptr), "a.tex,b.tex,C.tex");
  EXPECT_EQ(NodeLevel(docB->GetFirstChild()), "Zeta,Alpha,Mid") << "equal nodes keep their order";
  EXPECT_EQ(WindowLevel(tree->Handle(), docB->ItemId()), "Zeta,Alpha,Mid");
  docB->SetText("D.tex");
  EXPECT_EQ(WindowLevel(tree->Handle(), nullptr), "a.tex,C.tex,D.tex");
}

TEST_F(UiControls, TreeStateImagesShareAListWithTheImagesAndGoWithIt) {
  form->Show();
  auto* tree = Add<TTreeView>("TreeView1");
  auto* list = TComponent::Create<TImageList>(form.get(), "ImageList1");
  auto ListOf = [&](WPARAM kind) {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(tree->Handle(), TVM_GETIMAGELIST, kind, 0));
  };
  tree->SetImages(list);
  tree->SetStateImages(list);
  EXPECT_EQ(ListOf(TVSIL_STATE), list->Handle());
  EXPECT_EQ(ListOf(TVSIL_NORMAL), list->Handle());
  // Taking the list away as images keeps it as state images, and its end clears both.
  tree->SetImages(nullptr);
  EXPECT_EQ(ListOf(TVSIL_NORMAL), nullptr);
  tree->SetImages(list);
  list->Free();
  EXPECT_EQ(tree->Images(), nullptr);
  EXPECT_EQ(tree->StateImages(), nullptr);
  EXPECT_EQ(ListOf(TVSIL_STATE), nullptr);
}

TEST_F(UiControls, TreeDragDropsOnlyWhereOnDragOverAccepts) {
  form->Show();
  auto* tree = Add<TTreeView>("TreeView1");
  tree->SetBounds(0, 0, 200, 200);
  TTreeNode* a = tree->Items().AddChild(nullptr, "a");
  TTreeNode* b = tree->Items().AddChild(nullptr, "b");
  TTreeNode* c = tree->Items().AddChild(nullptr, "c");
  tree->SetSelected(a);
  uitest::EventLog log;
  TTreeNode* dropped = nullptr;
  TObject* endTarget = reinterpret_cast<TObject*>(1);
  tree->OnStartDrag = log.Notify("start");
  tree->OnDragOver = [&](TObject* sender, TObject* source, int x, int y, TDragState, bool& accept) {
    EXPECT_EQ(source, sender);
    accept = tree->GetNodeAt(x, y) == c;
  };
  tree->OnDragDrop = [&](TObject*, TObject*, int x, int y) {
    dropped = tree->GetNodeAt(x, y);
    log.entries.push_back("drop");
  };
  tree->OnEndDrag = [&](TObject*, TObject* target, int, int) {
    endTarget = target;
    log.entries.push_back("end");
  };
  auto centre = [&](TTreeNode* node) {
    RECT rect{};
    HTREEITEM item = node->ItemId();
    std::memcpy(&rect, &item, sizeof item); // TVM_GETITEMRECT takes the item in the rectangle
    SendMessageA(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return Point((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  };

  // Starts a drag of the selected node and moves it over node.
  auto dragOver = [&](TTreeNode* node) {
    log.entries.clear();
    tree->BeginDrag();
    SendMessageA(tree->Handle(), WM_MOUSEMOVE, MK_LBUTTON, centre(node));
  };
  dragOver(b);
  EXPECT_EQ(tree->DragNode(), a);
  EXPECT_EQ(tree->DropTarget(), nullptr);
  SendMessageA(tree->Handle(), WM_LBUTTONUP, 0, centre(b));
  EXPECT_EQ(log.Joined(), "start,end");
  EXPECT_EQ(endTarget, nullptr) << "refused: no target";
  EXPECT_FALSE(tree->Dragging());

  dragOver(c);
  EXPECT_EQ(tree->DropTarget(), c);
  SendMessageA(tree->Handle(), WM_LBUTTONUP, 0, centre(c));
  EXPECT_EQ(log.Joined(), "start,drop,end");
  EXPECT_EQ(dropped, c);
  EXPECT_EQ(endTarget, tree);
  EXPECT_EQ(tree->DropTarget(), nullptr);

  dragOver(c);
  SendMessageA(tree->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(log.Joined(), "start,end") << "Escape cancels";
}

TEST_F(UiControls, GridAsksOnSelectCellBeforeARowIsSelected) {
  form->Show();
  auto* grid = Add<TStringGrid>("StringGrid_Cmd1");
  grid->DefaultColWidth = 124;
  grid->SetColCount(2);
  grid->SetRowCount(4);
  for (int row = 0; row < 4; ++row) {
    grid->SetCells(0, row, "$Sys_" + std::to_string(row));
    grid->SetCells(1, row, "表示" + std::to_string(row));
  }
  std::vector<int> asked;
  grid->OnSelectCell = [&](TObject*, int column, int row, bool& canSelect) {
    EXPECT_EQ(column, 0);
    asked.push_back(row);
    canSelect = row != 2;
  };
  grid->SetRow(1);
  EXPECT_EQ(grid->Row(), 1);
  grid->SetRow(2);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(asked, (std::vector<int>{1, 2}));

  grid->SetFocus();
  uitest::PressKey(grid->Handle(), VK_DOWN);
  EXPECT_EQ(asked, (std::vector<int>{1, 2, 2})) << "the key asked for the next row";
  EXPECT_EQ(grid->Row(), 1) << "a refused row by keyboard gives the old row back";
  uitest::PressKey(grid->Handle(), VK_UP);
  EXPECT_EQ(grid->Row(), 0) << "the keys after it start from the old row";
  grid->SetRow(3);
  EXPECT_EQ(grid->Row(), 3);

  EXPECT_EQ(WindowCell(grid->Handle(), 3, 1), "表示3");
  EXPECT_EQ(grid->ColumnWidth(1), 124);
}

TEST_F(UiControls, OwnerDataListViewAsksOnDataForItsRows) {
  form->Show();
  auto* list = TComponent::Create<TListView>(form.get(), "ListView1");
  list->OwnerData = true; // before the window is made
  list->SetParent(form.get());
  list->AddColumn("Name", 100);
  list->AddColumn("Size", 60);
  list->OnData = [](TObject*, TListItem& item) {
    item.Caption = "file" + std::to_string(item.Index());
    item.SubItems.Add(std::to_string(item.Index() * 10));
  };
  list->SetItemCount(1000);
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(WindowCell(list->Handle(), 765, 1), "7650");
}

TEST_F(UiControls, ListViewCaptionsFromStringsLeaveOutEmptyOnes) {
  form->Show();
  auto* list = TComponent::Create<TListView>(form.get(), "ListView1");
  list->SetParent(form.get());
  list->AddColumn("Name", 100);
  list->AddItem()->Caption = "old";
  FillListViewCaptions(*list, {"a", "", "表b", " "});
  ASSERT_EQ(list->ItemCount(), 3);
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(WindowCell(list->Handle(), 1, 0), "表b");
  EXPECT_EQ(list->Items(2)->Caption, " ");
  FillListViewCaptions(*list, {});
  EXPECT_EQ(list->ItemCount(), 0);
}

TEST_F(UiControls, SpeedButtonsOfAGroupStayDownOneAtATimeCheckAndRadioButtonsClickOnChange) {
  form->Show();
  auto* a = Add<TSpeedButton>("A");
  auto* b = Add<TSpeedButton>("B");
  auto* c = Add<TSpeedButton>("C");
  auto* plain = Add<TSpeedButton>("Plain");
  for (TSpeedButton* button : {a, b, c})
    button->SetGroupIndex(1);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  auto click = [](TSpeedButton* button) {
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, Point(3, 3));
  };
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
  click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks, 1);
  c->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp()) << "the whole group shares it";
  click(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks, 2);
  click(c);
  EXPECT_TRUE(c->Down());
  plain->SetDown(true);
  click(plain);
  EXPECT_FALSE(plain->Down()) << "group 0 never stays down";
  SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
  SendMessageA(b->Handle(), WM_LBUTTONUP, 0, Point(300, 3));
  EXPECT_FALSE(b->Down()) << "released outside: no click";
  EXPECT_EQ(clicks, 2);
}

TEST_F(UiControls, SplitterResizesItsNeighbourUnlessOnCanResizeRefuses) {
  form->SetClientSize(400, 300);
  form->Show();
  auto* panel = Add<TPanel>("Panel_Section");
  panel->SetBounds(0, 0, 112, 50);
  panel->SetAlign(alLeft);
  auto* splitter = Add<TSplitter>("Splitter1");
  splitter->SetLeft(200);
  ASSERT_EQ(splitter->Left(), 112);
  ASSERT_EQ(splitter->ResizedControl(), panel);
  std::vector<int> asked;
  splitter->OnCanResize = [&](TObject*, int& size, bool& accept) {
    asked.push_back(size);
    accept = size >= 30;
  };
  int moves = 0;
  splitter->OnMoved = [&](TObject*) { ++moves; };
  auto drag = [&](int dx) {
    POINT start = splitter->ClientToScreen(POINT{1, 10});
    SendMessageA(splitter->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(1, 10));
    POINT end = splitter->ScreenToClient(POINT{start.x + dx, start.y});
    SendMessageA(splitter->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Point(end.x, end.y));
    end = splitter->ScreenToClient(POINT{start.x + dx, start.y});
    SendMessageA(splitter->Handle(), WM_LBUTTONUP, 0, Point(end.x, end.y));
  };
  drag(50);
  EXPECT_EQ(panel->Width(), 162);
  EXPECT_EQ(splitter->Left(), 162);
  EXPECT_EQ(moves, 1);
  drag(-140);
  EXPECT_EQ(asked.back(), 22);
  EXPECT_EQ(panel->Width(), 162) << "refused";
  EXPECT_EQ(moves, 1) << "no move, no OnMoved";
}

TEST_F(UiControls, CheckAndRadioButtonsRaiseOnClickWhenTheirStateChanges) {
  form->Show();
  auto* check = Add<TCheckBox>("Check");
  int checkClicks = 0;
  check->OnClick = [&](TObject*) { ++checkClicks; };
  check->SetChecked(true);
  check->SetChecked(true);
  EXPECT_EQ(checkClicks, 1);
  EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(checkClicks, 2);

  auto* one = Add<TRadioButton>("One");
  auto* two = Add<TRadioButton>("Two");
  int twoClicks = 0;
  two->OnClick = [&](TObject*) { ++twoClicks; };
  one->SetChecked(true);
  SendMessageA(two->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(two->Checked());
  EXPECT_FALSE(one->Checked());
  EXPECT_EQ(SendMessageA(one->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(twoClicks, 1);
  one->SetChecked(true);
  EXPECT_EQ(twoClicks, 1) << "losing the check raises no OnClick";
}

TEST_F(UiControls, ListsKeepItemsAndSelectionAcrossANewWindow) {
  auto* combo = Add<TComboBox>("Combo");
  for (const char* item : {"a", "表示", "c"})
    combo->Items().Add(item);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "表示");
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText("c");
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetText("none");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->Items().Delete(0);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(changes, 0) << "changes in code raise no OnChange";

  auto* list = Add<TListBox>("List");
  list->Items().SetText("x\r\ny\r\nz\r\n");
  list->SetItemIndex(2);
  list->SetOwnerDraw(true);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->Items()[1], "y");

  auto* edit = Add<TEdit>("Edit");
  edit->SetText("kept");
  edit->RecreateWnd();
  EXPECT_EQ(edit->Text(), "kept");
}

// Each window leads to its control while it lives, and to nothing once it is gone: a new window
// may be given a handle a destroyed one had.
TEST_F(UiControls, WindowsLeadToTheirControlsOnlyWhileTheyLive) {
  auto* edit = Add<TEdit>("Edit");
  auto* panel = Add<TPanel>("Panel");
  auto* inner = Add<TButton>("Inner", panel);
  HWND first = edit->Handle();
  EXPECT_EQ(TControl::FromHandle(first), edit);
  EXPECT_EQ(TControl::FromHandle(inner->Handle()), inner);
  EXPECT_EQ(TControl::FromHandle(nullptr), nullptr);
  HWND plain =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND plainChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, inner->Handle(), nullptr,
                                    nullptr, nullptr);
  EXPECT_EQ(TControl::FromHandle(plain), nullptr);
  EXPECT_EQ(TControl::FindFromHandle(plainChild), inner) << "the nearest ancestor's control";
  DestroyWindow(plain);

  edit->RecreateWnd();
  EXPECT_NE(edit->Handle(), first);
  EXPECT_EQ(TControl::FromHandle(edit->Handle()), edit);
  if (!IsWindow(first)) {
    EXPECT_EQ(TControl::FromHandle(first), nullptr) << "the old window leads nowhere";
  }
  HWND panelWindow = panel->Handle();
  HWND innerWindow = inner->Handle();
  panel->Free();
  EXPECT_EQ(TControl::FromHandle(panelWindow), nullptr);
  EXPECT_EQ(TControl::FromHandle(innerWindow), nullptr) << "a child destroyed with its parent";
}

TEST_F(UiControls, ComboEditSelectionUndoAndFocus) {
  auto* combo = Add<TComboBox>("Combo");
  auto* other = Add<TEdit>("Other");
  form->Show();
  combo->SetText("ab world");
  HWND edit = combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  EXPECT_TRUE(combo->Focused()) << "its edit box has the focus";
  other->SetFocus();
  EXPECT_FALSE(combo->Focused());
  SendMessageA(edit, EM_SETSEL, 3, 8);
  EXPECT_EQ(combo->SelStart(), 3);
  EXPECT_EQ(combo->SelLength(), 5);
  EXPECT_EQ(combo->SelText(), "world");
  SendMessageA(edit, EM_SETSEL, 0, 2);
  EXPECT_EQ(combo->SelText(), "ab");
  combo->SetSelText("x");
  EXPECT_EQ(combo->Text(), "x world");
  combo->Undo();
  EXPECT_EQ(combo->Text(), "ab world");
  combo->SelectAll();
  EXPECT_EQ(combo->SelStart(), 0);
  EXPECT_EQ(combo->SelLength(), 8);

  combo->SetStyle(TComboBoxStyle::csDropDownList);
  EXPECT_EQ(combo->SelLength(), 0) << "a drop-down list has no edit box";
  EXPECT_EQ(combo->SelText(), "");
}

// Selections count bytes of the code page, whether the edit control counts bytes (Windows) or
// characters (Wine).
TEST_F(UiControls, EditSelectionsCountBytesOfJapaneseText) {
  auto* edit = Add<TEdit>("Edit");
  auto* combo = Add<TComboBox>("Combo");
  form->Show();
  edit->SetText("表示abc");
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->SelText(), "示a");
  edit->SetSelText("x");
  EXPECT_EQ(edit->Text(), "表xbc");
  edit->SelectAll();
  EXPECT_EQ(edit->SelLength(), 5);

  combo->SetText("表示abc");
  HWND box = combo->EditHandle();
  combo->SetFocus();
  uitest::PressKey(box, VK_HOME);
  uitest::PressKey(box, VK_RIGHT);
  uitest::PressKey(box, VK_RIGHT, ssShift);
  uitest::PressKey(box, VK_RIGHT, ssShift);
  EXPECT_EQ(combo->SelStart(), 2) << "after the first character, as the keys moved";
  EXPECT_EQ(combo->SelLength(), 3);
  EXPECT_EQ(combo->SelText(), "示a");
  combo->SelectAll();
  EXPECT_EQ(combo->SelLength(), 7);
  EXPECT_EQ(combo->SelText(), "表示abc");
}

TEST_F(UiControls, FontAndColourComeFromTheParentUntilSetOwn) {
  auto* panel = Add<TPanel>("Panel");
  auto* label = Add<TLabel>("Label", panel);
  auto* edit = Add<TEdit>("Edit", panel);
  EXPECT_EQ(form->Font().Name(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(form->Font().Size(), 9);
  EXPECT_EQ(form->Font().Value().Charset, SHIFTJIS_CHARSET);
  form->Font().SetSize(12);
  EXPECT_EQ(label->Font().Size(), 12);
  EXPECT_EQ(edit->Font().Size(), 12);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit->Handle(), WM_GETFONT, 0, 0)),
            edit->Font().Handle());
  edit->Font().SetStyle(fsBold);
  EXPECT_FALSE(edit->ParentFont());
  form->Font().SetSize(14);
  EXPECT_EQ(edit->Font().Size(), 12) << "an own font stays";
  EXPECT_EQ(label->Font().Size(), 14);

  panel->SetColor(clInfoBk);
  EXPECT_EQ(label->Color(), clInfoBk) << "labels take the parent's colour";
  EXPECT_EQ(edit->Color(), clWindow);
  label->SetColor(clRed);
  EXPECT_FALSE(label->ParentColor());
  panel->SetColor(clWhite);
  EXPECT_EQ(label->Color(), clRed);
}

TEST_F(UiControls, HintsComeFromTheControlOrItsNearestParent) {
  form->Show();
  // A move of the real pointer over the new form comes first, not between the posted ones.
  uitest::Pump();
  auto* panel = Add<TPanel>("Panel");
  panel->SetHint("Outline|Shows the sections");
  panel->SetShowHint(true);
  auto* inner = Add<TEdit>("Inner", panel);
  auto* own = Add<TButton>("Own", panel);
  own->SetHint("Close");
  auto tooltip = [&](TControl* control) {
    NMTTDISPINFOA info{};
    info.hdr.code = TTN_GETDISPINFOA;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(control->Handle());
    SendMessageA(Application->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::string(info.lpszText ? info.lpszText : "");
  };
  EXPECT_EQ(tooltip(inner), "Outline");
  EXPECT_EQ(tooltip(own), "Close");
  own->SetShowHint(false);
  EXPECT_EQ(tooltip(own), "") << "no tooltip without ShowHint";

  PostMessageA(inner->Handle(), WM_MOUSEMOVE, 0, Point(2, 2));
  uitest::Pump();
  EXPECT_EQ(Application->Hint(), "Shows the sections");
  PostMessageA(own->Handle(), WM_MOUSEMOVE, 0, Point(2, 2));
  uitest::Pump();
  EXPECT_EQ(Application->Hint(), "Close") << "the status text does not need ShowHint";
}

// The tooltip hears the pointer from the message loop: resting over a control with a hint
// shows it.
TEST_F(UiControls, RestingThePointerOverAControlShowsItsHint) {
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  auto* button = Add<TButton>("Tipped");
  button->SetBounds(20, 20, 120, 40);
  button->SetHint("Saves the file");
  button->SetShowHint(true);
  uitest::Pump();
  auto shownTip = [] {
    HWND found = nullptr;
    test_support::VisitThreadWindows(GetCurrentThreadId(), [&](HWND window) {
      if (test_support::ClassNameOf(window) == TOOLTIPS_CLASSA && IsWindowVisible(window))
        found = window;
      return !found;
    });
    return found;
  };
  POINT centre{60, 20};
  ClientToScreen(button->Handle(), &centre);
  SetCursorPos(centre.x, centre.y);
  PostMessageA(button->Handle(), WM_MOUSEMOVE, 0, Point(60, 20));
  ASSERT_TRUE(test_support::WaitUntil([&] {
    uitest::Pump();
    return shownTip() != nullptr;
  }));
  EXPECT_EQ(test_support::CaptionOf(shownTip()), "Saves the file");
}

TEST_F(UiControls, WheelGoesToTheFocusedControlThenItsParentsThenTheForm) {
  form->Show();
  auto* panel = Add<TPanel>("Panel");
  auto* edit = Add<TEdit>("Edit", panel);
  edit->SetFocus();
  std::vector<std::string> order;
  bool panelTakes = true;
  edit->OnMouseWheel = [&](TObject*, TShiftState, int, POINT, bool&) { order.push_back("edit"); };
  panel->OnMouseWheel = [&](TObject*, TShiftState, int delta, POINT, bool& handled) {
    order.push_back("panel " + std::to_string(delta));
    handled = panelTakes;
  };
  form->OnMouseWheel = [&](TObject*, TShiftState, int, POINT, bool& handled) {
    order.push_back("form");
    handled = true;
  };
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), Point(5, 5));
  EXPECT_EQ(order, (std::vector<std::string>{"edit", "panel 120"}));
  order.clear();
  panelTakes = false;
  SendMessageA(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               Point(5, 5));
  EXPECT_EQ(order, (std::vector<std::string>{"edit", "panel -120", "form"}));
}

TEST_F(UiControls, LabelSizesItselfImageShowsItsPictureAndImageListsTakeStrips) {
  auto* label = Add<TLabel>("Label");
  label->SetText("Short");
  int shortWidth = label->Width();
  label->SetText("A much longer caption");
  EXPECT_GT(label->Width(), shortWidth);
  auto* image = Add<TImage>("Image");
  HICON icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING));
  image->SetIcon(icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(image->Handle(), STM_GETICON, 0, 0)), icon);

  // An image list takes masked strips and copies of another list.
  auto* list = TComponent::Create<TImageList>(form.get(), "ImageList1");
  auto* other = TComponent::Create<TImageList>(form.get(), "ImageList3");
  TBitmap strip;
  strip.SetSize(48, 16, clFuchsia);
  EXPECT_EQ(list->AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(list->Count(), 3);
  {
    TMemoryDC dc(strip.Handle());
    SetPixel(dc.Get(), 2, 2, RGB(0, 0, 255));
  }
  EXPECT_EQ(other->AddMasked(strip, clFuchsia), 0);
  list->AddImages(*other);
  EXPECT_EQ(list->Count(), 6);
  // The copies keep their pixels and their transparency.
  TBitmap canvas;
  canvas.SetSize(16, 16, clLime);
  {
    TMemoryDC dc(canvas.Handle());
    list->Draw(dc.Get(), 0, 0, 3);
    EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.Get(), 3, 2), RGB(0, 255, 0));
    list->Draw(dc.Get(), 0, 0, 4);
    EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(0, 0, 255)) << "an empty copy draws nothing";
  }
  TBitmap empty;
  empty.SetSize(16, 16);
  list->Add(empty, nullptr);
  EXPECT_EQ(list->Count(), 7);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

} // namespace
