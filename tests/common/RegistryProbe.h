// Registry access for tests that goes straight to the platform, independently of the code
// under test, and a key of the test's own below HKCU\Software\QuolinTest.
#pragma once

#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace quolin::test_support {

struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
  bool found = false;

  bool operator==(const RawValue&) const = default;
};

inline void PrintTo(const RawValue& value, std::ostream* out) {
  *out << (value.found ? "type " + std::to_string(value.type) : "missing") << " "
       << ::testing::PrintToString(value.data);
}

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

inline void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type,
                   const std::string& data) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(handle, name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(handle);
}

inline std::string Dword(uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Expected values as the registry holds them.
inline RawValue SzValue(const std::string& text) {
  return {REG_SZ, text + '\0', true};
}
inline RawValue BinaryValue(const std::string& bytes) {
  return {REG_BINARY, bytes, true};
}
inline RawValue DwordValue(uint32_t value) {
  return {REG_DWORD, Dword(value), true};
}
inline RawValue BoolValue(bool value) {
  return BinaryValue(std::string(1, value ? '\1' : '\0'));
}

inline void SetRaw(HKEY root, const std::string& key, const std::string& name,
                   const RawValue& value) {
  SetRaw(root, key, name, value.type, value.data);
}

inline bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

// "Software\QuolinTest\<process id>" under HKEY_CURRENT_USER, removed at the end with the
// parent when that is empty. Tests that use it hold the "quolin_registry" lock, so no other
// process creates keys below the parent meanwhile.
class TestKey {
public:
  TestKey() : path_("Software\\QuolinTest\\" + std::to_string(GetCurrentProcessId())) {}
  ~TestKey() {
    SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    SHDeleteEmptyKeyA(HKEY_CURRENT_USER, "Software\\QuolinTest");
  }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  // Without a leading "\\".
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

} // namespace quolin::test_support
