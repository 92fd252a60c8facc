#include "texchain/TexSequence.h"

#include "texchain/ToolUtil.h"

namespace quolin {

namespace {

constexpr char LabelRerunsCapped[] = "ラベルが確定しないため, TeX の再実行を 5 回で打ち切りました.";

} // namespace

void TTexSequence::Start() {
  step_ = 0;
  labelReruns_ = 0;
  needs_ = {};
  RunEnded(true);
}

void TTexSequence::End() {
  step_ = RestStep;
  runner_.StopSequenceTimer();
}

void TTexSequence::RunEnded(bool succeeded) {
  if (!succeeded) {
    End();
    return;
  }
  TExeType exeType = runner_.SequenceExeType();
  if (exeType < etAuto) {
    if (exeType <= etBibTeX)
      runner_.SequenceBringToFront();
    return;
  }
  if (!Running())
    return;
  if (step_ == 0)
    goOnWithDuplicates_ = false;
  else if (!LabelsAllowGoingOn())
    return;
  Advance();
}

bool TTexSequence::LabelsAllowGoingOn() {
  if (goOnWithDuplicates_)
    return true;
  switch (CheckMultiplyDefinedLabels(runner_.SequenceTarget())) {
  case 0:
  case 1:
    End();
    return false;
  case 2:
    goOnWithDuplicates_ = true;
    return true;
  default:
    return true;
  }
}

void TTexSequence::TimerFired() {
  if (!Running())
    return;
  switch (runner_.RunModule(timerModule_)) {
  case TRunStart::Failed:
    PlayDefaultBeep();
    End();
    break;
  case TRunStart::Silent:
    End();
    break;
  case TRunStart::FailedReported:
  case TRunStart::Reporting:
  case TRunStart::Abandoned:
    break;
  }
}

void TTexSequence::RunByTimer(TModuleType module) {
  timerModule_ = module;
  runner_.StartSequenceTimer();
}

bool TTexSequence::RerunForLabels() {
  if (!LabelsMayHaveChanged(runner_.SequenceTarget()))
    return false;
  if (labelReruns_ >= MaxLabelReruns) {
    runner_.SequenceStatusMessage(LabelRerunsCapped);
    return false;
  }
  ++labelReruns_;
  RunByTimer(mtTeX);
  return true;
}

void TTexSequence::Advance() {
  const std::string target = runner_.SequenceTarget();
  for (;;) {
    switch (step_) {
    case 0:
      step_ = 1;
      BackupAuxiliaryFiles(target);
      RunByTimer(mtTeX);
      return;
    case 1:
      step_ = 2;
      needs_ = CheckRerunNeeds(target);
      if (runner_.TeXRunsAsChildProcess() && NoOutputWritten(target)) {
        End();
        return;
      }
      break;
    case 2:
      step_ = 3;
      if (needs_.BibTeXNeeded) {
        RunByTimer(mtBibTeX);
        return;
      }
      break;
    case 3:
      step_ = 4;
      if (needs_.BibTeXNeeded || needs_.ContentsChanged) {
        RunByTimer(mtTeX);
        return;
      }
      break;
    case 4:
    case 7:
      if (RerunForLabels())
        return;
      ++step_;
      break;
    case 5:
      step_ = 6;
      if (needs_.MakeIndexNeeded) {
        RunByTimer(mtMakeIndex);
        return;
      }
      break;
    case 6:
      step_ = 7;
      if (needs_.MakeIndexNeeded) {
        RunByTimer(mtTeX);
        return;
      }
      break;
    case 8:
      RunLast();
      return;
    default:
      return;
    }
  }
}

void TTexSequence::RunLast() {
  End();
  TExeType exeType = runner_.SequenceExeType();
  if (exeType == etAuto) {
    runner_.SequenceBringToFront();
    return;
  }
  if (runner_.RunModule(exeType == etAutoPreview ? mtPreview : mtPrint) == TRunStart::Failed)
    PlayDefaultBeep();
}

} // namespace quolin
