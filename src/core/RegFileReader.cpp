#include "core/RegFileReader.h"

#include "core/Format.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <optional>

namespace quolin {

namespace {

struct RootPrefix {
  const char* prefix;
  TRegRoot root;
};

constexpr RootPrefix RootPrefixes[] = {
    {"HKEY_CURRENT_USER\\", rrCurrentUser},
    {"HKEY_CLASSES_ROOT\\", rrClassesRoot},
    {"HKEY_LOCAL_MACHINE\\", rrLocalMachine},
    {"HKEY_USERS\\", rrUsers},
    {"HKEY_PERFORMANCE_DATA\\", rrPerformanceData},
    {"HKEY_CURRENT_CONFIG\\", rrCurrentConfig},
    {"HKEY_DYN_DATA\\", rrDynData},
};

constexpr std::string_view DwordPrefix = "dword:";
constexpr std::string_view HexPrefix = "hex:";

// Hexadecimal digits as the class library reads "$" numbers: at most 8 of them.
bool ReadHex(std::string_view digits, int& value) {
  std::string text = "$";
  text += digits;
  return TryStrToInt(text, value);
}

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The character at pos is the single byte ch (never the second byte of a double-byte one,
// given pos is a character start).
bool IsCharAt(std::string_view text, size_t pos, char ch) {
  return sjis::CharLength(text, pos) == 1 && text[pos] == ch;
}

bool EndsWithChar(std::string_view text, char ch) {
  return !text.empty() && text.back() == ch &&
         sjis::CharStart(text, text.size() - 1) == text.size() - 1;
}

std::string DecodeContent(std::string_view content) {
  if (content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0xFF &&
      static_cast<unsigned char>(content[1]) == 0xFE) {
    std::u16string wide((content.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i)
      wide[i] = static_cast<char16_t>(static_cast<unsigned char>(content[2 + 2 * i]) |
                                     static_cast<unsigned char>(content[3 + 2 * i]) << 8);
    return Utf16ToAnsi(wide);
  }
  return std::string(content);
}

// A logical line as physical lines join into it. Its earlier pieces end on character
// boundaries, so whether it ends in a "\" character is read from its last piece, and the blanks
// before its first other byte are looked at once: each byte is read a bounded number of times
// however many lines continue it.
class JoinedLine {
public:
  explicit JoinedLine(std::string& text) : text_(text) {}

  void Append(std::string_view piece) {
    if (!piece.empty())
      lastPiece_ = text_.size();
    text_ += piece;
  }

  // Drops a final "\" that continues the line; false when there is none or the line is a
  // comment.
  bool DropContinuation() {
    while (blanks_ < text_.size() && IsBlank(text_[blanks_]))
      ++blanks_;
    if (blanks_ < text_.size() && text_[blanks_] == ';')
      return false;
    // A last piece taken away whole by earlier drops says nothing; the whole line does.
    size_t from = lastPiece_ < text_.size() ? lastPiece_ : 0;
    if (!EndsWithChar(std::string_view(text_).substr(from), '\\'))
      return false;
    text_.pop_back();
    return true;
  }

private:
  std::string& text_;
  size_t lastPiece_ = 0;
  size_t blanks_ = 0; // leading blanks counted so far
};

// Physical lines joined where a line ends in "\" (wrapped hex lists); comment lines never
// continue.
std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  std::optional<JoinedLine> joined;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos)
      end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r')
      ++pos;
    if (pos < text.size() && text[pos] == '\n')
      ++pos;
    if (joined) {
      joined->Append(TrimBlanks(line));
    } else {
      joined.emplace(lines.emplace_back());
      joined->Append(line);
    }
    if (!joined->DropContinuation())
      joined.reset();
  }
  return lines;
}

// Position after the closing quote of the quoted token that starts at pos; npos when it is
// not closed. "\" escapes the next character.
size_t QuotedEnd(std::string_view text, size_t pos) {
  for (++pos; pos < text.size(); pos += sjis::CharLength(text, pos)) {
    if (IsCharAt(text, pos, '"'))
      return pos + 1;
    if (IsCharAt(text, pos, '\\') && pos + 1 < text.size())
      ++pos;
  }
  return std::string_view::npos;
}

std::string Unescaped(std::string_view text) {
  std::string result;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = sjis::CharLength(text, pos);
    if (IsCharAt(text, pos, '\\') && pos + 1 < text.size() &&
        (IsCharAt(text, pos + 1, '\\') || IsCharAt(text, pos + 1, '"'))) {
      result += text[pos + 1];
      pos += 2;
      continue;
    }
    result.append(text.substr(pos, length));
    pos += length;
  }
  return result;
}

bool ParseValueData(std::string_view data, TRegFileValue& value) {
  if (data.starts_with('"')) {
    size_t end = QuotedEnd(data, 0);
    if (end == std::string_view::npos)
      return false;
    value.kind = rvString;
    value.data = Unescaped(data.substr(1, end - 2));
    return true;
  }
  if (data.starts_with(DwordPrefix)) {
    int number = 0;
    if (!ReadHex(TrimBlanks(data.substr(DwordPrefix.size())), number))
      return false;
    value.kind = rvDword;
    value.dword = static_cast<uint32_t>(number);
    return true;
  }
  if (data.starts_with(HexPrefix)) {
    value.kind = rvBinary;
    return ParseRegHexBytes(data.substr(HexPrefix.size()), value.data);
  }
  return false;
}

// "name"=data or @=data; false for anything else.
bool ParseValueLine(std::string_view line, TRegFileValue& value) {
  size_t equals = line.starts_with('"') ? QuotedEnd(line, 0) : sjis::FindChar(line, '=');
  if (equals == std::string_view::npos)
    return false;
  std::string_view rawName = TrimBlanks(line.substr(0, equals));
  std::string_view rest = TrimBlanks(line.substr(equals));
  if (rawName.empty() || !rest.starts_with('='))
    return false;
  value.name = Unescaped(UnquoteRegString(rawName));
  return ParseValueData(TrimBlanks(rest.substr(1)), value);
}

} // namespace

std::vector<TRegFileSection> ReadRegFile(std::string_view content) {
  std::vector<TRegFileSection> sections;
  // Values of a deleted key, and lines before the first section, belong to none.
  TRegFileSection* current = nullptr;
  for (const std::string& rawLine : LogicalLines(DecodeContent(content))) {
    std::string_view line = TrimBlanks(rawLine);
    if (line.empty() || line.starts_with(';'))
      continue;
    if (line.starts_with('[') && EndsWithChar(line, ']')) {
      std::string_view name = line.substr(1, line.size() - 2);
      current = name.starts_with('-') ? nullptr : &sections.emplace_back();
      if (current)
        current->name = name;
      continue;
    }
    TRegFileValue value;
    if (current && ParseValueLine(line, value))
      current->values.push_back(std::move(value));
  }
  return sections;
}

TRegRoot ParseRegRootKey(std::string_view sectionName, std::string& path) {
  path.clear();
  for (const RootPrefix& entry : RootPrefixes) {
    if (sectionName.starts_with(entry.prefix)) {
      path = sectionName.substr(std::string_view(entry.prefix).size());
      return entry.root;
    }
  }
  return rrNone;
}

std::string UnquoteRegString(std::string_view text) {
  if (text.size() >= 3 && text.front() == '"' && text.back() == '"')
    return std::string(text.substr(1, text.size() - 2));
  return std::string(text);
}

bool ParseRegHexBytes(std::string_view list, std::string& bytes) {
  bytes.clear();
  list = TrimBlanks(list);
  if (list.empty())
    return true;
  for (size_t pos = 0; pos <= list.size();) {
    size_t comma = list.find(',', pos);
    if (comma == std::string_view::npos)
      comma = list.size();
    std::string_view item = TrimBlanks(list.substr(pos, comma - pos));
    int number = 0;
    if (item.empty() || item.size() > 2 || !ReadHex(item, number))
      return false;
    bytes += static_cast<char>(number);
    pos = comma + 1;
  }
  return true;
}

} // namespace quolin
