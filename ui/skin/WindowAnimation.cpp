#include "ui/skin/WindowAnimation.h"

namespace orvelle::ui::skin {

namespace {
int Lerp(int a, int b, int step) { return a + (b - a) * step / kAnimationSteps; }

Bounds LerpBounds(Bounds a, Bounds b, int step) {
  return {Lerp(a.left, b.left, step), Lerp(a.top, b.top, step), Lerp(a.width, b.width, step),
          Lerp(a.height, b.height, step)};
}
}  // namespace

std::vector<AnimationFrame> MinimizeFrames(Bounds window, Bounds button) {
  std::vector<AnimationFrame> frames;
  for (int step = 1; step <= kAnimationSteps; ++step)
    frames.push_back({LerpBounds(window, button, step),
                      static_cast<std::uint8_t>(255 - 255 * step / kAnimationSteps),
                      static_cast<std::uint32_t>(step) * kAnimationStepMs});
  return frames;
}

std::vector<AnimationFrame> RestoreFrames(Bounds window, Bounds button) {
  std::vector<AnimationFrame> frames;
  for (int step = 1; step <= kAnimationSteps; ++step) {
    const int back = kAnimationSteps - step;
    frames.push_back({LerpBounds(window, button, back),
                      static_cast<std::uint8_t>(255 - 255 * back / kAnimationSteps),
                      static_cast<std::uint32_t>(step) * kAnimationStepMs});
  }
  return frames;
}

}  // namespace orvelle::ui::skin
