// A group of settings written once as a table of value names and record fields, which both
// loading and saving walk. The field's type gives the stored type: Booleans as one-byte binary
// values, integers as DWORD values, strings as string values, string lists as multi-line text.
#pragma once

#include "common/Registry.h"
#include "core/StringList.h"

#include <span>
#include <string>

namespace quolin {

template <typename Record> struct TSettingField {
  const char* Name;
  // Reads the value, or takes the field of defaults where nothing usable is stored.
  void (*Load)(const std::string& section, const char* name, Record& record,
               const Record& defaults);
  void (*Save)(const std::string& section, const char* name, const Record& record);
};

namespace setting_detail {

template <typename Member> struct MemberOf;
template <typename Record, typename Value> struct MemberOf<Value Record::*> {
  using RecordType = Record;
};

inline void Read(const std::string& section, const char* name, bool& value, bool defaultValue) {
  value = RegReadBool(section, name, defaultValue);
}
inline void Read(const std::string& section, const char* name, int& value, int defaultValue) {
  value = RegReadInteger(section, name, defaultValue);
}
inline void Read(const std::string& section, const char* name, std::string& value,
                 const std::string& defaultValue) {
  value = RegReadString(section, name, defaultValue);
}
inline void Read(const std::string& section, const char* name, TStringList& value,
                 const TStringList& defaultValue) {
  if (!RegReadStrings(section, name, value))
    value.Assign(defaultValue);
}

inline void Write(const std::string& section, const char* name, bool value) {
  RegWriteBool(section, name, value);
}
inline void Write(const std::string& section, const char* name, int value) {
  RegWriteInteger(section, name, value);
}
inline void Write(const std::string& section, const char* name, const std::string& value) {
  RegWriteString(section, name, value);
}
inline void Write(const std::string& section, const char* name, const TStringList& value) {
  RegWriteStrings(section, name, value);
}

} // namespace setting_detail

// The table entry of one field: SettingField<&TMarkOptions::TabMark>("TabMark").
template <auto Member>
constexpr TSettingField<typename setting_detail::MemberOf<decltype(Member)>::RecordType>
SettingField(const char* name) {
  using Record = typename setting_detail::MemberOf<decltype(Member)>::RecordType;
  return {name,
          [](const std::string& section, const char* valueName, Record& record,
             const Record& defaults) {
            setting_detail::Read(section, valueName, record.*Member, defaults.*Member);
          },
          [](const std::string& section, const char* valueName, const Record& record) {
            setting_detail::Write(section, valueName, record.*Member);
          }};
}

// defaults must be another object than record.
template <typename Record>
void LoadSettingFields(const std::string& section, std::span<const TSettingField<Record>> fields,
                       Record& record, const Record& defaults) {
  for (const TSettingField<Record>& field : fields)
    field.Load(section, field.Name, record, defaults);
}

template <typename Record>
void SaveSettingFields(const std::string& section, std::span<const TSettingField<Record>> fields,
                       const Record& record) {
  for (const TSettingField<Record>& field : fields)
    field.Save(section, field.Name, record);
}

} // namespace quolin
