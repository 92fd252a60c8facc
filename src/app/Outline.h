// The section outline of the main window: the heading patterns, each document's branch of the
// tree (rebuilt by the section-update thread after the user stops typing), the node of the
// caret's section, jumps to headings, and whole sections cut, copied, pasted and dragged.
#pragma once

#include "core/SectionScan.h"
#include "ui/Types.h"

#include <string>
#include <vector>

namespace quolin {

class TDocForm;
class TObject;
class TTreeNode;

void CreateSectionLists();
void FreeSectionLists();
// Reads the values of section "Section" and compiles them.
void LoadSectionSettings();
// The values the settings page edits; SaveSectionSettings compiles and writes them.
TSectionValues& SectionSettingValues();
void SaveSectionSettings();
const TSectionPatterns& SectionPatterns();
// What a scan of the document needs, taken on the user-interface thread.
TSectionScanInput SectionScanInput(TDocForm& doc);

// Lets every document rebuild its branch (the outline panel was shown).
void RestartOutlineRescans();

// Brings the document's branch in line with the entries, reusing nodes; returns how many
// nodes were added, changed or deleted.
int UpdateOutlineTree(const std::vector<std::string>& entries, TTreeNode* docNode, bool bib);
// Selects the node of the section that holds the line (from 0), with the panel shown.
void FindOutlineNodeForLine(int line, TTreeNode* docNode);
// The document whose node is the node's top-level ancestor.
TDocForm* DocOfOutlineNode(TTreeNode* node);
bool IsHeadingNode(const TTreeNode* node);
int OutlineNodeLine(const TTreeNode* node);

struct TLineRange {
  int First = 0, Last = -1;
};
// The lines of a heading's section.
TLineRange SectionLineRange(TTreeNode* node);
// The line before the last uncommented one holding the end-of-document text, else the last.
int EndOfDocLine(TDocForm& doc);

enum TSectionCommand : int { scCut = 1, scCopy = 2, scPaste = 3 };
// Acts on the selected node's section; beeps when there is none to act on.
void OutlineSectionCommand(int kind);
// Moves the source's section in front of a same-level target, or into a parent-level one;
// copies it when the target is another document's. True when the text changed.
bool MoveSectionByDrag(TTreeNode* source, TTreeNode* target);
enum TSectionMove : int { smParent, smNextSibling, smPrevSibling, smFirstChild, smNext, smPrev };
void MoveSectionSelection(TDocForm* doc, int kind);

// The document's hooks: an edit, the ticks of Timer_Section and Timer_TreeSelect, and its end
// (the thread stopped and joined before the node goes).
void OutlineDocumentEdited(TDocForm& doc);
void OutlineSectionTick(TDocForm& doc);
void OutlineTreeSelectTick(TDocForm& doc);
void StopOutlineScan(TDocForm& doc);

// The tree's handlers.
void OutlineSelectionChanged(TTreeNode* node);
int CompareOutlineNodes(TTreeNode* node1, TTreeNode* node2);
void OutlineStartDrag();
void OutlineDragOver(TObject* source, int x, int y, TDragState state, bool& accept);
void OutlineEndDrag(TObject* target, int x, int y);

} // namespace quolin
