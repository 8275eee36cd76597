// The error box: how an error raised while the user works reaches them, and that the
// program carries on afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/Input.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

using ErrorBoxTest = FormTest;

// Backspace in the list with no search text selects the first entry; in an empty list there
// is none, and taking "the selected entry" fails.
TEST_F(ErrorBoxTest, ErrorInAHandlerShowsTheBoxOverADisabledWindowAndTheProgramGoesOn) {
  WriteCommandFile("");
  ShowForm();
  for (int i = 0; i < 4; ++i) Tap(VK_TAB);  // exit, edit, send, clear, list
  ASSERT_EQ(::GetFocus(), Form().sListBox1.Handle());

  Tap(VK_BACK);

  const std::vector<MessageBoxInfo> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  // ")" is below "." in code order: no full stop is added.
  EXPECT_TRUE(IsProgramErrorBox(boxes[0], L"List index out of bounds (-1)"));
  EXPECT_EQ(boxes[0].owner, platform::Application::Instance().Handle());
  EXPECT_TRUE(boxes[0].watchedWindowVisible);
  EXPECT_FALSE(boxes[0].watchedWindowEnabled) << "the window took input while the box was up";

  // After OK: the same window, enabled, in front, with the focus where it was.
  ASSERT_TRUE(FormAlive());
  EXPECT_TRUE(::IsWindowEnabled(FormWindow()));
  EXPECT_TRUE(::IsWindowVisible(FormWindow()));
  EXPECT_EQ(::GetForegroundWindow(), FormWindow());
  EXPECT_EQ(::GetFocus(), Form().sListBox1.Handle()) << "focus on " << Utf8(Describe(::GetFocus()));
  EXPECT_TRUE(ListEntries().empty());

  // And it still does what the user asks.
  Click(Form().sEdit1.Handle());
  Type(L"dir");
  Click(Form().sBitBtn1.Handle());
  EXPECT_EQ(ListEntries(), (std::vector<std::string>{"dir", ""}));
  EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(ErrorBoxTest, FailingAgainShowsTheBoxAgain) {
  WriteCommandFile("");
  ShowForm();
  // The messages of two Backspace presses, straight to the list (no focus needed).
  SendKeyMessages(Form().sListBox1.Handle(), VK_BACK);
  SendKeyMessages(Form().sListBox1.Handle(), VK_BACK);

  const std::vector<MessageBoxInfo> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const MessageBoxInfo& box : boxes) EXPECT_TRUE(IsProgramErrorBox(box, L"List index out of bounds (-1)"));
  EXPECT_TRUE(::IsWindowEnabled(FormWindow()));
}

TEST_F(ErrorBoxTest, MissingCommandFileIsReportedBeforeTheWindowAppearsWhichThenShowsAnEmptyList) {
  RemoveCommandFile();
  ShowForm();

  const std::vector<MessageBoxInfo> boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const std::wstring expected = FileErrorText(L"open", CommandFilePath(), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(IsProgramErrorBox(boxes[0], expected));
  ASSERT_GE(boxes[0].text.size(), 2u);
  EXPECT_EQ(boxes[0].text.back(), L'.');
  EXPECT_NE(boxes[0].text[boxes[0].text.size() - 2], L'.') << "one full stop at the end, not two";
  EXPECT_EQ(boxes[0].owner, platform::Application::Instance().Handle());
  EXPECT_FALSE(boxes[0].watchedWindowVisible) << "the box came after the window appeared";

  ASSERT_TRUE(FormAlive());
  EXPECT_TRUE(::IsWindowVisible(FormWindow()));
  EXPECT_TRUE(::IsWindowEnabled(FormWindow()));
  EXPECT_TRUE(ListEntries().empty());
  EXPECT_EQ(CommandLine(), "");
  EXPECT_FALSE(FileExists(CommandFilePath())) << "loading must not create the file";
}

}  // namespace
}  // namespace orvelle::test
