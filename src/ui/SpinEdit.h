// A number box: an edit with up and down arrows (the native up-down control) inside its
// bounds, stepping by one within MinValue..MaxValue.
#pragma once

#include "ui/Edits.h"

namespace quolin {

class TSpinEdit : public TEdit {
public:
  int MinValue() const { return minValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  // The text as a decimal number within the limits; MinValue when it holds no number (an
  // empty box too). Text() stays what the box shows.
  int Value() const;
  // Clamps, and writes the text only when it differs from what the box shows.
  void SetValue(int value);
  // The arrows' window.
  HWND UpDownHandle();

  void SetEnabled(bool enabled) override;

protected:
  explicit TSpinEdit(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void FontChanged() override;

private:
  int minValue_ = 0;
  int maxValue_ = 100;
  HWND upDown_ = nullptr;
  // Set while the arrows' window writes a value: the edit's change is this control's own.
  bool writing_ = false;

  void PlaceArrows();
  void ApplyRange();
  void Step(int delta);
};

} // namespace quolin
