#include <gtest/gtest.h>

#include "ui/skin/ButtonFade.h"
#include "ui/skin/WindowAnimation.h"

namespace orvelle::ui::skin {
namespace {

// A fade that starts at t = 1000 ms, so that times before and after are easy to read.
class ButtonFadeTest : public ::testing::Test {
protected:
  static constexpr std::uint32_t kStart = 1000;
  ButtonFade fade;
};

TEST_F(ButtonFadeTest, HoverFadesInTwentyStepsOfTenMilliseconds) {
  fade.SetTarget(Face::Hot, kStart);
  EXPECT_EQ(fade.Frame(kStart).alpha, 0);
  const FadeFrame halfway = fade.Frame(kStart + 100);
  EXPECT_EQ(halfway.from, Face::Normal);
  EXPECT_EQ(halfway.to, Face::Hot);
  EXPECT_EQ(halfway.alpha, 10 * 255 / 20);
  EXPECT_FALSE(halfway.done);
  // Steps change only every 10 ms.
  EXPECT_EQ(fade.Frame(kStart + 109).alpha, halfway.alpha);
  EXPECT_FALSE(fade.Frame(kStart + 199).done);
  const FadeFrame end = fade.Frame(kStart + 200);
  EXPECT_EQ(end.alpha, 255);
  EXPECT_TRUE(end.done);
}

TEST_F(ButtonFadeTest, PressAndReleaseFadeInTenSteps) {
  fade.SetTarget(Face::Hot, kStart - 1000);  // long since hot
  fade.SetTarget(Face::Pressed, kStart);
  EXPECT_FALSE(fade.Frame(kStart + 99).done);
  EXPECT_TRUE(fade.Frame(kStart + 100).done);
  EXPECT_EQ(fade.Frame(kStart + 50).alpha, 5 * 255 / 10);

  fade.SetTarget(Face::Hot, kStart + 500);  // released long after the press had shown
  const FadeFrame release = fade.Frame(kStart + 550);
  EXPECT_EQ(release.from, Face::Pressed);
  EXPECT_EQ(release.to, Face::Hot);
  EXPECT_EQ(release.alpha, 5 * 255 / 10);
  EXPECT_TRUE(fade.Frame(kStart + 600).done);
}

TEST_F(ButtonFadeTest, ReleaseDuringPressFadeShowsPressedHoldsThirtyMsThenFadesBack) {
  fade.SetTarget(Face::Hot, kStart - 1000);
  fade.SetTarget(Face::Pressed, kStart);
  fade.SetTarget(Face::Hot, kStart + 30);  // the press fade is only 3 of 10 steps in
  for (std::uint32_t t : {30u, 45u, 59u}) {
    const FadeFrame held = fade.Frame(kStart + t);
    EXPECT_EQ(held.from, Face::Pressed) << t;
    EXPECT_EQ(held.to, Face::Pressed) << t;
    EXPECT_EQ(held.alpha, 255) << t;
    EXPECT_FALSE(held.done) << t;
  }
  const FadeFrame back = fade.Frame(kStart + 60 + 50);
  EXPECT_EQ(back.from, Face::Pressed);
  EXPECT_EQ(back.to, Face::Hot);
  EXPECT_EQ(back.alpha, 5 * 255 / 10);
  EXPECT_TRUE(fade.Frame(kStart + 60 + 100).done);
}

TEST_F(ButtonFadeTest, LeavingHalfWayTurnsBackFromTheSamePicture) {
  fade.SetTarget(Face::Hot, kStart);
  fade.SetTarget(Face::Normal, kStart + 50);  // 5 of 20 steps towards hot
  const FadeFrame turned = fade.Frame(kStart + 50);
  EXPECT_EQ(turned.from, Face::Hot);
  EXPECT_EQ(turned.to, Face::Normal);
  // 5 steps shown of hot means 15 of 20 towards normal: no jump in the picture.
  EXPECT_EQ(turned.alpha, 15 * 255 / 20);
  EXPECT_TRUE(fade.Frame(kStart + 100).done);
}

TEST_F(ButtonFadeTest, SameTargetAgainChangesNothing) {
  fade.SetTarget(Face::Hot, kStart);
  fade.SetTarget(Face::Hot, kStart + 150);
  EXPECT_TRUE(fade.Frame(kStart + 200).done);
}

TEST_F(ButtonFadeTest, TickCounterWrapDoesNotStallTheFade) {
  const std::uint32_t nearWrap = 0xFFFFFFF0u;
  fade.SetTarget(Face::Hot, nearWrap);
  EXPECT_EQ(fade.Frame(nearWrap + 100).alpha, 10 * 255 / 20);  // wraps past zero
  EXPECT_TRUE(fade.Frame(nearWrap + 200).done);
}

TEST(WindowAnimation, MinimizeShrinksToTheButtonAndFadesOutInThirteenSteps) {
  const Bounds window{100, 100, 527, 338};
  const Bounds button{48, 992, 160, 32};
  const auto frames = MinimizeFrames(window, button);
  ASSERT_EQ(frames.size(), 13u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].atMs, 15u * (i + 1)) << i;
    if (i > 0) {
      EXPECT_LT(frames[i].alpha, frames[i - 1].alpha) << i;
      EXPECT_LT(frames[i].bounds.width, frames[i - 1].bounds.width) << i;
    }
  }
  EXPECT_EQ(frames.back().atMs, 195u);  // about 200 ms in all
  EXPECT_EQ(frames.back().bounds, button);
  EXPECT_EQ(frames.back().alpha, 0);
}

TEST(WindowAnimation, RestorePlaysTheSameFramesBackwards) {
  const Bounds window{100, 100, 527, 338};
  const Bounds button{48, 992, 160, 32};
  const auto out = MinimizeFrames(window, button);
  const auto back = RestoreFrames(window, button);
  ASSERT_EQ(back.size(), out.size());
  for (std::size_t i = 0; i + 1 < back.size(); ++i) {
    EXPECT_EQ(back[i].bounds, out[out.size() - 2 - i].bounds) << i;
    EXPECT_EQ(back[i].alpha, out[out.size() - 2 - i].alpha) << i;
  }
  EXPECT_EQ(back.back().bounds, window);
  EXPECT_EQ(back.back().alpha, 255);
  EXPECT_EQ(back.back().atMs, 195u);
}

}  // namespace
}  // namespace orvelle::ui::skin
