// The TeX log as the log pane lists it: its lines, the filter that picks error and warning
// lines, and the source line a log line names. Window-free; the log is bytes as TeX wrote them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// Lines end at CR LF, LF or CR; a last line without line end counts when it is not empty.
std::vector<std::string> SplitLogLines(std::string_view bytes);

// True when the line begins with one of the prefixes, tried from the last to the first. An
// empty prefix matches no line.
bool LineStartsWithAny(const std::vector<std::string>& prefixes, std::string_view line);

enum TLogFilter : int { lfAll, lfErrors, lfWarnings };

struct TLogFilterOptions {
  TLogFilter Filter = lfWarnings;
  std::vector<std::string> ErrorPrefixes, WarningPrefixes;
  // The line after an error (a warning) line is listed too, and is the one selected.
  bool NextLineError = true, NextLineWarning = false;
};

struct TLogListing {
  std::vector<std::string> Lines;
  // The line to select; -1 when nothing is listed.
  int Selected = -1;
};

// The lines the filter lists, and the one to select: the first error, else the last line when
// no warning was listed, else the first warning.
TLogListing FilterLogLines(const std::vector<std::string>& lines, const TLogFilterOptions& options);

// The decimal number at the start of the text after blanks; -1 when there is none.
int LeadingNumber(std::string_view text);
// The source line (from 1) that a log line names: after "l." at its start, else after the
// first "lines", else after the first "line"; -1 when none.
int ParseLogLineNumber(std::string_view line);

} // namespace quolin
