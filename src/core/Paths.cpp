#include "core/Paths.h"

#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr std::string_view kFolderDelimiters = "\\:";
constexpr std::string_view kNameDelimiters = ".\\:";

// Where the name part of fileName begins.
size_t NameStart(std::string_view fileName) {
  size_t delimiter = LastDelimiter(kFolderDelimiters, fileName);
  return delimiter == std::string_view::npos ? 0 : delimiter + 1;
}

// Position of the extension's "."; npos when the name part has none.
size_t ExtensionStart(std::string_view fileName) {
  size_t delimiter = LastDelimiter(kNameDelimiters, fileName);
  return (delimiter != std::string_view::npos && fileName[delimiter] == '.')
             ? delimiter
             : std::string_view::npos;
}

} // namespace

size_t LastDelimiter(std::string_view delimiters, std::string_view text) {
  size_t found = std::string_view::npos;
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos)) {
    if (sjis::CharLength(text, pos) == 1 && delimiters.find(text[pos]) != std::string_view::npos)
      found = pos;
  }
  return found;
}

bool EndsWithPathDelimiter(std::string_view text) {
  return !text.empty() && LastDelimiter("\\", text) == text.size() - 1;
}

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
  size_t end = NameStart(fileName);
  // The "\" of a root stays: "\" and "C:\".
  if (end >= 2 && fileName[end - 1] == '\\' &&
      LastDelimiter(kFolderDelimiters, fileName.substr(0, end - 1)) != end - 2)
    --end;
  return std::string(fileName.substr(0, end));
}

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
  size_t dot = ExtensionStart(fileName);
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ExtractFileDrive(std::string_view fileName) {
  if (fileName.size() >= 2 && fileName[1] == ':' && sjis::CharLength(fileName, 0) == 1)
    return std::string(fileName.substr(0, 2));
  if (fileName.size() < 2 || fileName.substr(0, 2) != "\\\\")
    return {};
  // "\\server\share": up to the fourth "\" or the end.
  size_t end = sjis::FindChar(fileName, '\\', 2);
  if (end != std::string_view::npos)
    end = sjis::FindChar(fileName, '\\', end + 1);
  return std::string(fileName.substr(0, end));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  size_t dot = ExtensionStart(fileName);
  std::string result(fileName.substr(0, dot));
  result.append(extension);
  return result;
}

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

std::string GetRelativePath(std::string_view path, std::string_view baseFile) {
  std::string baseFolder = ExtractFilePath(baseFile);
  std::string drive = ExtractFileDrive(path);
  auto same = [](std::string_view a, std::string_view b) {
    return CompareLocale(a, b, false) == 0;
  };
  if (!same(ExtractFileDrive(baseFolder), drive))
    return std::string(path);
  std::vector<std::string> baseParts = SplitPath(std::string_view(baseFolder).substr(drive.size()));
  std::vector<std::string> pathParts =
      SplitPath(std::string_view(ExtractFilePath(path)).substr(drive.size()));
  size_t common = 0;
  while (common < baseParts.size() && common < pathParts.size() &&
         same(baseParts[common], pathParts[common]))
    ++common;
  std::string result;
  for (size_t i = common; i < baseParts.size(); ++i)
    result += "..\\";
  for (size_t i = common; i < pathParts.size(); ++i)
    result.append(pathParts[i]).append("\\");
  return result + ExtractFileName(path);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string result(path);
  if (!EndsWithPathDelimiter(result))
    result += '\\';
  return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  return std::string(EndsWithPathDelimiter(path) ? path.substr(0, path.size() - 1) : path);
}

} // namespace quolin
