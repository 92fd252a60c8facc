#include "commands/UserDataFile.h"

#include "common/SrgFile.h"
#include "core/Paths.h"

namespace quolin {

namespace {

constexpr char ConfigStorage[] = "Quolin\\Config";
constexpr char VersionStream[] = "Version";

} // namespace

bool IsDataFile(const std::string& path) {
  return FileExists(path) && IsStorageFile(path) &&
         ReadStreamString(path, ConfigStorage, VersionStream, "") == DataFileVersionText;
}

void LoadMasterData() {
}

void LoadMenuData() {
}

void LoadReserveList() {
}

} // namespace quolin
