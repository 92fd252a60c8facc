#include "ui/FormPlacement.h"

#include "common/Placement.h"
#include "common/Registry.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"

#include <algorithm>

namespace quolin {

namespace {

TPlacementValues CurrentPlacement(TForm& form) {
  TPlacementValues values{form.Left(), form.Top(), form.Width(), form.Height(),
                          form.WindowState()};
  if (&form == Application->MainForm() && IsIconic(Application->Handle()))
    values.WindowState = TWindowState::wsMinimized;
  return values;
}

bool TakesPosition(const TForm& form) {
  TPosition position = form.Position();
  return form.FormStyle() != TFormStyle::fsMDIChild &&
         (position == TPosition::poDesigned || position == TPosition::poDefault ||
          position == TPosition::poDefaultPosOnly);
}

bool TakesSize(const TForm& form) {
  return form.BorderStyle() == TFormBorderStyle::bsSizeable ||
         form.BorderStyle() == TFormBorderStyle::bsSizeToolWin;
}

// Moves a rectangle that meets no monitor's work area into the nearest one.
RECT OntoScreen(RECT rect) {
  if (Screen->OnSomeMonitor(rect))
    return rect;
  RECT area = Screen->WorkAreaOf(rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int left = std::max(static_cast<int>(area.left),
                      std::min(static_cast<int>(rect.left), static_cast<int>(area.right) - width));
  int top = std::max(static_cast<int>(area.top),
                     std::min(static_cast<int>(rect.top), static_cast<int>(area.bottom) - height));
  return RECT{left, top, left + width, top + height};
}

} // namespace

bool SaveFormPlacement(const std::string& key, const std::string& valueName, TForm& form) {
  return RegWriteString(key, valueName, BuildPlacementText(CurrentPlacement(form)));
}

bool LoadFormPlacement(const std::string& key, const std::string& valueName, TForm& form) {
  TPlacementValues current = CurrentPlacement(form);
  TPlacementValues stored =
      ParsePlacementText(RegReadString(key, valueName, BuildPlacementText(current)), current);
  RECT bounds{current.Left, current.Top, current.Left + current.Width,
              current.Top + current.Height};
  if (TakesPosition(form))
    OffsetRect(&bounds, stored.Left - current.Left, stored.Top - current.Top);
  if (TakesSize(form)) {
    bounds.right = bounds.left + stored.Width;
    bounds.bottom = bounds.top + stored.Height;
  }
  if (form.FormStyle() != TFormStyle::fsMDIChild)
    bounds = OntoScreen(bounds);
  form.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  if (stored.WindowState != current.WindowState) {
    TForm* frame = form.MDIParent();
    if (form.FormStyle() != TFormStyle::fsMDIChild || (frame && frame->MDIChildCount() == 1))
      form.SetWindowState(stored.WindowState);
  }
  return true;
}

void SaveControlStates(const std::string& key, TForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* component = form.Components(i);
    const std::string& name = component->Name();
    if (auto* button = dynamic_cast<TCheckableButton*>(component)) {
      RegWriteBool(key, name, button->Checked());
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(component)) {
      if (speed->GroupIndex() > 0)
        RegWriteBool(key, name, speed->Down());
    } else if (auto* combo = dynamic_cast<TComboBox*>(component)) {
      if (combo->Style() == TComboBoxStyle::csDropDown) {
        RegWriteStrings(key, name + "_List", combo->Items());
        RegWriteText(key, name + "_Text", combo->Text());
      } else if (combo->Style() == TComboBoxStyle::csDropDownList) {
        RegWriteInteger(key, name + "_Index", combo->ItemIndex());
      }
    }
  }
}

void LoadControlStates(const std::string& key, TForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* component = form.Components(i);
    const std::string& name = component->Name();
    if (auto* button = dynamic_cast<TCheckableButton*>(component)) {
      button->SetChecked(RegReadBool(key, name, button->Checked()));
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(component)) {
      if (speed->GroupIndex() > 0)
        speed->SetDown(RegReadBool(key, name, speed->Down()));
    } else if (auto* combo = dynamic_cast<TComboBox*>(component)) {
      if (combo->Style() == TComboBoxStyle::csDropDown) {
        RegReadStrings(key, name + "_List", combo->Items());
        combo->SetText(RegReadText(key, name + "_Text", combo->Text()));
      } else if (combo->Style() == TComboBoxStyle::csDropDownList) {
        combo->SetItemIndex(RegReadInteger(key, name + "_Index", 0));
      }
    }
  }
}

} // namespace quolin
