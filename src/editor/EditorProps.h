// TEditorProp: one complete set of editor options without any text, the same option objects
// a TEditor view publishes. The main window keeps one as the settings of every document view,
// copies it into each view with AssignTo and keeps it in the registry as one binary value: the
// stream image of the component. Its options are listed once, in ForEachOption (see
// core/OptionTable.h): copying, the stream image and the tests' comparison walk that table.
#pragma once

#include "core/EditorOptions.h"
#include "core/Font.h"
#include "core/StringList.h"
#include "ui/Component.h"
#include "ui/Types.h"

#include <string>
#include <string_view>

namespace quolin {

class TEditor;

class TEditorProp : public TComponent {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TEditorCaret& Caret() { return caret_; }
  const TEditorCaret& Caret() const { return caret_; }
  void SetCaret(const TEditorCaret& caret) { caret_.Assign(caret); }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }
  TEditorMargin& Margin() { return margin_; }
  const TEditorMargin& Margin() const { return margin_; }
  void SetMargin(const TEditorMargin& margin) { margin_.Assign(margin); }
  TEditorMarks& Marks() { return marks_; }
  const TEditorMarks& Marks() const { return marks_; }
  void SetMarks(const TEditorMarks& marks) { marks_.Assign(marks); }
  // Sorted, duplicates ignored.
  TStringList& ReserveWordList() { return reserveWordList_; }
  const TStringList& ReserveWordList() const { return reserveWordList_; }
  void SetReserveWordList(const TStrings& list) { reserveWordList_.Assign(list); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle bars);
  TEditorViewInfo& View() { return view_; }
  const TEditorViewInfo& View() const { return view_; }
  void SetView(const TEditorViewInfo& view) { view_.Assign(view); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TEditorWrapOption& WrapOption() { return wrapOption_; }
  const TEditorWrapOption& WrapOption() const { return wrapOption_; }
  void SetWrapOption(const TEditorWrapOption& option) { wrapOption_.Assign(option); }

  // Raised when Color, ScrollBars or WordWrap take a different value.
  TNotifyEvent OnColorChange;
  TNotifyEvent OnScrollBarsChange;
  TNotifyEvent OnWordWrapChange;

  // From a TEditor view or another TEditorProp.
  void Assign(const TPersistent& source) override;
  // Into a TEditor view (rewrapping its text at most once) or another TEditorProp.
  virtual void AssignTo(TPersistent& dest) const;

  template <typename Visit> static void ForEachOption(Visit&& visit);

protected:
  explicit TEditorProp(TComponent* owner);

private:
  TColor color_ = clWindow;
  TEditorCaret caret_;
  TFont font_;
  TEditorMargin margin_;
  TEditorMarks marks_;
  TStringList reserveWordList_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  TEditorViewInfo view_;
  bool wordWrap_ = false;
  TEditorWrapOption wrapOption_;

  // The view's font, list and wrap options are reached through its non-const accessors; they
  // are only read.
  void CopyFrom(TEditor& view);
  // A different value is stored and event raised.
  template <typename T> void StoreAndTell(T& field, T value, const TNotifyEvent& event);
};

template <typename Visit> void TEditorProp::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(AccessorOption<K::Color>("Color", &TEditorProp::Color, &TEditorProp::SetColor));
  visit(PartOption("Caret", [](auto& prop) { return &prop.Caret(); }));
  visit(PartOption("Font", [](auto& prop) { return &prop.Font(); }));
  visit(PartOption("Margin", [](auto& prop) { return &prop.Margin(); }));
  visit(PartOption("Marks", [](auto& prop) { return &prop.Marks(); }));
  // The word list streams as its Strings property.
  visit(WholeOption("ReserveWordList.Strings", [](auto& prop) { return &prop.ReserveWordList(); }));
  visit(AccessorOption<K::ScrollStyle>("ScrollBars", &TEditorProp::ScrollBars,
                                       &TEditorProp::SetScrollBars));
  visit(PartOption("View", [](auto& prop) { return &prop.View(); }));
  visit(AccessorOption<K::Bool>("WordWrap", &TEditorProp::WordWrap, &TEditorProp::SetWordWrap));
  visit(PartOption("WrapOption", [](auto& prop) { return &prop.WrapOption(); }));
}

// The stream image of prop: the properties that differ from a new TEditorProp's.
std::string EditorPropImage(const TEditorProp& prop);
// Reads an image into prop: properties absent from it keep their values, unknown names are
// skipped. A damaged image, or one of another class, leaves prop unchanged and gives false.
bool ReadEditorPropImage(TEditorProp& prop, std::string_view image);

// The binary value valueName in the subkey valueName of key (a section such as "Editor" or a
// full key, under HKEY_CURRENT_USER). A missing or empty value changes nothing; false then
// and for a damaged value.
bool ReadEditorPropFromRegistry(TEditorProp& prop, const std::string& key,
                                const std::string& valueName);
bool WriteEditorPropToRegistry(const TEditorProp& prop, const std::string& key,
                               const std::string& valueName);

} // namespace quolin
