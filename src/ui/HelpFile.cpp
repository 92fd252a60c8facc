#include "ui/HelpFile.h"

#include "core/Paths.h"
#include "ui/MessageBoxes.h"

#include <htmlhelp.h>

namespace quolin {

namespace {

struct TContextPage {
  int Id;
  const char* Page;
};

constexpr char DefaultPage[] = "top";

constexpr char ViewerLoadFailed[] =
    "HHCTRL.OCX をロードできませんでした.\r\n"
    "HtmlHelp を表示するためには、Internet Explorer 4 以上、または Internet Explorer 3.02 + "
    "HHCTRL.OCX が必要です.\r\n"
    "詳しくは Setup.txt をご覧下さい.";

constexpr TContextPage ContextPages[] = {
    {1000, "top"},        {1201, "f_tab"},        {1202, "f_font"},         {1203, "f_find"},
    {1204, "f_fmt"},      {1205, "f_grp"},        {1206, "f_idx"},          {1207, "f_master"},
    {1208, "f_winpic"},   {1211, "edit_docexp"},  {1212, "f_findopen"},     {1213, "f_docexp"},
    {1214, "f_cmdhelp"},  {1215, "f_spellcheck"}, {1216, "set_automodule"}, {1300, "set_top"},
    {1301, "set_module"}, {1302, "set_edit1"},    {1303, "set_edit2"},      {1304, "set_view"},
    {1305, "set_file"},   {1306, "set_logdel"},   {1307, "set_module"},     {1308, "set_module"},
    {1309, "set_module"}, {1310, "set_module"},   {1311, "set_spell"},      {1401, "cmd_top"},
    {1402, "cmd_nrm"},    {1403, "cmd_sys"},
};

using THtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The viewer library, loaded once; its windows are closed when the program ends.
class THelpViewer {
public:
  ~THelpViewer() { CloseAll(); }

  void SetLibrary(const std::string& name) { library_ = name; }

  HWND Call(HWND window, const std::string& file, UINT command, DWORD_PTR data) {
    if (!Load())
      return nullptr;
    return entry_ ? entry_(window, file.empty() ? nullptr : file.c_str(), command, data) : nullptr;
  }

  void CloseAll() {
    if (entry_)
      entry_(nullptr, nullptr, HH_CLOSE_ALL, 0);
  }

private:
  std::string library_ = "HHCTRL.OCX";
  HMODULE module_ = nullptr;
  THtmlHelpProc entry_ = nullptr;

  bool Load() {
    if (module_)
      return true;
    module_ = LoadLibraryA(library_.c_str());
    if (!module_) {
      MsgBox(ViewerLoadFailed, "Wo");
      return false;
    }
    entry_ = reinterpret_cast<THtmlHelpProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "HtmlHelpA")));
    return true;
  }
};

THelpViewer& Viewer() {
  static THelpViewer viewer;
  return viewer;
}

std::string& HelpFileName() {
  static std::string name;
  return name;
}

} // namespace

const std::string& HelpFile() {
  return HelpFileName();
}

void InitHelpFile() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  InitHelpFile(path);
}

void InitHelpFile(const std::string& programFile) {
  const std::string name = ChangeFileExt(programFile, ".chm");
  HelpFileName() = FileExists(name) ? name : std::string();
}

std::string HelpPageOfContext(int id) {
  const char* page = DefaultPage;
  for (const TContextPage& entry : ContextPages) {
    if (entry.Id == id)
      page = entry.Page;
  }
  return std::string(page) + ".htm";
}

bool ShowHelpContext(int id) {
  if (id < 1 || HelpFile().empty())
    return false;
  const std::string topic = HelpFile() + "::/" + HelpPageOfContext(id);
  return CallHtmlHelp(nullptr, topic, HH_DISPLAY_TOPIC, 0) != nullptr;
}

HWND CallHtmlHelp(HWND window, const std::string& file, UINT command, DWORD_PTR data) {
  return Viewer().Call(window, file, command, data);
}

void CloseHelpViewers() {
  Viewer().CloseAll();
}

void SetHelpViewerLibrary(const std::string& libraryName) {
  Viewer().SetLibrary(libraryName);
}

} // namespace quolin
