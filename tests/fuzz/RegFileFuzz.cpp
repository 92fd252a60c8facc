// Any bytes through the REGEDIT4 reader: what it reads, written back as an export file, reads
// again the same; root keys, unquoting and hex lists hold their contracts.
#include "core/Format.h"
#include "core/RegFileReader.h"
#include "core/Sjis.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

using namespace quolin;

namespace {

// A text that a closing quote or bracket may follow: its last byte is no lead byte standing
// alone, which would take that character as its second byte.
bool Closable(std::string_view text) {
  return text.empty() || !sjis::IsLeadByte(static_cast<unsigned char>(text.back())) ||
         sjis::CharStart(text, text.size() - 1) != text.size() - 1;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos)) {
    if (sjis::CharLength(text, pos) == 1 && (text[pos] == '\\' || text[pos] == '"'))
      quoted += '\\';
    quoted.append(text.substr(pos, sjis::CharLength(text, pos)));
  }
  return quoted + "\"";
}

std::string ValueLine(const TRegFileValue& value) {
  std::string line = Quoted(value.name) + "=";
  if (value.kind == rvString)
    return line + Quoted(value.data);
  if (value.kind == rvDword)
    return line + "dword:" + IntToHex(value.dword, 8);
  line += "hex:";
  for (size_t index = 0; index < value.data.size(); ++index)
    line += (index ? "," : "") + IntToHex(static_cast<unsigned char>(value.data[index]), 2);
  return line;
}

// The export file of sections; empty when one of their texts cannot be written.
std::string Written(const std::vector<TRegFileSection>& sections) {
  std::string file = "REGEDIT4\r\n";
  for (const TRegFileSection& section : sections) {
    if (!Closable(section.name))
      return {};
    file += "\r\n[" + section.name + "]\r\n";
    for (const TRegFileValue& value : section.values) {
      if (!Closable(value.name) || !Closable(value.data))
        return {};
      file += ValueLine(value) + "\r\n";
    }
  }
  return file;
}

bool SameValues(const TRegFileValue& left, const TRegFileValue& right) {
  return left.name == right.name && left.kind == right.kind && left.dword == right.dword &&
         left.data == right.data;
}

bool SameSections(const std::vector<TRegFileSection>& left,
                  const std::vector<TRegFileSection>& right) {
  if (left.size() != right.size())
    return false;
  for (size_t index = 0; index < left.size(); ++index) {
    const auto& a = left[index].values;
    const auto& b = right[index].values;
    if (left[index].name != right[index].name ||
        !std::equal(a.begin(), a.end(), b.begin(), b.end(), SameValues))
      return false;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view content(reinterpret_cast<const char*>(data), size);
  std::vector<TRegFileSection> sections = ReadRegFile(content);
  std::string file = Written(sections);
  if (!file.empty())
    FUZZ_CHECK(SameSections(ReadRegFile(file), sections));

  std::string path = "old";
  TRegRoot root = ParseRegRootKey(content, path);
  FUZZ_CHECK(root == rrNone ? path.empty() : content.ends_with(path) && path.size() < size);
  std::string bytes = "old";
  if (ParseRegHexBytes(content, bytes))
    FUZZ_CHECK(bytes.size() <= size / 2 + 1);
  std::string unquoted = UnquoteRegString(content);
  FUZZ_CHECK(unquoted.size() == size || ("\"" + unquoted + "\"" == content && size >= 3));
  return 0;
}
