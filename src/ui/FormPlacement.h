// A form's placement and its controls' states in the registry, under the base path of the
// registry routines (Registry.h).
//
// Placement: one string value "Left=…;Top=…;Width=…;Height=…;WindowState=…" (only the
// "WindowState" pair for a minimised or maximised form). Control states, in component order:
// check boxes, radio buttons and grouped speed buttons under their names (one-byte booleans),
// editable combo boxes as Name + "_List" and Name + "_Text", drop-down lists as Name + "_Index".
#pragma once

#include <string>

namespace quolin {

class TForm;

// True when written. The main form counts as minimised while the application window is.
bool SaveFormPlacement(const std::string& key, const std::string& valueName, TForm& form);
// Missing or unreadable entries keep the form's current values. The position is taken only by
// forms placed as designed or by default (not MDI children), the size only by sizeable ones; a
// form that would lie wholly off every monitor's work area comes onto the nearest one. An MDI
// child takes the state only as its frame's only child. Always true.
bool LoadFormPlacement(const std::string& key, const std::string& valueName, TForm& form);

void SaveControlStates(const std::string& key, TForm& form);
// The current states are the defaults, except a drop-down list's index, which is 0.
void LoadControlStates(const std::string& key, TForm& form);

} // namespace quolin
