#include "ui/skin/ButtonFade.h"

#include <algorithm>

namespace orvelle::ui::skin {

int ButtonFade::StepsDone(std::uint32_t nowMs) const {
  if (steps_ == 0) return 0;
  // Signed difference: the fade may start in the future (after the release hold).
  const auto elapsed = static_cast<std::int32_t>(nowMs - startMs_);
  if (elapsed <= 0) return 0;
  return std::min(steps_, static_cast<int>(static_cast<std::uint32_t>(elapsed) / kIntervalMs));
}

FadeFrame ButtonFade::Frame(std::uint32_t nowMs) const {
  if (steps_ == 0) return {to_, to_, 255, true};
  const auto elapsed = static_cast<std::int32_t>(nowMs - startMs_);
  if (elapsed < 0) return {from_, from_, 255, false};  // holding the pressed face
  const int done = StepsDone(nowMs);
  return {from_, to_, done * 255 / steps_, done >= steps_};
}

void ButtonFade::SetTarget(Face target, std::uint32_t nowMs) {
  if (target == target_) return;
  const FadeFrame now = Frame(nowMs);
  const bool toOrFromPressed = target == Face::Pressed || target_ == Face::Pressed;
  const int steps = toOrFromPressed ? kPressSteps : kHoverSteps;
  const bool pressFadeRunning = !now.done && now.to == Face::Pressed && now.from != Face::Pressed;

  if (pressFadeRunning && target_ == Face::Pressed) {
    // Released before the press had shown: show it at once, hold, then fade back.
    from_ = Face::Pressed;
    to_ = target;
    steps_ = steps;
    startMs_ = nowMs + kReleaseHoldMs;
  } else if (!now.done && target == now.from) {
    // Turning back half way: continue from the same picture towards the old face.
    // Steps shown so far of the old fade, in steps of the new one.
    const int reached = StepsDone(nowMs) * steps / steps_;
    from_ = now.to;
    to_ = target;
    steps_ = steps;
    startMs_ = nowMs - static_cast<std::uint32_t>(steps - reached) * kIntervalMs;
  } else {
    from_ = now.alpha >= 128 ? now.to : now.from;
    to_ = target;
    steps_ = from_ == to_ ? 0 : steps;
    startMs_ = nowMs;
  }
  target_ = target;
}

}  // namespace orvelle::ui::skin
