// Editing the list and the command line with mouse and keyboard: adding, taking an entry
// into the command line, deleting, clearing. None of it touches commands.txt; only the exit
// button saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/Input.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

using Entries = std::vector<std::string>;

// Shows the window over a given command file and, at the end, checks that the file on disk
// is still exactly that.
class EditingTest : public FormTest {
protected:
  void StartWith(const std::string& fileBytes) {
    fileBytes_ = fileBytes;
    WriteCommandFile(fileBytes);
    ShowForm();
    ASSERT_TRUE(TakeBoxes().empty());
  }

  void TearDown() override {
    if (fileBytes_) {
      EXPECT_EQ(Escaped(CommandFileBytes().value_or("<missing>")), Escaped(*fileBytes_))
          << "commands.txt changed without the exit button";
    }
    FormTest::TearDown();
  }

  HWND Edit() const { return Form().sEdit1.Handle(); }
  HWND List() const { return Form().sListBox1.Handle(); }
  HWND AddButton() const { return Form().sBitBtn1.Handle(); }
  HWND DeleteButton() const { return Form().sBitBtn2.Handle(); }
  HWND ClearButton() const { return Form().sBitBtn5.Handle(); }

  // Clicks into the empty command line and types the text.
  void TypeCommandLine(std::wstring_view text) {
    Click(Edit());
    Type(text);
  }

private:
  std::optional<std::string> fileBytes_;
};

// ---- Adding --------------------------------------------------------------------------

TEST_F(EditingTest, AddButtonAppendsTheLineAndAnEmptyEntryThenClearsTheLine) {
  StartWith("");
  TypeCommandLine(L"a");
  ASSERT_EQ(CommandLine(), "a");
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"a", ""}));
  EXPECT_EQ(CommandLine(), "");

  TypeCommandLine(L"b");
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"a", "", "b", ""}));
  EXPECT_EQ(CommandLine(), "");

  // An empty line adds two empty entries.
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"a", "", "b", "", "", ""}));
  EXPECT_EQ(ListSelection(), -1);
}

TEST_F(EditingTest, AddingKeepsTheSelectedEntrySelected) {
  StartWith("x\r\ny\r\n");
  ClickListRow(1);
  ASSERT_EQ(ListSelection(), 1);
  ASSERT_EQ(CommandLine(), "y");
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"x", "y", "y", ""}));
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_EQ(CommandLine(), "");
}

TEST_F(EditingTest, AddedLineKeepsItsSpacesAndPunctuation) {
  StartWith("");
  TypeCommandLine(L"  ping -n 3 127.0.0.1 & echo \"done\"  ");
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"  ping -n 3 127.0.0.1 & echo \"done\"  ", ""}));
}

struct EnterCase {
  const char* name;
  std::vector<WORD> modifiers;
};

std::ostream& operator<<(std::ostream& os, const EnterCase& c) { return os << c.name; }

class AddByEnterTest : public EditingTest, public ::testing::WithParamInterface<EnterCase> {};

// Enter adds when it is released, whatever else is held; pressing it does nothing yet.
TEST_P(AddByEnterTest, ReleasingEnterInTheCommandLineAdds) {
  StartWith("");
  TypeCommandLine(L"dir");
  {
    std::vector<std::unique_ptr<ScopedKeyDown>> held;
    for (WORD m : GetParam().modifiers) held.push_back(std::make_unique<ScopedKeyDown>(m));
    ASSERT_TRUE(SendKey(VK_RETURN, true));
    Settle();
    EXPECT_TRUE(ListEntries().empty()) << "added on the press";
    EXPECT_EQ(CommandLine(), "dir");
    ASSERT_TRUE(SendKey(VK_RETURN, false));
    Settle();
  }
  Settle();
  EXPECT_EQ(ListEntries(), (Entries{"dir", ""}));
  EXPECT_EQ(CommandLine(), "");
  EXPECT_EQ(::GetFocus(), Edit());
}

INSTANTIATE_TEST_SUITE_P(Modifiers, AddByEnterTest,
                         ::testing::Values(EnterCase{"Alone", {}}, EnterCase{"WithCtrl", {VK_CONTROL}},
                                           EnterCase{"WithShift", {VK_SHIFT}}),
                         [](const ::testing::TestParamInfo<EnterCase>& param) { return std::string(param.param.name); });

TEST_F(EditingTest, HoldingEnterAddsOnceOnTheRelease) {
  StartWith("");
  TypeCommandLine(L"cls");
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(SendKey(VK_RETURN, true));  // auto-repeat
  Settle();
  EXPECT_TRUE(ListEntries().empty());
  ASSERT_TRUE(SendKey(VK_RETURN, false));
  Settle();
  EXPECT_EQ(ListEntries(), (Entries{"cls", ""}));
}

// Enter, like Space, presses the focused button.
struct ButtonKeyCase {
  const char* name;
  WORD key;
};

std::ostream& operator<<(std::ostream& os, const ButtonKeyCase& c) { return os << c.name; }

class ButtonKeyTest : public EditingTest, public ::testing::WithParamInterface<ButtonKeyCase> {};

TEST_P(ButtonKeyTest, KeyOnTheFocusedAddButtonAdds) {
  StartWith("");
  Tap(VK_TAB);  // from the exit button to the command line
  ASSERT_EQ(::GetFocus(), Edit());
  Type(L"tree");
  for (int i = 0; i < 4; ++i) Tap(VK_TAB);  // send, clear, list, add
  ASSERT_EQ(::GetFocus(), AddButton()) << "focus on " << Utf8(Describe(::GetFocus()));
  Tap(GetParam().key);
  EXPECT_EQ(ListEntries(), (Entries{"tree", ""}));
  EXPECT_EQ(CommandLine(), "");
}

INSTANTIATE_TEST_SUITE_P(Keys, ButtonKeyTest,
                         ::testing::Values(ButtonKeyCase{"Enter", VK_RETURN}, ButtonKeyCase{"Space", VK_SPACE}),
                         [](const ::testing::TestParamInfo<ButtonKeyCase>& param) { return std::string(param.param.name); });

TEST_F(EditingTest, PastingSeveralLinesKeepsTheFirstOnly) {
  StartWith("");
  const std::wstring clip = L"dir /s\r\ndel *.*\r\n";
  ASSERT_TRUE(::OpenClipboard(FormWindow()));
  ::EmptyClipboard();
  HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(data, nullptr);
  std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<wchar_t*>(::GlobalLock(data)));
  ::GlobalUnlock(data);
  ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, data), nullptr);
  ::CloseClipboard();

  Click(Edit());
  Tap('V', {VK_CONTROL});
  EXPECT_EQ(CommandLine(), "dir /s");
  Click(AddButton());
  EXPECT_EQ(ListEntries(), (Entries{"dir /s", ""}));
}

// ---- Taking an entry into the command line ------------------------------------------

TEST_F(EditingTest, ClickingARowTakesItsEntry) {
  StartWith("first\r\nsecond\r\nthird\r\n");
  SetCommandLine("typed");
  ClickListRow(1);
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_EQ(CommandLine(), "second");
  ClickListRow(2);
  EXPECT_EQ(CommandLine(), "third");
  EXPECT_EQ(ListEntries(), (Entries{"first", "second", "third"}));
}

TEST_F(EditingTest, ClickingAnEmptyEntryEmptiesTheLine) {
  StartWith("a\r\n\r\n");
  SetCommandLine("typed");
  ClickListRow(1);
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_EQ(CommandLine(), "");
}

TEST_F(EditingTest, ArrowKeysTakeEachEntryTheyMoveTo) {
  StartWith("first\r\nsecond\r\nthird\r\n");
  ClickListRow(0);
  ASSERT_EQ(CommandLine(), "first");
  Tap(VK_DOWN);
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_EQ(CommandLine(), "second");
  Tap(VK_DOWN);
  EXPECT_EQ(CommandLine(), "third");
  Tap(VK_UP);
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_EQ(CommandLine(), "second");
}

struct SearchCase {
  const char* name;
  const wchar_t* typed;  // typed quickly, in one go
  int selected;
  const char* line;
};

std::ostream& operator<<(std::ostream& os, const SearchCase& c) { return os << c.name; }

class KeyboardSearchTest : public EditingTest, public ::testing::WithParamInterface<SearchCase> {};

// The first entry from the top that begins with what was typed, letter case ignored.
TEST_P(KeyboardSearchTest, TypingInTheListTakesTheFirstEntryBeginningWithIt) {
  StartWith("cat\r\nbird\r\nbat\r\nApple\r\nant\r\nBath\r\n");
  for (int i = 0; i < 4; ++i) Tap(VK_TAB);  // exit, edit, send, clear, list
  ASSERT_EQ(::GetFocus(), List());
  SetCommandLine("typed");
  Type(GetParam().typed);
  EXPECT_EQ(ListSelection(), GetParam().selected);
  EXPECT_EQ(CommandLine(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, KeyboardSearchTest,
    ::testing::Values(SearchCase{"TwoLetters", L"ba", 2, "bat"}, SearchCase{"UpperCaseTyped", L"BI", 1, "bird"},
                      SearchCase{"UpperCaseEntry", L"a", 3, "Apple"}, SearchCase{"LongerPrefix", L"an", 4, "ant"},
                      SearchCase{"WholeEntry", L"bath", 5, "Bath"},
                      SearchCase{"NoMatchChangesNothing", L"x", -1, "typed"}),
    [](const ::testing::TestParamInfo<SearchCase>& param) { return std::string(param.param.name); });

TEST_F(EditingTest, SearchStartsAtTheTopNotAtTheSelectedEntry) {
  StartWith("cat\r\nbird\r\nbat\r\nApple\r\nant\r\nBath\r\n");
  ClickListRow(3);  // "Apple": a search going on from here would find "Bath"
  ASSERT_EQ(::GetFocus(), List());
  Type(L"ba");
  EXPECT_EQ(ListSelection(), 2);
  EXPECT_EQ(CommandLine(), "bat");
}

TEST_F(EditingTest, SearchingTheSelectedEntryAgainTakesItAgain) {
  StartWith("cat\r\nbird\r\nbat\r\n");
  for (int i = 0; i < 4; ++i) Tap(VK_TAB);
  ASSERT_EQ(::GetFocus(), List());
  Type(L"ba");
  ASSERT_EQ(CommandLine(), "bat");

  // The user edits the line, goes back to the list and finds the same entry.
  Tap(VK_TAB, {VK_SHIFT});
  Tap(VK_TAB, {VK_SHIFT});
  Tap(VK_TAB, {VK_SHIFT});
  ASSERT_EQ(::GetFocus(), Edit());
  Type(L"XYZ");
  ASSERT_NE(CommandLine(), "bat");
  for (int i = 0; i < 3; ++i) Tap(VK_TAB);
  ASSERT_EQ(::GetFocus(), List());
  ::Sleep(600);  // a new search
  Type(L"ba");
  EXPECT_EQ(ListSelection(), 2);
  EXPECT_EQ(CommandLine(), "bat");
}

TEST_F(EditingTest, APauseStartsANewSearch) {
  StartWith("cat\r\nbird\r\nbat\r\nApple\r\n");
  for (int i = 0; i < 4; ++i) Tap(VK_TAB);
  ASSERT_EQ(::GetFocus(), List());
  Type(L"b");
  ASSERT_EQ(CommandLine(), "bird");
  ::Sleep(600);  // longer than the 500 ms a search stays alive
  Type(L"a");
  EXPECT_EQ(ListSelection(), 3) << "\"a\" is a new search, not \"ba\"";
  EXPECT_EQ(CommandLine(), "Apple");
}

// ---- Deleting and clearing -----------------------------------------------------------

TEST_F(EditingTest, DeleteRemovesOnlyTheSelectedEntryAndLeavesNothingSelected) {
  // The entry to delete has a twin: the selected one goes, not the first with its text.
  StartWith("x\r\ny\r\nx\r\nz\r\n");
  ClickListRow(2);
  ASSERT_EQ(CommandLine(), "x");
  Click(DeleteButton());
  EXPECT_EQ(ListEntries(), (Entries{"x", "y", "z"}));
  EXPECT_EQ(ListSelection(), -1);
  EXPECT_EQ(CommandLine(), "");
  EXPECT_EQ(::GetFocus(), List()) << "focus on " << Utf8(Describe(::GetFocus()));

  // Nothing selected now: delete again removes nothing and raises no error (the fixture
  // fails on any box).
  SetCommandLine("typed");
  Click(DeleteButton());
  EXPECT_EQ(ListEntries(), (Entries{"x", "y", "z"}));
  EXPECT_EQ(ListSelection(), -1);
  EXPECT_EQ(CommandLine(), "");
}

TEST_F(EditingTest, DeleteCanEmptyTheList) {
  StartWith("only\r\n");
  ClickListRow(0);
  Click(DeleteButton());
  EXPECT_TRUE(ListEntries().empty());
  Click(DeleteButton());
  EXPECT_TRUE(ListEntries().empty());
}

TEST_F(EditingTest, ClearButtonEmptiesTheLineOnly) {
  StartWith("a\r\nb\r\n");
  ClickListRow(1);
  ASSERT_EQ(CommandLine(), "b");
  Click(ClearButton());
  EXPECT_EQ(CommandLine(), "");
  EXPECT_EQ(ListEntries(), (Entries{"a", "b"}));
  EXPECT_EQ(ListSelection(), 1);
}

}  // namespace
}  // namespace orvelle::test
