#include "commands/CommandRouter.h"

#include "app/DocOps.h"
#include "app/TopUnit.h"
#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr char FileNewCommand[] = "$Sys_FileNew";

} // namespace

std::vector<TCommandCall>& ExecutedCommands() {
  static std::vector<TCommandCall> calls;
  return calls;
}

bool ExecuteCommand(TObject* sender, const std::string& command, int commandId) {
  ExecutedCommands().push_back({sender, command, commandId});
  if (!sjis::EqualIgnoreAsciiCase(command, FileNewCommand))
    return false;
  SysFileNew();
  return true;
}

void SysFileNew() {
  if (TopForm)
    OpenDocument(TopForm->Settings.FileIOOption.DefaultTemplateFile, "", true, -1, false, true);
}

void SysOptMenu(int) {
}

void SysViewToolBarList(TObject*) {
}

} // namespace quolin
