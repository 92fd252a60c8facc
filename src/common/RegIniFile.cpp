#include "common/RegIniFile.h"

#include "core/Format.h"
#include "core/StringList.h"

#include <shlwapi.h>

namespace quolin {

namespace {

void FillFrom(const std::vector<std::string>& names, TStrings& strings) {
  strings.BeginUpdate();
  strings.Clear();
  for (const std::string& name : names)
    strings.Add(name);
  strings.EndUpdate();
}

} // namespace

TRegIniFile::TRegIniFile(HKEY root) : root_(root ? root : HKEY_CURRENT_USER) {
}

TRegIniFile::TRegIniFile(const std::string& keyPath) : TRegIniFile(HKEY_CURRENT_USER) {
  OpenKey(keyPath, true);
}

void TRegIniFile::SetRootKey(HKEY root) {
  CloseKey();
  root_ = root ? root : HKEY_CURRENT_USER;
}

bool TRegIniFile::OpenKey(const std::string& keyPath, bool create) {
  CloseKey();
  // Read-only where writing is not allowed.
  bool opened = create
                    ? key_.Create(root_, keyPath)
                    : key_.Open(root_, keyPath, KEY_READ | KEY_WRITE) || key_.Open(root_, keyPath);
  if (opened)
    path_ = PlatformKeyPath(keyPath);
  return opened;
}

void TRegIniFile::CloseKey() {
  key_.Close();
  path_.clear();
}

TRegKey TRegIniFile::OpenSection(const std::string& section, REGSAM access, bool create) const {
  TRegKey key;
  if (key_.IsOpen()) {
    if (create)
      key.Create(key_.Handle(), section, access);
    else
      key.Open(key_.Handle(), section, access);
  }
  return key;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
  std::string value;
  return OpenSection(section, KEY_READ, false).ReadString(ident, value) ? value : defaultValue;
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& ident,
                             int defaultValue) const {
  TRegKey key = OpenSection(section, KEY_READ, false);
  uint32_t number = 0;
  if (key.ReadDword(ident, number))
    return static_cast<int>(number);
  std::string text;
  return key.ReadString(ident, text) ? StrToIntDef(text, defaultValue) : defaultValue;
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident,
                           bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

bool TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  return OpenSection(section, KEY_WRITE, true).WriteString(ident, value);
}

bool TRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  return WriteString(section, ident, IntToStr(value));
}

bool TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  return WriteString(section, ident, value ? "1" : "0");
}

void TRegIniFile::ReadSection(const std::string& section, TStrings& idents) const {
  FillFrom(OpenSection(section, KEY_READ, false).ValueNames(), idents);
}

void TRegIniFile::ReadSections(TStrings& sections) const {
  FillFrom(key_.SubKeyNames(), sections);
}

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings& values) const {
  TRegKey key = OpenSection(section, KEY_READ, false);
  values.BeginUpdate();
  values.Clear();
  for (const std::string& ident : key.ValueNames()) {
    std::string value;
    key.ReadString(ident, value);
    values.Add(ident + "=" + value);
  }
  values.EndUpdate();
}

bool TRegIniFile::EraseSection(const std::string& section) {
  std::string path = PlatformKeyPath(section);
  return key_.IsOpen() && !path.empty() &&
         SHDeleteKeyA(key_.Handle(), path.c_str()) == ERROR_SUCCESS;
}

bool TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  return OpenSection(section, KEY_SET_VALUE, false).DeleteValue(ident);
}

} // namespace quolin
