#include "app/Outline.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/SecUpdate.h"
#include "app/TopUnit.h"
#include "common/RedrawLock.h"
#include "common/Registry.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "ui/Clipboard.h"
#include "ui/HourGlass.h"
#include "ui/TreeView.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace quolin {

namespace {

constexpr int HeadingImageBase = 5;
constexpr int HeadingSelectedImage = 5;
constexpr int BibImage = 3;
constexpr int BibSelectedImage = 4;

struct SectionLists {
  TSectionValues values = DefaultSectionValues();
  TSectionPatterns patterns = CompileSectionPatterns(values);
};
std::unique_ptr<SectionLists> sectionLists;

SectionLists& Lists() {
  if (!sectionLists)
    CreateSectionLists();
  return *sectionLists;
}

const TEdit2Option& Options() {
  return TopForm->Settings.Edit2Option;
}

TTreeView& Tree() {
  return *TopForm->TreeView_Section;
}

bool PanelShown() {
  return TopForm->Panel_Section->Visible();
}

void* LineData(int line) {
  return reinterpret_cast<void*>(static_cast<intptr_t>(line));
}

// One node of the branch as the rebuild walks it, with the next child to reuse.
struct OpenNode {
  TTreeNode* node;
  int level;
  int next = 0;
};

// Deletes the children the rebuild did not reuse, the last first.
int DeleteSurplus(const OpenNode& open) {
  int writes = 0;
  for (int i = open.node->Count(); i-- > open.next; ++writes)
    open.node->Item(i)->Delete();
  return writes;
}

// The next child of the open node takes the entry; true when a node was added or changed.
bool PlaceEntry(OpenNode& open, const TOutlineEntry& entry, bool bib, TTreeNode*& placed) {
  int image = bib ? BibImage : entry.Level + HeadingImageBase;
  int selected = bib ? BibSelectedImage : HeadingSelectedImage;
  bool write = true;
  if (open.next < open.node->Count()) {
    placed = open.node->Item(open.next);
    write = placed->Text() != entry.Title || placed->Data != LineData(entry.Line) ||
            placed->ImageIndex() != image || placed->SelectedIndex() != selected;
    if (write) {
      placed->SetText(entry.Title);
      placed->Data = LineData(entry.Line);
    }
    placed->SetImageIndex(image);
    placed->SetSelectedIndex(selected);
  } else {
    placed = Tree().Items().AddChildObject(open.node, entry.Title, LineData(entry.Line), image,
                                           selected);
  }
  ++open.next;
  return write;
}

TEditor& View(TDocForm& doc) {
  return *doc.ActiveEditor;
}

// The lines of the range, each with its CR LF.
std::string LinesText(TEditor& view, const TLineRange& range) {
  std::string text;
  for (int line = range.First; line <= range.Last && line < view.Lines().Count(); ++line)
    text += view.Lines()[line] + "\r\n";
  return text;
}

void SelectLines(TEditor& view, const TLineRange& range) {
  view.SetRowCol(view.Lines().LinesToRow(range.First), 0);
  view.SetSelLength(static_cast<int>(LinesText(view, range).size()));
}

// The text goes in at column 0 of the line; after the last line it starts a line of its own.
void InsertAtLine(TEditor& view, int line, const std::string& text) {
  if (line < view.Lines().Count()) {
    view.SetRowCol(view.Lines().LinesToRow(line), 0);
    view.SetSelText(text);
    return;
  }
  view.SetSelStart(view.TextLength());
  view.SetSelText(view.Col() == 0 ? text : "\r\n" + text.substr(0, text.size() - 2));
}

// A node chosen in the tree or reached by a section move: its document to the front, the
// caret below its heading.
void ChooseOutlineNode(TTreeNode* node) {
  TDocForm* doc = DocOfOutlineNode(node);
  if (!doc)
    return;
  if (doc != ActiveDoc()) {
    TDocForm* active = ActiveDoc();
    // Switching maximised documents does not flash.
    TRedrawLock hold(active && active->WindowState() == TWindowState::wsMaximized
                         ? TopForm->ClientHandle()
                         : nullptr);
    doc->BringToFront();
  }
  if (!IsHeadingNode(node))
    return;
  doc->GoToLine(OutlineNodeLine(node) + 1, 0, false);
  if (doc->ActiveEditor->Showing())
    doc->ActiveEditor->SetFocus();
}

// A document node is no drop target: a section moves among headings only.
bool CanDropOn(const TTreeNode* source, const TTreeNode* target) {
  if (!IsHeadingNode(source) || !IsHeadingNode(target) || source == target)
    return false;
  int level = source->Level();
  return (target->Level() == level || target->Level() == level - 1) &&
         target->GetFirstChild() != source;
}

} // namespace

void CreateSectionLists() {
  sectionLists = std::make_unique<SectionLists>();
}

void FreeSectionLists() {
  sectionLists.reset();
}

void LoadSectionSettings() {
  TSectionValues& values = Lists().values;
  for (size_t i = 0; i < values.size(); ++i)
    values[i] =
        RegReadString(res::RegSectionSection, SectionValueNames[i], DefaultSectionValues()[i]);
  Lists().patterns = CompileSectionPatterns(values);
}

TSectionValues& SectionSettingValues() {
  return Lists().values;
}

void SaveSectionSettings() {
  const TSectionValues& values = Lists().values;
  Lists().patterns = CompileSectionPatterns(values);
  for (size_t i = 0; i < values.size(); ++i)
    RegWriteString(res::RegSectionSection, SectionValueNames[i], values[i]);
}

const TSectionPatterns& SectionPatterns() {
  return Lists().patterns;
}

TSectionScanInput SectionScanInput(TDocForm& doc) {
  TSectionScanInput input;
  input.Text = doc.Editor1->Lines().Text();
  input.Patterns = SectionPatterns();
  input.LastIndex = SectionLastIndex(input.Patterns, Options().SectionViewLevel);
  input.Comment = Options().CommentHeader;
  input.Bib = Options().SectionViewBibMode &&
              sjis::EqualIgnoreAsciiCase(ExtractFileExt(doc.FileName), ".bib");
  return input;
}

void RestartOutlineRescans() {
  for (int i = 0; i < DocCount(); ++i)
    DocAt(i)->Timer_Section->SetEnabled(true);
}

int UpdateOutlineTree(const std::vector<std::string>& entries, TTreeNode* docNode, bool bib) {
  TTreeNodes& nodes = Tree().Items();
  nodes.BeginUpdate();
  int writes = 0;
  // The open nodes, outermost first: an entry closes those not above its level and becomes
  // the next child of the one left on top.
  std::vector<OpenNode> open{{docNode, -1}};
  TOutlineEntry entry;
  for (const std::string& text : entries) {
    if (!ParseOutlineEntry(text, entry))
      continue;
    for (; open.size() > 1 && open.back().level >= entry.Level; open.pop_back())
      writes += DeleteSurplus(open.back());
    TTreeNode* placed = nullptr;
    writes += PlaceEntry(open.back(), entry, bib, placed) ? 1 : 0;
    open.push_back({placed, entry.Level});
  }
  for (; !open.empty(); open.pop_back())
    writes += DeleteSurplus(open.back());
  nodes.EndUpdate();
  return writes;
}

bool IsHeadingNode(const TTreeNode* node) {
  return node && node->Parent();
}

int OutlineNodeLine(const TTreeNode* node) {
  return static_cast<int>(reinterpret_cast<intptr_t>(node->Data));
}

void FindOutlineNodeForLine(int line, TTreeNode* docNode) {
  if (!docNode || !PanelShown())
    return;
  // Headings come in line order: taking, level by level, the last child not after the line
  // reaches the node a walk back from the branch's last node would stop at.
  TTreeNode* node = docNode;
  for (bool deeper = true; deeper;) {
    deeper = false;
    for (int i = node->Count(); i-- > 0 && !deeper;) {
      if (OutlineNodeLine(node->Item(i)) <= line) {
        node = node->Item(i);
        deeper = true;
      }
    }
  }
  Tree().SetSelected(node);
}

TDocForm* DocOfOutlineNode(TTreeNode* node) {
  if (!node)
    return nullptr;
  while (node->Parent())
    node = node->Parent();
  for (int i = 0; i < DocCount(); ++i)
    if (DocAt(i)->OutlineNode == node)
      return DocAt(i);
  return nullptr;
}

int EndOfDocLine(TDocForm& doc) {
  const TEditorStrings& lines = doc.Editor1->Lines();
  const std::string& endText = Options().SectionViewCutCopyEndOfDoc;
  for (int line = lines.Count(); line-- > 0;)
    if (FindUncommented(lines[line], endText, Options().CommentHeader) != std::string::npos)
      return line - 1;
  return lines.Count() - 1;
}

TLineRange SectionLineRange(TTreeNode* node) {
  TLineRange range;
  TDocForm* doc = DocOfOutlineNode(node);
  if (!IsHeadingNode(node) || !doc)
    return range;
  range.First = OutlineNodeLine(node);
  // The section ends before the next node that is not inside it.
  const TTreeNode* next = nullptr;
  for (const TTreeNode* walk = node; walk && !next; walk = walk->Parent())
    next = walk->GetNextSibling();
  range.Last = IsHeadingNode(next) ? OutlineNodeLine(next) - 1 : EndOfDocLine(*doc);
  return range;
}

void OutlineSectionCommand(int kind) {
  TTreeNode* node = Tree().Selected();
  TDocForm* doc = DocOfOutlineNode(node);
  TLineRange range = SectionLineRange(node);
  if (!doc || !IsHeadingNode(node) || range.Last <= range.First) {
    MessageBeep(0);
    return;
  }
  TEditor& view = View(*doc);
  switch (kind) {
  case scCut:
    SelectLines(view, range);
    view.CutToClipboard();
    doc->CenterCaretRow(view);
    break;
  case scCopy:
    SetClipboardText(LinesText(view, range));
    return;
  case scPaste:
    doc->GoToLine(range.First, 0, false);
    view.PasteFromClipboard();
    break;
  default:
    return;
  }
  if (view.Showing())
    view.SetFocus();
}

bool MoveSectionByDrag(TTreeNode* source, TTreeNode* target) {
  TDocForm* from = DocOfOutlineNode(source);
  TDocForm* to = DocOfOutlineNode(target);
  if (!CanDropOn(source, target) || !from || !to)
    return false;
  int insertion = 0;
  if (target->Level() == source->Level())
    insertion = OutlineNodeLine(target);
  else if (target->Count() > 0)
    insertion = OutlineNodeLine(target->GetFirstChild());
  else
    insertion = SectionLineRange(target).Last + 1;
  TLineRange range = SectionLineRange(source);
  bool same = from == to;
  // A section never goes inside itself.
  if (range.Last < range.First ||
      (same && insertion >= range.First && insertion <= range.Last))
    return false;
  TBusyCursor busy;
  TEditor& sourceView = View(*from);
  TEditor& targetView = View(*to);
  std::string text = LinesText(sourceView, range);
  sourceView.Lines().BeginUpdate();
  if (same) {
    SelectLines(sourceView, range);
    sourceView.SetSelText("");
    if (insertion > range.First)
      insertion -= range.Last - range.First + 1;
  } else {
    targetView.Lines().BeginUpdate();
  }
  InsertAtLine(targetView, insertion, text);
  targetView.SetRowCol(targetView.Lines().LinesToRow(insertion), 0);
  if (!same)
    targetView.Lines().EndUpdate();
  sourceView.Lines().EndUpdate();
  return true;
}

void MoveSectionSelection(TDocForm* doc, int kind) {
  TTreeNode* node = Tree().Selected();
  if (!doc || !PanelShown() || !node || DocOfOutlineNode(node) != doc)
    return;
  TTreeNode* found = nullptr;
  switch (kind) {
  case smParent:
    if (node->Count() > 0 && node->Expanded()) {
      node->Collapse(false);
      return;
    }
    found = node->Parent();
    break;
  case smNextSibling:
    found = node->GetNextSibling();
    break;
  case smPrevSibling:
    found = node->GetPrevSibling();
    break;
  case smFirstChild:
    found = node->GetFirstChild();
    break;
  case smNext:
    found = node->GetNext();
    break;
  case smPrev:
    found = node->GetPrev();
    break;
  default:
    break;
  }
  if (!found)
    return;
  Tree().SetSelected(found);
  ChooseOutlineNode(found);
}

void OutlineDocumentEdited(TDocForm& doc) {
  doc.Timer_Section->SetEnabled(false);
  if (doc.SecUpdate)
    doc.SecUpdate->Terminate();
  if (PanelShown())
    doc.Timer_Section->SetEnabled(true);
}

void StopOutlineScan(TDocForm& doc) {
  if (!doc.SecUpdate)
    return;
  doc.SecUpdate->Terminate();
  doc.SecUpdate->WaitFor();
  doc.SecUpdate.reset();
}

void OutlineSectionTick(TDocForm& doc) {
  doc.Timer_Section->SetEnabled(false);
  StopOutlineScan(doc);
  // An edit while the old thread was waited for re-armed the timer: its tick scans.
  if (doc.Timer_Section->Enabled() || !PanelShown())
    return;
  doc.SecUpdate = std::make_unique<TSecUpdate>(doc, SectionScanInput(doc));
  doc.SecUpdate->Start();
}

void ApplyOutlineScan(TDocForm& doc, const std::vector<std::string>& entries, bool bib) {
  // A result arriving mid-drag would move other lines than the dragged node's: it comes again.
  if (Tree().Dragging()) {
    doc.Timer_Section->SetEnabled(true);
    return;
  }
  UpdateOutlineTree(entries, doc.OutlineNode, bib);
  if (ActiveDoc() == &doc)
    doc.Editor1CaretMoved(doc.ActiveEditor);
}

void OutlineTreeSelectTick(TDocForm& doc) {
  doc.Timer_TreeSelect->SetEnabled(false);
  if (doc.Timer_Section->Enabled())
    return;
  FindOutlineNodeForLine(doc.CaretLine(), doc.OutlineNode);
}

void OutlineSelectionChanged(TTreeNode* node) {
  if (node && Tree().Focused())
    ChooseOutlineNode(node);
}

int CompareOutlineNodes(TTreeNode* node1, TTreeNode* node2) {
  if (!node1->Parent() && !node2->Parent())
    return sjis::CompareIgnoreAsciiCase(node1->Text(), node2->Text());
  int line1 = OutlineNodeLine(node1), line2 = OutlineNodeLine(node2);
  return (line1 > line2) - (line1 < line2);
}

void OutlineStartDrag() {
  TTreeView& tree = Tree();
  TopForm->DragSourceNode = tree.DragNode() ? tree.DragNode() : tree.Selected();
  if (!Options().SectionViewDragDropEdit)
    tree.EndDrag(false);
}

void OutlineDragOver(TObject* source, int x, int y, TDragState, bool& accept) {
  TTreeView& tree = Tree();
  accept = Options().SectionViewDragDropEdit && source == &tree &&
           CanDropOn(TopForm->DragSourceNode, tree.GetNodeAt(x, y));
}

void OutlineEndDrag(TObject* target, int x, int y) {
  TTreeNode* source = TopForm->DragSourceNode;
  TopForm->DragSourceNode = nullptr;
  if (target && source)
    MoveSectionByDrag(source, Tree().GetNodeAt(x, y));
}

} // namespace quolin
