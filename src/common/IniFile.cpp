#include "common/IniFile.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "core/StringList.h"

#include <windows.h>

namespace quolin {

namespace {

// The platform cuts what does not fit and reports the buffer size less one (values) or less
// two (lists); the buffer grows until the result fits with room to spare.
template <typename Read> std::string ReadGrowing(Read read) {
  for (DWORD size = 2048;; size *= 2) {
    std::string buffer(size, '\0');
    DWORD length = read(buffer.data(), size);
    if (length + 2 < size || size >= (1u << 24)) {
      buffer.resize(length);
      return buffer;
    }
  }
}

// A list of NUL-terminated names as the platform returns it.
void FillFromList(const std::string& list, TStrings& strings) {
  strings.BeginUpdate();
  strings.Clear();
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos)
      end = list.size();
    if (end > start)
      strings.Add(list.substr(start, end - start));
    start = end + 1;
  }
  strings.EndUpdate();
}

bool IsBlankOrTab(char ch) {
  return ch == ' ' || ch == '\t';
}

// Reading strips blanks and tabs at both ends and one pair of enclosing quotes.
bool ChangesOnReading(const std::string& value) {
  if (value.empty())
    return false;
  if (IsBlankOrTab(value.front()) || IsBlankOrTab(value.back()))
    return true;
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.back() == value.front();
}

} // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  std::string value = ReadGrowing([&](char* buffer, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), ident.c_str(), "", buffer, size,
                                    fileName_.c_str());
  });
  // The platform trims the default too: pass none and tell a missing value from an empty one.
  if (value.empty() && !ValueExists(section, ident))
    return defaultValue;
  return value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident,
                          int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident,
                        bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
  std::string stored = ChangesOnReading(value) ? "\"" + value + "\"" : value;
  Write(section.c_str(), ident.c_str(), stored.c_str());
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::ReadSection(const std::string& section, TStrings& idents) const {
  FillFromList(ReadGrowing([&](char* buffer, DWORD size) {
                 return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size,
                                                 fileName_.c_str());
               }),
               idents);
}

void TIniFile::ReadSections(TStrings& sections) const {
  FillFromList(ReadGrowing([&](char* buffer, DWORD size) {
                 return GetPrivateProfileSectionNamesA(buffer, size, fileName_.c_str());
               }),
               sections);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& values) const {
  TStringList idents;
  ReadSection(section, idents);
  values.BeginUpdate();
  values.Clear();
  for (int i = 0; i < idents.Count(); ++i)
    values.Add(idents[i] + "=" + ReadString(section, idents[i], ""));
  values.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList sections;
  ReadSections(sections);
  return sections.IndexOf(section) >= 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  TStringList idents;
  ReadSection(section, idents);
  return idents.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
  Write(section.c_str(), nullptr, nullptr);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Write(section.c_str(), ident.c_str(), nullptr);
}

void TIniFile::UpdateFile() {
  // Flushing reports FALSE even when it worked.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}

void TIniFile::Write(const char* section, const char* ident, const char* value) {
  if (!WritePrivateProfileStringA(section, ident, value, fileName_.c_str()))
    throw EIniFileException(Format(res::IniFileWriteFailed, fileName_));
}

} // namespace quolin
