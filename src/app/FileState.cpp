#include "app/FileState.h"

#include "common/Registry.h"

#include <windows.h>

namespace quolin {

namespace {

constexpr char FileInitKey[] = "FileInit";
constexpr char FileInitExKey[] = "FileInitEx";
constexpr char FileInitOwnerKey[] = "FileInitOwner";
constexpr char OwnerKey[] = "FileInitOwnerEx";
constexpr char LogPaneKey[] = "FileInitLogWnd";

// The locale's lower case of the whole name at once: a byte-wise one would change the second
// bytes of double-byte characters.
std::string LowerValueName(const std::string& fileName) {
  std::string name = fileName;
  if (!name.empty())
    CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

} // namespace

TLogPaneState DefaultLogPaneState() {
  return TLogPaneState{};
}

void SaveLogPaneState(const std::string& fileName, const TLogPaneState& state) {
  if (fileName.empty())
    return;
  std::string record = PackLogPaneState(state);
  RegWriteBinary(LogPaneKey, fileName, record.data(), static_cast<uint32_t>(record.size()));
}

TLogPaneState LoadLogPaneState(const std::string& fileName) {
  std::string record(kLogPaneStateSize, '\0');
  if (fileName.empty() || !RegReadBinary(LogPaneKey, fileName, record.data(), kLogPaneStateSize))
    return DefaultLogPaneState();
  return ParseLogPaneState(record).value_or(DefaultLogPaneState());
}

void SaveFileState(const std::string& fileName, const TFileState& state,
                   const std::string& ownerFile) {
  if (fileName.empty())
    return;
  std::string name = LowerValueName(fileName);
  if (ownerFile.empty())
    RegDeleteValue(RegRoot(), RegFullKey(OwnerKey), name);
  else
    RegWriteString(OwnerKey, name, ownerFile);
  std::string record = PackFileState(state);
  RegWriteBinary(FileInitKey, name, record.data(), static_cast<uint32_t>(record.size()));
}

TFileState LoadFileState(const std::string& fileName, bool defaultWordWrap,
                         std::string& ownerFile) {
  TFileState defaults;
  defaults.WordWrap = defaultWordWrap;
  ownerFile.clear();
  std::string name = LowerValueName(fileName);
  std::string record(kFileStateSize, '\0');
  if (fileName.empty() || !RegReadBinary(FileInitKey, name, record.data(), kFileStateSize))
    return defaults;
  ownerFile = RegReadString(OwnerKey, name, "");
  return ParseFileState(record).value_or(defaults);
}

void ClearFileStates() {
  for (const char* key : {FileInitKey, FileInitExKey, FileInitOwnerKey, OwnerKey, LogPaneKey})
    RegDeleteKey(RegRoot(), RegFullKey(key));
}

} // namespace quolin
