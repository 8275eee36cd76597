// The main window as it first appears: its frame, where it stands, and where every control
// sits inside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "support/Files.h"
#include "support/FormFixture.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {
namespace {

// The stored layout is in pixels at 96 DPI; on other screens the program scales it.
class WindowTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "the screen has " << dpi << " DPI; these sizes are for 96";
  }
};

TEST_F(WindowTest, FrameIsAFixedSizeDialogWithCaptionAndMinimiseBoxOnly) {
  WriteCommandFile("");
  ShowForm();
  HWND hwnd = FormWindow();

  EXPECT_EQ(TextOf(hwnd), kMainWindowCaption);
  EXPECT_EQ(ClassNameOf(hwnd), kMainWindowClass);
  const SIZE client = ClientSize(hwnd);
  EXPECT_EQ(client.cx, 521);
  EXPECT_EQ(client.cy, 313);

  EXPECT_TRUE(HasStyle(hwnd, WS_CAPTION)) << "title bar";
  EXPECT_TRUE(HasStyle(hwnd, WS_SYSMENU)) << "system menu";
  EXPECT_TRUE(HasStyle(hwnd, WS_MINIMIZEBOX)) << "minimise box";
  EXPECT_FALSE(HasStyle(hwnd, WS_MAXIMIZEBOX)) << "no maximise box";
  EXPECT_FALSE(HasStyle(hwnd, WS_THICKFRAME)) << "no sizing border";
  EXPECT_FALSE(HasStyle(hwnd, WS_CHILD));
}

TEST_F(WindowTest, OwnedByTheApplicationWindowThatCarriesTheProgramTitle) {
  WriteCommandFile("");
  ShowForm();
  HWND owner = ::GetWindow(FormWindow(), GW_OWNER);

  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(owner, platform::Application::Instance().Handle());
  EXPECT_EQ(TextOf(owner), kProgramTitle);
  EXPECT_EQ(ClassNameOf(owner), kApplicationWindowClass);
}

TEST_F(WindowTest, FirstShowCentresTheOuterRectangleOnTheVirtualScreen) {
  WriteCommandFile("");
  CreateForm();
  // Start somewhere else, so that a window that is simply left where it was created fails.
  ::SetWindowPos(FormWindow(), nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowForm();

  RECT rc{};
  ::GetWindowRect(FormWindow(), &rc);
  const int vx = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int vy = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int vw = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int vh = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const int ww = rc.right - rc.left;
  const int wh = rc.bottom - rc.top;
  EXPECT_EQ(rc.left, std::max(0, (vw - ww) / 2) + vx);
  EXPECT_EQ(rc.top, std::max(0, (vh - wh) / 2) + vy);
}

// ---- Controls ------------------------------------------------------------------------

// Which window is the parent: the main window itself or one of the panels.
enum class ParentOf { Window, Panel1, Panel2, Panel3 };

struct ControlCase {
  const char* name;
  HWND (*handle)(const ui::TForm1&);
  int id;  // 100 + the control's place in the stored layout
  ParentOf parent;
  WindowBounds bounds;  // relative to the parent; a label's size is checked against its text
  bool autoSized;
  const wchar_t* className;
};

std::ostream& operator<<(std::ostream& os, const ControlCase& c) { return os << c.name; }

const ControlCase kControlCases[] = {
    {"sPanel1", [](const ui::TForm1& f) { return f.sPanel1.Handle(); }, 100, ParentOf::Window, {8, 264, 505, 41}, false, L"OrvellePanel"},
    {"sLabel1", [](const ui::TForm1& f) { return f.sLabel1.Handle(); }, 101, ParentOf::Panel1, {8, 14, 0, 0}, true, L"OrvelleLabel"},
    {"sBitBtn3", [](const ui::TForm1& f) { return f.sBitBtn3.Handle(); }, 102, ParentOf::Panel1, {408, 8, 91, 25}, false, L"Button"},
    {"sEdit1", [](const ui::TForm1& f) { return f.sEdit1.Handle(); }, 103, ParentOf::Panel1, {59, 10, 254, 21}, false, L"Edit"},
    {"sBitBtn4", [](const ui::TForm1& f) { return f.sBitBtn4.Handle(); }, 104, ParentOf::Panel1, {320, 8, 33, 25}, false, L"Button"},
    {"sBitBtn5", [](const ui::TForm1& f) { return f.sBitBtn5.Handle(); }, 105, ParentOf::Panel1, {360, 8, 33, 25}, false, L"Button"},
    {"sPanel2", [](const ui::TForm1& f) { return f.sPanel2.Handle(); }, 106, ParentOf::Window, {8, 8, 289, 249}, false, L"OrvellePanel"},
    {"sListBox1", [](const ui::TForm1& f) { return f.sListBox1.Handle(); }, 107, ParentOf::Panel2, {8, 8, 273, 209}, false, L"ListBox"},
    {"sBitBtn1", [](const ui::TForm1& f) { return f.sBitBtn1.Handle(); }, 108, ParentOf::Panel2, {8, 221, 137, 21}, false, L"Button"},
    {"sBitBtn2", [](const ui::TForm1& f) { return f.sBitBtn2.Handle(); }, 109, ParentOf::Panel2, {144, 221, 137, 21}, false, L"Button"},
    {"sPanel3", [](const ui::TForm1& f) { return f.sPanel3.Handle(); }, 110, ParentOf::Window, {299, 8, 214, 249}, false, L"OrvellePanel"},
    {"Image1", [](const ui::TForm1& f) { return f.Image1.Handle(); }, 111, ParentOf::Panel3, {55, 0, 100, 100}, false, L"OrvellePicture"},
    {"sLabel2", [](const ui::TForm1& f) { return f.sLabel2.Handle(); }, 112, ParentOf::Panel3, {1, 112, 0, 0}, true, L"OrvelleLabel"},
    {"sLabel3", [](const ui::TForm1& f) { return f.sLabel3.Handle(); }, 113, ParentOf::Panel3, {56, 232, 0, 0}, true, L"OrvelleLabel"},
};

// The size DrawText gives the text in the labels' font ("MS Sans Serif" 8 pt, bold for the
// author line): a label is exactly as large as its text.
SIZE TextExtent(const std::wstring& text, bool bold) {
  HFONT font = ::CreateFontW(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             L"MS Sans Serif");
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT rc{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(font);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

class ControlLayoutTest : public WindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlLayoutTest, SitsAtItsStoredPlaceInItsParent) {
  const ControlCase& c = GetParam();
  WriteCommandFile("");
  ShowForm();
  HWND hwnd = c.handle(Form());
  ASSERT_NE(hwnd, nullptr);

  const HWND parents[] = {FormWindow(), Form().sPanel1.Handle(), Form().sPanel2.Handle(), Form().sPanel3.Handle()};
  EXPECT_EQ(::GetParent(hwnd), parents[static_cast<int>(c.parent)]) << "parent: " << Utf8(Describe(::GetParent(hwnd)));
  EXPECT_EQ(::GetDlgCtrlID(hwnd), c.id);
  EXPECT_EQ(ClassNameOf(hwnd), c.className);
  EXPECT_TRUE(::IsWindowVisible(hwnd));

  WindowBounds expected = c.bounds;
  if (c.autoSized) {
    const SIZE text = TextExtent(TextOf(hwnd), c.id == 113);
    expected.width = text.cx;
    expected.height = text.cy;
  }
  const WindowBounds actual = BoundsInParent(hwnd);
  EXPECT_EQ(actual, expected) << "at " << actual.left << "," << actual.top << " " << actual.width << "x"
                              << actual.height << ", stored " << expected.left << "," << expected.top << " "
                              << expected.width << "x" << expected.height;
}

INSTANTIATE_TEST_SUITE_P(EveryControl, ControlLayoutTest, ::testing::ValuesIn(kControlCases),
                         [](const ::testing::TestParamInfo<ControlCase>& param) { return std::string(param.param.name); });

TEST_F(WindowTest, LabelsShowTheirTextOnAsManyLinesAsItHas) {
  WriteCommandFile("");
  ShowForm();
  EXPECT_EQ(TextOf(Form().sLabel1.Handle()), L"Команда:");
  EXPECT_EQ(TextOf(Form().sLabel3.Handle()), L"Автор: Orvelle");
  // The help text has nine lines: the label is nine lines of the font high.
  const std::wstring help = TextOf(Form().sLabel2.Handle());
  std::size_t lines = 1;
  for (std::size_t at = help.find(L"\r\n"); at != std::wstring::npos; at = help.find(L"\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 9u);
  EXPECT_EQ(BoundsInParent(Form().sLabel2.Handle()).height, 9 * TextExtent(L"X", false).cy);
}

// ---- The list's rows -----------------------------------------------------------------

TEST_F(WindowTest, ListShowsRowsSixteenPixelsHighIn205PixelsOfClientArea) {
  WriteCommandFile("a\r\n");
  ShowForm();
  HWND list = Form().sListBox1.Handle();
  EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(ClientSize(list).cy, 205);
  EXPECT_TRUE(HasExStyle(list, WS_EX_CLIENTEDGE));
  EXPECT_TRUE(HasExStyle(Form().sEdit1.Handle(), WS_EX_CLIENTEDGE));
}

struct ScrollCase {
  int entries;
  bool scrollBar;
};

std::ostream& operator<<(std::ostream& os, const ScrollCase& c) { return os << c.entries << " entries"; }

class ListScrollBarTest : public WindowTest, public ::testing::WithParamInterface<ScrollCase> {};

// Twelve rows (192 pixels) fit in 205; the thirteenth (208) does not.
TEST_P(ListScrollBarTest, AppearsOnlyWhenTheRowsDoNotFit) {
  std::string file;
  for (int i = 0; i < GetParam().entries; ++i) file += "entry " + std::to_string(i) + "\r\n";
  WriteCommandFile(file);
  ShowForm();
  ASSERT_EQ(ListEntries().size(), static_cast<std::size_t>(GetParam().entries));
  EXPECT_EQ(VerticalScrollBarVisible(Form().sListBox1.Handle()), GetParam().scrollBar);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListScrollBarTest,
                         ::testing::Values(ScrollCase{0, false}, ScrollCase{12, false}, ScrollCase{13, true},
                                           ScrollCase{40, true}),
                         [](const ::testing::TestParamInfo<ScrollCase>& param) {
                           return std::to_string(param.param.entries) + "Entries";
                         });

}  // namespace
}  // namespace orvelle::test
