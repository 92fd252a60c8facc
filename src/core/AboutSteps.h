// The about box's hidden credits as two small machines, so that the box only shows what they
// say. TAboutKeys follows the typed sequence: four letters, each with only Ctrl held; any
// other key beeps. TAboutAnimation gives the credits' steps one at a time, each with the pause
// before the next, so that one timer of the box can drive them and closing the box stops them.
// Window-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quolin {

inline constexpr char AboutKeySequence[] = "VRIM";
inline constexpr int AboutKeyCount = 4;
inline constexpr uint16_t AboutCtrlKey = 0x11; // the Ctrl key's virtual-key code

struct TAboutKeyResult {
  bool Consumed = false;
  bool Beep = false;
  // The last letter of the sequence came: the animation starts.
  bool Start = false;
};

class TAboutKeys {
public:
  // Typed letters so far; -1 once the animation has played.
  int Index() const { return index_; }
  // The box is shown again.
  void Reset() { index_ = 0; }
  // A key went down; onlyCtrl: Ctrl is held and neither Shift nor Alt.
  TAboutKeyResult KeyDown(uint16_t key, bool onlyCtrl);
  // Typed characters are thrown away once the sequence has begun.
  bool DiscardsChars() const { return index_ > 0; }
  void AnimationDone() { index_ = -1; }

private:
  int index_ = 0;
};

inline constexpr int AboutImageStartTop = 312;
inline constexpr int AboutImageStopTop = 180;
inline constexpr int AboutImageStep = 6;
inline constexpr int AboutMovePause = 50;
inline constexpr int AboutTextPause = 1000;
inline constexpr int AboutTypePause = 100;

enum class TAboutAction {
  aaMoveImage, // the picture to ImageTop
  aaWait,      // nothing changes
  aaShowText,  // the credits line shown with Text (empty at first)
  aaTypeText,  // the credits line becomes Text, one character longer
  aaDone       // the animation has played; no further step
};

struct TAboutStep {
  TAboutAction Action = TAboutAction::aaDone;
  int ImageTop = 0;
  std::string Text;
  // Milliseconds until the next step; 0 after the last.
  int Pause = 0;
};

class TAboutAnimation {
public:
  explicit TAboutAnimation(std::string_view credits, int imageTop = AboutImageStartTop)
      : credits_(credits), imageTop_(imageTop) {}

  TAboutStep Next();

private:
  enum class TPhase { Moving, Showing, Typing, Finished };
  std::string credits_;
  int imageTop_;
  TPhase phase_ = TPhase::Moving;
  size_t typed_ = 0;
};

} // namespace quolin
