#include "texchain/FilePattern.h"

#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "core/Paths.h"

namespace quolin {

namespace {

constexpr std::string_view TokenStart = "%file";
constexpr size_t MaxTokenLength = 20;
constexpr int MaxPasses = 6;

bool Has(std::string_view modifiers, char modifier) {
  return modifiers.find(modifier) != std::string_view::npos;
}

} // namespace

std::string FindFileToken(std::string_view text, size_t start, size_t& position) {
  size_t found = text.find(TokenStart, start);
  if (found == std::string_view::npos)
    return {};
  size_t close = text.find('%', found + TokenStart.size());
  if (close == std::string_view::npos || close + 1 - found > MaxTokenLength)
    return {};
  position = found;
  return std::string(text.substr(found, close + 1 - found));
}

std::string ExpandFileToken(std::string_view token, const std::string& fileName,
                            const std::string& ownerName) {
  std::string_view body = token.substr(TokenStart.size());
  body.remove_suffix(body.ends_with('%') ? 1 : 0);
  size_t dot = body.find('.');
  size_t dash = body.find('-');
  // The extension part stops at a "-" after it; letters run to the end, over an extension
  // part that follows them.
  std::string_view extension;
  if (dot != std::string_view::npos)
    extension = body.substr(
        dot, dash != std::string_view::npos && dash > dot ? dash - dot : std::string_view::npos);
  std::string_view letters = dash == std::string_view::npos ? "" : body.substr(dash + 1);

  if (Has(letters, 'a') && ownerName.empty())
    return "*";
  bool useOwner = !ownerName.empty() && !Has(letters, 'e') && !Has(letters, 'a');
  std::string name = useOwner ? ownerName : fileName;
  if (Has(letters, 's')) {
    // A missing file has no 8.3 form: its long form stands.
    if (std::string shortName = GetShortPath(name); !shortName.empty())
      name = shortName;
  }
  if (extension == ".")
    name = ChangeFileExt(name, "");
  else if (!extension.empty())
    name = ChangeFileExt(name, extension);
  if (Has(letters, 'n'))
    name = ExtractFileName(ReplaceAll(name, "/", "\\", true));
  if (Has(letters, 'q') && name.find(' ') != std::string::npos)
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
    result = ReplaceAll(result, token, ExpandFileToken(token, fileName, ownerName), true);
  }
  return result;
}

} // namespace quolin
