// The core's platform needs answered by Win32: the ANSI code page, the user's locale and the
// file system.
#include "core/Platform.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace quolin {

namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

// Writes all of content to an existing file, replacing what it held; true when every byte
// reached the disk.
bool WriteWholeFile(const std::string& fileName, std::string_view content) {
  HANDLE raw = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE)
    return false;
  UniqueHandle file(raw);
  while (!content.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1 << 20));
    DWORD written = 0;
    if (!WriteFile(raw, content.data(), chunk, &written, nullptr) || written == 0)
      return false;
    content.remove_prefix(written);
  }
  return FlushFileBuffers(raw) && CloseHandle(file.release());
}

} // namespace

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty())
    return {};
  int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::u16string wide(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                      length);
  return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty())
    return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int size = static_cast<int>(text.size());
  // One pass into room for the most bytes a unit can give, not a second one to measure.
  CPINFO info{};
  size_t most = GetCPInfo(CP_ACP, &info) ? info.MaxCharSize : 4;
  std::string ansi(most * text.size(), '\0');
  int length = WideCharToMultiByte(CP_ACP, 0, wide, size, ansi.data(),
                                   static_cast<int>(ansi.size()), nullptr, nullptr);
  ansi.resize(static_cast<size_t>(length));
  return ansi;
}

unsigned char UpperSingleByte(unsigned char byte) {
  // One byte at a time: a longer buffer is read as text, and some conversions then corrupt
  // bytes.
  char single = static_cast<char>(byte);
  CharUpperBuffA(&single, 1);
  return static_cast<unsigned char>(single);
}

int CompareLocale(std::string_view left, std::string_view right, bool caseSensitive) {
  int result =
      CompareStringA(LOCALE_USER_DEFAULT, caseSensitive ? 0 : NORM_IGNORECASE, left.data(),
                     static_cast<int>(left.size()), right.data(), static_cast<int>(right.size()));
  return result - CSTR_EQUAL;
}

std::string ReadFileBytes(const std::string& fileName) {
  HANDLE raw = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE)
    throw EFileError(Format("ファイル \"%s\" を開けません", fileName));
  UniqueHandle file(raw);
  // Straight into the string, all of it in one call when the size is known; one byte to spare
  // lets the next call find the end. The file may still change size meanwhile.
  LARGE_INTEGER size;
  size_t expected = GetFileSizeEx(raw, &size) && size.QuadPart < (1LL << 30)
                        ? static_cast<size_t>(size.QuadPart)
                        : 0;
  std::string content(expected + 1, '\0');
  size_t filled = 0;
  for (;;) {
    if (filled == content.size())
      content.resize(filled + 65536);
    DWORD read = 0;
    if (!ReadFile(raw, content.data() + filled, static_cast<DWORD>(content.size() - filled), &read,
                  nullptr))
      throw EFileError(Format("ファイル \"%s\" を読み込めません", fileName));
    if (read == 0) {
      content.resize(filled);
      return content;
    }
    filled += read;
  }
}

bool SaveFileReplacing(const std::string& fileName, std::string_view content) {
  if (fileName.empty())
    return false;
  std::string folder = ExtractFilePath(ExpandFileName(fileName));
  char temporary[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "qln", 0, temporary) == 0)
    return false;
  // The target keeps its attributes: they are cleared for the move (a hidden or system target
  // refuses to be replaced) and set again on the new file.
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  bool existing = attributes != INVALID_FILE_ATTRIBUTES;
  if (existing && (attributes & FILE_ATTRIBUTE_READONLY)) {
    DeleteFileA(temporary);
    return false;
  }
  if (!WriteWholeFile(temporary, content)) {
    DeleteFileA(temporary);
    return false;
  }
  if (existing)
    SetFileAttributesA(fileName.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool moved =
      MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!moved)
    DeleteFileA(temporary);
  if (existing)
    SetFileAttributesA(fileName.c_str(), attributes);
  return moved;
}

std::vector<std::string> FindFileNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  UniqueFind closer(search);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  return names;
}

std::string ExpandFileName(std::string_view fileName) {
  std::string name(fileName);
  std::string full(MAX_PATH, '\0');
  for (;;) {
    DWORD length =
        GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0)
      return name;
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);
  }
}

bool FileExists(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& folder) {
  std::string path = ExcludeTrailingPathDelimiter(folder);
  if (path.empty())
    return false;
  if (DirectoryExists(path))
    return true;
  std::string parent = ExtractFileDir(path);
  if (parent != path && !parent.empty() && !ForceDirectories(parent))
    return false;
  return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

} // namespace quolin
