// Any bytes as a command line and as a DDE macro: the arguments, quoted again, split the same;
// the count skips the program; the macro rebuilt from its command and arguments parses the same.
#include "core/CommandLineSplit.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

std::vector<std::string> Arguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::string argument;
  size_t previous = 0;
  for (size_t pos = NextCmdLineArg(line, 0, argument); !argument.empty();
       pos = NextCmdLineArg(line, pos, argument)) {
    FUZZ_CHECK(pos > previous && pos <= line.size() && argument.size() <= MaxCmdLineArg);
    FUZZ_CHECK(argument.find_first_of(std::string_view("\"\0", 2)) == std::string::npos);
    arguments.push_back(argument);
    previous = pos;
  }
  return arguments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments = Arguments(text);
  std::string quoted;
  for (const std::string& argument : arguments)
    quoted += " \"" + argument + "\"";
  FUZZ_CHECK(Arguments(quoted) == arguments);
  FUZZ_CHECK(CountCmdLineArgs(text) == std::max(0, static_cast<int>(arguments.size()) - 1));

  std::string command = "old", parameters = "old";
  ParseMacroCall(text, command, parameters);
  FUZZ_CHECK(text.find(command) != std::string_view::npos &&
             text.find(parameters) != std::string_view::npos);
  std::string again, againParameters;
  ParseMacroCall("[" + command + "(" + parameters + ")]", again, againParameters);
  FUZZ_CHECK(again == command && againParameters == parameters);
  return 0;
}
