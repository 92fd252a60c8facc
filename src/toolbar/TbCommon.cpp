#include "toolbar/TbCommon.h"

#include "ui/Application.h"
#include "ui/Control.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quolin {

namespace {

struct HookClient {
  THookProc proc;
  int count;
  THookKinds kinds;
};

void TapSentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);

// The sent messages the clients hear of come to windows of the control layer, so its message
// tap serves them; a thread hook on sent messages would cost every message round trips.
constexpr int SentMessageTap = -1;

struct HookSlot {
  int type;
  HOOKPROC proc;
  int uses = 0;
  HHOOK hook = nullptr;
  bool tapped = false;

  bool Installed() const { return hook || tapped; }
};

// The slots serve kinds 0 and 1, kind 2 and kind 3.
int SlotOf(THookKind kind) {
  constexpr int slots[] = {0, 0, 1, 2};
  return slots[kind];
}

struct HookManager {
  HookSlot slots[3] = {
      {SentMessageTap, nullptr}, {WH_CBT, CbtHook}, {WH_GETMESSAGE, GetMessageHook}};
  // Shared so that a dispatch in progress keeps a removed record readable.
  std::vector<std::shared_ptr<HookClient>> clients;

  HookManager() = default;
  HookManager(const HookManager&) = delete;
  HookManager& operator=(const HookManager&) = delete;
  ~HookManager() {
    for (HookSlot& slot : slots)
      if (slot.hook)
        UnhookWindowsHookEx(slot.hook);
  }

  // Applies delta to the use count of each slot that kinds need (once per slot).
  void ChangeUses(THookKinds kinds, int delta) {
    bool needed[3] = {};
    for (int kind = hkActivateApp; kind <= hkMouseMove; ++kind)
      if (kinds & (1u << kind))
        needed[SlotOf(static_cast<THookKind>(kind))] = true;
    for (int i = 0; i < 3; ++i)
      if (needed[i])
        ChangeSlot(slots[i], delta);
  }

  static void ChangeSlot(HookSlot& slot, int delta) {
    slot.uses = std::max(0, slot.uses + delta);
    if (slot.uses > 0 && !slot.Installed())
      Install(slot);
    else if (slot.uses == 0 && slot.Installed())
      Remove(slot);
  }

  static void Install(HookSlot& slot) {
    if (slot.type == SentMessageTap) {
      TControl::SetMessageTap(TapSentMessage);
      slot.tapped = true;
      return;
    }
    slot.hook = SetWindowsHookExA(slot.type, slot.proc, nullptr, GetCurrentThreadId());
  }

  static void Remove(HookSlot& slot) {
    if (slot.tapped) {
      TControl::SetMessageTap(nullptr);
      slot.tapped = false;
      return;
    }
    UnhookWindowsHookEx(slot.hook);
    slot.hook = nullptr;
  }

  // Walks a copy: a client may install or remove others, or itself, meanwhile.
  void Dispatch(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam) const {
    std::vector<std::shared_ptr<HookClient>> list = clients;
    for (const auto& client : list)
      if (client->count > 0 && (client->kinds & (1u << kind)))
        Guard(nullptr, [&] { client->proc(kind, window, wParam, lParam); });
  }
};

HookManager& Manager() {
  static HookManager manager;
  return manager;
}

void DispatchFromHook(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
  Guard(nullptr, [&] { Manager().Dispatch(kind, window, wParam, lParam); });
}

void TapSentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATEAPP)
    DispatchFromHook(hkActivateApp, window, wParam, lParam);
  else if (message == WM_WINDOWPOSCHANGED)
    DispatchFromHook(hkWindowPosChanged, window, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND)
    DispatchFromHook(hkDestroyWindow, reinterpret_cast<HWND>(wParam), 0, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message->message == WM_MOUSEMOVE)
      DispatchFromHook(hkMouseMove, message->hwnd, message->wParam, message->lParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// WM_PRINT of another window into dc, with its top-left at (x, y) and clipped to it.
void PrintInto(HWND window, HDC dc, int x, int y) {
  RECT rect;
  GetWindowRect(window, &rect);
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
  SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(dc),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  RestoreDC(dc, saved);
}

// Bottom of the z-order first, so that the windows on top are drawn last.
void PrintChildren(HWND window, HDC dc) {
  HWND first = GetWindow(window, GW_CHILD);
  for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child;
       child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child))
      continue;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    PrintInto(child, dc, rect.left, rect.top);
  }
}

struct OwnedSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<OwnedSearch*>(context);
  if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window))
    search->found.push_back(window);
  return TRUE;
}

void PrintOwned(HWND window, HDC dc) {
  OwnedSearch search{window, {}};
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectOwned,
                    reinterpret_cast<LPARAM>(&search));
  RECT own;
  GetWindowRect(window, &own);
  for (HWND owned : search.found) {
    RECT rect;
    GetWindowRect(owned, &rect);
    PrintInto(owned, dc, rect.left - own.left, rect.top - own.top);
  }
}

} // namespace

void InstallHookProc(THookProc proc, THookKinds kinds) {
  HookManager& manager = Manager();
  auto found = std::find_if(manager.clients.begin(), manager.clients.end(),
                            [proc](const auto& client) { return client->proc == proc; });
  if (found != manager.clients.end())
    ++(*found)->count;
  else
    manager.clients.push_back(std::make_shared<HookClient>(HookClient{proc, 1, kinds}));
  manager.ChangeUses(kinds, +1);
}

void UninstallHookProc(THookProc proc) {
  HookManager& manager = Manager();
  auto found = std::find_if(manager.clients.begin(), manager.clients.end(),
                            [proc](const auto& client) { return client->proc == proc; });
  if (found == manager.clients.end())
    return;
  std::shared_ptr<HookClient> client = *found;
  if (--client->count == 0)
    manager.clients.erase(found);
  manager.ChangeUses(client->kinds, -1);
}

bool HookInstalledFor(THookKind kind) {
  return Manager().slots[SlotOf(kind)].Installed();
}

bool ApplicationIsActive() {
  return GetActiveWindow() != nullptr;
}

void SelectNCUpdateRgn(HWND window, HDC dc, HRGN region) {
  if (reinterpret_cast<UINT_PTR>(region) <= 1)
    return;
  RECT rect;
  GetWindowRect(window, &rect);
  if (SelectClipRgn(dc, region) == ERROR) {
    HRGN whole = CreateRectRgnIndirect(&rect);
    SelectClipRgn(dc, whole);
    DeleteObject(whole);
  }
  OffsetClipRgn(dc, -rect.left, -rect.top);
}

void PaintNonClient(HWND window, HRGN updateRegion, const std::function<void(HDC dc)>& paint) {
  struct WindowDC {
    HWND window;
    HDC dc;
    ~WindowDC() { ReleaseDC(window, dc); }
  } dc{window, GetWindowDC(window)};
  SelectNCUpdateRgn(window, dc.dc, updateRegion);
  paint(dc.dc);
}

void ApplyNCInsets(LPARAM lParam, const DockInsets& insets) {
  // Both forms of the message start with the rectangle to shrink.
  RECT* rect = reinterpret_cast<RECT*>(lParam);
  rect->left += insets.left;
  rect->top += insets.top;
  rect->right = std::max(rect->left, rect->right - insets.right);
  rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
}

void PrintWindowWithNC(HWND window, HDC dc, LPARAM flags,
                       const std::function<void(HDC dc)>& paintNonClient) {
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window))
    return;
  int saved = SaveDC(dc);
  if (flags & PRF_NONCLIENT)
    paintNonClient(dc);
  RECT windowRect;
  GetWindowRect(window, &windowRect);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetViewportOrgEx(dc, origin.x - windowRect.left, origin.y - windowRect.top, nullptr);
  RECT client;
  GetClientRect(window, &client);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  if (flags & PRF_ERASEBKGND)
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT)
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN)
    PrintChildren(window, dc);
  RestoreDC(dc, saved);
  if (flags & PRF_OWNED)
    PrintOwned(window, dc);
}

} // namespace quolin
