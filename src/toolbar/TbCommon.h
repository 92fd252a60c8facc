// Shared pieces of the toolbar library: one reference-counted set of thread message hooks that
// any number of windows listen through, the application-active test, and the routines a window
// with a non-client area of its own needs to paint it: clipping to the update region and
// answering WM_PRINT.
#pragma once

#include "core/DockGeometry.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace quolin {

// What a hook client hears of: WM_ACTIVATEAPP and WM_WINDOWPOSCHANGED sent to a window of a
// control, a window of the thread about to be destroyed (wParam and lParam 0), WM_MOUSEMOVE
// taken from the queue.
enum THookKind : uint8_t { hkActivateApp, hkWindowPosChanged, hkDestroyWindow, hkMouseMove };
using THookKinds = uint8_t;

constexpr THookKinds HookKinds(std::initializer_list<THookKind> kinds) {
  THookKinds set = 0;
  for (THookKind kind : kinds)
    set = static_cast<THookKinds>(set | (1u << kind));
  return set;
}

// A plain function: clients are told apart by its address. A client may be told of one event
// more than once (WM_ACTIVATEAPP comes once per top-level window) and may install or remove
// clients, itself too, while it runs.
using THookProc = void (*)(THookKind kind, HWND window, WPARAM wParam, LPARAM lParam);

// A function already installed counts once more; each thread hook the kinds need counts one
// use more and is set for this thread when it had none.
void InstallHookProc(THookProc proc, THookKinds kinds);
// Counts the function and the hooks of its kinds one use less (not below 0), and removes a
// hook when no use is left. Every hook goes when the program ends.
void UninstallHookProc(THookProc proc);
// Whether the thread hook that serves kind is set.
bool HookInstalledFor(THookKind kind);

// True while a window of this thread is the active one.
bool ApplicationIsActive();

// Clips a window DC for WM_NCPAINT to the update region (screen coordinates; 0 and 1 mean the
// whole window), or to the window's rectangle when that region cannot be selected.
void SelectNCUpdateRgn(HWND window, HDC dc, HRGN region);

// Answers WM_NCPAINT: paint draws into the window's DC clipped to the update region.
void PaintNonClient(HWND window, HRGN updateRegion, const std::function<void(HDC dc)>& paint);

// Answers WM_NCCALCSIZE (its lParam) for a non-client area of those widths.
void ApplyNCInsets(LPARAM lParam, const DockInsets& insets);

// Answers WM_PRINT with its flags for a window that paints its own non-client area with
// paintNonClient (into a DC whose origin is the window's top-left). The client area is drawn by
// WM_ERASEBKGND and WM_PRINTCLIENT, the visible child windows and owned windows by their own
// WM_PRINT, each clipped to its rectangle.
void PrintWindowWithNC(HWND window, HDC dc, LPARAM flags,
                       const std::function<void(HDC dc)>& paintNonClient);

} // namespace quolin
