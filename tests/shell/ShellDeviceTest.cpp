// The device window: volume messages sent to it become notices for the registered controls;
// the window lives from the first registration to the last. One broadcast reaches every
// window of the session: the tests hold the session's lock.
#include "shell/ShellDbt.h"

#include "core/Exceptions.h"
#include "shell/FakeShellFolder.h"
#include "shell/ShellDataItem.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <vector>

using namespace quolin;
using quolin::test_support::Volume;

namespace {

constexpr DWORD kDriveE = 1u << 4;

// Each notice as "name|event|kind|list", the list "E" when it is drive E:'s root.
class RecordingControl final : public TShellDeviceClient {
public:
  std::vector<std::string> notices;
  bool raise = false;

  void DeviceChange(const TDeviceChangeData& notice) override {
    if (raise)
      throw EInvalidOperation("control raised");
    TOwnedIDList e;
    PathToIDList("E:\\", e.Out());
    bool isE = notice.IDList &&
               CompareIDLists(DesktopShellFolder().Get(), notice.IDList.Get(), e.Get()) == ioEqual;
    notices.push_back(notice.Name + "|" + std::to_string(notice.Event) + "|" +
                      std::to_string(notice.Kind) + "|" + (isE ? "E" : "-"));
  }
};

void Send(HWND window, WPARAM event, DEV_BROADCAST_VOLUME volume) {
  SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
}

class ShellDevice : public testing::Test {
protected:
  ShellDevice() { ShellCtrlList()->Add(&control_); }
  ~ShellDevice() override { ShellCtrlList()->Remove(&control_); }

  RecordingControl control_;
};

TEST_F(ShellDevice, VolumeMessagesBecomeNotices) {
  HWND window = ShellCtrlList()->Window();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetParent(window), nullptr) << "a top-level window hears broadcasts";
  const DWORD eAndF = kDriveE | (kDriveE << 1);
  Send(window, DBT_DEVICEARRIVAL, Volume(eAndF, DBTF_MEDIA));
  Send(window, DBT_DEVICEREMOVECOMPLETE, Volume(kDriveE, DBTF_MEDIA));
  Send(window, DBT_DEVICEARRIVAL, Volume(kDriveE, DBTF_NET));
  // None of these counts.
  Send(window, DBT_DEVICEARRIVAL, Volume(kDriveE, 0));
  Send(window, DBT_DEVICEQUERYREMOVE, Volume(kDriveE, DBTF_MEDIA));
  Send(window, DBT_DEVICEARRIVAL, Volume(kDriveE, DBTF_MEDIA, DBT_DEVTYP_PORT));
  SendMessageA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);

  EXPECT_EQ(control_.notices, (std::vector<std::string>{"Data disk (E:)|32768|1|E",
                                                        " (E:)|32772|1|E", "|32768|2|-"}));
}

TEST_F(ShellDevice, TheWindowGoesWithTheLastControl) {
  RecordingControl second;
  HWND window = ShellCtrlList()->Window();
  ShellCtrlList()->Add(&second);
  EXPECT_EQ(ShellCtrlList()->Window(), window);
  ShellCtrlList()->Remove(&control_);
  EXPECT_EQ(ShellCtrlList()->Window(), window);
  ShellCtrlList()->Remove(&second);
  EXPECT_EQ(ShellCtrlList()->Window(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  ShellCtrlList()->Add(&control_);
  EXPECT_TRUE(IsWindow(ShellCtrlList()->Window()));
}

TEST_F(ShellDevice, ARaisingControlIsReportedOnceAndTheOthersHear) {
  uitest::DialogRecorder reports;
  RecordingControl raising;
  raising.raise = true;
  ShellCtrlList()->Add(&raising);
  Send(ShellCtrlList()->Window(), DBT_DEVICEARRIVAL, Volume(kDriveE, DBTF_NET));
  ShellCtrlList()->Remove(&raising);
  ASSERT_EQ(reports.calls.size(), 1u);
  EXPECT_EQ(reports.calls[0].text, "control raised");
  EXPECT_EQ(control_.notices.size(), 1u);
}

TEST_F(ShellDevice, ABroadcastReachesTheWindow) {
  DEV_BROADCAST_VOLUME volume = Volume(kDriveE, DBTF_MEDIA);
  DWORD_PTR result = 0;
  ASSERT_NE(SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG, 20000,
                                &result),
            0);
  uitest::PumpUntil([this] { return !control_.notices.empty(); });
  EXPECT_EQ(control_.notices, std::vector<std::string>{"Data disk (E:)|32768|1|E"});
}

} // namespace
