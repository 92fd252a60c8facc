// Typed settings in the registry. The base-path family puts a settable base path in front of
// the caller's key ("Editor" becomes "\Software\Dravenlux\Quolin\4.2\Editor"); the
// explicit-root family takes a root and a full key as they stand. Every call opens and closes
// its key; reads never create one. A root of 0 means HKEY_CURRENT_USER throughout. Reads give
// the caller's default for a missing value and for one of another type than expected.
#pragma once

#include "core/Font.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The Win32 macros of these names would rename the routines below.
#undef RegDeleteValue
#undef RegDeleteKey

namespace quolin {

class TStrings;

// The platform's form of a key path: without the leading "\" (Wine refuses it).
std::string PlatformKeyPath(std::string_view path);

// An open registry key, closed with the object.
class TRegKey {
public:
  TRegKey() = default;
  ~TRegKey();
  TRegKey(TRegKey&& other) noexcept;
  TRegKey& operator=(TRegKey&& other) noexcept;
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  // An existing key only.
  bool Open(HKEY root, std::string_view path, REGSAM access = KEY_READ);
  // Creates the key and its missing parents.
  bool Create(HKEY root, std::string_view path, REGSAM access = KEY_READ | KEY_WRITE);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }
  HKEY Handle() const { return handle_; }

  bool ValueExists(const std::string& name) const;
  // The whole stored value and its type; false when it is missing. An empty name is the
  // key's default value.
  bool ReadRaw(const std::string& name, DWORD& type, std::string& data) const;
  // REG_DWORD values only.
  bool ReadDword(const std::string& name, uint32_t& value) const;
  // REG_SZ and REG_EXPAND_SZ values, up to their first NUL.
  bool ReadString(const std::string& name, std::string& value) const;

  bool WriteRaw(const std::string& name, DWORD type, const void* data, uint32_t size);
  bool WriteDword(const std::string& name, uint32_t value);
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteBinary(const std::string& name, const void* data, uint32_t size);
  bool DeleteValue(const std::string& name);

  std::vector<std::string> ValueNames() const;
  std::vector<std::string> SubKeyNames() const;

private:
  HKEY handle_ = nullptr;
};

// Value kinds of the generic read and write.
enum TRegValueKind : int {
  rkInteger = 0,     // REG_DWORD
  rkString = 1,      // REG_SZ
  rkBoolDword = 3,   // REG_DWORD 1 or 0
  rkBinary = 4,      // REG_BINARY of the caller's buffer
  rkInvertedText = 5 // REG_BINARY, every byte XOR 0xFF, no terminator
};

// Base-path family.
void RegSetBase(HKEY root, const std::string& basePath);
HKEY RegRoot();
const std::string& RegBase();
// "Editor", "\Editor" and the base path followed by "\Editor" in any letter case all give
// the same full key.
std::string RegFullKey(const std::string& key);

// Kinds 1 and 5 read into text. Kinds 0 and 3 read into an int at value (size at least 4);
// kind 4 fills the size bytes at value and needs a stored value of exactly that size.
bool RegReadValue(HKEY root, const std::string& key, const std::string& name, int kind,
                  std::string& text, uint32_t size, void* value);
// Kinds 1 and 5 write the size bytes at value as text; kinds 0 and 3 an int at value.
bool RegWriteValue(HKEY root, const std::string& key, const std::string& name, int kind,
                   uint32_t size, const void* value);

int RegReadInteger(const std::string& key, const std::string& name, int defaultValue);
std::string RegReadString(const std::string& key, const std::string& name,
                          const std::string& defaultValue);
// A one-byte binary value is true when the byte is 1; a REG_DWORD when it is not 0.
bool RegReadBool(const std::string& key, const std::string& name, bool defaultValue);
std::string RegReadText(const std::string& key, const std::string& name,
                        const std::string& defaultValue);
// The list is refilled from the stored text; it stays as it is when nothing was read.
bool RegReadStrings(const std::string& key, const std::string& name, TStrings& strings);
bool RegReadBinary(const std::string& key, const std::string& name, void* buffer, uint32_t size);

bool RegWriteInteger(const std::string& key, const std::string& name, int value);
bool RegWriteString(const std::string& key, const std::string& name, const std::string& value);
bool RegWriteBool(const std::string& key, const std::string& name, bool value);
bool RegWriteText(const std::string& key, const std::string& name, const std::string& value);
bool RegWriteStrings(const std::string& key, const std::string& name, const TStrings& strings);
bool RegWriteBinary(const std::string& key, const std::string& name, const void* buffer,
                    uint32_t size);

// The key is used as given (callers apply RegFullKey). A key is deleted with its subkeys.
bool RegDeleteValue(HKEY root, const std::string& fullKey, const std::string& name);
bool RegDeleteKey(HKEY root, const std::string& fullKey);

// File types under HKEY_CLASSES_ROOT; "." is put before an extension lacking it.
bool RegisterFileType(const std::string& typeName, const std::string& extension);
// Case-sensitive; false when either argument is empty.
bool IsFileTypeAssociated(const std::string& typeName, const std::string& extension);
std::string GetFileTypeOfExt(const std::string& extension);

// Explicit-root family.
std::string RegReadStringRoot(HKEY root, const std::string& key, const std::string& name,
                              const std::string& defaultValue);
void RegWriteIntegerRoot(HKEY root, const std::string& key, const std::string& name, int value);
int RegReadDwordRoot(HKEY root, const std::string& key, const std::string& name, int defaultValue);
// "FontName", "FontSize", "FontColor" and the four styles as REG_DWORD 1 or 0.
void SaveFontToRegistry(HKEY root, const std::string& key, const TFont& font);
// Name, size and colour where stored; the style rebuilt from the stored flags. A missing key
// gives the font unchanged.
TFont LoadFontFromRegistry(HKEY root, const std::string& key, const TFont& font);
bool RegDeleteValueRoot(HKEY root, const std::string& key, const std::string& name);

} // namespace quolin
