#include "core/spell_support/DebianWordLists.h"

#include "core/Exceptions.h"
#include "core/StringList.h"

#include <algorithm>

namespace quolin::spell_support {

namespace {

#ifdef _WIN32
constexpr const char* kWordListFolder = "Z:\\usr\\share\\dict\\"; // Wine's drive of the Linux root
#else
constexpr const char* kWordListFolder = "/usr/share/dict/";
#endif

bool KeptAsWord(const std::string& line) {
  return !line.empty() && std::none_of(line.begin(), line.end(), [](char byte) {
    return static_cast<unsigned char>(byte) >= 0x80 || byte == '\'';
  });
}

} // namespace

std::string MakeDictionaryFromWordList(const DebianWordList& list, const std::string& target) {
  const std::string source = std::string(kWordListFolder) + list.fileName;
  TStringList lines;
  try {
    lines.LoadFromFile(source);
  } catch (const EFileError&) {
    return source + " cannot be read: install the Debian package " + list.package +
           " (tools/setup.sh does)";
  }
  TStringList words;
  for (int i = 0; i < lines.Count(); ++i) {
    std::string line = lines.Get(i);
    if (KeptAsWord(line))
      words.Add(line);
  }
  if (words.Empty())
    return source + " holds no words: reinstall the Debian package " + list.package;
  try {
    words.SaveToFile(target);
  } catch (const EFileError& error) {
    return error.Message();
  }
  return {};
}

} // namespace quolin::spell_support
