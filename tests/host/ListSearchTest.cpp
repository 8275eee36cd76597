#include "ui/ListSearch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orvelle::ui {
namespace {

using Action = ListSearch::Action;

constexpr wchar_t kBackspace = 8;
constexpr wchar_t kEnter = 13;
constexpr wchar_t kEscape = 27;

class ListSearchTest : public testing::Test {
protected:
  ListSearch search_;

  // Types each character 100 ms after the previous one, starting at startMs; returns the
  // time of the last key.
  std::uint32_t Type(const std::wstring& chars, std::uint32_t startMs) {
    std::uint32_t now = startMs;
    for (wchar_t ch : chars) {
      EXPECT_EQ(search_.OnChar(ch, now), Action::FindPrefix);
      now += 100;
    }
    return now - 100;
  }
};

TEST_F(ListSearchTest, KeysWithinTheWindowBuildTheText) {
  EXPECT_EQ(search_.OnChar(L'a', 1000), Action::FindPrefix);
  EXPECT_EQ(search_.Text(), L"a");
  EXPECT_EQ(search_.OnChar(L'b', 1400), Action::FindPrefix);
  EXPECT_EQ(search_.Text(), L"ab");
}

TEST_F(ListSearchTest, CharactersKeptAsTyped) {
  Type(L"Git \u00E9\u0416", 0);
  EXPECT_EQ(search_.Text(), L"Git \u00E9\u0416");
}

TEST_F(ListSearchTest, FirstKeyAfterLongUptimeStartsNormally) {
  // No earlier key, so a tick far from zero must not count as a gap.
  Type(L"ab", 0x7FFF0000u);
  EXPECT_EQ(search_.Text(), L"ab");
}

struct GapCase {
  const char* name;
  std::uint32_t firstMs;
  std::uint32_t secondMs;
  const wchar_t* expected;  // text after typing 'a' then 'b'
};

class ListSearchGapTest : public testing::TestWithParam<GapCase> {};

TEST_P(ListSearchGapTest, PauseOfHalfASecondStartsANewSearch) {
  ListSearch search;
  search.OnChar(L'a', GetParam().firstMs);
  EXPECT_EQ(search.OnChar(L'b', GetParam().secondMs), Action::FindPrefix);
  EXPECT_EQ(search.Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, ListSearchGapTest,
    testing::Values(GapCase{"SameTick", 5000, 5000, L"ab"},
                    GapCase{"JustUnder", 5000, 5499, L"ab"},
                    GapCase{"Exactly500", 5000, 5500, L"b"},
                    GapCase{"Longer", 5000, 60000, L"b"},
                    // 0xFFFFFF00 -> 0x10 is 272 ms across the wrap, not a huge backwards step.
                    GapCase{"AcrossWrapShort", 0xFFFFFF00u, 0x00000010u, L"ab"},
                    GapCase{"AcrossWrapJustUnder", 0xFFFFFF00u, 0x000000F3u, L"ab"},
                    GapCase{"AcrossWrapExactly500", 0xFFFFFF00u, 0x000000F4u, L"b"},
                    GapCase{"AcrossWrapLong", 0xFFFFFF00u, 0x00001000u, L"b"}),
    [](const testing::TestParamInfo<GapCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(ListSearchTest, BackspaceRemovesLastCharacter) {
  const std::uint32_t last = Type(L"abc", 0);
  EXPECT_EQ(search_.OnChar(kBackspace, last + 100), Action::FindPrefix);
  EXPECT_EQ(search_.Text(), L"ab");
}

TEST_F(ListSearchTest, BackspaceToEmptySelectsFirst) {
  const std::uint32_t last = Type(L"a", 0);
  EXPECT_EQ(search_.OnChar(kBackspace, last + 100), Action::SelectFirst);
  EXPECT_EQ(search_.Text(), L"");
}

TEST_F(ListSearchTest, BackspaceOnEmptyTextSelectsFirst) {
  EXPECT_EQ(search_.OnChar(kBackspace, 0), Action::SelectFirst);
  EXPECT_EQ(search_.Text(), L"");
  EXPECT_EQ(search_.OnChar(kBackspace, 100), Action::SelectFirst);
  EXPECT_EQ(search_.Text(), L"");
}

TEST_F(ListSearchTest, BackspaceAfterPauseClearsWholeText) {
  // The old search has expired, so there is nothing left to remove a character from.
  const std::uint32_t last = Type(L"abc", 0);
  EXPECT_EQ(search_.OnChar(kBackspace, last + 500), Action::SelectFirst);
  EXPECT_EQ(search_.Text(), L"");
}

TEST_F(ListSearchTest, BackspaceCountsAsTyping) {
  // The Backspace at 400 restarts the window, so 'c' at 800 is 400 ms after it.
  Type(L"ab", 0);  // 'b' at 100
  search_.OnChar(kBackspace, 400);
  search_.OnChar(L'c', 800);
  EXPECT_EQ(search_.Text(), L"ac");
}

class ListSearchDialogKeyTest : public testing::TestWithParam<wchar_t> {};

TEST_P(ListSearchDialogKeyTest, LeavesTextAlone) {
  ListSearch search;
  search.OnChar(L'a', 0);
  EXPECT_EQ(search.OnChar(GetParam(), 100), Action::None);
  EXPECT_EQ(search.Text(), L"a");
  // Even long after: the key does not expire the search by itself.
  EXPECT_EQ(search.OnChar(GetParam(), 10000), Action::None);
  EXPECT_EQ(search.Text(), L"a");
}

TEST_P(ListSearchDialogKeyTest, DoesNotKeepSearchAlive) {
  // 'b' comes 600 ms after 'a'; the key at 400 must not count as the last typing.
  ListSearch search;
  search.OnChar(L'a', 0);
  search.OnChar(GetParam(), 400);
  search.OnChar(L'b', 600);
  EXPECT_EQ(search.Text(), L"b");
}

INSTANTIATE_TEST_SUITE_P(EnterAndEscape, ListSearchDialogKeyTest, testing::Values(kEnter, kEscape),
                         [](const testing::TestParamInfo<wchar_t>& caseInfo) {
                           return std::string(caseInfo.param == kEnter ? "Enter" : "Escape");
                         });

}  // namespace
}  // namespace orvelle::ui
