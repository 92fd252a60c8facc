// The document information dialog: the active document's names, sizes and times, one row each,
// a row's value copied on request. Modal, made on first use and kept.
#pragma once

#include "ui/Forms.h"

#include <string>
#include <vector>

namespace quolin {

class TButton;
class TListView;
struct TDocumentInfo;

struct TDocInfoRow {
  std::string Item;
  std::string Value;
  bool operator==(const TDocInfoRow&) const = default;
};

// "yyyy/m/d hh:nn": month and day unpadded, hour and minute two digits.
std::string DocInfoTimeText(double time);
// The rows in the dialog's order; the last-save row only when that time differs from the
// opening time.
std::vector<TDocInfoRow> DocInfoRows(const TDocumentInfo& info);

class TDocInfoForm : public TForm {
public:
  TListView* ListView1;
  TButton* Button1;
  TButton* Button2;

  // The active document's rows; none without a document.
  void FillRows();
  // The selected row's value to the clipboard; nothing without a row or with an empty value.
  void CopySelectedValue();

protected:
  explicit TDocInfoForm(TComponent* owner);
  void DoShow() override;
};

// None until first shown.
extern TDocInfoForm* DocInfoForm;

void ShowDocInfoForm();

} // namespace quolin
