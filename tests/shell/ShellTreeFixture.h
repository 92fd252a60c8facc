// A shown form that makes a shell tree (and a linked list) in its constructor, as a streamed
// form does, so that the tree's Loaded runs; helpers that find nodes by path and read them.
#pragma once

#include "common/TempFolder.h"
#include "shell/FakeShellFolder.h"
#include "shell/ShellTreeView.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace quolin::test_support {

class ProbedTree : public TShellTreeView {
public:
  explicit ProbedTree(TComponent* owner) : TShellTreeView(owner) {}
  using TShellTreeView::DragEnter;
  using TShellTreeView::DragLeave;
  using TShellTreeView::DragOver;
  using TShellTreeView::Drop;
};

class TreeForm : public TForm {
public:
  ProbedTree* tree = nullptr;
  TShellListView* list = nullptr;

protected:
  TreeForm(TComponent* owner, bool withList) : TForm(owner) {
    SetBounds(0, 0, 720, 520);
    tree = Create<ProbedTree>(this, "ShellTreeView1");
    tree->SetParent(this);
    tree->SetBounds(0, 0, 320, 480);
    if (!withList)
      return;
    list = Create<TShellListView>(this, "ShellListView1");
    list->SetParent(this);
    list->SetBounds(330, 0, 370, 480);
    tree->SetShellListView(list);
  }
};

class ShellTree : public testing::Test {
protected:
  explicit ShellTree(bool withList = false) : form_(uitest::MakeForm<TreeForm>(withList)) {
    GetCurrentDirectoryA(MAX_PATH, savedFolder_);
    form_->Show();
    tree_ = form_->tree;
  }
  ~ShellTree() override {
    form_.reset();
    SetCurrentDirectoryA(savedFolder_);
  }

  // The node whose folder has that path ("E:\\" for the drive), among the nodes made so far.
  TTreeNode* NodeOf(const std::string& path) {
    std::string wanted = path;
    if (wanted.size() > 3 && wanted.back() == '\\')
      wanted.pop_back();
    for (TTreeNode* node = tree_->Items().GetFirstNode(); node; node = node->GetNext()) {
      TShellFolderItem* item = TShellTreeView::ItemOf(node);
      if (item && node->Level() > 0 && lstrcmpiA(item->GetPath().c_str(), wanted.c_str()) == 0)
        return node;
    }
    return nullptr;
  }
  // The drive's node, opened.
  TTreeNode* OpenDriveE() {
    TTreeNode* e = NodeOf("E:\\");
    EXPECT_NE(e, nullptr);
    if (e)
      e->Expand(false);
    return e;
  }
  // The node's text in client coordinates.
  RECT ItemRect(TTreeNode* node) {
    RECT rect{};
    HTREEITEM item = node->ItemId();
    std::memcpy(&rect, &item, sizeof item);
    SendMessageA(tree_->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  static std::vector<std::string> ChildTexts(TTreeNode* node) {
    std::vector<std::string> texts;
    for (int i = 0; node && i < node->Count(); ++i)
      texts.push_back(node->Item(i)->Text());
    return texts;
  }
  static std::string SelectedPath(TShellTreeView* tree) {
    std::string path;
    tree->GetSelectedPath(path);
    return path;
  }
  // The name of a fixture folder (its last part).
  static std::string NameOf(const TempFolder& folder) {
    std::string path = folder.Path().substr(0, folder.Path().size() - 1);
    return path.substr(path.rfind('\\') + 1);
  }

  char savedFolder_[MAX_PATH] = {};
  TOwned<TreeForm> form_;
  ProbedTree* tree_ = nullptr;
};

} // namespace quolin::test_support
