#include "commands/CommandRouter.h"

#include "app/DocOps.h"
#include "app/TopUnit.h"
#include "core/Sjis.h"

#include <utility>

namespace quolin {

namespace {

constexpr char FileNewCommand[] = "$Sys_FileNew";

TCommandWatcher& Watcher() {
  static TCommandWatcher watcher;
  return watcher;
}

} // namespace

TCommandWatcher SetCommandWatcher(TCommandWatcher watcher) {
  return std::exchange(Watcher(), std::move(watcher));
}

bool ExecuteCommand(TObject* sender, const std::string& command, int commandId) {
  if (Watcher())
    Watcher()({sender, command, commandId});
  if (!sjis::EqualIgnoreAsciiCase(command, FileNewCommand))
    return false;
  SysFileNew();
  return true;
}

void DeleteTexOutputFiles(const std::string&) {
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
