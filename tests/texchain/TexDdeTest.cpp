// Runs of the tool component by DDE conversation with a real DDE tool in a second process
// (ddepeer), and closing the tools by DDE macro and by window title.
#include "DdePeer.h"
#include "FakeTools.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"
#include "texchain/TexCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using End = std::tuple<TModuleType, bool, std::string>;
using Lines = std::vector<std::string>;

class TexDdeRuns : public ::testing::Test {
protected:
  TempFolder temp;
  std::string target = temp / "doc.tex";
  std::string base = ChangeFileExt(target, "");
  TOwned<TComponent> owner{TComponent::Create<TComponent>(nullptr)};
  TTexCtrl* ctrl = TComponent::Create<TTexCtrl>(owner.get());
  std::vector<End> ends;

  void SetUp() override {
    TempFolder::WriteFile(target, "\\relax\r\n");
    ctrl->TargetFile = target;
    ctrl->EditFileName = target;
    ctrl->OnEndProcess = [this](TModuleType type, bool succeeded, const std::string& reply) {
      ends.emplace_back(type, succeeded, reply);
    };
    for (TModule& module : ctrl->Modules())
      module.UseDDE = true;
  }

  bool Run(TExeType exeType) {
    ctrl->ExeType = exeType;
    return ctrl->Execute();
  }
  bool WaitForEnds(size_t count) {
    return uitest::PumpUntil([&] { return ends.size() >= count; });
  }
  static bool WaitFor(const DdePeer& peer, const std::string& line) {
    return uitest::PumpUntil([&] { return peer.Journalled(line); });
  }
};

class TexDde : public TexDdeRuns {};
class TexDdeClosing : public TexDdeRuns {};

TEST_F(TexDde, TeXWithTheDefaultTemplatesEndsOnTheAdviseReply) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "OK"}, {"delay", "500"}});
  ASSERT_TRUE(tex.Start());
  ASSERT_TRUE(Run(etTeX));
  EXPECT_TRUE(ctrl->Activ()) << "until the reply";
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "OK"}}));
  EXPECT_FALSE(ctrl->Activ());
  ASSERT_TRUE(WaitFor(tex, "disconnect"));
  EXPECT_EQ(tex.Journal(), (Lines{"registered", "connect bwpvtex", "advstart advise",
                                  "execute [virtex(" + base + ", -1)]", "advstop advise",
                                  "disconnect"}))
      << "the advise loop stopped on its item";
}

TEST_F(TexDde, BibTeXRepliesOnItsStatusItem) {
  {
    DdePeer bib(temp, {{"service", "JBibTeX"}, {"reply", "IOK"}});
    ASSERT_TRUE(bib.Start());
    ASSERT_TRUE(Run(etBibTeX));
    ASSERT_TRUE(WaitForEnds(1));
    EXPECT_EQ(ends, (std::vector<End>{{mtBibTeX, true, "IOK"}}));
    EXPECT_TRUE(bib.Journalled("advstart status"));
    EXPECT_TRUE(bib.Journalled("execute [JBibTeX(" + base + ".aux)]"));
    ASSERT_TRUE(bib.Close());
  }
  // In the sequence a failure reply ends it: no TeX after BibTeX.
  FakeTools tools(temp);
  ctrl->Module(mtTeX).UseDDE = false;
  ctrl->Module(mtTeX).ExeName = FakeTools::Program("tex");
  tools.Script("tex * write .aux\n> \\bibdata{refs}\n> \\citation{a}\n"
               "tex * write .log\n> Output written on doc.dvi (1 page, 248 bytes).\n");
  DdePeer bib(temp, {{"service", "JBibTeX"}, {"reply", "ERROR"}, {"journal", temp / "bib2"}});
  ASSERT_TRUE(bib.Start());
  ends.clear();
  ASSERT_TRUE(Run(etAuto));
  ASSERT_TRUE(uitest::PumpUntil([&] { return !ctrl->Sequence().Running(); }));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}, {mtBibTeX, false, "ERROR"}}));
  EXPECT_EQ(tools.Roles(), Lines{"tex"});
}

TEST_F(TexDde, AReplyInsideTheExecuteCountsOnce) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "0"}, {"mode", "inside"}});
  ASSERT_TRUE(tex.Start());
  ASSERT_TRUE(Run(etTeX));
  ASSERT_TRUE(WaitForEnds(1));
  // The second run is the marker: a late failure of the first would come before its end.
  ASSERT_TRUE(Run(etTeX));
  ASSERT_TRUE(WaitForEnds(2));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}, {mtTeX, true, "0"}}));
}

TEST_F(TexDde, AToolThatNeverRepliesKeepsTheRunUntilStop) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"mode", "never"}});
  ASSERT_TRUE(tex.Start());
  ASSERT_TRUE(Run(etTeX));
  ASSERT_TRUE(WaitFor(tex, "execute [virtex(" + base + ", -1)]"));
  uitest::Pump();
  EXPECT_TRUE(ctrl->Activ());
  EXPECT_FALSE(Run(etTeX)) << "one run at a time";
  ctrl->Stop();
  EXPECT_FALSE(ctrl->Activ());
  ASSERT_TRUE(WaitFor(tex, "disconnect")) << "Stop ended the conversation";
  uitest::Pump();
  EXPECT_TRUE(ends.empty());
  EXPECT_EQ(tex.Journal().size(), 5u) << "the refused run never connected";
}

TEST_F(TexDde, NoToolAndNoNamesFailWithDdeError) {
  ctrl->Module(mtTeX).DdeService = "QuolinNoSuchTool";
  EXPECT_FALSE(Run(etTeX));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, false, "DDE Error"}}));

  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "OK"}});
  ASSERT_TRUE(tex.Start());
  ctrl->Module(mtTeX).DdeService.clear();
  EXPECT_FALSE(Run(etTeX)) << "an empty service reaches no tool at all";
  ctrl->Module(mtTeX).DdeService = "bwpvtex";
  ctrl->Module(mtTeX).DDETopic.clear();
  EXPECT_FALSE(Run(etTeX));
  ctrl->Module(mtTeX).DDETopic = "bwpvtex";
  ASSERT_TRUE(Run(etTeX));
  ASSERT_TRUE(WaitForEnds(4));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, false, "DDE Error"},
                                    {mtTeX, false, "DDE Error"},
                                    {mtTeX, false, "DDE Error"},
                                    {mtTeX, true, "OK"}}));
  EXPECT_EQ(tex.Journal()[1], "connect bwpvtex") << "the named run connected first";
}

TEST_F(TexDde, APreviewerIsStartedThenReopensTheDocument) {
  DdePeer viewer(temp, {{"service", "WinDvi"}, {"register_delay", "800"}});
  ctrl->Module(mtPreview).ExeName = viewer.Place(temp / "viewer\\");
  ASSERT_TRUE(Run(etPreview)) << "started and reached within the retries";
  EXPECT_TRUE(ends.empty()) << "no item: nothing to report";
  EXPECT_FALSE(ctrl->Activ());
  ASSERT_TRUE(WaitFor(viewer, "disconnect"));
  EXPECT_EQ(viewer.Journal(), (Lines{"registered", "connect windvi",
                                     "execute [FileOpen(" + base + ".dvi)][WinNormal]",
                                     "disconnect"}));
  // A document topic and its "FileOpen" are recognized in any case.
  viewer.ClearJournal();
  ctrl->Module(mtPreview).DDETopic = "%LongFileName";
  ctrl->Module(mtPreview).DDEMacro = "[fileopen(%FILENAME)][WinNormal]";
  ASSERT_TRUE(Run(etPreview));
  ASSERT_TRUE(WaitFor(viewer, "disconnect"));
  EXPECT_EQ(viewer.Journal(),
            (Lines{"connect " + DdePeer::Lower(base) + ".dvi", "execute [FileReopen][WinNormal]", "disconnect"}));
  EXPECT_TRUE(ends.empty());
  EXPECT_TRUE(viewer.Close());
}

TEST_F(TexDdeClosing, ClosingLeavesAWaitingRunAlone) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "OK"}, {"delay", "500"}});
  DdePeer viewer(temp, {{"service", "WinDvi"}});
  ASSERT_TRUE(tex.Start());
  ASSERT_TRUE(viewer.Start());
  ASSERT_TRUE(Run(etTeX));
  ctrl->CloseModules(5);
  EXPECT_TRUE(uitest::PumpUntil([&] { return viewer.Ended(); }));
  EXPECT_TRUE(viewer.Journalled("execute [FileExit]"));
  EXPECT_TRUE(ctrl->Activ());
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "OK"}}));
  EXPECT_TRUE(tex.Journalled("advstop advise")) << "the run's conversation ended by its reply";
}

TEST_F(TexDde, AutoPreviewRunsTeXThenThePreviewer) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "OK"}});
  DdePeer viewer(temp, {{"service", "WinDvi"}});
  ASSERT_TRUE(tex.Start());
  ASSERT_TRUE(viewer.Start());
  ASSERT_TRUE(Run(etAutoPreview));
  ASSERT_TRUE(WaitFor(viewer, "execute [FileOpen(" + base + ".dvi)][WinNormal]"));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "OK"}}));
  EXPECT_FALSE(ctrl->Sequence().Running());
}

TEST_F(TexDde, AutoCheckRunsAProgramWithAVersionResourceByDde) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"reply", "OK"}});
  ctrl->Module(mtTeX).ExeName = tex.Place(temp / "tex\\", "ddepeer_ver");
  ctrl->Module(mtTeX).UseDDE = false;
  ctrl->AutoDDECheck = true;
  ASSERT_TRUE(Run(etTeX));
  ASSERT_TRUE(WaitForEnds(1));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "OK"}}));
  EXPECT_TRUE(ctrl->Module(mtTeX).UseDDE);
  EXPECT_TRUE(tex.Journalled("execute [virtex(" + base + ", -1)]"));
  EXPECT_TRUE(tex.Close());
}

TEST_F(TexDdeClosing, ThePreviewerEndsOnFileExit) {
  DdePeer viewer(temp, {{"service", "WinDvi"}});
  ASSERT_TRUE(viewer.Start());
  ctrl->CloseModules(mtPreview);
  EXPECT_TRUE(uitest::PumpUntil([&] { return viewer.Ended(); }));
  EXPECT_TRUE(viewer.Journalled("execute [FileExit]"));
}

TEST_F(TexDdeClosing, AToolThatIsNotRunningReportsNothing) {
  // Closing TeX after each of its runs, as the main window may, while a sequence runs on.
  FakeTools tools(temp);
  TModule& tex = ctrl->Module(mtTeX);
  tex.UseDDE = false;
  tex.ExeName = FakeTools::Program("tex");
  tex.CloseUseDDE = true;
  tex.CloseDDEMacro = "[FileExit]";
  ctrl->Module(mtMakeIndex).UseDDE = false;
  ctrl->Module(mtMakeIndex).ExeName = FakeTools::Program("idx");
  ctrl->OnEndProcess = [&](TModuleType type, bool succeeded, const std::string& reply) {
    ends.emplace_back(type, succeeded, reply);
    ctrl->CloseModules(type);
    ctrl->CloseModules(5);
  };
  tools.Script("tex * write .idx\n> \\indexentry{a}{1}\n"
               "tex * write .log\n> Output written on doc.dvi (1 page, 248 bytes).\n");
  ASSERT_TRUE(Run(etAuto));
  ASSERT_TRUE(uitest::PumpUntil([&] { return !ctrl->Sequence().Running(); }));
  EXPECT_EQ(tools.Roles(), (Lines{"tex", "idx", "tex"}));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, true, "0"}, {mtMakeIndex, true, "0"}, {mtTeX, true, "0"}}));
}

TEST_F(TexDdeClosing, TeXClosesByTheWindowTitledAsItsService) {
  DdePeer tex(temp, {{"service", "bwpvtex"}, {"title", "bwpvtex"}});
  ASSERT_TRUE(tex.Start());
  ctrl->CloseModules(mtTeX);
  EXPECT_TRUE(uitest::PumpUntil([&] { return tex.Ended(); }));
  EXPECT_TRUE(tex.Journalled("close"));
}

} // namespace
