#include "common/Registry.h"

#include "common/StringHelpers.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <utility>

namespace quolin {

namespace {

struct RegistrySettings {
  HKEY root = HKEY_CURRENT_USER;
  std::string base = res::RegBasePathDefault;
};

RegistrySettings& Settings() {
  static RegistrySettings settings;
  return settings;
}

HKEY RootOrCurrentUser(HKEY root) {
  return root ? root : HKEY_CURRENT_USER;
}

std::string Inverted(std::string_view text) {
  std::string result(text);
  for (char& ch : result)
    ch = static_cast<char>(~static_cast<unsigned char>(ch));
  return result;
}

std::string UpToNul(const std::string& data) {
  return data.substr(0, data.find('\0'));
}

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

bool AsDword(DWORD type, const std::string& data, uint32_t& value) {
  if (type != REG_DWORD || data.size() != sizeof value)
    return false;
  std::memcpy(&value, data.data(), sizeof value);
  return true;
}

// The full key begins with the base path as a whole: "\Software\DravenluxX" does not.
bool HasBasePrefix(const std::string& full, const std::string& base) {
  if (full.size() < base.size())
    return false;
  if (full.size() > base.size()) {
    bool boundary = (!base.empty() && base.back() == '\\') || full[base.size()] == '\\';
    if (!boundary || sjis::CharStart(full, base.size()) != base.size())
      return false;
  }
  return IsSameText(std::string_view(full).substr(0, base.size()), base);
}

// The whole value under the base path; false for an empty key or name.
bool ReadFullValue(HKEY root, const std::string& key, const std::string& name, DWORD& type,
                   std::string& data) {
  if (key.empty() || name.empty())
    return false;
  TRegKey reg;
  return reg.Open(root, RegFullKey(key), KEY_READ) && reg.ReadRaw(name, type, data);
}

std::string ExtensionKey(const std::string& extension) {
  return extension[0] == '.' ? extension : "." + extension;
}

// Names by index until the platform reports no more; the buffer grows for long names.
template <typename Enumerate> std::vector<std::string> EnumerateNames(Enumerate enumerate) {
  std::vector<std::string> names;
  std::string buffer(256, '\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG result = enumerate(index, buffer.data(), &length);
    if (result == ERROR_MORE_DATA && buffer.size() < 0x10000) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS)
      return names;
    names.emplace_back(buffer.data(), length);
    ++index;
  }
}

} // namespace

std::string PlatformKeyPath(std::string_view path) {
  size_t start = path.find_first_not_of('\\');
  return start == std::string_view::npos ? std::string() : std::string(path.substr(start));
}

// TRegKey

TRegKey::~TRegKey() {
  Close();
}

TRegKey::TRegKey(TRegKey&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {
}

TRegKey& TRegKey::operator=(TRegKey&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

bool TRegKey::Open(HKEY root, std::string_view path, REGSAM access) {
  Close();
  HKEY handle = nullptr;
  if (RegOpenKeyExA(RootOrCurrentUser(root), PlatformKeyPath(path).c_str(), 0, access, &handle) !=
      ERROR_SUCCESS)
    return false;
  handle_ = handle;
  return true;
}

bool TRegKey::Create(HKEY root, std::string_view path, REGSAM access) {
  Close();
  HKEY handle = nullptr;
  if (RegCreateKeyExA(RootOrCurrentUser(root), PlatformKeyPath(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, access, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  handle_ = handle;
  return true;
}

void TRegKey::Close() {
  if (handle_)
    RegCloseKey(std::exchange(handle_, nullptr));
}

bool TRegKey::ValueExists(const std::string& name) const {
  return handle_ && RegQueryValueExA(handle_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                        ERROR_SUCCESS;
}

bool TRegKey::ReadRaw(const std::string& name, DWORD& type, std::string& data) const {
  if (!handle_)
    return false;
  DWORD size = 0;
  LONG result = RegQueryValueExA(handle_, name.c_str(), nullptr, &type, nullptr, &size);
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    std::string buffer(size, '\0');
    result = RegQueryValueExA(handle_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (result == ERROR_SUCCESS) {
      buffer.resize(size);
      data = std::move(buffer);
      return true;
    }
  }
  return false;
}

bool TRegKey::ReadDword(const std::string& name, uint32_t& value) const {
  DWORD type = 0;
  std::string data;
  return ReadRaw(name, type, data) && AsDword(type, data, value);
}

bool TRegKey::ReadString(const std::string& name, std::string& value) const {
  DWORD type = 0;
  std::string data;
  if (!ReadRaw(name, type, data) || !IsStringType(type))
    return false;
  value = UpToNul(data);
  return true;
}

bool TRegKey::WriteRaw(const std::string& name, DWORD type, const void* data, uint32_t size) {
  if (!handle_ || (size > 0 && !data))
    return false;
  return RegSetValueExA(handle_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

bool TRegKey::WriteDword(const std::string& name, uint32_t value) {
  return WriteRaw(name, REG_DWORD, &value, sizeof value);
}

bool TRegKey::WriteString(const std::string& name, const std::string& value) {
  return WriteRaw(name, REG_SZ, value.c_str(), static_cast<uint32_t>(value.size() + 1));
}

bool TRegKey::WriteBinary(const std::string& name, const void* data, uint32_t size) {
  return WriteRaw(name, REG_BINARY, data, size);
}

bool TRegKey::DeleteValue(const std::string& name) {
  return handle_ && RegDeleteValueA(handle_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegKey::ValueNames() const {
  return EnumerateNames([this](DWORD index, char* name, DWORD* length) {
    return RegEnumValueA(handle_, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> TRegKey::SubKeyNames() const {
  return EnumerateNames([this](DWORD index, char* name, DWORD* length) {
    return RegEnumKeyExA(handle_, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

// Base-path family

void RegSetBase(HKEY root, const std::string& basePath) {
  RegistrySettings& settings = Settings();
  settings.root = RootOrCurrentUser(root);
  settings.base = (basePath.empty() || basePath[0] == '\\') ? basePath : "\\" + basePath;
}

HKEY RegRoot() {
  return Settings().root;
}

const std::string& RegBase() {
  return Settings().base;
}

std::string RegFullKey(const std::string& key) {
  std::string full = (!key.empty() && key[0] != '\\') ? "\\" + key : key;
  const std::string& base = RegBase();
  return HasBasePrefix(full, base) ? full : base + full;
}

bool RegReadValue(HKEY root, const std::string& key, const std::string& name, int kind,
                  std::string& text, uint32_t size, void* value) {
  DWORD type = 0;
  std::string data;
  if (!ReadFullValue(root, key, name, type, data))
    return false;
  switch (kind) {
  case rkInteger:
  case rkBoolDword: {
    uint32_t number = 0;
    if (!value || size < sizeof(int) || !AsDword(type, data, number))
      return false;
    int result = kind == rkInteger ? static_cast<int>(number) : (number != 0 ? 1 : 0);
    std::memcpy(value, &result, sizeof result);
    return true;
  }
  case rkString:
    if (!IsStringType(type))
      return false;
    text = UpToNul(data);
    return true;
  case rkInvertedText:
    if (type == REG_BINARY)
      text = Inverted(data);
    else if (type == REG_SZ)
      text = UpToNul(data);
    else
      return false;
    return true;
  default:
    if (type != REG_BINARY || data.size() != size || (size > 0 && !value))
      return false;
    std::memcpy(value, data.data(), size);
    return true;
  }
}

bool RegWriteValue(HKEY root, const std::string& key, const std::string& name, int kind,
                   uint32_t size, const void* value) {
  if (key.empty() || name.empty() || (size > 0 && !value))
    return false;
  TRegKey reg;
  if (!reg.Create(root, RegFullKey(key), KEY_WRITE))
    return false;
  switch (kind) {
  case rkInteger:
  case rkBoolDword: {
    int number = 0;
    if (size < sizeof number)
      return false;
    std::memcpy(&number, value, sizeof number);
    return reg.WriteDword(name, kind == rkInteger ? static_cast<uint32_t>(number)
                                                  : (number != 0 ? 1u : 0u));
  }
  case rkString:
    return reg.WriteString(name, std::string(static_cast<const char*>(value), size));
  case rkInvertedText: {
    std::string bytes = Inverted(std::string_view(static_cast<const char*>(value), size));
    return reg.WriteBinary(name, bytes.data(), size);
  }
  default:
    return reg.WriteBinary(name, value, size);
  }
}

int RegReadInteger(const std::string& key, const std::string& name, int defaultValue) {
  std::string unused;
  int value = 0;
  return RegReadValue(RegRoot(), key, name, rkInteger, unused, sizeof value, &value) ? value
                                                                                     : defaultValue;
}

std::string RegReadString(const std::string& key, const std::string& name,
                          const std::string& defaultValue) {
  std::string text;
  return RegReadValue(RegRoot(), key, name, rkString, text, 0, nullptr) ? text : defaultValue;
}

bool RegReadBool(const std::string& key, const std::string& name, bool defaultValue) {
  DWORD type = 0;
  std::string data;
  if (!ReadFullValue(RegRoot(), key, name, type, data))
    return defaultValue;
  uint32_t number = 0;
  if (AsDword(type, data, number))
    return number != 0;
  if (type == REG_BINARY && !data.empty())
    return data[0] == 1;
  return defaultValue;
}

std::string RegReadText(const std::string& key, const std::string& name,
                        const std::string& defaultValue) {
  std::string text;
  return RegReadValue(RegRoot(), key, name, rkInvertedText, text, 0, nullptr) ? text : defaultValue;
}

bool RegReadStrings(const std::string& key, const std::string& name, TStrings& strings) {
  std::string text;
  if (!RegReadValue(RegRoot(), key, name, rkInvertedText, text, 0, nullptr))
    return false;
  strings.SetText(text);
  return true;
}

bool RegReadBinary(const std::string& key, const std::string& name, void* buffer, uint32_t size) {
  std::string unused;
  return RegReadValue(RegRoot(), key, name, rkBinary, unused, size, buffer);
}

bool RegWriteInteger(const std::string& key, const std::string& name, int value) {
  return RegWriteValue(RegRoot(), key, name, rkInteger, sizeof value, &value);
}

bool RegWriteString(const std::string& key, const std::string& name, const std::string& value) {
  return RegWriteValue(RegRoot(), key, name, rkString, static_cast<uint32_t>(value.size()),
                       value.data());
}

bool RegWriteBool(const std::string& key, const std::string& name, bool value) {
  const unsigned char byte = value ? 1 : 0;
  return RegWriteValue(RegRoot(), key, name, rkBinary, 1, &byte);
}

bool RegWriteText(const std::string& key, const std::string& name, const std::string& value) {
  return RegWriteValue(RegRoot(), key, name, rkInvertedText, static_cast<uint32_t>(value.size()),
                       value.data());
}

bool RegWriteStrings(const std::string& key, const std::string& name, const TStrings& strings) {
  return RegWriteText(key, name, strings.Text());
}

bool RegWriteBinary(const std::string& key, const std::string& name, const void* buffer,
                    uint32_t size) {
  return RegWriteValue(RegRoot(), key, name, rkBinary, size, buffer);
}

bool RegDeleteValue(HKEY root, const std::string& fullKey, const std::string& name) {
  return RegDeleteValueRoot(root, fullKey, name);
}

bool RegDeleteKey(HKEY root, const std::string& fullKey) {
  std::string path = PlatformKeyPath(fullKey);
  // An empty path would name the root itself.
  return !path.empty() && SHDeleteKeyA(RootOrCurrentUser(root), path.c_str()) == ERROR_SUCCESS;
}

// File types

bool RegisterFileType(const std::string& typeName, const std::string& extension) {
  if (extension.empty())
    return false;
  TRegKey reg;
  if (!reg.Create(HKEY_CLASSES_ROOT, ExtensionKey(extension), KEY_WRITE) ||
      !reg.WriteString("", typeName))
    return false;
  reg.Close();
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
  return true;
}

bool IsFileTypeAssociated(const std::string& typeName, const std::string& extension) {
  if (typeName.empty() || extension.empty())
    return false;
  return IsSameString(GetFileTypeOfExt(extension), typeName, true);
}

std::string GetFileTypeOfExt(const std::string& extension) {
  std::string typeName;
  TRegKey reg;
  if (!extension.empty() && reg.Open(HKEY_CLASSES_ROOT, ExtensionKey(extension)))
    reg.ReadString("", typeName);
  return typeName;
}

// Explicit-root family

std::string RegReadStringRoot(HKEY root, const std::string& key, const std::string& name,
                              const std::string& defaultValue) {
  TRegKey reg;
  std::string value;
  return reg.Open(root, key) && reg.ReadString(name, value) ? value : defaultValue;
}

void RegWriteIntegerRoot(HKEY root, const std::string& key, const std::string& name, int value) {
  TRegKey reg;
  if (reg.Create(root, key, KEY_WRITE))
    reg.WriteDword(name, static_cast<uint32_t>(value));
}

int RegReadDwordRoot(HKEY root, const std::string& key, const std::string& name, int defaultValue) {
  TRegKey reg;
  uint32_t value = 0;
  return reg.Open(root, key) && reg.ReadDword(name, value) ? static_cast<int>(value) : defaultValue;
}

namespace {

struct FontStyleValue {
  TFontStyle style;
  const char* name;
};

constexpr FontStyleValue kFontStyleValues[] = {
    {fsBold, "FontBold"},
    {fsItalic, "FontItalic"},
    {fsUnderline, "FontUnderline"},
    {fsStrikeOut, "FontStrikeout"},
};

} // namespace

void SaveFontToRegistry(HKEY root, const std::string& key, const TFont& font) {
  TRegKey reg;
  if (!reg.Create(root, key, KEY_WRITE))
    return;
  reg.WriteString("FontName", font.Name);
  reg.WriteDword("FontSize", static_cast<uint32_t>(font.Size));
  reg.WriteDword("FontColor", static_cast<uint32_t>(font.Color));
  for (const auto& [style, name] : kFontStyleValues)
    reg.WriteDword(name, (font.Style & style) ? 1u : 0u);
}

TFont LoadFontFromRegistry(HKEY root, const std::string& key, const TFont& font) {
  TFont result = font;
  TRegKey reg;
  if (!reg.Open(root, key))
    return result;
  reg.ReadString("FontName", result.Name);
  uint32_t number = 0;
  if (reg.ReadDword("FontSize", number))
    result.Size = static_cast<int>(number);
  if (reg.ReadDword("FontColor", number))
    result.Color = static_cast<TColor>(number);
  result.Style = 0;
  for (const auto& [style, name] : kFontStyleValues) {
    if (reg.ReadDword(name, number) && number != 0)
      result.Style |= style;
  }
  return result;
}

bool RegDeleteValueRoot(HKEY root, const std::string& key, const std::string& name) {
  if (key.empty() || name.empty())
    return false;
  TRegKey reg;
  return reg.Open(root, key, KEY_SET_VALUE) && reg.DeleteValue(name);
}

} // namespace quolin
