// The automatic sequence's decisions, with a runner whose tools write scripted files next to
// the target and whose timer fires when the test says.
#include "texchain/TexSequence.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char Written[] = "Output written on doc.dvi (1 page, 248 bytes).\r\n";
constexpr char LabelsChanged[] =
    "LaTeX Warning: Label(s) may have changed. Rerun to get cross-references right.\r\n";
constexpr char CappedMessage[] = "ラベルが確定しないため, TeX の再実行を 5 回で打ち切りました.";

const char* const ModuleNames[] = {"tex", "idx", "bib", "preview", "print"};

class ScriptedRunner : public TSequenceRunner {
public:
  TTexSequence sequence{*this};
  TExeType exeType = etAuto;
  std::string target;
  bool texByDde = false;
  bool timerOn = false;
  // What happened, in order: the modules run, "front", and "status: " messages.
  std::vector<std::string> events;
  // A tool's run, by module and its run number (from 1): it writes files and tells how its
  // run began; by default it succeeds and reports.
  std::function<TRunStart(TModuleType, int)> tool;
  bool succeeds = true;

  // Fires the timer while the sequence sets it.
  void RunTimers() {
    for (int guard = 0; timerOn && guard < 100; ++guard) {
      timerOn = false;
      sequence.TimerFired();
    }
  }
  std::vector<std::string> Modules() const {
    std::vector<std::string> modules;
    for (const std::string& event : events)
      if (event != "front" && !event.starts_with("status"))
        modules.push_back(event);
    return modules;
  }

  TExeType SequenceExeType() const override { return exeType; }
  std::string SequenceTarget() const override { return target; }
  bool TeXRunsAsChildProcess() const override { return !texByDde; }
  void StartSequenceTimer() override { timerOn = true; }
  void StopSequenceTimer() override { timerOn = false; }
  TRunStart RunModule(TModuleType module) override {
    events.push_back(ModuleNames[module]);
    TRunStart start = tool ? tool(module, ++runs_[module]) : TRunStart::Reporting;
    if (start == TRunStart::Reporting)
      sequence.RunEnded(succeeds);
    return start;
  }
  void SequenceBringToFront() override { events.push_back("front"); }
  void SequenceStatusMessage(const std::string& text) override {
    events.push_back("status: " + text);
  }

private:
  std::map<TModuleType, int> runs_;
};

using Events = std::vector<std::string>;

class TexSequence : public ::testing::Test {
protected:
  TempFolder temp;
  ScriptedRunner runner;
  uitest::DialogRecorder dialogs;

  void SetUp() override { runner.target = temp / "doc.tex"; }
  void Write(const char* ext, const std::string& text) const {
    TempFolder::WriteFile(ChangeFileExt(runner.target, ext), text);
  }
  void Run(TExeType exeType) {
    runner.exeType = exeType;
    runner.sequence.Start();
    runner.RunTimers();
  }
};

TEST_F(TexSequence, PlainDocumentRunsTeXOnceThenPreviews) {
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX)
      Write(".log", Written);
    return module == mtPreview ? TRunStart::Silent : TRunStart::Reporting;
  };
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex", "preview"}));
  EXPECT_FALSE(runner.sequence.Running());
  EXPECT_FALSE(runner.timerOn);

  runner.events.clear();
  Run(etAuto);
  EXPECT_EQ(runner.events, (Events{"tex", "front"}));
  runner.events.clear();
  Run(etAutoPrint);
  EXPECT_EQ(runner.events, (Events{"tex", "print"}));
}

TEST_F(TexSequence, BibliographyRunsBibTeXThenTeXForCitationsAndReferences) {
  runner.tool = [&](TModuleType module, int run) {
    if (module == mtTeX) {
      Write(".aux", "\\bibdata{refs}\r\n\\citation{a}\r\n");
      std::string log = run == 1   ? "LaTeX Warning: Citation `a' on page 1 undefined.\r\n"
                        : run == 2 ? LabelsChanged
                                   : "";
      Write(".log", log + Written);
    }
    return TRunStart::Reporting;
  };
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), (Events{"tex", "bib", "tex", "tex"}));
}

TEST_F(TexSequence, ContentsAndIndexRunTeXMakeIndexAndTeX) {
  runner.tool = [&](TModuleType module, int run) {
    if (module == mtTeX) {
      Write(".toc", "\\contentsline {section}{A}{1}\r\n");
      Write(".idx", "\\indexentry{a}{" + std::to_string(run) + "}\r\n");
      Write(".log", Written);
    }
    return TRunStart::Reporting;
  };
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), (Events{"tex", "tex", "idx", "tex"}));
}

TEST_F(TexSequence, ACitationAddedSinceTheLastSequenceRunsBibTeX) {
  Write(".aux", "\\bibdata{refs}\r\n\\citation{a}\r\n");
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX) {
      Write(".aux", "\\bibdata{refs}\r\n\\citation{a}\r\n\\citation{b}\r\n");
      Write(".log", Written);
    }
    return TRunStart::Reporting;
  };
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), (Events{"tex", "bib", "tex"}));
}

TEST_F(TexSequence, LabelRerunsStopAtFiveWithAMessage) {
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX)
      Write(".log", std::string(LabelsChanged) + Written);
    return TRunStart::Reporting;
  };
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), Events(1 + TTexSequence::MaxLabelReruns, "tex"));
  EXPECT_EQ(runner.sequence.LabelReruns(), TTexSequence::MaxLabelReruns);
  ASSERT_FALSE(runner.events.empty());
  EXPECT_EQ(runner.events.back(), "front") << "the sequence went on to its end";
  EXPECT_NE(std::find(runner.events.begin(), runner.events.end(),
                      std::string("status: ") + CappedMessage),
            runner.events.end());

  // Labels that settle with the last rerun allowed take no message.
  runner.events.clear();
  int texRuns = 0;
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX)
      Write(".log", (++texRuns <= TTexSequence::MaxLabelReruns ? LabelsChanged : "") +
                        std::string(Written));
    return TRunStart::Reporting;
  };
  Run(etAuto);
  Events settled(1 + TTexSequence::MaxLabelReruns, "tex");
  settled.push_back("front");
  EXPECT_EQ(runner.events, settled);
}

TEST_F(TexSequence, AnsweringNoGoesOnWithoutAskingAgainAndYesEnds) {
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX) {
      Write(".toc", "\\contentsline {section}{A}{1}\r\n");
      Write(".aux", "\\newlabel{x}{{1}{1}}\r\n");
      Write(".log", std::string("LaTeX Warning: Label `x' multiply defined.\r\n") + Written);
    }
    return TRunStart::Reporting;
  };
  dialogs.answer = mrNo;
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), (Events{"tex", "tex"}));
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(runner.events.back(), "front");

  // A new sequence asks again; "y" deletes ".aux" and ends it.
  DeleteFileA(ChangeFileExt(runner.target, ".toc").c_str());
  runner.events.clear();
  dialogs.answer = mrYes;
  Run(etAuto);
  EXPECT_EQ(runner.Modules(), (Events{"tex"}));
  EXPECT_EQ(dialogs.calls.size(), 2u);
  EXPECT_FALSE(FileExists(ChangeFileExt(runner.target, ".aux")));
  EXPECT_FALSE(runner.sequence.Running());
}

TEST_F(TexSequence, AFailedRunEndsTheSequence) {
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX) {
      Write(".toc", "\\contentsline {section}{A}{1}\r\n");
      Write(".log", Written);
    }
    return TRunStart::Reporting;
  };
  runner.succeeds = false;
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex"}));
  EXPECT_FALSE(runner.sequence.Running());
  EXPECT_EQ(dialogs.beeps, 0) << "silently";
}

TEST_F(TexSequence, SingleRunsBringTheApplicationToTheFrontExceptPreviewAndPrint) {
  const std::pair<TExeType, Events> cases[] = {
      {etTeX, {"front"}}, {etMakeIndex, {"front"}}, {etBibTeX, {"front"}}, {etPreview, {}},
      {etPrint, {}},
  };
  for (const auto& [exeType, expected] : cases) {
    runner.events.clear();
    runner.exeType = exeType;
    runner.sequence.RunEnded(true);
    EXPECT_EQ(runner.events, expected) << exeType;
    runner.sequence.RunEnded(false);
    EXPECT_EQ(runner.events, expected) << "a failure: nothing";
    EXPECT_FALSE(runner.sequence.Running());
  }
}

TEST_F(TexSequence, WithoutOutputAChildProcessTeXEndsButOneByDdeGoesOn) {
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX)
      Write(".log", "No pages of output.\r\n");
    return module == mtPreview ? TRunStart::Silent : TRunStart::Reporting;
  };
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex"}));
  EXPECT_FALSE(runner.sequence.Running());

  runner.events.clear();
  runner.texByDde = true;
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex", "preview"}));
}

TEST_F(TexSequence, AStepThatCannotStartOrWillNotReportEndsIt) {
  Write(".idx", "old");
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX) {
      Write(".idx", "\\indexentry{a}{1}\r\n");
      Write(".log", Written);
    }
    return module == mtMakeIndex ? TRunStart::Failed : TRunStart::Reporting;
  };
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex", "idx"}));
  EXPECT_FALSE(runner.sequence.Running());
  EXPECT_EQ(dialogs.beeps, 1);

  runner.events.clear();
  runner.tool = [&](TModuleType module, int) {
    if (module == mtTeX)
      Write(".log", Written);
    return TRunStart::Silent;
  };
  Run(etAutoPreview);
  EXPECT_EQ(runner.events, (Events{"tex"})) << "a TeX run that does not report";
  EXPECT_FALSE(runner.sequence.Running());
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(TexSequence, EndingBetweenRunsStopsTheTimerAndLaterReportsAreIgnored) {
  runner.exeType = etAutoPreview;
  runner.sequence.Start();
  EXPECT_TRUE(runner.timerOn);
  EXPECT_EQ(runner.sequence.Step(), 1);
  runner.sequence.End();
  EXPECT_FALSE(runner.timerOn);
  runner.sequence.RunEnded(true);
  runner.sequence.TimerFired();
  EXPECT_TRUE(runner.events.empty());
}

} // namespace
