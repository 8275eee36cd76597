#include "ui/FormLayout.h"

#include <gtest/gtest.h>

namespace orvelle::ui {
namespace {

struct CenterCase {
  Bounds screen;
  Size window;
  Point expected;
};

class CenterOnVirtualScreenTest : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterOnVirtualScreenTest, CentresRoundingDownAndNeverBeforeTheOrigin) {
  EXPECT_EQ(CenterOnVirtualScreen(GetParam().screen, GetParam().window), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CenterOnVirtualScreenTest,
    ::testing::Values(
        CenterCase{{0, 0, 1024, 768}, {527, 342}, {248, 213}},
        // Odd leftovers round down.
        CenterCase{{0, 0, 1025, 769}, {526, 341}, {249, 214}},
        // Two monitors side by side: the centre of the whole desktop.
        CenterCase{{0, 0, 3840, 1080}, {527, 342}, {1656, 369}},
        // A monitor left of the primary one puts the desktop's origin at a negative x.
        CenterCase{{-1920, 0, 3840, 1080}, {527, 342}, {-264, 369}},
        // A virtual screen smaller than the window: pinned to its top-left corner.
        CenterCase{{0, 0, 400, 300}, {527, 342}, {0, 0}},
        CenterCase{{0, 0, 526, 341}, {527, 342}, {0, 0}}));

struct FaceCase {
  Size button;
  Size caption;
  bool pressed;
  Point icon;
  Point captionAt;
};

class ButtonFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFaceTest, PlacesIconAndCaptionAsOneCentredGroup) {
  const auto& c = GetParam();
  const ButtonFace face = LayOutButtonFace(c.button, c.caption, c.pressed);
  EXPECT_EQ(face.icon, c.icon);
  if (c.caption.cx > 0) {
    EXPECT_EQ(face.caption, c.captionAt);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonFaceTest,
    ::testing::Values(
        // Add and delete: 137 x 21, icon only.
        FaceCase{{137, 21}, {0, 0}, false, {61, 3}, {}},
        FaceCase{{137, 21}, {0, 0}, true, {62, 4}, {}},
        // Send and clear: 33 x 25, icon only.
        FaceCase{{33, 25}, {0, 0}, false, {9, 5}, {}},
        FaceCase{{33, 25}, {0, 0}, true, {10, 6}, {}},
        // Exit: 91 x 25 with a 31 x 13 caption: group 16 + 4 + 31 = 51 wide.
        FaceCase{{91, 25}, {31, 13}, false, {20, 5}, {40, 6}},
        FaceCase{{91, 25}, {31, 13}, true, {21, 6}, {41, 7}},
        // An even leftover rounds down: (91 - 50 + 1) / 2 = 21.
        FaceCase{{91, 25}, {30, 14}, false, {21, 5}, {41, 6}}));

TEST(TabStops, VisitExitCommandLineSendClearListAddDelete) {
  EXPECT_EQ(TabStops(), (std::vector<int>{kBitBtn3, kEdit1, kBitBtn4, kBitBtn5, kListBox1, kBitBtn1, kBitBtn2}));
}

TEST(StoredLayout, ChildrenFitInsideTheirParentsAndTheWindow) {
  for (const ControlDef& def : kControls) {
    const Size room = def.parent == kNoParent ? kClientSize
                                               : Size{kControls[def.parent].bounds.width,
                                                      kControls[def.parent].bounds.height};
    EXPECT_LE(def.bounds.left + def.bounds.width, room.cx) << def.name;
    EXPECT_LE(def.bounds.top + def.bounds.height, room.cy) << def.name;
  }
}

}  // namespace
}  // namespace orvelle::ui

namespace orvelle::ui {
namespace {

struct DpiCase {
  int dpi;
  Bounds stored;
  Bounds scaled;
};

class ScaleForDpiTest : public ::testing::TestWithParam<DpiCase> {};

TEST_P(ScaleForDpiTest, ScalesEdgesSoThatNeighboursStillTouch) {
  EXPECT_EQ(ScaleForDpi(GetParam().stored, GetParam().dpi), GetParam().scaled);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ScaleForDpiTest,
    ::testing::Values(
        DpiCase{96, {8, 264, 505, 41}, {8, 264, 505, 41}},
        // 125 %: 8 -> 10, 513 -> 641.25 -> 641.
        DpiCase{120, {8, 264, 505, 41}, {10, 330, 631, 51}},
        DpiCase{144, {8, 221, 137, 21}, {12, 332, 206, 31}},  // 145 * 1.5 = 217.5 -> 218
        DpiCase{192, {144, 221, 137, 21}, {288, 442, 274, 42}}));

TEST(ScaleForDpi, AddAndDeleteButtonsStillMeetAtEveryScale) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    const Bounds add = ScaleForDpi(kControls[kBitBtn1].bounds, dpi);
    const Bounds del = ScaleForDpi(kControls[kBitBtn2].bounds, dpi);
    // At 96 DPI they share one column; scaled, no gap may open between them.
    EXPECT_LE(del.left, add.left + add.width - 1) << dpi;
    EXPECT_GE(del.left, add.left + add.width - 1 - dpi / 96) << dpi;
  }
}

TEST(ScaleForDpi, FontHeightRoundsLikeMulDiv) {
  EXPECT_EQ(ScaleForDpi(kFontHeight, 96), -11);
  EXPECT_EQ(ScaleForDpi(kFontHeight, 120), -14);  // -13.75
  EXPECT_EQ(ScaleForDpi(kFontHeight, 144), -17);  // -16.5 rounds away from zero
  EXPECT_EQ(ScaleForDpi(kFontHeight, 192), -22);
}

TEST(ImageScaleIndex, PicksTheLargestPreparedSizeNotAboveTheScale) {
  EXPECT_EQ(ImageScaleIndex(72), 0);
  EXPECT_EQ(ImageScaleIndex(96), 0);
  EXPECT_EQ(ImageScaleIndex(119), 0);
  EXPECT_EQ(ImageScaleIndex(120), 1);
  EXPECT_EQ(ImageScaleIndex(144), 2);
  EXPECT_EQ(ImageScaleIndex(168), 2);
  EXPECT_EQ(ImageScaleIndex(192), 3);
  EXPECT_EQ(ImageScaleIndex(288), 3);
}

TEST(LayOutButtonFace, LargerIconsAtLargerScalesStayCentred) {
  // 200 %: the 137 x 21 button is 274 x 42 with a 32-pixel icon.
  const ButtonFace face = LayOutButtonFace({274, 42}, {0, 0}, false, 32);
  EXPECT_EQ(face.icon, (Point{121, 5}));
  // The gap grows with the icon: 8 pixels at 200 %.
  const ButtonFace exit = LayOutButtonFace({182, 50}, {62, 26}, false, 32);
  EXPECT_EQ(exit.caption.x - exit.icon.x, 32 + 8);
}

}  // namespace
}  // namespace orvelle::ui
