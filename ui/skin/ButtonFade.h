// The cross-fade of a skinned button between its faces. Portable and clock-free: every call
// takes the time in milliseconds, so the timings are testable without waiting.
#pragma once

#include <cstdint>

namespace orvelle::ui::skin {

enum class Face { Normal, Hot, Pressed };

// What to draw at one moment: `to` blended over `from` with `alpha` (0 = only from,
// 255 = only to).
struct FadeFrame {
  Face from = Face::Normal;
  Face to = Face::Normal;
  int alpha = 255;
  bool done = true;  // nothing left to animate: the timer can stop
};

class ButtonFade {
public:
  static constexpr std::uint32_t kIntervalMs = 10;
  static constexpr int kHoverSteps = 20;   // mouse enters or leaves
  static constexpr int kPressSteps = 10;   // pressed or released
  static constexpr std::uint32_t kReleaseHoldMs = 30;

  // The face the button should end up with (hot while hovered or focused, pressed while held
  // down), at nowMs.
  void SetTarget(Face target, std::uint32_t nowMs);
  Face Target() const { return target_; }

  FadeFrame Frame(std::uint32_t nowMs) const;

private:
  int StepsDone(std::uint32_t nowMs) const;

  Face target_ = Face::Normal;
  Face from_ = Face::Normal;
  Face to_ = Face::Normal;
  int steps_ = 0;             // 0: showing `to_` fully
  std::uint32_t startMs_ = 0; // when step 0 of the fade is shown
};

}  // namespace orvelle::ui::skin
