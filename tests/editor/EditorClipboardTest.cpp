// Copy, cut and paste on the real clipboard, which all processes of the session share: plain
// and box copies, both pastes, the edit messages without a selection, and a second process
// that reads what a box copy left there.
#include "EditorWindow.h"
#include "SecondProcess.h"
#include "common/CodePage.h"
#include "common/MessageBoxes.h"
#include "common/TempFolder.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

using namespace quolin;
using namespace editortest;

namespace {

constexpr char kBoxFormatName[] = "TEditor Box Type";

// The clipboard is shared: another process may hold it for a moment.
bool OpenClipboardPatiently() {
  DWORD start = GetTickCount();
  while (!OpenClipboard(nullptr)) {
    if (GetTickCount() - start >= test_support::WaitLimitMs)
      return false;
    Sleep(10);
  }
  return true;
}

// The bytes of a clipboard format as stored (the block's whole size), or nothing when it is
// not there.
std::optional<std::string> ClipboardBytes(UINT format) {
  if (!OpenClipboardPatiently())
    return std::nullopt;
  std::optional<std::string> bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* block = static_cast<const char*>(GlobalLock(data))) {
      bytes = std::string(block, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

// Up to the first zero.
std::optional<std::string> ClipboardText() {
  std::optional<std::string> bytes = ClipboardBytes(CF_TEXT);
  if (bytes)
    bytes->resize(strnlen(bytes->c_str(), bytes->size()));
  return bytes;
}

UINT BoxFormat() {
  return RegisterClipboardFormatA(kBoxFormatName);
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char pair[3];
  for (unsigned char byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", byte);
    hex += pair;
  }
  return hex;
}

// The second process: writes each of the three formats as a line of hex into the file; exits
// with 1 when one of them is missing.
int WriteClipboardFormats(const std::string& fileName) {
  std::string lines;
  int missing = 0;
  for (UINT format : {static_cast<UINT>(CF_TEXT), BoxFormat(), static_cast<UINT>(CF_UNICODETEXT)}) {
    std::optional<std::string> bytes = ClipboardBytes(format);
    missing += bytes ? 0 : 1;
    lines += Hex(bytes.value_or("")) + "\n";
  }
  test_support::TempFolder::WriteFile(fileName, lines);
  return missing == 0 ? 0 : 1;
}

const SecondProcessMode kReadClipboard("read-clipboard", WriteClipboardFormats);

class EditorClipboard : public FocusedEditor {
protected:
  // A box from (row, col) over rows more rows and cols more columns.
  void SelectBox(int row, int col, int rows, int cols) {
    editor.SetSelectionMode(1);
    editor.SetRow(row);
    editor.SetCol(col);
    SendKeys(editor, VK_DOWN, ssShift, rows);
    SendKeys(editor, VK_RIGHT, ssShift, cols);
  }
  LRESULT Send(UINT message) { return SendMessageA(editor.Handle(), message, 0, 0); }
};

TEST_F(EditorClipboard, ANormalCopyIsPlainText) {
  editor.Lines().SetText("abc\r\ndef");
  editor.SetSelStart(1);
  editor.SetSelLength(5);
  editor.CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "bc\r\nd");
  EXPECT_FALSE(IsClipboardFormatAvailable(BoxFormat()));
  EXPECT_EQ(Text(), "abc\r\ndef\r\n");
}

TEST_F(EditorClipboard, ABoxCopyAddsTheBoxFormatAndPastesAsABlock) {
  editor.Lines().SetText("0123456789\r\nabcdefgh\r\nABCDEFGH\r\nwxyz");
  SelectBox(0, 2, 2, 3);
  ASSERT_EQ(editor.SelText(), "234\r\ncde\r\nCDE");
  editor.CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "234\r\ncde\r\nCDE");
  std::optional<std::string> box = ClipboardBytes(BoxFormat());
  ASSERT_TRUE(box.has_value());
  std::string expected = std::string("234\r\ncde\r\nCDE") + '\0';
  ASSERT_GE(box->size(), expected.size());
  EXPECT_EQ(box->substr(0, expected.size()), expected) << "the text and its terminating zero";

  // At column 10 of the 4-byte row the row is padded with 6 spaces; rows are added below.
  editor.RemoveSelection();
  editor.SetSelectionMode(0);
  editor.SetRow(3);
  editor.SetCol(10);
  editor.PasteFromClipboard();
  EXPECT_EQ(Text(), "0123456789\r\nabcdefgh\r\nABCDEFGH\r\nwxyz      234\r\n"
                    "          cde\r\n          CDE\r\n");
  EXPECT_EQ(editor.Row(), 5);
  EXPECT_EQ(editor.Col(), 13);
}

TEST_F(EditorClipboard, APlainPasteInsertsAStream) {
  editor.Lines().SetText("abc\r\ndef");
  ASSERT_TRUE(SetClipboardText("12\r\n3"));
  editor.SetCol(1);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), "a12\r\n3bc\r\ndef\r\n");
  EXPECT_EQ(editor.Row(), 1);
  EXPECT_EQ(editor.Col(), 1);

  // A selection is replaced; read-only pastes nothing.
  editor.SetSelStart(0);
  editor.SetSelLength(3);
  editor.PasteFromClipboard();
  EXPECT_EQ(Text(), "12\r\n3\r\n3bc\r\ndef\r\n");
  editor.SetReadOnly(true);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), "12\r\n3\r\n3bc\r\ndef\r\n");
}

TEST_F(EditorClipboard, CopyAndCutWithoutASelectionLeaveEmptyText) {
  editor.Lines().SetText("abc");
  ASSERT_TRUE(SetClipboardText("before"));
  Send(WM_COPY);
  EXPECT_EQ(ClipboardText(), "") << "present and empty";
  ASSERT_TRUE(SetClipboardText("before"));
  Send(WM_CUT);
  EXPECT_EQ(ClipboardText(), "");

  // A read-only cut copies nothing and removes nothing.
  editor.SetSelStart(0);
  editor.SetSelLength(2);
  editor.SetReadOnly(true);
  ASSERT_TRUE(SetClipboardText("before"));
  Send(WM_CUT);
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_EQ(Text(), "abc\r\n");
  Send(WM_COPY);
  EXPECT_EQ(ClipboardText(), "ab") << "copying is no change";
}

TEST_F(EditorClipboard, CutMovesTheSelectionToTheClipboard) {
  editor.Lines().SetText("abcdef");
  editor.SetSelStart(1);
  editor.SetSelLength(3);
  Send(WM_CUT);
  EXPECT_EQ(ClipboardText(), "bcd");
  EXPECT_EQ(Text(), "aef\r\n");
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(editor.Col(), 1);
  editor.SetCol(3);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), "aefbcd\r\n");
}

TEST_F(EditorClipboard, ASecondProcessReadsAllThreeFormats) {
  editor.Lines().SetText("漢字かな\r\nabcdef");
  SelectBox(0, 2, 1, 4);
  std::string text = editor.SelText();
  ASSERT_EQ(text, "字か\r\ncdef");
  editor.CopyToClipboard();

  test_support::TempFolder folder("clip");
  std::string file = folder / "formats.txt";
  ASSERT_EQ(RunSecondProcess("read-clipboard", file), 0u) << "every format was there";
  std::string lines = test_support::TempFolder::ReadFile(file);
  std::string wide;
  for (wchar_t unit : AnsiToWide(text)) {
    wide += static_cast<char>(unit & 0xFF);
    wide += static_cast<char>(unit >> 8);
  }
  size_t first = lines.find('\n');
  size_t second = lines.find('\n', first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(lines.substr(0, first).substr(0, 2 * (text.size() + 1)), Hex(text + '\0'));
  EXPECT_EQ(lines.substr(first + 1, second - first - 1).substr(0, 2 * (text.size() + 1)),
            Hex(text + '\0'));
  EXPECT_EQ(lines.substr(second + 1).substr(0, 2 * (wide.size() + 2)),
            Hex(wide + std::string(2, '\0')))
      << "the system's conversion of the plain text";
}

} // namespace
