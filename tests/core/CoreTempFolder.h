// Files for the core's suites in both builds: a fresh folder under the temporary folder, named
// with a Japanese word (its second byte 5C tests every path routine) and removed with
// everything in it at the end of the test, and the current folder for a scope. Paths are the
// core's Windows paths; the host build's file calls take them in the host's form.
#pragma once

#include "core/Exceptions.h"
#include "core/Paths.h"
#include "core/Platform.h"
#ifndef _WIN32
#include "core/HostPlatform.h"
#endif

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace quolin::core_test {

// A path for the C runtime's file calls.
inline std::string SystemPath(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  return HostPath(path);
#endif
}

class TempFolder {
public:
  explicit TempFolder(const std::string& tag = "") {
    static std::atomic<int> made{0};
    path_ = Root() + "表示" + tag + std::to_string(getpid()) + "_" + std::to_string(++made) + "_" +
            std::to_string(std::time(nullptr) % 100000) + "\\";
    ForceDirectories(path_);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  // Writes name in the folder: its path, empty when it could not be written.
  std::string Write(const std::string& name, const std::string& content) const {
    return WriteFile(path_ + name, content) ? path_ + name : "";
  }

  // True when written.
  static bool WriteFile(const std::string& path, const std::string& content) {
    return SaveFileReplacing(path, content);
  }

  // The whole file; empty when it cannot be read.
  static std::string ReadFile(const std::string& path) {
    try {
      return ReadFileBytes(path);
    } catch (const EFileError&) {
      return {};
    }
  }

  static void RemoveFile(const std::string& path) {
    std::string system = SystemPath(path);
    chmod(system.c_str(), S_IRUSR | S_IWUSR); // read-only files too
    std::remove(system.c_str());
  }

  // Removes the folder (given with a trailing "\") and everything in it.
  static void RemoveTree(const std::string& folder) {
    if (DIR* search = opendir(SystemPath(folder).c_str())) {
      while (const dirent* entry = readdir(search)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
          continue;
        if (DirectoryExists(folder + name))
          RemoveTree(folder + name + "\\");
        else
          RemoveFile(folder + name);
      }
      closedir(search);
    }
    rmdir(SystemPath(ExcludeTrailingPathDelimiter(folder)).c_str());
  }

private:
  std::string path_;

  // The temporary folder with a trailing "\": TEMP on Windows, TMPDIR or /tmp on the host.
  static std::string Root() {
    const char* root = std::getenv("TEMP");
    if (!root || !*root)
      root = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(ExpandFileName(root && *root ? root : "/tmp"));
  }
};

// Makes folder the current folder for its lifetime.
class CurrentFolder {
public:
  explicit CurrentFolder(const std::string& folder) {
    char previous[4096] = {};
    if (getcwd(previous, sizeof previous))
      previous_ = previous;
    changed_ = chdir(SystemPath(folder).c_str()) == 0;
  }
  ~CurrentFolder() {
    if (chdir(previous_.c_str()) != 0)
      std::perror("chdir back");
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

  bool Changed() const { return changed_; }

private:
  std::string previous_;
  bool changed_;
};

} // namespace quolin::core_test
