// A group of settings written once as a table of value names and record fields, which both
// loading and saving walk. The field's type gives the stored type: Booleans as one-byte binary
// values, integers as DWORD values, strings as string values, string lists as multi-line text.
#pragma once

#include "common/Registry.h"
#include "common/StringList.h"

#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace quolin {

template <typename Record> struct TSettingField {
  const char* Name;
  std::variant<bool Record::*, int Record::*, std::string Record::*, TStringList Record::*> Member;
};

// Every field from the section, each with the value of defaults where nothing usable is stored.
template <typename Record>
void LoadSettingFields(const std::string& section, std::span<const TSettingField<Record>> fields,
                       Record& record, const Record& defaults) {
  for (const TSettingField<Record>& field : fields) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(record.*member)>;
          if constexpr (std::is_same_v<Value, bool>)
            record.*member = RegReadBool(section, field.Name, defaults.*member);
          else if constexpr (std::is_same_v<Value, int>)
            record.*member = RegReadInteger(section, field.Name, defaults.*member);
          else if constexpr (std::is_same_v<Value, std::string>)
            record.*member = RegReadString(section, field.Name, defaults.*member);
          else if (!RegReadStrings(section, field.Name, record.*member))
            (record.*member).Assign(defaults.*member);
        },
        field.Member);
  }
}

template <typename Record>
void SaveSettingFields(const std::string& section, std::span<const TSettingField<Record>> fields,
                       const Record& record) {
  for (const TSettingField<Record>& field : fields) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_cvref_t<decltype(record.*member)>;
          if constexpr (std::is_same_v<Value, bool>)
            RegWriteBool(section, field.Name, record.*member);
          else if constexpr (std::is_same_v<Value, int>)
            RegWriteInteger(section, field.Name, record.*member);
          else if constexpr (std::is_same_v<Value, std::string>)
            RegWriteString(section, field.Name, record.*member);
          else
            RegWriteStrings(section, field.Name, record.*member);
        },
        field.Member);
  }
}

} // namespace quolin
