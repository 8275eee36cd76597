#include "app/ErrorText.h"

#include <gtest/gtest.h>

namespace orvelle::app {
namespace {

struct FullStopCase {
  std::wstring message;
  std::wstring shown;
};

class FullStopRule : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopRule, AppendsOneFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(BoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FullStopRule,
    ::testing::Values(
        FullStopCase{L"Unable to insert a line", L"Unable to insert a line."},
        FullStopCase{L"List index out of bounds (-1)", L"List index out of bounds (-1)"},
        FullStopCase{L"", L""},
        FullStopCase{L"Done.", L"Done."},
        FullStopCase{L"code 7", L"code 7."},
        FullStopCase{L"path/", L"path/."},
        FullStopCase{L"drive:", L"drive:."},
        FullStopCase{L"why?", L"why?."},
        FullStopCase{L"stop!", L"stop!"},
        FullStopCase{L"a \"quote\"", L"a \"quote\""},
        FullStopCase{L"list,", L"list,"},
        FullStopCase{L"dash-", L"dash-"},
        FullStopCase{L"Cannot open file \"x\". ", L"Cannot open file \"x\". "},
        // Non-ASCII characters count as above "." (unsigned comparison, never negative).
        FullStopCase{L"Ошибка записи", L"Ошибка записи."},
        FullStopCase{std::wstring(1, static_cast<wchar_t>(0xA0)), std::wstring(1, static_cast<wchar_t>(0xA0)) + L"."}));

TEST(CleanSystemText, RemovesTrailingFullStopsSpacesAndLineBreaks) {
  EXPECT_EQ(CleanSystemText(L"The system cannot find the file specified.\r\n"),
            L"The system cannot find the file specified");
  EXPECT_EQ(CleanSystemText(L"Access denied. . \t\r\n"), L"Access denied");
  EXPECT_EQ(CleanSystemText(L"...\r\n"), L"");
  EXPECT_EQ(CleanSystemText(L""), L"");
}

TEST(CleanSystemText, KeepsInnerFullStopsAndLines) {
  EXPECT_EQ(CleanSystemText(L"First. Second.\r\nThird.\r\n"), L"First. Second.\r\nThird");
}

TEST(FatalText, FormatsClassModuleOffsetAndMessage) {
  EXPECT_EQ(FatalText(L"WindowError", L"OrvelleCommandsHelper.exe", 0x1A2Bu, L"Error creating window"),
            L"Exception WindowError in module OrvelleCommandsHelper.exe at 00001A2B.\r\n"
            L"Error creating window.\r\n");
  // A message that already ends in "." gets no second one; an empty message none at all.
  EXPECT_EQ(FatalText(L"E", L"m.exe", 0xFFFFFFFFu, L"Done."), L"Exception E in module m.exe at FFFFFFFF.\r\nDone.\r\n");
  EXPECT_EQ(FatalText(L"E", L"m.exe", 0, L""), L"Exception E in module m.exe at 00000000.\r\n\r\n");
}

}  // namespace
}  // namespace orvelle::app
