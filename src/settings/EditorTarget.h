// The find and replace steps on an editor view.
#pragma once

#include "core/FindReplace.h"

namespace quolin {

class TEditor;

class TEditorTarget : public TEditTarget {
public:
  explicit TEditorTarget(TEditor& view) : view_(view) {}

  std::string Text() const override;
  int ReadText(int start, int length, char* out) const override;
  int SelStart() const override;
  int SelLength() const override;
  void SetSelection(int start, int length) override;
  bool ReplaceSelection(std::string_view text) override;
  void BeginUpdate() override;
  void EndUpdate() override;
  bool ReadOnly() const override;

private:
  TEditor& view_;
};

} // namespace quolin
