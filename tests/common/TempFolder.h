// A fresh folder under the temporary folder, named with a Japanese word (its second byte 5C
// tests every path routine), removed with everything in it at the end of the test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quolin::test_support {

class TempFolder {
public:
  explicit TempFolder(const std::string& tag = "") : TempFolder(tag, SystemTemp()) {}
  // The folder inside parent (with a trailing "\\") instead of the temporary folder that every
  // test shares.
  TempFolder(const std::string& tag, const std::string& parent)
      : path_(parent + "表示" + tag + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(GetTickCount()) + "\\") {
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  static void WriteFile(const std::string& path, const std::string& content,
                        DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
  }

  // The whole file; empty when it cannot be read.
  static std::string ReadFile(const std::string& path) {
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      return content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
      content.append(buffer, read);
    CloseHandle(file);
    return content;
  }

  // The names in a folder (given with a trailing "\"), sorted; none when it is missing.
  static std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
      return names;
    do {
      if (std::string name = found.cFileName; name != "." && name != "..")
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Removes the folder (given with a trailing "\") and everything in it, read-only files
  // too.
  static void RemoveTree(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
      const std::string path = folder + name;
      if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\");
      else if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL))
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
  }

private:
  static std::string SystemTemp() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
  }

  std::string path_;
};

} // namespace quolin::test_support
