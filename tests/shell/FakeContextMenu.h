// A shell context menu that answers as a case sets: the commands and verbs of Windows or of
// Wine, or none, at places the case gives; it records what was invoked. It lives on the stack:
// references are not counted.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quolin::test_support {

class FakeContextMenu final : public IContextMenu3 {
public:
  struct Command {
    std::string caption;
    std::string verb; // empty: the menu names no verb for it
    bool wideOnly = false;
    bool fillsBuffer = false; // writes the whole buffer without a terminator
    std::string help;         // GCS_HELPTEXTA's answer; empty: none
  };

  // Commands by their offset from the first identifier.
  std::map<UINT, Command> commands;
  std::vector<UINT> invoked;
  std::vector<HWND> invokedFor;
  HRESULT invokeAnswer = S_OK;
  // What a command does when invoked, by its offset.
  std::function<void(UINT offset)> onInvoke;
  UINT lastFlags = 0;

  // Windows' places of the four commands the controls follow up, and copy.
  static FakeContextMenu Windows() {
    FakeContextMenu menu;
    menu.commands = {{16, {"ショートカットの作成(&S)", "link"}},
                     {17, {"削除(&D)", "delete"}},
                     {18, {"名前の変更(&M)", "rename"}},
                     {24, {"切り取り(&T)", "cut"}},
                     {25, {"コピー(&C)", "copy"}}};
    return menu;
  }
  // Wine's: delete, cut and copy as Windows, rename and link elsewhere.
  static FakeContextMenu Wine() {
    FakeContextMenu menu = Windows();
    menu.commands.erase(16);
    menu.commands.erase(18);
    menu.commands[80] = {"名前の変更(&R)", "rename"};
    menu.commands[81] = {"ショートカットの作成(&L)", "link"};
    return menu;
  }

  HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT position, UINT first, UINT last,
                                             UINT flags) override {
    lastFlags = flags;
    UINT highest = 0;
    for (const auto& [offset, command] : commands) {
      if (first + offset > last)
        continue;
      InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING, first + offset,
                  command.caption.c_str());
      highest = offset + 1;
    }
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, highest);
  }
  HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
    invoked.push_back(LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)));
    invokedFor.push_back(info->hwnd);
    if (onInvoke)
      onInvoke(invoked.back());
    return invokeAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT kind, UINT*, LPSTR buffer,
                                             UINT size) override {
    auto found = commands.find(static_cast<UINT>(offset));
    if (found == commands.end() || found->second.verb.empty())
      return E_INVALIDARG;
    const Command& command = found->second;
    if (kind == GCS_VERBA && !command.wideOnly) {
      if (command.fillsBuffer)
        std::memset(buffer, command.verb[0], size);
      else
        lstrcpynA(buffer, command.verb.c_str(), static_cast<int>(size));
      return S_OK;
    }
    if (kind == GCS_HELPTEXTA && !command.help.empty()) {
      if (command.fillsBuffer)
        std::memset(buffer, command.help[0], size);
      else
        lstrcpynA(buffer, command.help.c_str(), static_cast<int>(size));
      return S_OK;
    }
    if (kind == GCS_VERBW && command.wideOnly) {
      std::wstring wide(command.verb.begin(), command.verb.end());
      lstrcpynW(reinterpret_cast<LPWSTR>(buffer), wide.c_str(), static_cast<int>(size));
      return S_OK;
    }
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE HandleMenuMsg(UINT, WPARAM, LPARAM) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE HandleMenuMsg2(UINT, WPARAM, LPARAM, LRESULT* result) override {
    if (result)
      *result = 0;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IContextMenu) ||
        IsEqualIID(iid, IID_IContextMenu2) || IsEqualIID(iid, IID_IContextMenu3))
      *object = static_cast<IContextMenu3*>(this);
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

} // namespace quolin::test_support
