// Writes an empty user data file: the version stream and the five empty streams of the user
// data, so that the program folder's "default.dat" is valid before any user data is drawn up.
//   MakeDataFile <file>
// Exit code 0 when the file was written and reads back its version.
#include "common/SrgFile.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr char ConfigStorage[] = "Quolin\\Config";
constexpr char UserDataStorage[] = "Quolin\\4\\UserData";
constexpr char VersionText[] = "Quolin Version4.00 DataFile";
constexpr const char* UserDataStreams[] = {"Menu", "ToolBar", "Master", "Group", "ReserveList"};

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeDataFile <file>\n");
    return 2;
  }
  const std::string file = argv[1];
  DeleteFileA(file.c_str());
  bool written = quolin::WriteStreamString(file, ConfigStorage, "Version", VersionText);
  for (const char* stream : UserDataStreams)
    written = written && quolin::WriteStreamString(file, UserDataStorage, stream, "");
  if (!written || quolin::ReadStreamString(file, ConfigStorage, "Version", "") != VersionText) {
    std::fprintf(stderr, "MakeDataFile: cannot write %s\n", file.c_str());
    return 1;
  }
  return 0;
}
