// The shell's clipboard formats as registered, the OLE key state, and the drag-and-drop
// objects forwarding to their handlers until detached or until a handler raised.
#include "shell/ShellDataItem.h"
#include "shell/ShellDropThunks.h"

#include "core/Exceptions.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

TEST(ShellDragDrop, FormatsAreRegisteredByName) {
  const std::pair<TShellClipFormat, const char*> names[] = {
      {TShellClipFormat::IDListArray, "Shell IDList Array"},
      {TShellClipFormat::ObjectOffsets, "Shell Object Offsets"},
      {TShellClipFormat::FileNameMap, "FileNameMap"},
      {TShellClipFormat::FileNameMapW, "FileNameMapW"},
      {TShellClipFormat::DropEffect, "Performed DropEffect"}};
  for (auto [format, name] : names) {
    char registered[64] = {};
    GetClipboardFormatNameA(ShellClipFormat(format), registered, sizeof registered);
    EXPECT_STREQ(registered, name);
  }
  EXPECT_EQ(ShellClipFormat(TShellClipFormat::HDrop), CF_HDROP);
  for (int i = 0; i < ShellClipFormatCount; ++i) {
    auto format = static_cast<TShellClipFormat>(i);
    FORMATETC etc = ShellFormatEtc(format);
    EXPECT_EQ(etc.cfFormat, ShellClipFormat(format));
    EXPECT_EQ(etc.ptd, nullptr);
    EXPECT_EQ(etc.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
    EXPECT_EQ(etc.lindex, -1);
    EXPECT_EQ(etc.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  }
}

TEST(ShellDragDrop, KeyStateBitsBecomeShiftStates) {
  const std::pair<DWORD, TShiftState> bits[] = {{MK_SHIFT, ssShift},   {MK_CONTROL, ssCtrl},
                                                {MK_ALT, ssAlt},       {MK_LBUTTON, ssLeft},
                                                {MK_RBUTTON, ssRight}, {MK_MBUTTON, ssMiddle}};
  DWORD all = 0;
  TShiftState allStates = 0;
  for (auto [bit, state] : bits) {
    EXPECT_EQ(KeyStateToShift(bit), state) << bit;
    all |= bit;
    allStates |= state;
  }
  EXPECT_EQ(KeyStateToShift(all), allStates);
  EXPECT_EQ(KeyStateToShift(MK_XBUTTON2), 0);
}

TEST(ShellDragDrop, SystemImageListsAndStyleBits) {
  HIMAGELIST large = GetSysImageList(true);
  HIMAGELIST small = GetSysImageList(false);
  EXPECT_TRUE(large && small && large != small);
  HWND window =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowStyleBit(window, WS_BORDER | WS_DISABLED, true);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_BORDER | WS_DISABLED), WS_BORDER | WS_DISABLED);
  SetWindowStyleBit(window, WS_DISABLED, false);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_BORDER | WS_DISABLED), WS_BORDER);
  DestroyWindow(window);
  SetWindowStyleBit(nullptr, WS_BORDER, true); // no window: nothing
}

// Records each call with its arguments; raises on the call named in raiseOn.
class RecordingHandler final : public TShellDropTargetHandler, public TShellDropSourceHandler {
public:
  std::vector<std::string> calls;
  std::string raiseOn;

  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override {
    return Record("DragEnter", data, keyState, point, effect);
  }
  HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override {
    return Record("DragOver", nullptr, keyState, point, effect);
  }
  HRESULT DragLeave() override { return Record("DragLeave", nullptr, 0, {}, nullptr); }
  HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override {
    return Record("Drop", data, keyState, point, effect);
  }
  HRESULT QueryContinueDrag(BOOL escape, DWORD keyState) override {
    return Record("QueryContinueDrag", nullptr, keyState, {escape, 0}, nullptr);
  }
  HRESULT GiveFeedback(DWORD effect) override {
    return Record("GiveFeedback", nullptr, effect, {}, nullptr);
  }

private:
  HRESULT Record(const std::string& name, IDataObject* data, DWORD keys, POINTL point,
                 DWORD* effect) {
    if (name == raiseOn)
      throw EInvalidOperation("raised in " + name);
    calls.push_back(name + (data ? " data " : " ") + std::to_string(keys) + " " +
                    std::to_string(point.x) + "," + std::to_string(point.y));
    if (effect)
      *effect = DROPEFFECT_LINK;
    return S_FALSE; // an answer of the handler's own
  }
};

TObject sender;
IDataObject* const someData = reinterpret_cast<IDataObject*>(&sender);

TEST(ShellDragDrop, ThunksForwardEachCallAndCountReferences) {
  RecordingHandler handler;
  TComPtr<TShellDropTarget> target = TShellDropTarget::Create(&sender, &handler);
  TComPtr<TShellDropSource> source = TShellDropSource::Create(&sender, &handler);
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->DragEnter(someData, MK_LBUTTON, {1, 2}, &effect), S_FALSE);
  EXPECT_EQ(target->DragOver(MK_RBUTTON, {3, 4}, &effect), S_FALSE);
  EXPECT_EQ(target->DragLeave(), S_FALSE);
  EXPECT_EQ(target->Drop(someData, MK_SHIFT, {5, 6}, &effect), S_FALSE);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_CONTROL), S_FALSE);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), S_FALSE);
  IDropTarget* asked = nullptr;
  IDropSource* wrong = nullptr;
  EXPECT_EQ(target->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&asked)), S_OK);
  EXPECT_EQ(target->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&wrong)),
            E_NOINTERFACE);
  EXPECT_EQ(asked, target.Get());
  EXPECT_EQ(target->AddRef(), 3u);
  EXPECT_EQ(target->Release(), 2u);
  EXPECT_EQ(asked->Release(), 1u) << "the holder's own is left";
  EXPECT_EQ(handler.calls,
            (std::vector<std::string>{"DragEnter data 1 1,2", "DragOver 2 3,4", "DragLeave 0 0,0",
                                      "Drop data 4 5,6", "QueryContinueDrag 8 1,0",
                                      "GiveFeedback 2 0,0"}));
}

// After a detach, or after the handler raised once, the control is never called again.
TEST(ShellDragDrop, ThunksAnswerForThemselvesOnceDetachedOrAfterARaise) {
  for (bool raise : {false, true}) {
    uitest::DialogRecorder reports;
    RecordingHandler handler;
    TComPtr<TShellDropTarget> target = TShellDropTarget::Create(&sender, &handler);
    TComPtr<TShellDropSource> source = TShellDropSource::Create(&sender, &handler);
    DWORD effect = DROPEFFECT_COPY;
    if (raise) {
      handler.raiseOn = "DragOver";
      EXPECT_EQ(target->DragOver(0, {}, &effect), E_UNEXPECTED);
      handler.raiseOn = "QueryContinueDrag";
      EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), DRAGDROP_S_CANCEL);
      ASSERT_EQ(reports.calls.size(), 2u) << "each raise reported once";
      EXPECT_EQ(reports.calls[0].text, "raised in DragOver");
    } else {
      target->Detach();
      source->Detach();
    }
    handler.raiseOn.clear();
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(someData, 0, {}, &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(target->DragOver(0, {}, &effect), E_UNEXPECTED);
    EXPECT_EQ(target->DragLeave(), E_UNEXPECTED);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(someData, 0, {}, &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(handler.calls.empty());
    EXPECT_EQ(reports.calls.size(), raise ? 2u : 0u);
  }
}

} // namespace
