#include "core/AboutSteps.h"

#include "core/Sjis.h"

namespace quolin {

TAboutKeyResult TAboutKeys::KeyDown(uint16_t key, bool onlyCtrl) {
  if (index_ >= 0 && index_ < AboutKeyCount && onlyCtrl &&
      key == static_cast<unsigned char>(AboutKeySequence[index_])) {
    ++index_;
    return {true, false, index_ == AboutKeyCount};
  }
  if (key == AboutCtrlKey && onlyCtrl)
    return {};
  return {false, true, false};
}

TAboutStep TAboutAnimation::Next() {
  switch (phase_) {
  case TPhase::Moving:
    if (imageTop_ > AboutImageStopTop) {
      imageTop_ -= AboutImageStep;
      return {TAboutAction::aaMoveImage, imageTop_, {}, AboutMovePause};
    }
    phase_ = TPhase::Showing;
    return {TAboutAction::aaWait, imageTop_, {}, AboutTextPause};
  case TPhase::Showing:
    phase_ = TPhase::Typing;
    return {TAboutAction::aaShowText, imageTop_, {}, AboutTypePause};
  case TPhase::Typing:
    if (typed_ < credits_.size()) {
      typed_ += sjis::CharLength(credits_, typed_);
      return {TAboutAction::aaTypeText, imageTop_, credits_.substr(0, typed_), AboutTypePause};
    }
    phase_ = TPhase::Finished;
    break;
  case TPhase::Finished:
    break;
  }
  return {TAboutAction::aaDone, imageTop_, credits_, 0};
}

} // namespace quolin
