// Files for the spell tests: Debian's word lists converted into dictionaries in temporary
// folders (american.dic in one named in Japanese and ending in "ソ", whose second byte is
// 0x5C; british.dic in another), and small helpers.
#pragma once

#include "common/TempFolder.h"
#include "core/spell_support/DebianWordLists.h"

#include <windows.h>

#include <string>

namespace quolin::spell_test {

using test_support::TempFolder;

class DebianDictionaries {
public:
  DebianDictionaries() {
    CreateDirectoryA(americanFolder_.c_str(), nullptr);
    CreateDirectoryA(britishFolder_.c_str(), nullptr);
    error_ = spell_support::MakeDictionaryFromWordList(spell_support::kAmericanEnglish, American());
    if (error_.empty())
      error_ = spell_support::MakeDictionaryFromWordList(spell_support::kBritishEnglish, British());
  }

  // Empty when both lists were converted.
  const std::string& Error() const { return error_; }
  // Without a final separator.
  const std::string& AmericanFolder() const { return americanFolder_; }
  const std::string& BritishFolder() const { return britishFolder_; }
  std::string American() const { return americanFolder_ + "\\american.dic"; }
  std::string British() const { return britishFolder_ + "\\british.dic"; }

private:
  TempFolder root_{"spell"};
  std::string americanFolder_ = root_ / "辞書ソ";
  std::string britishFolder_ = root_ / "british";
  std::string error_;
};

// Holds a file open without sharing: others can neither read, write nor replace it.
class HeldFile {
public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held())
      CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE handle_;
};

} // namespace quolin::spell_test
