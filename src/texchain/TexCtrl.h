// The tool component: runs the five outside tools for the target file, one run at a time, as a
// child process or by DDE conversation, reports the end of each run, and drives the automatic
// sequence (TexSequence.h) between runs.
//
// A waited child process is waited for on this thread while the application handles its
// messages, so the windows stay live; meanwhile Execute refuses. A run by DDE (TexDde.h) ends
// with the tool's advise reply, handled from the message queue.
#pragma once

#include "core/Module.h"
#include "texchain/TexDde.h"
#include "texchain/TexSequence.h"
#include "ui/Component.h"

#include <functional>
#include <memory>
#include <string>

namespace quolin {

class TTimer;

// The end of a run: which tool, whether it succeeded, and the tool's reply.
using TEndProcessEvent =
    std::function<void(TModuleType moduleType, bool succeeded, const std::string& ddeValue)>;

class TTexCtrl : public TComponent, private TSequenceRunner {
public:
  TModules& Modules() { return modules_; }
  TModule& Module(TModuleType type) { return modules_[type]; }

  // The file to process: the document's main file.
  std::string TargetFile;
  // The file being edited, and the main file that includes it (empty when none).
  std::string EditFileName;
  std::string OwnerFileName;
  // The caret row, for "%row%".
  int EditRowNum = 0;
  // Before each run, TeX, MakeIndex and BibTeX run by DDE when their program carries a
  // version resource.
  bool AutoDDECheck = false;
  TExeType ExeType = etTeX;
  // Kept with the component; the runs take the current formats from the front ends.
  int DefaultFmt_Karve = 0;
  int DefaultFmt_WinTeX = 0;

  TEndProcessEvent OnEndProcess;
  // The owner's answers to what the sequence asks: the application brought to the front, a
  // status message that clears itself.
  std::function<void()> OnBringApplicationToFront;
  std::function<void(const std::string& text)> OnShowTimedStatusMessage;

  // A run is active: a waited child process, or a DDE conversation that will report.
  bool Activ() const { return activ_; }
  // Runs what ExeType says. True when the run, or the first step of the sequence, started.
  // False while an earlier Execute's run or sequence is still going.
  bool Execute();
  // Ends the sequence, a wait for a child process (the tool is left to finish) and the DDE
  // conversation, without a report.
  void Stop();
  // Ends the conversation with the running tool.
  void DisconnectDde();
  // Closes the tool of module kind 0-4, or all five with 5: by window title, or by a DDE
  // macro on a conversation of its own that reports nothing and leaves the runs alone.
  void CloseModules(int kind);

  const TTexSequence& Sequence() const { return sequence_; }

protected:
  explicit TTexCtrl(TComponent* owner);
  void BeforeDestruction() override;

private:
  friend class TDdeRunState;

  TModules modules_;
  std::shared_ptr<TDdeRunState> dde_ = TDdeRunState::Acquire();
  TTimer* timer_ = nullptr;
  TTexSequence sequence_{*this};
  bool activ_ = false;
  // Inside Execute's own run.
  bool executing_ = false;
  // Bumped by Stop: a wait that began before it ends.
  unsigned stopCount_ = 0;
  // Cleared when the component goes, for the waits that pump messages under it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  bool Busy() const { return activ_ || executing_ || sequence_.Running(); }
  void ApplyAutoDDECheck();
  TRunStart RunChildProcess(TModule& module);
  TRunStart WaitForProcess(void* process);
  // Starts the program with no options in its own folder, not waited for.
  static void StartDetached(const std::string& program);
  // The macro and the topic of a run by DDE, expanded; false when the space checks refused.
  bool PrepareDde(const TModule& module, std::string& macro, std::string& topic) const;
  TRunStart RunDde(TModule& module);
  TRunStart FailDde();
  // The advise reply of the run: it ends.
  void DdeReplied(const std::string& reply);
  void ReportEnd(bool succeeded, const std::string& reply);
  void CloseModule(const TModule& module);
  void CloseByDde(const TModule& closing);
  void ClosePreviewer();

  // TSequenceRunner
  TExeType SequenceExeType() const override { return ExeType; }
  std::string SequenceTarget() const override { return TargetFile; }
  bool TeXRunsAsChildProcess() const override { return !modules_[mtTeX].UseDDE; }
  void StartSequenceTimer() override;
  void StopSequenceTimer() override;
  TRunStart RunModule(TModuleType module) override;
  void SequenceBringToFront() override;
  void SequenceStatusMessage(const std::string& text) override;
};

// The window whose title is caption gets the system close command; an empty caption closes
// nothing.
void CloseWindowByCaption(const std::string& caption);
// Removes "%nospace" and "%nofilespace" (any case) from options. False, after the message,
// when the target's path or file name they stand for holds a blank.
bool PassesSpaceChecks(std::string& options, const std::string& targetFile);

} // namespace quolin
