// INI files through the platform's private-profile routines. Values of any length are read
// whole, and a value that the platform would change on reading back (blanks or tabs at either
// end, enclosing quotes) is written in quotes, so that every value round-trips.
#pragma once

#include "core/Persistent.h"

#include <string>

namespace quolin {

class TStrings;

class TIniFile : public TObject {
public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) const;
  // Decimal or hexadecimal ("0x", "$"); anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

  // Writes raise EIniFileException when the platform refuses them.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // "1" or "0".
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  // The names of a section's values, of all sections, or a section's "Name=Value" lines.
  void ReadSection(const std::string& section, TStrings& idents) const;
  void ReadSections(TStrings& sections) const;
  void ReadSectionValues(const std::string& section, TStrings& values) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;

  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Writes cached changes to the disk.
  void UpdateFile();

private:
  std::string fileName_;

  void Write(const char* section, const char* ident, const char* value);
};

} // namespace quolin
