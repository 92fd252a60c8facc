// The names a template list shows for the files a search found: a file search by a pattern
// such as "*.tex" also matches longer extensions through the short (8.3) names ("foo.texinfo",
// "x.tex~"), so only names whose extension is the wanted one are kept. Window-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// In the order given, each file name whose extension equals extension (without its ".", case
// ignored) with that extension taken off ("a.b.tex" gives "a.b"). A name that would be empty
// is left out.
std::vector<std::string> TemplateNames(const std::vector<std::string>& fileNames,
                                       std::string_view extension);

} // namespace quolin
