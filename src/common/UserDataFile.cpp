#include "common/UserDataFile.h"

#include "common/SrgFile.h"
#include "core/Paths.h"
#include "core/Platform.h"
#include "core/ReserveWordList.h"
#include "core/StringList.h"

#include <windows.h>

#include <initializer_list>
#include <utility>

namespace quolin {

namespace {

constexpr const char* UserDataStreams[] = {MenuStream, ToolBarStream, MasterStream, GroupStream,
                                           ReserveListStream};

using TStreamList = std::initializer_list<std::pair<const char*, const TStrings*>>;

std::string ReadUserData(const std::string& path, const char* stream) {
  return ReadStreamString(path, UserDataStorage, stream, "");
}

// A file gone since it was loaded is made again first: a lone stream would not be a data file.
bool WriteUserData(const std::string& path, TStreamList streams) {
  if (!FileExists(path) && !CreateDataFile(path))
    return false;
  bool written = true;
  for (const auto& [stream, list] : streams)
    written = WriteStreamString(path, UserDataStorage, stream, list->Text()) && written;
  return written;
}

} // namespace

bool IsDataFile(const std::string& path) {
  return FileExists(path) && IsStorageFile(path) &&
         ReadStreamString(path, DataFileConfigStorage, DataFileVersionStream, "") ==
             DataFileVersionText;
}

bool CreateDataFile(const std::string& path) {
  if (FileExists(path))
    return false;
  bool written =
      WriteStreamString(path, DataFileConfigStorage, DataFileVersionStream, DataFileVersionText);
  for (const char* stream : UserDataStreams)
    written = written && WriteStreamString(path, UserDataStorage, stream, "");
  if (!written)
    DeleteFileA(path.c_str());
  return written;
}

bool LoadMenuData(const std::string& path, TStrings& menus, TStrings& toolbars) {
  if (!IsDataFile(path))
    return false;
  menus.SetText(ReadUserData(path, MenuStream));
  toolbars.SetText(ReadUserData(path, ToolBarStream));
  return true;
}

bool SaveMenuData(const std::string& path, const TStrings& menus, const TStrings& toolbars) {
  return WriteUserData(path, {{MenuStream, &menus}, {ToolBarStream, &toolbars}});
}

bool LoadMasterData(const std::string& path, TStrings& masters, TStrings& groups) {
  if (!IsDataFile(path))
    return false;
  masters.SetText(ReadUserData(path, MasterStream));
  groups.SetText(ReadUserData(path, GroupStream));
  return true;
}

bool SaveMasterData(const std::string& path, bool masters, const TStrings& list) {
  return WriteUserData(path, {{masters ? MasterStream : GroupStream, &list}});
}

bool LoadReserveList(const std::string& path, TStrings& words) {
  if (!IsDataFile(path))
    return false;
  words.SetText(ReadUserData(path, ReserveListStream));
  SortReserveList(words);
  return true;
}

bool SaveReserveList(const std::string& path, const TStrings& words) {
  return WriteUserData(path, {{ReserveListStream, &words}});
}

} // namespace quolin
