// The plug-in call with the test plug-in library in the scratch user's PlugIn folder: through
// CallPlugInDll directly and through "$DllCall" in a user command.
#include "commands/PlugInCall.h"
#include "ViewText.h"
#include "app/MainWindowFixture.h"
#include "commands/UserCommand.h"
#include "core/CommandExpander.h"

#include <windows.h>

#include <string>

namespace {

using namespace quolin;
using namespace quolin::test_support;

constexpr char PlugIn[] = "TestPlugIn.dll";

class PlugInCall : public MainWindowFixture {
protected:
  TEditor* view = nullptr;

  void SetUp() override {
    ShowMainWindow();
    ASSERT_TRUE(CopyFileA((GetProgramFolder() + "testplugin\\" + PlugIn).c_str(),
                          (GetPlugInFolder(true) + PlugIn).c_str(), FALSE));
    ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
    view = ActiveDoc()->ActiveEditor;
  }

  bool Call(const std::string& function, const std::string& input, int size, std::string& output) {
    return CallPlugInDll(PlugIn, function, input, size, output);
  }
  std::string Body() const { return WithoutFinalLineEnd(view->Text()); }
  std::string Selected(const std::string& text) {
    view->SetText(text);
    view->SelectAll();
    return text;
  }
};

TEST_F(PlugInCall, UpperAndFail) {
  std::string output = "old";
  ASSERT_TRUE(Call("Upper", "abc表", 2048, output));
  EXPECT_EQ(output, "ABC表");
  output = "old";
  EXPECT_FALSE(Call("Fail", "abc", 2048, output));
  EXPECT_EQ(output, "old");
  EXPECT_TRUE(dialogs.calls.empty()) << "a zero result shows nothing";
}

TEST_F(PlugInCall, MissingLibraryAndFunctionAreShown) {
  std::string output;
  EXPECT_FALSE(CallPlugInDll("Missing.dll", "Upper", "a", 16, output));
  // Decorated names are not tried: the function is looked up by exactly its name.
  EXPECT_FALSE(Call("Upper@16", "a", 16, output));
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].text, "Dll の呼び出しに失敗しました.");
  EXPECT_EQ(dialogs.calls[1].text, "関数の呼び出しに失敗しました.");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtWarning));
}

TEST_F(PlugInCall, FullBufferIsNotReadPast) {
  std::string output;
  for (int size : {1, 7, 2048}) {
    ASSERT_TRUE(Call("Fill", "", size, output));
    EXPECT_EQ(output, std::string(static_cast<size_t>(size), 'x'));
  }
}

TEST_F(PlugInCall, SizesAreKeptInBounds) {
  struct Case {
    const char* size;
    size_t filled;
  } cases[] = {{"abc", 2048}, {"-5", 1}, {"0", 1}, {"3", 3}};
  for (const Case& c : cases) {
    Selected("in");
    ASSERT_TRUE(ExecuteUserCommand(std::string("$DllCall(TestPlugIn.dll,Fill,") + c.size + ")"))
        << c.size;
    EXPECT_EQ(Body().size(), c.filled) << c.size;
  }
  std::string output;
  ASSERT_TRUE(Call("Fill", "", 1000000000, output));
  EXPECT_EQ(output.size(), 16u * 1024 * 1024);
}

TEST_F(PlugInCall, CdeclFunctionLeavesTheCallerIntact) {
  std::string output;
  volatile int guard = 0x5A5A;
  for (int round = 0; round < 1000; ++round)
    ASSERT_TRUE(Call("CdeclUpper", "cdecl", 64, output));
  EXPECT_EQ(output, "CDECL");
  EXPECT_EQ(guard, 0x5A5A);
}

TEST_F(PlugInCall, OutputGoesInLiterally) {
  Selected("sel$S");
  ASSERT_TRUE(ExecuteUserCommand("[$DllCall(TestPlugIn.dll,Upper)]"));
  EXPECT_EQ(Body(), "[SEL$S]");
  EXPECT_EQ(view->SelLength(), 7);
  Selected("abc");
  ASSERT_TRUE(ExecuteUserCommand("<$DllCall(TestPlugIn.dll,Dollar)|$S>"));
  EXPECT_EQ(Body(), "<$S|abc>");
}

TEST_F(PlugInCall, FailureCancelsTheCommand) {
  ASSERT_TRUE(ExecuteUserCommand("kept"));
  Selected("abc");
  EXPECT_FALSE(ExecuteUserCommand("[$DllCall(TestPlugIn.dll,Fail)]"));
  EXPECT_FALSE(ExecuteUserCommand("[$DllCall(Missing.dll,Upper)]"));
  EXPECT_EQ(Body(), "abc");
  EXPECT_EQ(RepeatableCommand(), "kept");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "Dll の呼び出しに失敗しました.");
}

} // namespace
