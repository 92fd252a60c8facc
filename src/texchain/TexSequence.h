// The automatic typesetting sequence: TeX, then BibTeX, TeX, MakeIndex and TeX again as the
// files of the previous runs ask, then the previewer or the printer. Window-free: it decides
// from the files next to the target and leaves every run to a runner.
//
// Steps: 0 backups and the first TeX run; 1 what the first run changed; 2 BibTeX; 3 TeX for
// contents and citations; 4 TeX while labels change; 5 MakeIndex; 6 TeX for the index; 7 TeX
// while labels change; 8 preview, print or front; 9 at rest. Runs of steps 0-7 start by the
// runner's timer; a run that cannot start, or that will report nothing, ends the sequence.
#pragma once

#include "core/Module.h"
#include "texchain/AuxFiles.h"

#include <string>

namespace quolin {

// How a run the sequence asked for began.
enum class TRunStart {
  Failed,         // not started, and nothing reported
  FailedReported, // failed at once, and reported as a failed run
  Reporting,      // its end is reported, or has been
  Silent,         // started, but its end will not be reported
  Abandoned       // its wait ended early or the component went: touch nothing
};

// What the sequence asks of the tool component.
class TSequenceRunner {
public:
  virtual TExeType SequenceExeType() const = 0;
  virtual std::string SequenceTarget() const = 0;
  // The TeX module runs as a child process, not by DDE.
  virtual bool TeXRunsAsChildProcess() const = 0;
  // The one-shot timer whose expiry calls TTexSequence::TimerFired.
  virtual void StartSequenceTimer() = 0;
  virtual void StopSequenceTimer() = 0;
  virtual TRunStart RunModule(TModuleType module) = 0;
  virtual void SequenceBringToFront() = 0;
  virtual void SequenceStatusMessage(const std::string& text) = 0;

protected:
  ~TSequenceRunner() = default;
};

class TTexSequence {
public:
  // TeX reruns for changing labels, steps 4 and 7 together.
  static constexpr int MaxLabelReruns = 5;
  static constexpr int RestStep = 9;

  explicit TTexSequence(TSequenceRunner& runner) : runner_(runner) {}
  TTexSequence(const TTexSequence&) = delete;
  TTexSequence& operator=(const TTexSequence&) = delete;

  // Step 0, entered as after a successful run.
  void Start();
  // After every run's end, of single runs too: a successful TeX, MakeIndex or BibTeX run of
  // its own brings the application to the front.
  void RunEnded(bool succeeded);
  // The timer ran out: the module it was set for runs.
  void TimerFired();
  // Step 9 with the timer off.
  void End();

  bool Running() const { return step_ != RestStep; }
  int Step() const { return step_; }
  TModuleType TimerModule() const { return timerModule_; }
  int LabelReruns() const { return labelReruns_; }

private:
  TSequenceRunner& runner_;
  int step_ = RestStep;
  TRerunNeeds needs_;
  // The user chose to go on at the duplicate-label question.
  bool goOnWithDuplicates_ = false;
  int labelReruns_ = 0;
  TModuleType timerModule_ = mtTeX;

  void Advance();
  // Whether the run of a step goes on: false when the duplicate-label question ended it.
  bool LabelsAllowGoingOn();
  void RunByTimer(TModuleType module);
  // Step 4 or 7: true when TeX runs again for the labels.
  bool RerunForLabels();
  void RunLast();
};

} // namespace quolin
