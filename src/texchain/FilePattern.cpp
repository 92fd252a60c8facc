#include "texchain/FilePattern.h"

#include "common/FileHelpers.h"
#include "core/Paths.h"

namespace quolin {

namespace {

constexpr std::string_view TokenStart = "%file";
constexpr size_t MaxTokenLength = 20;
constexpr int MaxPasses = 6;

bool Has(std::string_view modifiers, char modifier) {
  return modifiers.find(modifier) != std::string_view::npos;
}

std::string ReplaceEvery(std::string_view text, std::string_view token, std::string_view by) {
  std::string result;
  size_t pos = 0;
  for (size_t found; (found = text.find(token, pos)) != std::string_view::npos;
       pos = found + token.size())
    result.append(text.substr(pos, found - pos)).append(by);
  result.append(text.substr(pos));
  return result;
}

} // namespace

std::string FindFileToken(std::string_view text, size_t start, size_t& position) {
  for (size_t found = text.find(TokenStart, start); found != std::string_view::npos;
       found = text.find(TokenStart, found + 1)) {
    size_t close = text.find('%', found + TokenStart.size());
    if (close == std::string_view::npos)
      return {};
    if (close + 1 - found <= MaxTokenLength) {
      position = found;
      return std::string(text.substr(found, close + 1 - found));
    }
  }
  return {};
}

std::string ExpandFileToken(std::string_view token, const std::string& fileName,
                            const std::string& ownerName) {
  std::string_view body = token.substr(TokenStart.size());
  body.remove_suffix(body.ends_with('%') ? 1 : 0);
  size_t dash = body.find('-');
  std::string_view extension = body.substr(0, dash);
  std::string_view modifiers = dash == std::string_view::npos ? "" : body.substr(dash + 1);
  if (!extension.empty() && extension.front() != '.')
    extension = {};

  if (Has(modifiers, 'a') && ownerName.empty())
    return "*";
  bool useOwner = !ownerName.empty() && !Has(modifiers, 'e') && !Has(modifiers, 'a');
  std::string name = useOwner ? ownerName : fileName;
  if (Has(modifiers, 's')) {
    if (std::string shortName = GetShortPath(name); !shortName.empty())
      name = shortName;
  }
  if (extension == ".")
    name = ChangeFileExt(name, "");
  else if (!extension.empty())
    name = ChangeFileExt(name, extension);
  if (Has(modifiers, 'n'))
    name = ExtractFileName(name);
  if (Has(modifiers, 'q') && name.find(' ') != std::string::npos)
    name = "\"" + name + "\"";
  return name;
}

std::string ExpandFilePattern(std::string_view text, const std::string& fileName,
                              const std::string& ownerName) {
  std::string result(text);
  for (int pass = 0; pass < MaxPasses; ++pass) {
    size_t position = 0;
    std::string token = FindFileToken(result, 0, position);
    if (token.empty())
      break;
    result = ReplaceEvery(result, token, ExpandFileToken(token, fileName, ownerName));
  }
  return result;
}

} // namespace quolin
