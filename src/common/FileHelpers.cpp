#include "common/FileHelpers.h"

#include "common/CodePage.h"
#include "common/ComPtr.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/StringHelpers.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace quolin {

namespace {

bool HasWildcard(std::string_view path) {
  return path.find_first_of("*?") != std::string_view::npos;
}

// The name a file search gives for path; false when nothing is found.
bool FindEntry(const std::string& path, WIN32_FIND_DATAA& found) {
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  FindClose(search);
  return true;
}

// The "\"-separated parts of a path, double-byte characters kept whole; empty parts dropped.
std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = sjis::FindChar(path, '\\', start);
    if (end == std::string_view::npos)
      end = path.size();
    if (end > start)
      parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueGdiObject = std::unique_ptr<void, GdiObjectDeleter>;

SIZE MeasureW(const TFont& font) {
  SIZE size{};
  UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueGdiObject bitmap(CreateCompatibleBitmap(dc.get(), 1, 1));
  UniqueGdiObject handle(font.CreateHandle());
  if (!dc || !bitmap || !handle)
    return size;
  HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap.get());
  HGDIOBJ oldFont = SelectObject(dc.get(), handle.get());
  GetTextExtentPoint32A(dc.get(), "W", 1, &size);
  SelectObject(dc.get(), oldFont);
  SelectObject(dc.get(), oldBitmap);
  return size;
}

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

bool FileExistsNoWildcard(const std::string& path) {
  WIN32_FIND_DATAA found;
  return !HasWildcard(path) && FindEntry(path, found) &&
         !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string GetShortPath(const std::string& path) {
  char buffer[1025];
  DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return (length == 0 || length >= sizeof buffer) ? std::string() : std::string(buffer, length);
}

std::string BuildLongFileName(const std::string& path) {
  std::string drive = ExtractFileDrive(path);
  if (drive.empty())
    return path;
  std::string result = drive;
  bool searching = true;
  for (const std::string& part : SplitPath(std::string_view(path).substr(drive.size()))) {
    result += '\\';
    WIN32_FIND_DATAA found{};
    searching = searching && part != "." && part != ".." && !HasWildcard(part) &&
                FindEntry(result + part, found);
    result += searching ? std::string(found.cFileName) : part;
  }
  if (EndsWithPathDelimiter(path) && !EndsWithPathDelimiter(result))
    result += '\\';
  return result;
}

std::string GetLongFileName(const std::string& path) {
  std::string longName = BuildLongFileName(path);
  return FileExists(longName) ? longName : std::string();
}

std::string GetRelativePath(const std::string& path, const std::string& baseFile) {
  std::string baseFolder = ExtractFilePath(baseFile);
  std::string drive = ExtractFileDrive(path);
  if (!IsSameText(ExtractFileDrive(baseFolder), drive))
    return path;
  std::vector<std::string> baseParts = SplitPath(baseFolder.substr(drive.size()));
  std::vector<std::string> pathParts = SplitPath(ExtractFilePath(path).substr(drive.size()));
  size_t common = 0;
  while (common < baseParts.size() && common < pathParts.size() &&
         IsSameText(baseParts[common], pathParts[common]))
    ++common;
  std::string result;
  for (size_t i = common; i < baseParts.size(); ++i)
    result += "..\\";
  for (size_t i = common; i < pathParts.size(); ++i)
    result.append(pathParts[i]).append("\\");
  return result + ExtractFileName(path);
}

bool CopyFileIfDifferent(const std::string& source, const std::string& target) {
  return FileExists(source) && !IsSameText(source, target) &&
         CopyFileA(source.c_str(), target.c_str(), FALSE);
}

std::string ReadFileBytes(const std::string& fileName) {
  HANDLE raw = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE)
    throw EFileError(Format("ファイル \"%s\" を開けません", fileName));
  UniqueHandle file(raw);
  std::string content;
  LARGE_INTEGER size;
  if (GetFileSizeEx(raw, &size) && size.QuadPart < (1LL << 30))
    content.reserve(static_cast<size_t>(size.QuadPart));
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(raw, buffer, sizeof buffer, &read, nullptr))
      throw EFileError(Format("ファイル \"%s\" を読み込めません", fileName));
    if (read == 0)
      return content;
    content.append(buffer, read);
  }
}

bool SaveFileReplacing(const std::string& fileName, std::string_view content) {
  if (fileName.empty())
    return false;
  std::string folder = ExtractFilePath(ExpandFileName(fileName));
  char temporary[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "qln", 0, temporary) == 0)
    return false;
  if (WriteWholeFile(temporary, content) &&
      MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporary);
  return false;
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

std::string ResolveShortcut(const std::string& path) {
  if (sjis::LowerAscii(ExtractFileExt(path)) != ".lnk")
    return path;
  TComInit com;
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.OutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())) ||
      FAILED(file->Load(AnsiToWide(path).c_str(), STGM_READ)))
    return path;
  char target[MAX_PATH] = {};
  if (link->GetPath(target, MAX_PATH, nullptr, 0) != S_OK || target[0] == '\0')
    return path;
  return target;
}

int GetFontCharWidth(const TFont& font) {
  return MeasureW(font).cx;
}

int GetFontCharHeight(const TFont& font) {
  return MeasureW(font).cy;
}

void ProcessPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

} // namespace quolin
