#include "core/CommandLineSplit.h"

#include "core/Sjis.h"

namespace quolin {

namespace {

bool IsSeparator(char byte) {
  unsigned char code = static_cast<unsigned char>(byte);
  return code >= 1 && code <= 32;
}

bool IsArgumentByte(char byte) {
  return static_cast<unsigned char>(byte) >= 33;
}

void Take(std::string& argument, char byte) {
  if (argument.size() < MaxCmdLineArg)
    argument += byte;
}

// Start of the last character of text; text must not be empty.
size_t LastCharStart(std::string_view text) {
  return sjis::CharStart(text, text.size() - 1);
}

// "[x]": a first "[" and a last character "]" with something between.
bool IsBracketed(std::string_view text) {
  return text.size() >= 3 && text.front() == '[' && text.back() == ']' &&
         LastCharStart(text) == text.size() - 1;
}

} // namespace

size_t NextCmdLineArg(std::string_view line, size_t pos, std::string& argument) {
  argument.clear();
  // A NUL ends the line; it is met on the way rather than searched for, so that walking a
  // line argument by argument reads each byte once.
  auto at = [line](size_t index) { return index < line.size() ? line[index] : '\0'; };
  for (;;) {
    if (IsSeparator(at(pos)))
      ++pos;
    else if (at(pos) == '"' && at(pos + 1) == '"')
      pos += 2;
    else
      break;
  }
  while (IsArgumentByte(at(pos))) {
    if (at(pos) != '"') {
      Take(argument, line[pos++]);
      continue;
    }
    for (++pos; at(pos) != '\0' && at(pos) != '"'; ++pos)
      Take(argument, line[pos]);
    if (at(pos) == '"')
      ++pos;
  }
  return pos;
}

int CountCmdLineArgs(std::string_view line) {
  std::string argument;
  size_t pos = NextCmdLineArg(line, 0, argument);
  int count = 0;
  for (pos = NextCmdLineArg(line, pos, argument); !argument.empty();
       pos = NextCmdLineArg(line, pos, argument))
    ++count;
  return count;
}

void ParseMacroCall(std::string_view macro, std::string& command, std::string& arguments) {
  command.clear();
  arguments.clear();
  std::string_view text = macro;
  if (text.ends_with("\r\n"))
    text.remove_suffix(2);
  if (IsBracketed(text))
    text = text.substr(1, text.size() - 2);
  if (text.empty())
    return;
  size_t open = sjis::FindChar(text, '(');
  if (open == std::string_view::npos || open >= LastCharStart(text))
    return;
  command = text.substr(0, open);
  size_t close = sjis::FindLastChar(text, ')');
  if (close != std::string_view::npos && close > open)
    arguments = text.substr(open + 1, close - open - 1);
}

} // namespace quolin
