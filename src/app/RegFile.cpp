#include "app/RegFile.h"

#include "common/Registry.h"

#include <cstdio>
#include <memory>

namespace quolin {

namespace {

HKEY RootHandle(TRegRoot root) {
  switch (root) {
  case rrCurrentUser:
    return HKEY_CURRENT_USER;
  case rrClassesRoot:
    return HKEY_CLASSES_ROOT;
  case rrLocalMachine:
    return HKEY_LOCAL_MACHINE;
  case rrUsers:
    return HKEY_USERS;
  case rrPerformanceData:
    return HKEY_PERFORMANCE_DATA;
  case rrCurrentConfig:
    return HKEY_CURRENT_CONFIG;
  case rrDynData:
    return HKEY_DYN_DATA;
  default:
    return nullptr;
  }
}

std::string ReadWholeFile(const std::string& fileName, bool& ok) {
  std::string content;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "rb"), std::fclose);
  ok = file != nullptr;
  if (!ok)
    return content;
  char buffer[65536];
  size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    content.append(buffer, read);
  ok = !std::ferror(file.get());
  return content;
}

bool WriteValue(TRegKey& key, const TRegFileValue& value) {
  switch (value.kind) {
  case rvDword:
    return key.WriteDword(value.name, value.dword);
  case rvBinary:
    return key.WriteBinary(value.name, value.data.data(), static_cast<uint32_t>(value.data.size()));
  default:
    return key.WriteString(value.name, value.data);
  }
}

} // namespace

bool ImportRegFile(const std::string& fileName) {
  bool ok = false;
  std::string content = ReadWholeFile(fileName, ok);
  if (!ok)
    return false;
  std::vector<TRegFileSection> sections = ReadRegFile(content);
  for (auto section = sections.rbegin(); section != sections.rend(); ++section) {
    std::string path;
    TRegRoot root = ParseRegRootKey(section->name, path);
    TRegKey key;
    if (root == rrNone || !key.Create(RootHandle(root), path, KEY_WRITE))
      continue;
    for (auto value = section->values.rbegin(); value != section->values.rend(); ++value)
      WriteValue(key, *value);
  }
  return true;
}

} // namespace quolin
