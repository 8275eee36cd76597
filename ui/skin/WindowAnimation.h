// The minimise and restore animation: the window's image shrinks towards its task-bar button
// while it fades out (and the reverse). Portable: frames are computed, the Win32 side shows
// them at their times.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/FormLayout.h"

namespace orvelle::ui::skin {

struct AnimationFrame {
  Bounds bounds;
  std::uint8_t alpha;
  std::uint32_t atMs;  // since the animation started
};

inline constexpr int kAnimationSteps = 13;
inline constexpr std::uint32_t kAnimationStepMs = 15;

// Frames 1..13 from the window's rectangle to the button's, alpha falling to 0.
std::vector<AnimationFrame> MinimizeFrames(Bounds window, Bounds button);
// The same frames played backwards: from the button back to the window, alpha rising to 255.
std::vector<AnimationFrame> RestoreFrames(Bounds window, Bounds button);

}  // namespace orvelle::ui::skin
