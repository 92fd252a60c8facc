// Typed settings in the registry. The base-path family puts a settable base path in front of
// the caller's key ("Editor" becomes "\Software\Dravenlux\Quolin\4.2\Editor"); the
// explicit-root family takes a root and a full key as they stand. Every call opens and closes
// its key; reads never create one.
#pragma once

#include "common/Font.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace quolin {

class TStrings;

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
std::string RegFullKey(const std::string& key);

// text receives string kinds (1, 5); value and size describe the buffer of the other kinds
// (an integer for 0 and 3).
bool RegReadValue(HKEY root, const std::string& key, const std::string& name, int kind,
                  std::string& text, uint32_t size, void* value);
bool RegWriteValue(HKEY root, const std::string& key, const std::string& name, int kind,
                   uint32_t size, const void* value);

int RegReadInteger(const std::string& key, const std::string& name, int defaultValue);
std::string RegReadString(const std::string& key, const std::string& name,
                          const std::string& defaultValue);
bool RegReadBool(const std::string& key, const std::string& name, bool defaultValue);
std::string RegReadText(const std::string& key, const std::string& name,
                        const std::string& defaultValue);
bool RegReadStrings(const std::string& key, const std::string& name, TStrings& strings);
bool RegReadBinary(const std::string& key, const std::string& name, void* buffer, uint32_t size);

bool RegWriteInteger(const std::string& key, const std::string& name, int value);
bool RegWriteString(const std::string& key, const std::string& name, const std::string& value);
bool RegWriteBool(const std::string& key, const std::string& name, bool value);
bool RegWriteText(const std::string& key, const std::string& name, const std::string& value);
bool RegWriteStrings(const std::string& key, const std::string& name, const TStrings& strings);
bool RegWriteBinary(const std::string& key, const std::string& name, const void* buffer,
                    uint32_t size);

// The key is used as given (callers apply RegFullKey); root 0 means HKEY_CURRENT_USER.
bool RegDeleteValue(HKEY root, const std::string& fullKey, const std::string& name);
bool RegDeleteKey(HKEY root, const std::string& fullKey);

// File types under HKEY_CLASSES_ROOT; "." is put before an extension lacking it.
bool RegisterFileType(const std::string& typeName, const std::string& extension);
bool IsFileTypeAssociated(const std::string& typeName, const std::string& extension);
std::string GetFileTypeOfExt(const std::string& extension);

// Explicit-root family (root 0 means HKEY_CURRENT_USER).
std::string RegReadStringRoot(HKEY root, const std::string& key, const std::string& name,
                              const std::string& defaultValue);
void RegWriteIntegerRoot(HKEY root, const std::string& key, const std::string& name, int value);
int RegReadDwordRoot(HKEY root, const std::string& key, const std::string& name, int defaultValue);
void SaveFontToRegistry(HKEY root, const std::string& key, const TFont& font);
TFont LoadFontFromRegistry(HKEY root, const std::string& key, const TFont& font);
bool RegDeleteValueRoot(HKEY root, const std::string& key, const std::string& name);

} // namespace quolin
