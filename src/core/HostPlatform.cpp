// The core's platform needs answered by the host (Linux, glibc) for the native test build: code
// page 932 as Windows converts it, locale-free ordering and the POSIX file system. Only regular
// files count as files: what Windows has no counterpart of (FIFOs, devices, sockets) is
// listed, but neither read nor replaced.
#include "core/HostPlatform.h"
#include "core/Platform.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/Sjis.h"

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace quolin {

namespace {

// Windows' best fit for characters that code page 932 has no code of their own for, as the
// platform converts them: look-alike signs and the characters that the five of TextEncoding
// stand for, and Latin letters without their accents (kLatinLetters, U+00C0-U+00FF, a blank
// where the code page has the character itself).
constexpr std::pair<char16_t, uint16_t> kBestFit[] = {
    {0xA1, '!'},      {0xA2, 0x8191},   {0xA3, 0x8192},   {0xA5, '\\'},     {0xA6, '|'},
    {0xA9, 'c'},      {0xAA, 'a'},      {0xAB, 0x81E1},   {0xAC, 0x81CA},   {0xAD, '-'},
    {0xAE, 'R'},      {0xAF, 0x8150},   {0xB2, '2'},      {0xB3, '3'},      {0xB5, 0x83CA},
    {0xB7, 0x8145},   {0xB8, 0x8143},   {0xB9, '1'},      {0xBA, 'o'},      {0xBB, 0x81E2},
    {0x2014, 0x815C}, {0x2016, 0x8161}, {0x203E, 0x8150}, {0x2212, 0x817C}, {0x301C, 0x8160},
    {0x3094, 0x8394}};
constexpr std::string_view kLatinLetters =
    "AAAAAAACEEEEIIIIDNOOOOO OUUUUYTsaaaaaaaceeeeiiiidnooooo ouuuuyty";

// Code page 932 by tables filled once from glibc's converter, with Windows' own answers where
// glibc differs: the single bytes 80, A0 and FD-FF, U+30FB for every byte sequence that is no
// character, and the best fit above.
class CodePage932 {
public:
  static constexpr char16_t kDefaultChar = 0x30FB;

  static const CodePage932& Get() {
    static const CodePage932 table;
    return table;
  }

  // The character at pos, and the bytes it takes: a lead byte takes the next byte, unless
  // that is NUL or missing.
  char16_t Decode(std::string_view text, size_t& pos) const {
    auto byte = static_cast<unsigned char>(text[pos++]);
    if (!sjis::IsLeadByte(byte))
      return single_[byte];
    if (pos >= text.size() || text[pos] == '\0')
      return kDefaultChar;
    char16_t wide = double_[(byte << 8) | static_cast<unsigned char>(text[pos++])];
    return wide ? wide : kDefaultChar;
  }

  // Appends the bytes of unit, or "?" when code page 932 has none.
  void Encode(char16_t unit, std::string& out) const {
    uint16_t code = encode_[unit];
    if (code == kNoCode) {
      out += '?';
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
  }

private:
  static constexpr uint16_t kNoCode = 0xFFFF;
  static constexpr auto kLeadOrder = [] {
    std::array<unsigned, 60> leads{};
    size_t index = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (sjis::IsLeadByte(static_cast<unsigned char>(lead)) && lead != 0xED && lead != 0xEE)
        leads[index++] = lead;
    }
    leads[index++] = 0xED;
    leads[index] = 0xEE;
    return leads;
  }();

  std::array<char16_t, 0x100> single_{};
  std::array<char16_t, 0x10000> double_{}; // by lead << 8 | trail; 0 for no character
  std::array<uint16_t, 0x10000> encode_{}; // by UTF-16 unit; a single byte stays below 0x100

  CodePage932() {
    encode_.fill(kNoCode);
    for (unsigned byte = 0; byte < 0x100; ++byte)
      single_[byte] = byte < 0x80 ? static_cast<char16_t>(byte) : kDefaultChar;
    for (unsigned byte = 0xA1; byte <= 0xDF; ++byte)
      single_[byte] = static_cast<char16_t>(0xFF61 + byte - 0xA1);
    // Windows' own single bytes, which glibc leaves out; they convert back.
    for (auto [byte, wide] : {std::pair<unsigned, char16_t>{0x80, 0x80},
                              {0xA0, 0xF8F0},
                              {0xFD, 0xF8F1},
                              {0xFE, 0xF8F2},
                              {0xFF, 0xF8F3}})
      single_[byte] = wide;
    for (unsigned byte = 0; byte < 0x100; ++byte) {
      if (single_[byte] != kDefaultChar)
        encode_[single_[byte]] = static_cast<uint16_t>(byte);
    }
    Converter toWide("UTF-16LE", "CP932");
    // A character with two codes converts back to the first in this order: the rows of NEC's
    // selection of IBM's characters (ED, EE) come after IBM's own (FA-FC).
    for (unsigned lead : kLeadOrder) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        std::string wide = toWide.Convert(std::string_view(bytes, 2));
        if (wide.size() != 2)
          continue;
        uint16_t code = static_cast<uint16_t>((lead << 8) | trail);
        char16_t unit = Unit(wide);
        double_[code] = unit;
        if (encode_[unit] == kNoCode)
          encode_[unit] = code;
      }
    }
    for (auto [unit, code] : kBestFit)
      encode_[unit] = code;
    for (size_t index = 0; index < kLatinLetters.size(); ++index) {
      if (kLatinLetters[index] != ' ')
        encode_[0xC0 + index] = static_cast<unsigned char>(kLatinLetters[index]);
    }
  }

  static char16_t Unit(const std::string& utf16le) {
    return static_cast<char16_t>(static_cast<unsigned char>(utf16le[0]) |
                                 (static_cast<unsigned char>(utf16le[1]) << 8));
  }

  // One glibc conversion; a character it cannot convert gives an empty result.
  class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
      if (handle_ == reinterpret_cast<iconv_t>(-1))
        throw EEncodingError(Format("iconv cannot convert %s to %s", from, to));
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(std::string_view input) const {
      char out[8];
      char* in = const_cast<char*>(input.data());
      size_t inLeft = input.size(), outLeft = sizeof out;
      char* outPos = out;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      if (iconv(handle_, &in, &inLeft, &outPos, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return {};
      return std::string(out, sizeof out - outLeft);
    }

  private:
    iconv_t handle_;
  };
};

struct DirCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

// Closes a descriptor at the end of its scope unless released.
class UniqueFd {
public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0)
      close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int Get() const { return fd_; }
  // Closes now; false when the close reported an error.
  bool Close() { return close(std::exchange(fd_, -1)) == 0; }

private:
  int fd_;
};

bool StatPath(const std::string& path, struct stat& info) {
  return stat(HostPath(path).c_str(), &info) == 0;
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t written = write(fd, content.data(), content.size());
    if (written <= 0)
      return false;
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

constexpr unsigned char FoldAscii(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// A file search's match: "*" any characters, "?" one character, letters in either case.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty())
    return name.empty();
  if (pattern[0] == '*') {
    for (size_t pos = 0;; pos += sjis::CharLength(name, pos)) {
      if (MatchesPattern(name.substr(pos), pattern.substr(1)))
        return true;
      if (pos >= name.size())
        return false;
    }
  }
  if (name.empty())
    return false;
  size_t length = sjis::CharLength(name, 0);
  if (pattern[0] == '?')
    return MatchesPattern(name.substr(length), pattern.substr(1));
  size_t patternLength = sjis::CharLength(pattern, 0);
  if (length != patternLength)
    return false;
  for (size_t pos = 0; pos < length; ++pos) {
    if (FoldAscii(static_cast<unsigned char>(name[pos])) !=
        FoldAscii(static_cast<unsigned char>(pattern[pos])))
      return false;
  }
  return MatchesPattern(name.substr(length), pattern.substr(length));
}

} // namespace

std::string HostPath(std::string_view path) {
  std::string host(path);
  for (size_t pos = 0; pos < host.size(); pos += sjis::CharLength(host, pos)) {
    if (host[pos] == '\\')
      host[pos] = '/';
  }
  return host;
}

std::u16string AnsiToUtf16(std::string_view text) {
  const CodePage932& table = CodePage932::Get();
  std::u16string wide;
  wide.reserve(text.size());
  for (size_t pos = 0; pos < text.size();)
    wide += table.Decode(text, pos);
  return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  const CodePage932& table = CodePage932::Get();
  std::string ansi;
  ansi.reserve(text.size() * 2);
  for (char16_t unit : text)
    table.Encode(unit, ansi);
  return ansi;
}

unsigned char UpperSingleByte(unsigned char byte) {
  // Code page 932 has no single-byte letters beyond ASCII.
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

int CompareLocale(std::string_view left, std::string_view right, bool caseSensitive) {
  // Bytes with ASCII letters folded; with case, a lower-case letter before its upper-case one,
  // as Windows sorts them.
  int caseOrder = 0;
  for (size_t pos = 0; pos < left.size() && pos < right.size(); ++pos) {
    auto a = static_cast<unsigned char>(left[pos]), b = static_cast<unsigned char>(right[pos]);
    if (FoldAscii(a) != FoldAscii(b))
      return FoldAscii(a) < FoldAscii(b) ? -1 : 1;
    if (caseSensitive && caseOrder == 0 && a != b)
      caseOrder = a > b ? -1 : 1;
  }
  if (left.size() != right.size())
    return left.size() < right.size() ? -1 : 1;
  return caseOrder;
}

std::string ReadFileBytes(const std::string& fileName) {
  UniqueFd file(open(HostPath(fileName).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
    throw EFileError(Format("ファイル \"%s\" を開けません", fileName));
  std::string content;
  content.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t read = ::read(file.Get(), buffer, sizeof buffer);
    if (read < 0)
      throw EFileError(Format("ファイル \"%s\" を読み込めません", fileName));
    if (read == 0)
      return content;
    content.append(buffer, static_cast<size_t>(read));
  }
}

bool SaveFileReplacing(const std::string& fileName, std::string_view content) {
  if (fileName.empty())
    return false;
  std::string temporary = HostPath(ExtractFilePath(ExpandFileName(fileName))) + "qlnXXXXXX";
  UniqueFd file(mkstemp(temporary.data()));
  if (file.Get() < 0)
    return false;
  bool written = fchmod(file.Get(), 0644) == 0 && WriteAll(file.Get(), content) &&
                 fsync(file.Get()) == 0 && file.Close();
  struct stat target;
  bool replaceable = !StatPath(fileName, target) || S_ISREG(target.st_mode);
  if (written && replaceable && rename(temporary.c_str(), HostPath(fileName).c_str()) == 0)
    return true;
  unlink(temporary.c_str());
  return false;
}

std::vector<std::string> FindFileNames(const std::string& pattern) {
  std::vector<std::string> names;
  std::string folder = ExtractFilePath(pattern);
  UniqueDir search(opendir(folder.empty() ? "." : HostPath(folder).c_str()));
  if (!search)
    return names;
  std::string namePattern = ExtractFileName(pattern);
  while (const dirent* entry = readdir(search.get())) {
    std::string name = entry->d_name;
    struct stat info;
    if (MatchesPattern(name, namePattern) && StatPath(folder + name, info) &&
        !S_ISDIR(info.st_mode))
      names.push_back(std::move(name));
  }
  return names;
}

std::string ExpandFileName(std::string_view fileName) {
  std::string host = HostPath(fileName);
  if (host.empty())
    return host;
  if (host[0] != '/') {
    char current[PATH_MAX];
    if (!getcwd(current, sizeof current))
      return std::string(fileName);
    host = std::string(current) + "/" + host;
  }
  // Folders of the path as GetFullPathName resolves them: "." and empty names dropped, ".."
  // taking the one before; a final separator stays.
  std::vector<std::string> parts;
  for (size_t pos = 1; pos <= host.size();) {
    size_t end = std::min(host.find('/', pos), host.size());
    std::string part = host.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    pos = end + 1;
  }
  std::string full;
  for (const std::string& part : parts)
    full += "\\" + part;
  if (full.empty() || host.back() == '/')
    full += "\\";
  return full;
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return StatPath(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& folder) {
  struct stat info;
  return StatPath(folder, info) && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& folder) {
  // As mkdir -p: each folder of the path in turn; those that exist fail harmlessly.
  std::string host = HostPath(folder);
  if (host.empty())
    return false;
  for (size_t pos = host.find('/', 1); pos != std::string::npos; pos = host.find('/', pos + 1))
    mkdir(host.substr(0, pos).c_str(), 0755);
  mkdir(host.c_str(), 0755);
  return DirectoryExists(folder);
}

} // namespace quolin
