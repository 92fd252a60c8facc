// Volume labels of drive E: (the test prefix's fixed disk labelled "DATA DISK") and of a
// missing drive, and file times as local date-times.
#include "shell/ShellUtils.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <vector>

using namespace quolin;

namespace {

BOOL CALLBACK CountVisibleWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window))
    ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The visible top-level windows of this process.
int VisibleWindows() {
  int count = 0;
  EnumWindows(CountVisibleWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(ShellUtils, VolumeLabelIsLowerCaseButForItsFirstLetter) {
  constexpr UINT kOwnMode = SEM_NOGPFAULTERRORBOX;
  UINT saved = SetErrorMode(kOwnMode);
  int windows = VisibleWindows();
  char label[MAX_PATH] = {};
  EXPECT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_TRUE(
      GetVolumeInformationA("E:\\", label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0));
  EXPECT_STREQ(label, "DATA DISK");
  EXPECT_EQ(GetVolumeLabel("E:\\"), "Data disk");
  EXPECT_EQ(GetErrorMode(), kOwnMode);
  EXPECT_EQ(GetVolumeLabel("F:\\"), "") << "no drive F:";
  EXPECT_EQ(GetErrorMode(), kOwnMode) << "restored after a failure too";
  EXPECT_EQ(VisibleWindows(), windows) << "no system dialog";
  SetErrorMode(saved);
}

// A local time as the UTC file time that shows it.
FILETIME FileTimeOfLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME local = {year, month, 0, day, hour, minute, 0, 0};
  FILETIME localTime;
  FILETIME time;
  EXPECT_TRUE(SystemTimeToFileTime(&local, &localTime));
  EXPECT_TRUE(LocalFileTimeToFileTime(&localTime, &time));
  return time;
}

TEST(ShellUtils, FileTimesBecomeLocalDateTimes) {
  EXPECT_EQ(FileTimeToDateTime({0, 0}), 0.0);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(FileTimeOfLocal(2024, 3, 15, 12, 0)), 45366.5);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(FileTimeOfLocal(1899, 12, 30, 6, 0)), 0.25);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(FileTimeOfLocal(1899, 12, 29, 18, 0)), -1.75)
      << "before day 0 the time of day still counts forwards";

  // A real time whose low half is 0, against the automation date of it, to the second.
  const FILETIME time = {0, 0x01DA0000};
  FILETIME localTime;
  SYSTEMTIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&time, &localTime));
  ASSERT_TRUE(FileTimeToSystemTime(&localTime, &local));
  double expected = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&local, &expected));
  EXPECT_GT(expected, 40000.0) << "a day of this century";
  EXPECT_NEAR(FileTimeToDateTime(time), expected, 1.0 / (24 * 60 * 60));
}

TEST(ShellUtils, DateTimesGoBackToSystemTimes) {
  const SYSTEMTIME times[] = {{1899, 12, 6, 30, 0, 0, 0, 0},
                              {1899, 12, 5, 29, 18, 0, 0, 0},
                              {2024, 2, 4, 29, 23, 59, 59, 999},
                              {1601, 1, 1, 1, 0, 0, 0, 1},
                              {2000, 3, 3, 1, 12, 30, 15, 500}};
  for (const SYSTEMTIME& time : times) {
    SYSTEMTIME back = DateTimeToSystemTime(SystemTimeToDateTime(time));
    EXPECT_EQ((std::vector<WORD>{back.wYear, back.wMonth, back.wDay, back.wHour, back.wMinute,
                                 back.wSecond, back.wMilliseconds}),
              (std::vector<WORD>{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                                 time.wSecond, time.wMilliseconds}))
        << time.wYear << "-" << time.wMonth << "-" << time.wDay;
  }
}

} // namespace
