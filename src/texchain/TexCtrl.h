// The tool component: runs the five outside tools for the target file, by child process or
// DDE conversation, and reports the end of each run.
//
// Stand-in until the tool chain exists: it holds the modules, the files of a run and the
// end-of-run event, never starts a tool, and records what it is asked to end or close.
#pragma once

#include "texchain/Module.h"
#include "ui/Component.h"

#include <functional>
#include <string>
#include <vector>

namespace quolin {

// The end of a run: which tool, whether it succeeded, and the tool's reply.
using TEndProcessEvent =
    std::function<void(TModuleType moduleType, bool succeeded, const std::string& ddeValue)>;

class TTexCtrl : public TComponent {
public:
  TModules& Modules() { return modules_; }
  TModule& Module(TModuleType type) { return modules_[type]; }

  std::string TargetFile;
  std::string EditFileName;
  std::string OwnerFileName;
  int EditRowNum = 0;
  // A run is active.
  bool Activ() const { return false; }
  TEndProcessEvent OnEndProcess;

  // Ends the conversation with the running tool.
  void DisconnectDde();
  // Closes the window of module kind 0-4, or of all five with 5.
  void CloseModules(int kind);
  // The calls of DisconnectDde ("disconnect") and CloseModules ("close <kind>"), in order.
  const std::vector<std::string>& Calls() const { return calls_; }

protected:
  explicit TTexCtrl(TComponent* owner);

private:
  TModules modules_;
  std::vector<std::string> calls_;
};

} // namespace quolin
