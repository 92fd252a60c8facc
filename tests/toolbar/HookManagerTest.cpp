// The shared thread hooks: counted clients and hooks, each kind of event, clients removed while
// others run, and a client that raises.
#include "toolbar/TbCommon.h"

#include "support/UiTest.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

struct Heard {
  char client;
  THookKind kind;
  HWND window;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Heard> heard;

void ClientA(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
  heard.push_back({'A', kind, window, wParam, lParam});
}

void ClientB(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
  heard.push_back({'B', kind, window, wParam, lParam});
}

void RemovesB(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
  heard.push_back({'R', kind, window, wParam, lParam});
  UninstallHookProc(ClientB);
}

void Raises(THookKind, HWND, WPARAM, LPARAM) {
  throw Exception("hook client failed");
}

std::string Clients() {
  std::string text;
  for (const Heard& entry : heard)
    text += entry.client;
  return text;
}

class HookManager : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();
  HWND window = form->Handle();

  void SetUp() override { heard.clear(); }
  // Sends one WM_ACTIVATEAPP to the form's window.
  void Activate() { SendMessageA(window, WM_ACTIVATEAPP, TRUE, 7); }
};

TEST_F(HookManager, ClientsAndHooksAreCounted) {
  InstallHookProc(ClientA, HookKinds({hkActivateApp}));
  InstallHookProc(ClientA, HookKinds({hkActivateApp}));
  InstallHookProc(ClientB, HookKinds({hkDestroyWindow, hkMouseMove}));
  UninstallHookProc(ClientA);
  EXPECT_TRUE(HookInstalledFor(hkActivateApp)) << "one use left";
  Activate();
  EXPECT_EQ(Clients(), "A");
  UninstallHookProc(ClientA);
  EXPECT_FALSE(HookInstalledFor(hkActivateApp));
  EXPECT_FALSE(HookInstalledFor(hkWindowPosChanged));
  EXPECT_TRUE(HookInstalledFor(hkDestroyWindow));
  Activate();
  EXPECT_EQ(Clients(), "A");
  UninstallHookProc(ClientB);
  UninstallHookProc(ClientB);
  EXPECT_FALSE(HookInstalledFor(hkDestroyWindow));
  EXPECT_FALSE(HookInstalledFor(hkMouseMove));
}

TEST_F(HookManager, EachKindArrivesWithItsMessage) {
  InstallHookProc(ClientA,
                  HookKinds({hkActivateApp, hkWindowPosChanged, hkDestroyWindow, hkMouseMove}));
  HWND plain =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Activate();
  SetWindowPos(window, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(plain, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(3, 4));
  MSG message;
  while (PeekMessageA(&message, plain, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
    ;
  DestroyWindow(plain);
  UninstallHookProc(ClientA);
  // Other windows may be heard too; each kind must have come for its window.
  auto find = [](THookKind kind, HWND target) -> const Heard* {
    for (const Heard& entry : heard)
      if (entry.kind == kind && entry.window == target)
        return &entry;
    return nullptr;
  };
  const struct {
    THookKind kind;
    HWND window;
    WPARAM wParam;
    LPARAM lParam;
  } expected[] = {{hkActivateApp, window, TRUE, 7},
                  {hkMouseMove, plain, MK_SHIFT, MAKELPARAM(3, 4)},
                  {hkDestroyWindow, plain, 0, 0}};
  for (const auto& e : expected) {
    const Heard* entry = find(e.kind, e.window);
    ASSERT_NE(entry, nullptr) << e.kind;
    EXPECT_EQ(entry->wParam, e.wParam) << e.kind;
    EXPECT_EQ(entry->lParam, e.lParam) << e.kind;
  }
  EXPECT_NE(find(hkWindowPosChanged, window), nullptr);
}

TEST_F(HookManager, AClientMayRemoveAnotherWhileTheyRun) {
  InstallHookProc(RemovesB, HookKinds({hkActivateApp}));
  InstallHookProc(ClientB, HookKinds({hkActivateApp}));
  InstallHookProc(ClientA, HookKinds({hkActivateApp}));
  Activate();
  EXPECT_EQ(Clients(), "RA") << "B went before its turn";
  UninstallHookProc(RemovesB);
  UninstallHookProc(ClientA);
  EXPECT_FALSE(HookInstalledFor(hkActivateApp));
}

TEST_F(HookManager, ARaisingClientIsReportedAndTheNextRuns) {
  auto* events = TComponent::Create<TApplicationEvents>(form.get());
  std::vector<std::string> reported;
  events->OnException = [&](TObject*, std::exception_ptr error) {
    reported.push_back(ExceptionMessage(error));
  };
  InstallHookProc(Raises, HookKinds({hkActivateApp}));
  InstallHookProc(ClientA, HookKinds({hkActivateApp}));
  Activate();
  EXPECT_EQ(reported, std::vector<std::string>{"hook client failed"});
  EXPECT_EQ(Clients(), "A");
  UninstallHookProc(Raises);
  UninstallHookProc(ClientA);
}

} // namespace
