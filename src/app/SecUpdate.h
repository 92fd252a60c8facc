// The section-update thread of one document: scans a copy of the text for its headings and
// hands the entries to the user-interface thread, which alone changes the tree. It reads its
// stop request between lines; a result of a thread asked to stop never reaches the tree.
#pragma once

#include "core/SectionScan.h"
#include "ui/Thread.h"

#include <string>
#include <vector>

namespace quolin {

class TDocForm;

// Runs on the user-interface thread with a finished scan of the document.
void ApplyOutlineScan(TDocForm& doc, const std::vector<std::string>& entries, bool bib);

class TSecUpdate : public TThread {
public:
  TSecUpdate(TDocForm& doc, TSectionScanInput input) : doc_(doc), input_(std::move(input)) {}

protected:
  void Execute() override;

private:
  TDocForm& doc_;
  TSectionScanInput input_;
};

} // namespace quolin
