// The editor unit's start-up step: the private clipboard format of box selections and the two
// mouse cursors that the option defaults name. Runs once, from the program's start-up and from
// the test mains; a second call does nothing.
#pragma once

namespace quolin {

void EditorUnitStartup();

// The number of the clipboard format "TEditor Box Type".
unsigned BoxClipboardFormat();

// The first index from first on (1..32767) of the screen's cursor table that still holds the
// default cursor; -1 when there is none.
int FindFreeCursorSlot(int first = 1);

} // namespace quolin
