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
