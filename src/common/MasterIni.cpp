#include "common/MasterIni.h"

#include "common/IniFile.h"
#include "core/Exceptions.h"
#include "core/Platform.h"

namespace quolin {

namespace {

// The keys in file order, before ShortCut and ShowList; each a text or a number.
struct TIniKey {
  const char* Name;
  std::string TQuolin_CmdList::*Text;
  int TQuolin_CmdList::*Number;
};

constexpr TIniKey Keys[] = {
    {"Name", &TQuolin_CmdList::Name, nullptr},
    {"MenuCaption", &TQuolin_CmdList::MenuCaption, nullptr},
    {"ListCaption", &TQuolin_CmdList::ListCaption, nullptr},
    {"AssistCaption", &TQuolin_CmdList::AssistCaption, nullptr},
    {"Command", &TQuolin_CmdList::Command, nullptr},
    {"ImgIndex", nullptr, &TQuolin_CmdList::ImgIndex},
    {"Hint", &TQuolin_CmdList::Hint, nullptr},
    {"CommandType", nullptr, &TQuolin_CmdList::CommandType},
    {"VisibleType", nullptr, &TQuolin_CmdList::VisibleType},
};
constexpr char ShortCutKey[] = "ShortCut";
constexpr char ShowListKey[] = "ShowList";

} // namespace

bool ExportMasterToIni(const std::string& path, const TQuolin_CmdList& record) {
  // A bare name would land in the Windows folder.
  TIniFile ini(ExpandFileName(path));
  try {
    for (const TIniKey& key : Keys) {
      if (key.Text)
        ini.WriteString(MasterIniSection, key.Name, record.*key.Text);
      else
        ini.WriteInteger(MasterIniSection, key.Name, record.*key.Number);
    }
    ini.WriteInteger(MasterIniSection, ShortCutKey, record.ShortCut);
    ini.WriteBool(MasterIniSection, ShowListKey, record.ShowList);
    ini.UpdateFile();
  } catch (const EIniFileException&) {
    return false;
  }
  return true;
}

bool ImportMasterFromIni(const std::string& path, TQuolin_CmdList& record) {
  const TIniFile ini(ExpandFileName(path));
  if (!FileExists(ini.FileName()))
    return false;
  for (const TIniKey& key : Keys) {
    if (key.Text)
      record.*key.Text = ini.ReadString(MasterIniSection, key.Name, record.*key.Text);
    else
      record.*key.Number = ini.ReadInteger(MasterIniSection, key.Name, record.*key.Number);
  }
  record.ShortCut =
      static_cast<uint16_t>(ini.ReadInteger(MasterIniSection, ShortCutKey, record.ShortCut));
  record.ShowList = ini.ReadBool(MasterIniSection, ShowListKey, record.ShowList);
  return true;
}

} // namespace quolin
