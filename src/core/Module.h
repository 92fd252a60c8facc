// The record of one outside tool (TeX, MakeIndex, BibTeX, previewer, printer): how it is run,
// as a child process or through a DDE conversation, and how it is closed. Window-free.
#pragma once

#include "core/Persistent.h"

#include <array>
#include <string>

namespace quolin {

enum TModuleType : int { mtTeX, mtMakeIndex, mtBibTeX, mtPreview, mtPrint };

inline constexpr int ModuleCount = 5;

// What TTexCtrl::Execute runs: one module (0-4, in TModuleType order), or the automatic
// sequence alone, then the previewer, or then the printer.
enum TExeType : int {
  etTeX,
  etMakeIndex,
  etBibTeX,
  etPreview,
  etPrint,
  etAuto,
  etAutoPreview,
  etAutoPrint
};

class TModule : public TPersistent {
public:
  std::string ExeName;
  // Extension given to the target file in DDE macros and topics; empty: none.
  std::string DefaultExt;
  bool UseDDE = false;
  // Command-line template of a child-process run.
  std::string DosOption = "%longfilename";
  // Wait for the child process, then report and continue.
  bool DosCallBack = false;
  std::string DdeService;
  std::string DDETopic;
  // Item whose advise loop reports the end of a run; empty: no report.
  std::string DDEItem;
  std::string DDEMacro;
  std::string CloseDDEMacro;
  // Window title used to close the tool.
  std::string CloseCaption;
  bool CloseUseDDE = false;

  TModule() = default;
  // The tool's values at construction.
  explicit TModule(TModuleType type);

  // From another module all twelve fields; anything else is refused.
  void Assign(const TPersistent& source) override;
};

// The five tools, indexed by TModuleType.
using TModules = std::array<TModule, ModuleCount>;

TModules DefaultModules();

} // namespace quolin
