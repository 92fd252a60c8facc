#include "core/TexLog.h"

#include <algorithm>
#include <climits>

namespace quolin {

namespace {

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

// One kind of listed line (errors or warnings): whether the next line comes with it, and the
// first index to select.
struct ListedKind {
  bool withNextLine = false;
  bool after = false;
  int first = -1;

  void Listed(int index) {
    if (!withNextLine) {
      if (first < 0)
        first = index;
      return;
    }
    if (after && first < 0)
      first = index;
    after = !after;
  }
};

} // namespace

std::vector<std::string> SplitLogLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] != '\r' && bytes[pos] != '\n')
      continue;
    lines.emplace_back(bytes.substr(start, pos - start));
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
      ++pos;
    start = pos + 1;
  }
  if (start < bytes.size())
    lines.emplace_back(bytes.substr(start));
  return lines;
}

bool LineStartsWithAny(const std::vector<std::string>& prefixes, std::string_view line) {
  return std::any_of(prefixes.rbegin(), prefixes.rend(), [line](const std::string& prefix) {
    return !prefix.empty() && line.substr(0, prefix.size()) == prefix;
  });
}

TLogListing FilterLogLines(const std::vector<std::string>& lines, const TLogFilterOptions& options) {
  TLogListing listing;
  if (options.Filter == lfAll) {
    listing.Lines = lines;
    listing.Selected = static_cast<int>(lines.size()) - 1;
    return listing;
  }
  ListedKind errors{options.NextLineError}, warnings{options.NextLineWarning};
  for (const std::string& line : lines) {
    int index = static_cast<int>(listing.Lines.size());
    if (errors.after || LineStartsWithAny(options.ErrorPrefixes, line)) {
      listing.Lines.push_back(line);
      errors.Listed(index);
    } else if (warnings.after ||
               (options.Filter == lfWarnings && LineStartsWithAny(options.WarningPrefixes, line))) {
      listing.Lines.push_back(line);
      warnings.Listed(index);
    }
  }
  if (listing.Lines.empty())
    return listing;
  if (errors.first >= 0)
    listing.Selected = errors.first;
  else if (warnings.first < 0)
    listing.Selected = static_cast<int>(listing.Lines.size()) - 1;
  else
    listing.Selected = warnings.first;
  return listing;
}

int LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9')
    return -1;
  long long value = 0;
  for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
  return static_cast<int>(value);
}

int ParseLogLineNumber(std::string_view line) {
  if (line.substr(0, 2) == "l.")
    return LeadingNumber(line.substr(2));
  for (std::string_view word : {std::string_view("lines"), std::string_view("line")}) {
    size_t pos = line.find(word);
    if (pos != std::string_view::npos)
      return LeadingNumber(line.substr(pos + word.size()));
  }
  return -1;
}

} // namespace quolin
