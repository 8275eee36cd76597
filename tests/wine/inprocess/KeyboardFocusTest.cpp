// Where the keyboard focus starts and how Tab and Shift+Tab walk the controls, pressed as
// real keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

class KeyboardFocusTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    WriteCommandFile("first\r\nsecond\r\n");
    ShowForm();
  }

  // Tab order as a user meets it.
  std::vector<HWND> TabOrder() const {
    const ui::TForm1& f = Form();
    return {f.sBitBtn3.Handle(), f.sEdit1.Handle(),    f.sBitBtn4.Handle(), f.sBitBtn5.Handle(),
            f.sListBox1.Handle(), f.sBitBtn1.Handle(), f.sBitBtn2.Handle()};
  }
};

TEST_F(KeyboardFocusTest, FirstShowPutsTheFocusOnTheExitButtonOfTheForegroundWindow) {
  EXPECT_TRUE(ShownInForeground());
  EXPECT_EQ(::GetForegroundWindow(), FormWindow());
  EXPECT_EQ(::GetFocus(), Form().sBitBtn3.Handle()) << "focus on " << Utf8(Describe(::GetFocus()));
}

TEST_F(KeyboardFocusTest, TabVisitsEveryControlInOrderAndWrapsAround) {
  const std::vector<HWND> order = TabOrder();
  ASSERT_EQ(::GetFocus(), order[0]);
  for (std::size_t step = 1; step <= order.size(); ++step) {
    Tap(VK_TAB);
    HWND expected = order[step % order.size()];
    EXPECT_EQ(::GetFocus(), expected) << "after Tab " << step << ": focus on " << Utf8(Describe(::GetFocus()))
                                      << ", wanted " << Utf8(Describe(expected));
  }
}

TEST_F(KeyboardFocusTest, ShiftTabWalksTheSameOrderBackwards) {
  const std::vector<HWND> order = TabOrder();
  ASSERT_EQ(::GetFocus(), order[0]);
  for (std::size_t step = 1; step <= order.size(); ++step) {
    Tap(VK_TAB, {VK_SHIFT});
    HWND expected = order[(order.size() - step % order.size()) % order.size()];
    EXPECT_EQ(::GetFocus(), expected) << "after Shift+Tab " << step << ": focus on "
                                      << Utf8(Describe(::GetFocus())) << ", wanted " << Utf8(Describe(expected));
  }
}

TEST_F(KeyboardFocusTest, TabFromAClickedControlContinuesFromThere) {
  // The list takes the focus by a click on its row; Tab goes on to the add button.
  ClickListRow(0);
  ASSERT_EQ(::GetFocus(), Form().sListBox1.Handle());
  Tap(VK_TAB);
  EXPECT_EQ(::GetFocus(), Form().sBitBtn1.Handle()) << "focus on " << Utf8(Describe(::GetFocus()));
  Tap(VK_TAB, {VK_SHIFT});
  Tap(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(::GetFocus(), Form().sBitBtn5.Handle()) << "focus on " << Utf8(Describe(::GetFocus()));
}

}  // namespace
}  // namespace orvelle::test
