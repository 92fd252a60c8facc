// Copy, cut and paste on the real clipboard, which all processes of the session share: plain
// and box copies, both pastes, the edit messages without a selection, and a second process
// that reads what a box copy left there.
#include "EditorWindow.h"
#include "SecondProcess.h"
#include "common/CodePage.h"
#include "common/TempFolder.h"
#include "ui/Clipboard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

using namespace quolin;
using namespace editortest;

namespace {

constexpr char kBoxFormatName[] = "TEditor Box Type";

using uitest::ClipboardBytes;
using uitest::ClipboardText;

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

using EditorClipboard = FocusedEditor;

TEST_F(EditorClipboard, ANormalCopyIsPlainTextAndCutMovesIt) {
  editor.Lines().SetText("abc\r\ndef");
  Select(editor, 1, 5);
  editor.CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "bc\r\nd");
  EXPECT_FALSE(IsClipboardFormatAvailable(BoxFormat()));
  EXPECT_EQ(Text(), "abc\r\ndef\r\n");

  Select(editor, 1, 2);
  Send(WM_CUT);
  EXPECT_EQ(ClipboardText(), "bc");
  EXPECT_EQ(Text(), "a\r\ndef\r\n");
  EXPECT_FALSE(editor.Selected());
  EXPECT_EQ(editor.Col(), 1);
  editor.SetRowCol(1, 3);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), "a\r\ndefbc\r\n");
}

TEST_F(EditorClipboard, ABoxCopyAddsTheBoxFormatAndPastesAsABlock) {
  editor.Lines().SetText("0123456789\r\nabcdefgh\r\nABCDEFGH\r\nwxyz");
  SelectBox(editor, 0, 2, 2, 3);
  ASSERT_EQ(editor.SelText(), "234\r\ncde\r\nCDE");
  editor.CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "234\r\ncde\r\nCDE");
  std::string expected = std::string("234\r\ncde\r\nCDE") + '\0';
  EXPECT_EQ(ClipboardBytes(BoxFormat()).value_or("").substr(0, expected.size()), expected)
      << "the text and its terminating zero";

  // At column 10 of the 4-byte row the row is padded with 6 spaces; rows are added below.
  editor.RemoveSelection();
  editor.SetSelectionMode(0);
  editor.SetRowCol(3, 10);
  editor.PasteFromClipboard();
  EXPECT_EQ(Text(), "0123456789\r\nabcdefgh\r\nABCDEFGH\r\nwxyz      234\r\n"
                    "          cde\r\n          CDE\r\n");
  EXPECT_EQ(CaretAt(editor), std::pair(5, 13));
}

TEST_F(EditorClipboard, APlainPasteInsertsAStream) {
  editor.Lines().SetText("abc\r\ndef");
  ASSERT_TRUE(SetClipboardText("12\r\n3"));
  editor.SetCol(1);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), "a12\r\n3bc\r\ndef\r\n");
  EXPECT_EQ(CaretAt(editor), std::pair(1, 1));

  // A selection is replaced; read-only pastes nothing.
  Select(editor, 0, 3);
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
  Select(editor, 0, 2);
  editor.SetReadOnly(true);
  ASSERT_TRUE(SetClipboardText("before"));
  Send(WM_CUT);
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_EQ(Text(), "abc\r\n");
  Send(WM_COPY);
  EXPECT_EQ(ClipboardText(), "ab") << "copying is no change";
}

TEST_F(EditorClipboard, ASecondProcessReadsAllThreeFormats) {
  editor.Lines().SetText("漢字かな\r\nabcdef");
  SelectBox(editor, 0, 2, 1, 4);
  std::string text = editor.SelText();
  ASSERT_EQ(text, "字か\r\ncdef");
  editor.CopyToClipboard();

  test_support::TempFolder folder("clip");
  std::string file = folder / "formats.txt";
  ASSERT_EQ(RunSecondProcess("read-clipboard", file), 0u) << "every format was there";
  std::istringstream lines(test_support::TempFolder::ReadFile(file));
  std::vector<std::string> formats;
  for (std::string line; std::getline(lines, line);)
    formats.push_back(line);
  ASSERT_EQ(formats.size(), 3u);
  std::string plain = Hex(text + '\0');
  EXPECT_EQ(formats[0].substr(0, plain.size()), plain);
  EXPECT_EQ(formats[1].substr(0, plain.size()), plain);
  std::wstring units = AnsiToWide(text) + L'\0';
  std::string wide =
      Hex(std::string(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(wchar_t)));
  EXPECT_EQ(formats[2].substr(0, wide.size()), wide) << "the system's conversion of the plain text";
}

} // namespace
