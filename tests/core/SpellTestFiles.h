// Files for the spell tests: Debian's word lists converted into dictionaries in temporary
// folders (american.dic in one named in Japanese and ending in "ソ", whose second byte is
// 0x5C; british.dic in another), and small helpers.
#pragma once

#include "CoreTempFolder.h"
#include "core/WordList.h"
#include "core/spell_support/DebianWordLists.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

namespace quolin::spell_test {

using core_test::TempFolder;

class DebianDictionaries {
public:
  DebianDictionaries() {
    ForceDirectories(americanFolder_);
    ForceDirectories(britishFolder_);
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
  // Puts a copy of british.dic beside american.dic; true when done.
  bool CopyBritishBesideAmerican() const {
    return TempFolder::WriteFile(americanFolder_ + "\\british.dic",
                                 TempFolder::ReadFile(British()));
  }

private:
  TempFolder root_{"spell"};
  std::string americanFolder_ = root_ / "辞書ソ";
  std::string britishFolder_ = root_ / "british";
  std::string error_;
};

// The words of a list in its order.
inline std::vector<std::string> Words(const TSpellWordList& list) {
  auto words = list.Words();
  return {words.begin(), words.end()};
}

// Holds a file so that others can neither read nor replace it: Windows opens it without
// sharing. The host knows no such lock (and root reads every file): there a FIFO takes the
// file's place, which the host build neither reads nor replaces.
class HeldFile {
public:
  explicit HeldFile(const std::string& path);
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return held_; }
  void Release();

private:
#ifdef _WIN32
  int handle_;
#else
  std::string path_, aside_;
#endif
  bool held_;
};

#ifdef _WIN32
inline HeldFile::HeldFile(const std::string& path)
    : handle_(_sopen(path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW)), held_(handle_ >= 0) {
}

inline void HeldFile::Release() {
  if (held_)
    _close(handle_);
  held_ = false;
}
#else
inline HeldFile::HeldFile(const std::string& path)
    : path_(HostPath(path)), aside_(path_ + ".held"),
      held_(std::rename(path_.c_str(), aside_.c_str()) == 0 && mkfifo(path_.c_str(), 0644) == 0) {
}

inline void HeldFile::Release() {
  if (held_ && std::remove(path_.c_str()) == 0)
    std::rename(aside_.c_str(), path_.c_str());
  held_ = false;
}
#endif

} // namespace quolin::spell_test
