#include "core/Module.h"

namespace quolin {

namespace {

struct TModuleDefaults {
  const char* DefaultExt;
  const char* DdeService;
  const char* DDETopic;
  const char* DDEItem;
  const char* DDEMacro;
  const char* CloseCaption;
  const char* CloseDDEMacro;
  bool CloseUseDDE;
  bool DosCallBack;
};

// Indexed by TModuleType.
constexpr TModuleDefaults ModuleDefaults[ModuleCount] = {
    {"", "bwpvtex", "bwpvtex", "Advise", "[virtex(%longfilename, %FmtNum_WinTeX)]", "bwpvtex", "",
     false, true},
    {".idx", "winmkidx", "winmkidx", "Advise", "[winmkidx(%longfilename)]", "winmkidx", "", false,
     true},
    {".aux", "JBibTeX", "JBibTeX", "Status", "[JBibTeX(%longfilename)]", "wbibtex", "[FileExit]",
     false, true},
    {".dvi", "WinDvi", "%longfilename", "", "[FileOpen(%longfilename)][WinNormal]", "dviout",
     "[FileExit]", true, false},
    {".dvi", "WinDvi", "%longfilename", "", "[FileOpen(%longfilename)][WinNormal][FilePrint]",
     "dviout", "[FileExit]", true, false},
};

} // namespace

TModule::TModule(TModuleType type) {
  const TModuleDefaults& defaults = ModuleDefaults[type];
  DefaultExt = defaults.DefaultExt;
  DosCallBack = defaults.DosCallBack;
  DdeService = defaults.DdeService;
  DDETopic = defaults.DDETopic;
  DDEItem = defaults.DDEItem;
  DDEMacro = defaults.DDEMacro;
  CloseDDEMacro = defaults.CloseDDEMacro;
  CloseCaption = defaults.CloseCaption;
  CloseUseDDE = defaults.CloseUseDDE;
}

void TModule::Assign(const TPersistent& source) {
  if (const auto* module = dynamic_cast<const TModule*>(&source)) {
    *this = *module;
    return;
  }
  TPersistent::Assign(source);
}

TModules DefaultModules() {
  return {TModule(mtTeX), TModule(mtMakeIndex), TModule(mtBibTeX), TModule(mtPreview),
          TModule(mtPrint)};
}

} // namespace quolin
