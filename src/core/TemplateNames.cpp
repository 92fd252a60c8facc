#include "core/TemplateNames.h"

#include "core/Paths.h"
#include "core/Sjis.h"

namespace quolin {

std::vector<std::string> TemplateNames(const std::vector<std::string>& fileNames,
                                       std::string_view extension) {
  std::string wanted(1, '.');
  wanted.append(extension);
  std::vector<std::string> names;
  for (const std::string& fileName : fileNames) {
    std::string name = ChangeFileExt(fileName, "");
    if (!name.empty() && sjis::EqualIgnoreAsciiCase(ExtractFileExt(fileName), wanted))
      names.push_back(std::move(name));
  }
  return names;
}

} // namespace quolin
