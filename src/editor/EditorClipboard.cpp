// Copy, cut and paste. A box selection goes on the clipboard twice in one opening: as plain
// text and under the private format "TEditor Box Type", whose presence makes a paste insert a
// column block.
#include "editor/EditorControl.h"

#include "editor/EditorStartup.h"
#include "ui/Clipboard.h"

namespace quolin {

void TEditor::CopyToClipboard() {
  if (!Selected())
    return;
  if (selection_.mode == 1)
    PutClipboardText(SelText(), {BoxClipboardFormat()});
  else
    PutClipboardText(SelText());
}

void TEditor::CutToClipboard() {
  if (!Selected() || readOnly_)
    return;
  CopyToClipboard();
  ClearSelection();
}

void TEditor::PasteFromClipboard() {
  if (readOnly_ || !IsClipboardFormatAvailable(CF_TEXT))
    return;
  bool box = IsClipboardFormatAvailable(BoxClipboardFormat());
  std::string text = GetClipboardText();
  if (text.empty())
    return;
  if (box)
    SetBoxSelTextBuf(text.c_str());
  else
    SetSelTextBuf(text.c_str());
}

} // namespace quolin
