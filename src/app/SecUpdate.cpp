#include "app/SecUpdate.h"

namespace quolin {

void TSecUpdate::Execute() {
  auto entries = ScanSections(input_, [this] { return Terminated(); });
  if (!entries)
    return;
  // Terminated is read again on the user-interface thread: an edit or the document's end
  // may come while the call waits there.
  Synchronize([this, &entries] {
    if (!Terminated())
      ApplyOutlineScan(doc_, *entries, input_.Bib);
  });
}

} // namespace quolin
