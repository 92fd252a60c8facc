// Debian's English word lists (packages wamerican and wbritish), read through Wine's Z: drive
// (or straight from the host) and written as dictionary files.
#pragma once

#include <string>

namespace quolin::spell_support {

struct DebianWordList {
  const char* fileName; // in /usr/share/dict
  const char* package;
};

inline constexpr DebianWordList kAmericanEnglish{"american-english", "wamerican"};
inline constexpr DebianWordList kBritishEnglish{"british-english", "wbritish"};

// Writes list to target as a dictionary: CR LF after every line, without empty lines and
// lines that hold a byte of 0x80 or more or an apostrophe. Empty when done; otherwise what
// went wrong, naming the package that brings the list.
std::string MakeDictionaryFromWordList(const DebianWordList& list, const std::string& target);

} // namespace quolin::spell_support
