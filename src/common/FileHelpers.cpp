#include "common/FileHelpers.h"

#include "common/CodePage.h"
#include "common/ComPtr.h"
#include "common/StringHelpers.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/Sjis.h"

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

} // namespace

bool FileExistsNoWildcard(const std::string& path) {
  WIN32_FIND_DATAA found;
  return !HasWildcard(path) && FindEntry(path, found) &&
         !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FindFileNamesExcept(const std::string& pattern,
                                             uint32_t excludedAttributes) {
  const std::string folder = ExtractFilePath(pattern);
  std::vector<std::string> names = FindFileNames(pattern);
  std::erase_if(names, [&](const std::string& name) {
    const DWORD attributes = GetFileAttributesA((folder + name).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & excludedAttributes);
  });
  return names;
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

bool CopyFileIfDifferent(const std::string& source, const std::string& target) {
  return FileExists(source) && !IsSameText(source, target) &&
         CopyFileA(source.c_str(), target.c_str(), FALSE);
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
