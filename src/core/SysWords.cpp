#include "core/SysWords.h"

#include "core/Sjis.h"

namespace quolin {

const std::array<TSysWord, SysWordCount> SysWords = {{
    {"$Sys_FileNew", swWhole, false},
    {"$Sys_FileTemplate", swWhole, false},
    {"$Sys_FileOpen(", swPrefix, false},
    {"$Sys_FileOpen", swWhole, false},
    {"$Sys_FilesOpen", swWhole, false},
    {"$Sys_FileRemain", swWhole, false},
    {"$Sys_FileFindOpen", swWhole, false},
    {"$Sys_FileInsert", swPrefix, false},
    {"$Sys_FileSave", swWhole, true},
    {"$Sys_FileSaveAs", swWhole, true},
    {"$Sys_FileSaveAll", swWhole, true},
    {"$Sys_FileReadOnly", swWhole, true},
    {"$Sys_FileClose", swWhole, true},
    {"$Sys_FileCloseAll", swWhole, true},
    {"$Sys_FileExit", swWhole, false},
    {"$Sys_FileOwnerSet", swWhole, true},
    {"$Sys_FileOwnerClear", swWhole, true},
    {"$Sys_FileTex", swWhole, false},
    {"$Sys_FileMakeIndex", swWhole, false},
    {"$Sys_FileBibTeX", swWhole, false},
    {"$Sys_FilePreview", swWhole, false},
    {"$Sys_FilePrint", swWhole, false},
    {"$Sys_FileAuto", swWhole, false},
    {"$Sys_FileAutoPreview", swWhole, false},
    {"$Sys_FileAutoPrint", swWhole, false},
    {"$Sys_FileDosThreadEnd", swWhole, false},
    {"$Sys_FileDelTempFile", swWhole, true},
    {"$Sys_EditUndo", swWhole, false},
    {"$Sys_EditRedo", swWhole, false},
    {"$Sys_EditRepeat", swWhole, false},
    {"$Sys_EditCut", swWhole, false},
    {"$Sys_EditCopy", swWhole, false},
    {"$Sys_EditAddCut", swWhole, true},
    {"$Sys_EditAddCopy", swWhole, true},
    {"$Sys_EditPaste", swWhole, false},
    {"$Sys_EditSelectAll", swWhole, false},
    {"$Sys_EditFindStr(", swPrefix, true},
    {"$Sys_EditFindDialog", swWhole, false},
    {"$Sys_EditFindDialogNext", swWhole, false},
    {"$Sys_EditFindDialogPrev", swWhole, false},
    {"$Sys_EditSelFind", swPrefix, true},
    {"$Sys_EditIndexDialog", swPrefix, false},
    {"$Sys_EditMoveLine(", swPrefix, false},
    {"$Sys_EditJump(", swPrefix, false},
    {"$Sys_EditJump", swWhole, false},
    {"$Sys_EditMoveSecParent", swWhole, true},
    {"$Sys_EditMoveSecChild", swWhole, true},
    {"$Sys_EditMoveSecNext", swWhole, true},
    {"$Sys_EditMoveSecPrev", swWhole, true},
    {"$Sys_EditMoveSecNextA", swWhole, true},
    {"$Sys_EditMoveSecPrevA", swWhole, true},
    {"$Sys_EditCharConv", swWhole, true},
    {"$Sys_EditCommandHelper", swWhole, false},
    {"$Sys_EditPopupMenu", swWhole, false},
    {"$Sys_EditLineCut", swWhole, true},
    {"$Sys_EditLinePaste", swWhole, true},
    {"$Sys_ViewWordWrap", swWhole, true},
    {"$Sys_ViewStatusBar", swWhole, false},
    {"$Sys_ViewToolBarList", swWhole, false},
    {"$Sys_ViewDocExp", swWhole, false},
    {"$Sys_WinNext", swWhole, true},
    {"$Sys_WinPrev", swWhole, true},
    {"$Sys_WinVTile", swWhole, true},
    {"$Sys_WinHTile", swWhole, true},
    {"$Sys_WinIcon", swWhole, true},
    {"$Sys_WinCascade", swWhole, true},
    {"$Sys_WinDocMax", swWhole, true},
    {"$Sys_WinDocMin", swWhole, true},
    {"$Sys_WinDocNormal", swWhole, true},
    {"$Sys_WinDocInfo", swWhole, true},
    {"$Sys_MainMax", swWhole, false},
    {"$Sys_MainMin", swWhole, false},
    {"$Sys_MainNormal", swWhole, false},
    {"$Sys_MainActiv", swWhole, false},
    {"$Sys_OptSetup", swWhole, false},
    {"$Sys_OptMaster", swWhole, false},
    {"$Sys_OptMenu", swWhole, false},
    {"$Sys_OptCreateNewDataFile", swWhole, false},
    {"$Sys_OptDocExpSetup", swWhole, false},
    {"$Sys_OptReserve", swWhole, false},
    {"$Sys_OptAddReserve", swWhole, true},
    {"$Sys_OptWiz_WinTeX", swWhole, false},
    {"$Sys_OptWiz_pLaTeX2eWin", swWhole, false},
    {"$Sys_OptTexModuleWiz", swWhole, false},
    {"$Sys_OptSelectFmt_WinTeX", swWhole, false},
    {"$Sys_OptSelectFmt_pLaTeX2eWin", swWhole, false},
    {"$Sys_OptVersion", swWhole, false},
    {"$Sys_OptExecuteFile(", swPrefix, false},
    {"$Sys_OptSpellCheck", swWhole, false},
    {"$Sys_OptBracketSetup", swWhole, false},
    {"$Sys_HelpTopic", swWhole, false},
}};

int SysWordNumber(std::string_view word) {
  for (int i = 0; i < SysWordCount; ++i)
    if (sjis::EqualIgnoreAsciiCase(SysWords[i].Word, word))
      return i + 1;
  return 0;
}

TFoundSysWord FindSysWord(std::string_view text) {
  for (int i = 0; i < SysWordCount; ++i) {
    std::string_view word = SysWords[i].Word;
    if (text.size() < word.size())
      continue;
    std::string_view spelled = SysWords[i].Match == swWhole ? text : text.substr(0, word.size());
    if (!sjis::EqualIgnoreAsciiCase(spelled, word))
      continue;
    if (spelled.ends_with('('))
      spelled.remove_suffix(1);
    return {i + 1, std::string(spelled)};
  }
  return {};
}

} // namespace quolin
