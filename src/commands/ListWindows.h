// The list frame of a list tool window, and the state of the list windows.
//
// Stand-ins until list windows are built: the frame is an empty panel that keeps its command
// number, and nothing is saved or refreshed.
#pragma once

#include "ui/Panels.h"

#include <string>

namespace quolin {

class TFrm_List : public TPanel {
public:
  // Negative: a group.
  int CommandNumber() const { return commandNumber_; }
  void SetGroup(int commandNumber);
  // Fills the frame again after the user data changed.
  void RefreshContent();

protected:
  explicit TFrm_List(TComponent* owner);

private:
  int commandNumber_ = 0;
};

// Which list windows are shown, the outline panel's and the status bar's command.
void SaveListWindowState();
// Shows the list windows that were shown when the state was saved.
void LoadListWindowState();
// Gives every list window the open documents, leaving out the named one.
void RefreshListWindows(const std::string& leaveOut);

} // namespace quolin
