#include "core/ShellVerbs.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace quolin {

namespace {

struct TVerbCode {
  const char* verb;
  TShellCommandCode code;
};

constexpr TVerbCode kVerbCodes[] = {
    {"link", shcLink}, {"delete", shcDelete}, {"rename", shcRename}, {"cut", shcCut}};

bool SameVerb(const std::string& a, const char* b) {
  return std::equal(a.begin(), a.end(), b, b + std::char_traits<char>::length(b),
                    [](char x, char y) {
                      return std::tolower(static_cast<unsigned char>(x)) ==
                             std::tolower(static_cast<unsigned char>(y));
                    });
}

} // namespace

int ShellCommandCode(const std::optional<std::string>& verb, unsigned offset) {
  const int byPlace = static_cast<int>(offset) + 1;
  if (!verb || verb->empty())
    return byPlace;
  for (const TVerbCode& known : kVerbCodes) {
    if (SameVerb(*verb, known.verb))
      return known.code;
  }
  const bool posesAsKnown = std::any_of(std::begin(kVerbCodes), std::end(kVerbCodes),
                                        [&](const TVerbCode& known) {
                                          return known.code == byPlace;
                                        });
  return posesAsKnown ? shcNone : byPlace;
}

} // namespace quolin
