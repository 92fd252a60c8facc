// Runs of the tool component as real child processes: the fake tools journal what they were
// given, write the files the test scripts, and wait for a file of the test when asked to.
#include "FakeTools.h"
#include "common/StringHelpers.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"
#include "texchain/TexCtrl.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using End = std::tuple<TModuleType, bool, std::string>;

constexpr char Written[] = "> Output written on doc.dvi (1 page, 248 bytes).\n";

class ChildProcessRun : public ::testing::Test {
protected:
  TempFolder temp;
  FakeTools tools{temp};
  uitest::DialogRecorder dialogs;
  // A program folder with a blank, a target in a Japanese-named folder.
  std::string programFolder = temp / "my tools\\";
  std::string folder = temp / "表ソ\\";
  std::string target = folder + "doc.tex";
  TOwned<TComponent> owner{TComponent::Create<TComponent>(nullptr)};
  TTexCtrl* ctrl = TComponent::Create<TTexCtrl>(owner.get());
  std::vector<End> ends;
  int fronts = 0;

  void SetUp() override {
    CreateDirectoryA(programFolder.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    TempFolder::WriteFile(target, "\\relax\r\n");
    ASSERT_TRUE(CopyFileA(FakeTools::Program("tex").c_str(),
                          (programFolder + "faketex.exe").c_str(), FALSE));
    ctrl->Module(mtTeX).ExeName = programFolder + "faketex.exe";
    ctrl->Module(mtBibTeX).ExeName = FakeTools::Program("bib");
    ctrl->Module(mtMakeIndex).ExeName = FakeTools::Program("idx");
    ctrl->TargetFile = target;
    ctrl->EditFileName = target;
    ctrl->OnEndProcess = [this](TModuleType type, bool succeeded, const std::string& reply) {
      ends.emplace_back(type, succeeded, reply);
    };
    ctrl->OnBringApplicationToFront = [this] { ++fronts; };
  }
  void TearDown() override { Release(); }

  // The slashed target without its extension, as command lines give it.
  std::string SlashedBase() const { return ReplaceAll(ChangeFileExt(target, ""), "\\", "/", true); }
  // Lets a tool that waits for its release file end.
  void Release() const { TempFolder::WriteFile(ChangeFileExt(target, ".release"), ""); }
  // Runs action inside the next wait for a tool.
  static void DuringTheWait(std::function<void()> action) { Application->Queue(std::move(action)); }
  bool RunSequence(TExeType exeType) {
    ctrl->ExeType = exeType;
    if (!ctrl->Execute())
      return false;
    return uitest::PumpUntil([&] { return !ctrl->Sequence().Running(); });
  }
};

TEST_F(ChildProcessRun, CommandLineAndFolderAsTheToolReceivesThem) {
  ctrl->Module(mtTeX).DosOption = " -interaction=nonstopmode %longfilename %file-q% ";
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}}));
  auto runs = tools.Journal();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].role, "tex");
  EXPECT_EQ(runs[0].commandLine, "\"" + programFolder + "faketex.exe\" -interaction=nonstopmode " +
                                     SlashedBase() + " " + SlashedBase() + ".tex");
  EXPECT_EQ(runs[0].folder, ExcludeTrailingPathDelimiter(folder));
  EXPECT_FALSE(ctrl->Activ());
  EXPECT_EQ(fronts, 1) << "a single TeX run brings the application to the front";
}

TEST_F(ChildProcessRun, ExitCodesAreTheReply) {
  tools.Script("tex 2 exit 3\n");
  ASSERT_TRUE(ctrl->Execute());
  ASSERT_TRUE(ctrl->Execute()) << "a failing tool still started";
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}, {mtTeX, false, "3"}}));
  EXPECT_EQ(fronts, 1);
}

TEST_F(ChildProcessRun, BlanksRefusedByTheSpaceMarkers) {
  target = temp / "my doc.tex";
  ctrl->TargetFile = target;
  ctrl->Module(mtTeX).DosOption = "%NoFileSpace %longfilename";
  EXPECT_FALSE(ctrl->Execute());
  ctrl->Module(mtTeX).DosOption = "%nospace %longfilename";
  EXPECT_FALSE(ctrl->Execute());
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].text, "ファイル名にスペースが含まれています.");
  EXPECT_EQ(dialogs.calls[1].text, "ファイルパスにスペースが含まれています.");
  EXPECT_EQ(dialogs.calls[1].type, static_cast<int>(TMsgDlgType::mtInformation));
  EXPECT_EQ(dialogs.calls[1].buttons, mbOK);
  EXPECT_EQ(dialogs.beeps, 2);
  EXPECT_TRUE(tools.Journal().empty()) << "nothing started";
  EXPECT_TRUE(ends.empty());

  // A blank in the folder only passes "%nofilespace"; without blanks both markers go.
  target = programFolder + "doc.tex";
  ctrl->TargetFile = target;
  ctrl->Module(mtTeX).DosOption = "%NOFILESPACE%longfilename";
  ASSERT_TRUE(ctrl->Execute());
  ctrl->TargetFile = temp / "表ソ\\doc.tex";
  ctrl->Module(mtTeX).DosOption = "a%NoSpace%NOFILESPACEb";
  ASSERT_TRUE(ctrl->Execute());
  auto runs = tools.Journal();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_TRUE(runs[0].commandLine.ends_with("my tools/doc"));
  EXPECT_TRUE(runs[1].commandLine.ends_with("faketex.exe\" ab"));
}

TEST_F(ChildProcessRun, AnEmptyTemplateBecomesTheLongFileName) {
  ctrl->Module(mtTeX).DosOption = "  ";
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_EQ(ctrl->Module(mtTeX).DosOption, "%longfilename") << "kept";
  auto runs = tools.Journal();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(runs[0].commandLine.ends_with("faketex.exe\" " + SlashedBase()));
}

TEST_F(ChildProcessRun, WithoutCallBackNothingIsWaitedForOrReported) {
  ctrl->Module(mtTeX).DosCallBack = false;
  tools.Script("tex 1 wait .release\n");
  EXPECT_TRUE(ctrl->Execute());
  EXPECT_FALSE(ctrl->Activ());
  EXPECT_TRUE(tools.WaitForRuns(1)) << "the tool runs on";
  EXPECT_TRUE(ends.empty());
  EXPECT_EQ(fronts, 0);
}

TEST_F(ChildProcessRun, NoProgramNoRun) {
  ctrl->Module(mtTeX).ExeName = " ";
  EXPECT_FALSE(ctrl->Execute());
  ctrl->Module(mtTeX).ExeName = temp / "missing.exe";
  EXPECT_FALSE(ctrl->Execute());
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(dialogs.calls.empty()) << "no message";
}

TEST_F(ChildProcessRun, AutoDdeCheckRunsAProgramWithoutVersionResourceAsAChildProcess) {
  ctrl->AutoDDECheck = true;
  ctrl->Module(mtTeX).UseDDE = true;
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_FALSE(ctrl->Module(mtTeX).UseDDE);
  EXPECT_EQ(tools.Journal().size(), 1u);

  // A program with a version resource is run by DDE, which fails for now.
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  ctrl->Module(mtTeX).ExeName = std::string(system) + "\\kernel32.dll";
  EXPECT_FALSE(ctrl->Execute());
  EXPECT_TRUE(ctrl->Module(mtTeX).UseDDE);
  EXPECT_EQ(ends.back(), (End{mtTeX, false, "DDE Error"}));
}

TEST_F(ChildProcessRun, SequenceWithBibliographyRunsTeXBibTeXTeXTeX) {
  tools.Script(std::string("tex * write .aux\n> \\bibdata{refs}\n> \\citation{a}\n"
                           "tex 1 write .log\n> LaTeX Warning: Citation `a' undefined.\n") +
               Written +
               "tex 2 write .log\n"
               "> LaTeX Warning: Label(s) may have changed. Rerun to get cross-references "
               "right.\n" +
               Written + "tex 3 write .log\n" + Written + "bib * write .bbl\n> \\relax\n");
  ASSERT_TRUE(RunSequence(etAuto));
  EXPECT_EQ(tools.Roles(), (std::vector<std::string>{"tex", "bib", "tex", "tex"}));
  EXPECT_EQ(ends.size(), 4u);
  EXPECT_EQ(std::get<TModuleType>(ends[1]), mtBibTeX);
  EXPECT_EQ(fronts, 1) << "at the end";
}

TEST_F(ChildProcessRun, SequenceWithContentsAndIndexRunsTeXTeXMakeIndexTeX) {
  tools.Script(std::string("tex * write .toc\n> \\contentsline {section}{A}{1}\n"
                           "tex * write .idx\n> \\indexentry{a}{1}\n"
                           "tex * write .log\n") +
               Written + "idx * write .ind\n> \\item a, 1\n");
  ASSERT_TRUE(RunSequence(etAuto));
  EXPECT_EQ(tools.Roles(), (std::vector<std::string>{"tex", "tex", "idx", "tex"}));
  EXPECT_FALSE(FileExists(ChangeFileExt(target, ".t~c"))) << "backups removed";
}

TEST_F(ChildProcessRun, ASecondExecuteIsRefusedWhileTheToolRuns) {
  tools.Script("tex 1 wait .release\n");
  bool second = true, activ = false;
  DuringTheWait([&] {
    activ = ctrl->Activ();
    second = ctrl->Execute();
    Release();
  });
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_TRUE(activ);
  EXPECT_FALSE(second);
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}})) << "one report";
  EXPECT_EQ(tools.Journal().size(), 1u);
}

TEST_F(ChildProcessRun, StopEndsTheWaitWithoutReport) {
  tools.Script("tex 1 wait .release\n");
  DuringTheWait([&] { ctrl->Stop(); });
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_FALSE(ctrl->Activ());
  EXPECT_TRUE(ends.empty());
  EXPECT_FALSE(FileExists(ChangeFileExt(target, ".release"))) << "the tool still waits";
  // Stop also ends a sequence between its runs.
  ctrl->ExeType = etAuto;
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_TRUE(ctrl->Sequence().Running());
  ctrl->Stop();
  EXPECT_FALSE(ctrl->Sequence().Running());
}

TEST_F(ChildProcessRun, QuitEndsTheWaitWithoutReport) {
  tools.Script("tex 1 wait .release\n");
  DuringTheWait([] { PostQuitMessage(0); });
  ASSERT_TRUE(ctrl->Execute());
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(ctrl->Activ());
  EXPECT_TRUE(ends.empty());
  // The message loop takes the quit and starts afresh.
  PostQuitMessage(0);
  Application->Run();
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(ChildProcessRun, AnOwnerFreedDuringTheWaitEndsItUntouched) {
  tools.Script("tex 1 wait .release\n");
  DuringTheWait([&] { owner.reset(); });
  EXPECT_TRUE(ctrl->Execute());
  EXPECT_TRUE(ends.empty());
}

} // namespace
