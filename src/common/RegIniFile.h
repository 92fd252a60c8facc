// A registry key read and written like an INI file: a section is a subkey of the opened key
// (an empty section is the key itself), an ident a value name. Numbers and booleans are stored
// as decimal text (REG_SZ).
#pragma once

#include "common/Registry.h"
#include "core/Persistent.h"

#include <string>

namespace quolin {

class TRegIniFile : public TObject {
public:
  // Root 0 means HKEY_CURRENT_USER. No key is open until OpenKey.
  explicit TRegIniFile(HKEY root = nullptr);
  // Opens keyPath under HKEY_CURRENT_USER, creating it when missing.
  explicit TRegIniFile(const std::string& keyPath);

  HKEY RootKey() const { return root_; }
  // Closes the open key.
  void SetRootKey(HKEY root);
  bool OpenKey(const std::string& keyPath, bool create);
  void CloseKey();
  bool IsOpen() const { return key_.IsOpen(); }
  const std::string& CurrentPath() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) const;
  // Text that is no number gives the default; a REG_DWORD value is read as it stands.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

  // False when no key is open or the platform refuses the write.
  bool WriteString(const std::string& section, const std::string& ident, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& ident, int value);
  bool WriteBool(const std::string& section, const std::string& ident, bool value);

  void ReadSection(const std::string& section, TStrings& idents) const;
  void ReadSections(TStrings& sections) const;
  void ReadSectionValues(const std::string& section, TStrings& values) const;
  // A section is removed with its subkeys.
  bool EraseSection(const std::string& section);
  bool DeleteKey(const std::string& section, const std::string& ident);

private:
  HKEY root_;
  std::string path_;
  TRegKey key_;

  TRegKey OpenSection(const std::string& section, REGSAM access, bool create) const;
};

} // namespace quolin
