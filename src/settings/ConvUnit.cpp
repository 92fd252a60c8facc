#include "settings/ConvUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "core/KanaConvert.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/WidthConvert.h"
#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/FormPlacement.h"
#include "ui/HourGlass.h"
#include "ui/Panels.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

namespace quolin {

namespace {

enum class TConvGroup { Characters, Symbols, Form };

struct TConvCombo {
  const char* Name;
  // Empty: the pair's two forms.
  const char* Caption;
  TConvGroup Group;
  // Index into WidthPairs; -1 for the classes and the range.
  int Pair;
};

constexpr TConvCombo ConvCombos[] = {
    {"CB_Num", "数字(&M):", TConvGroup::Characters, -1},
    {"CB_Alpha", "英字(&A):", TConvGroup::Characters, -1},
    {"CB_Kata", "ｶﾀｶﾅ(&K):", TConvGroup::Characters, -1},
    {"CB_Space", "ｽﾍﾟｰｽ(&P):", TConvGroup::Characters, 0},
    {"CB_1", "", TConvGroup::Symbols, 1},
    {"CB_2", "", TConvGroup::Symbols, 2},
    {"CB_3", "", TConvGroup::Symbols, 3},
    {"CB_4", "", TConvGroup::Symbols, 4},
    {"CB_5", "", TConvGroup::Symbols, 5},
    {"CB_6", "", TConvGroup::Symbols, 6},
    {"CB_7", "", TConvGroup::Symbols, 7},
    {"CB_8", "", TConvGroup::Symbols, 8},
    {"CB_9", "", TConvGroup::Symbols, 9},
    {"CB_10", "", TConvGroup::Symbols, 10},
    {"CB_11", "", TConvGroup::Symbols, 11},
    {"CB_12", "", TConvGroup::Symbols, 12},
    {"CB_13", "", TConvGroup::Symbols, 13},
    {"CB_14", "", TConvGroup::Symbols, 14},
    {"CB_15", "", TConvGroup::Symbols, 15},
    {"CB_16", "", TConvGroup::Symbols, 16},
    {"CB_17", "", TConvGroup::Symbols, 17},
    {"CB_18", "", TConvGroup::Symbols, 18},
    {"CB_19", "", TConvGroup::Symbols, 19},
    {"CB_20", "", TConvGroup::Symbols, 20},
    {"CB_21", "", TConvGroup::Symbols, 21},
    {"CB_22", "", TConvGroup::Symbols, 22},
    {"CB_23", "", TConvGroup::Symbols, 23},
    {"CB_24", "", TConvGroup::Symbols, 24},
    {"CB_25", "", TConvGroup::Symbols, 25},
    {"CB_26", "", TConvGroup::Symbols, 26},
    {"CB_27", "", TConvGroup::Symbols, 27},
    {"CB_28", "", TConvGroup::Symbols, 28},
    {"CB_Select", "範囲(&S) :", TConvGroup::Form, -1},
};
static_assert(std::size(ConvCombos) == 33);

constexpr const char* WidthItems[] = {"しない", "半角", "全角"};
constexpr const char* RangeItems[] = {"文章全体", "選択範囲"};
enum TConvRange : int { crWhole, crSelection };

constexpr int SymbolRows = 7;
constexpr int RowHeight = 28;
constexpr int SymbolColumnWidth = 140;

// Where a combo of a group goes: rows of the characters' group, columns of seven in the
// symbols' group, the range below the characters' group.
RECT ComboPlace(TConvGroup group, int slot) {
  switch (group) {
  case TConvGroup::Characters:
    return {84, 20 + slot * RowHeight, 90, 21};
  case TConvGroup::Symbols:
    return {8 + (slot / SymbolRows) * SymbolColumnWidth + 52, 20 + (slot % SymbolRows) * RowHeight,
            80, 21};
  default:
    return {92, 160, 100, 21};
  }
}

// The label left of its combo: narrower beside the symbols.
RECT LabelPlace(TConvGroup group, const RECT& combo) {
  int width = group == TConvGroup::Symbols ? 44 : 72;
  return {combo.left - width - 4, combo.top + 4, width, 16};
}

std::string PairCaption(const TWidthPair& pair) {
  return std::string(pair.Full) + " " + std::string(pair.Half);
}

// The caret offset kept inside text and off the second byte of a character or of CR LF.
int CaretInside(const std::string& text, int offset) {
  size_t pos = std::min(static_cast<size_t>(std::max(offset, 0)), text.size());
  pos = sjis::CharStart(text, pos);
  if (pos > 0 && pos < text.size() && text[pos - 1] == '\r' && text[pos] == '\n')
    --pos;
  return static_cast<int>(pos);
}

} // namespace

TConvForm::TConvForm(TComponent* owner) : TForm(owner) {
  SetCaption("全角/半角変換");
  SetUpDialog(*this, 808, 326);
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", this, {8, 8, 190, 136}, "文字");
  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", this, {206, 8, 584, 228}, "記号");
  int slots[3] = {};
  for (const TConvCombo& entry : ConvCombos) {
    int slot = slots[static_cast<int>(entry.Group)]++;
    TControl* parent = this;
    if (entry.Group != TConvGroup::Form)
      parent = entry.Group == TConvGroup::Characters ? GroupBox1 : GroupBox2;
    RECT place = ComboPlace(entry.Group, slot);
    std::string caption =
        entry.Pair >= 0 && !*entry.Caption ? PairCaption(WidthPairs[entry.Pair]) : entry.Caption;
    auto* label = PlaceControl<TLabel>(this, ("Label_" + std::string(entry.Name + 3)).c_str(),
                                       parent, LabelPlace(entry.Group, place), caption);
    label->SetShowAccelChar(*entry.Caption != '\0');
    auto* combo = PlaceControl<TComboBox>(this, entry.Name, parent, place);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    label->FocusControl = combo;
    if (entry.Group == TConvGroup::Form) {
      for (const char* item : RangeItems)
        combo->Items().Add(item);
      CB_Select = combo;
      Label_Select = label;
      continue;
    }
    for (const char* item : WidthItems)
      combo->Items().Add(item);
    if (entry.Pair >= 0)
      symbols_.push_back(combo);
  }
  CB_Num = static_cast<TComboBox*>(FindComponent("CB_Num"));
  CB_Alpha = static_cast<TComboBox*>(FindComponent("CB_Alpha"));
  CB_Kata = static_cast<TComboBox*>(FindComponent("CB_Kata"));
  Button1 = AddDialogButton(*this, "Button1", "OK", 604, 256);
  Button1->SetDefault(true);
  Button2 = AddDialogButton(*this, "Button2", "キャンセル", 700, 256);
  Button2->SetCancel(true);
  Button2->ModalResult = mrCancel;
  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  LoadControlStates(res::RegSectionCharConvForm, *this);
  OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TConvForm::BeforeDestruction() {
  SaveControlStates(res::RegSectionCharConvForm, *this);
  TForm::BeforeDestruction();
}

void TConvForm::FormShow(TObject*) {
  if (!HasDoc())
    return;
  bool selected = ActiveDoc()->ActiveEditor->Selected();
  CB_Select->SetEnabled(selected);
  Label_Select->SetEnabled(selected);
  CB_Select->SetItemIndex(selected ? crSelection : crWhole);
}

void TConvForm::Button1Click(TObject*) {
  if (!HasDoc())
    return;
  TBusyCursor busy;
  TDocForm& doc = *ActiveDoc();
  TEditor& view = *doc.ActiveEditor;
  const int start = view.SelStart();
  const bool whole = CB_Select->ItemIndex() != crSelection;
  if (whole)
    view.SetSelLength(0);
  std::string text = whole ? view.Text() : view.SelText();
  std::array<int, WidthPairCount> choices{};
  for (size_t i = 0; i < symbols_.size(); ++i)
    choices[i] = symbols_[i]->ItemIndex();
  std::string converted = view.ReadOnly()
                              ? text
                              : ConvertTextWidth(text, CB_Alpha->ItemIndex(), CB_Num->ItemIndex(),
                                                 CB_Kata->ItemIndex(), BuildSymbolLists(choices));
  // Unchanged text leaves the editor alone: no undo step, not modified.
  TStrings& lines = view.Lines();
  lines.BeginUpdate();
  if (converted != text) {
    if (whole)
      view.SelectAll();
    view.SetSelText(converted);
  }
  if (whole) {
    view.SetSelStart(CaretInside(view.Text(), start));
  } else {
    view.SetSelStart(start);
    view.SetSelLength(static_cast<int>(converted.size()));
  }
  doc.CenterCaretRow(view);
  lines.EndUpdate();
  SetModalResult(mrOk);
}

void ShowConvForm() {
  TOwned<TConvForm> form(TComponent::Create<TConvForm>(Application, "ConvForm"));
  form->ShowModal();
}

} // namespace quolin
