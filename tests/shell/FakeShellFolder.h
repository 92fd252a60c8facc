// What the shell tests share: item-ID lists of paths and special folders, shell data objects,
// volume notices, and a shell folder
// that answers as a case sets, for the answers the real shell never gives: odd comparison
// results and display-name kinds, and the icon and overlay interfaces that Wine's folders lack.
#pragma once

#include "shell/ShellDataItem.h"
#include "shell/ShellIDFunc.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>
#include <shlobj.h>

#include <cstring>
#include <string>

namespace quolin::test_support {

inline TOwnedIDList ListOf(const std::string& path) {
  TOwnedIDList list;
  EXPECT_TRUE(PathToIDList(path, list.Out())) << path;
  return list;
}

inline TOwnedIDList SpecialFolder(int index) {
  TOwnedIDList list;
  EXPECT_TRUE(GetSpecialFolderIDList(index, list.Out())) << index;
  return list;
}

// A data object of the shell for one item of a folder.
inline TComPtr<IDataObject> ShellData(const std::string& folder, const std::string& name) {
  TComPtr<IShellFolder> shell;
  TOwnedIDList list = ListOf(folder);
  EXPECT_TRUE(BindShellFolder(list.Get(), shell));
  std::wstring wide(name.begin(), name.end());
  LPITEMIDLIST relative = nullptr;
  shell->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &relative, nullptr);
  TOwnedIDList owned(relative);
  LPCITEMIDLIST items[] = {owned.Get()};
  TComPtr<IDataObject> data;
  EXPECT_HRESULT_SUCCEEDED(
      shell->GetUIObjectOf(nullptr, 1, items, IID_IDataObject, nullptr, data.OutVoid()));
  return data;
}

// The header of a volume's device notice.
inline DEV_BROADCAST_VOLUME Volume(DWORD units, WORD flags, DWORD type = DBT_DEVTYP_VOLUME) {
  DEV_BROADCAST_VOLUME volume = {};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = type;
  volume.dbcv_unitmask = units;
  volume.dbcv_flags = flags;
  return volume;
}

// It lives on the stack: references are not counted.

class FakeShellFolder final : public IShellFolder, public IShellIcon, public IShellIconOverlay {
public:
  // ソ and 表 both end in the byte of "\".
  static constexpr char kName[] = "ソ表";
  static constexpr wchar_t kWideName[] = L"\u30BD\u8868";

  HRESULT compareAnswer = S_OK;
  HRESULT nameAnswer = S_OK;
  UINT nameKind = STRRET_WSTR;
  UINT nameOffset = 0;
  ULONG attributes = 0;
  // Offered interfaces and their answers.
  bool offersIcon = false;
  HRESULT iconAnswer = S_OK;
  int icon = 0;
  bool offersOverlay = false;
  HRESULT overlayAnswer = S_OK;
  int overlay = 0;

  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override {
    return compareAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST, SHGDNF, STRRET* name) override {
    *name = {};
    name->uType = nameKind;
    if (nameKind == STRRET_WSTR) {
      name->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kWideName));
      std::memcpy(name->pOleStr, kWideName, sizeof kWideName);
    } else if (nameKind == STRRET_OFFSET) {
      name->uOffset = nameOffset;
    } else if (nameKind == STRRET_CSTR) {
      std::memcpy(name->cStr, kName, sizeof kName);
    }
    return nameAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF* asked) override {
    *asked &= attributes;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIconOf(LPCITEMIDLIST, UINT flags, int* index) override {
    *index = flags == GIL_FORSHELL ? icon : -100;
    return iconAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetOverlayIndex(LPCITEMIDLIST, int* index) override {
    *index = overlay;
    return overlayAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetOverlayIconIndex(LPCITEMIDLIST, int*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IShellFolder) || IsEqualIID(iid, IID_IUnknown))
      *object = static_cast<IShellFolder*>(this);
    else if (offersIcon && IsEqualIID(iid, IID_IShellIcon))
      *object = static_cast<IShellIcon*>(this);
    else if (offersOverlay && IsEqualIID(iid, IID_IShellIconOverlay))
      *object = static_cast<IShellIconOverlay*>(this);
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, LPITEMIDLIST*,
                                             ULONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*,
                                          void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND, LPCITEMIDLIST, LPCWSTR, SHGDNF,
                                      LPITEMIDLIST*) override {
    return E_NOTIMPL;
  }
};

} // namespace quolin::test_support
