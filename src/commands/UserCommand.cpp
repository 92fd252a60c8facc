#include "commands/UserCommand.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"

#include <utility>

namespace quolin {

namespace {

constexpr char CaretMark[] = "$S";
// Never part of a text: stands for the caret mark while the rest is expanded.
constexpr char CaretStandIn = '\x01';

} // namespace

std::string ExpandTemplateText(const std::string& text) {
  static const std::pair<const char*, const char*> placeholders[] = {
      {"$$", "$"}, {"$Ret", "\r\n"}, {"$Tab", "\t"}, {"$NoRepeat", ""}};
  std::string result;
  for (size_t pos = 0; pos < text.size();) {
    bool matched = false;
    for (const auto& [name, value] : placeholders) {
      std::string_view placeholder(name);
      if (text.compare(pos, placeholder.size(), placeholder) == 0) {
        result += value;
        pos += placeholder.size();
        matched = true;
        break;
      }
    }
    if (!matched)
      result += text[pos++];
  }
  return result;
}

bool ExecuteUserCommand(const std::string& text) {
  TDocForm* doc = ActiveDoc();
  if (!doc)
    return false;
  std::string marked = text;
  if (size_t mark = marked.find(CaretMark); mark != std::string::npos)
    marked.replace(mark, 2, 1, CaretStandIn);
  std::string expanded = ExpandTemplateText(marked);
  size_t caret = expanded.find(CaretStandIn);
  TEditor& view = *doc->ActiveEditor;
  if (caret == std::string::npos) {
    view.SetSelText(expanded);
    return true;
  }
  expanded.erase(caret, 1);
  int start = view.SelStart();
  view.SetSelText(expanded);
  view.SetSelStart(start + static_cast<int>(caret));
  return true;
}

} // namespace quolin
