// Reads and writes registry values straight through the platform, independently of the code
// under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace quolin::test_support {

struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
  bool found = false;
};

inline RawValue QueryRaw(HKEY root, const std::string& key, const std::string& name) {
  RawValue value;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size) ==
      ERROR_SUCCESS) {
    value.data.resize(size);
    value.found =
        RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                         reinterpret_cast<BYTE*>(value.data.data()), &size) == ERROR_SUCCESS;
    value.data.resize(size);
  }
  RegCloseKey(handle);
  return value;
}

inline bool SetRawValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                        const std::string& data) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool written =
      RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return written;
}

// The bytes of a REG_DWORD value.
inline std::string Dword(uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// The bytes of a REG_SZ value: the text and its terminating zero.
inline std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

inline bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

} // namespace quolin::test_support
