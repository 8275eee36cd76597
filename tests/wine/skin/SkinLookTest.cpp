// The skinned look of the real window on screen: colours at chosen points, the scroll bar
// that only overflow brings, the button faces and their fades, the minimise animation.
// Screenshots of each state are kept as artefacts (ORVELLE_ARTIFACTS, or "artifacts" beside
// the exe).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "support/FormFixture.h"
#include "support/Paths.h"
#include "support/Wine.h"
#include "ui/Unit1.h"
#include "ui/skin/CalciumSkin.h"

namespace orvelle::test {
namespace {

[[maybe_unused]] const bool kUnmanaged = (EnsureUnmanagedWindows(), true);
[[maybe_unused]] const ::testing::Environment* const kProgram =
    ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

using ui::skin::Rgb;

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

std::wstring ArtifactsFolder() {
  wchar_t env[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"ORVELLE_ARTIFACTS", env, MAX_PATH) > 0) return env;
  return ModuleDirectory() + L"\\artifacts";
}

bool SaveScreenRect(const RECT& rc, const std::wstring& name) {
  const std::wstring folder = ArtifactsFolder();
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  bool saved = false;
  // GDI+ writes the PNG; the program itself does not use it.
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) == Gdiplus::Ok) {
    Gdiplus::Bitmap image(bitmap, nullptr);
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::string buffer(size, '\0');
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
      if (std::wstring(encoders[i].MimeType) == L"image/png") {
        saved = image.Save((folder + L"\\" + name).c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        break;
      }
    }
  }
  if (gdiplus) Gdiplus::GdiplusShutdown(gdiplus);
  ::DeleteObject(bitmap);
  return saved;
}

class SkinLookTest : public FormTest {
protected:
  // The colour on screen at a point of a window's client area.
  COLORREF ClientPixel(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(hwnd, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return c;
  }
  // The colour at a point of the window's outer rectangle (title bar, frame).
  COLORREF WindowPixel(int x, int y) {
    RECT rc;
    ::GetWindowRect(FormWindow(), &rc);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, rc.left + x, rc.top + y);
    ::ReleaseDC(nullptr, screen);
    return c;
  }
  void Shot(const wchar_t* name) {
    RECT rc;
    ::GetWindowRect(FormWindow(), &rc);
    EXPECT_TRUE(SaveScreenRect(rc, name)) << "cannot save the screenshot";
  }
  void Redraw() {
    ::RedrawWindow(FormWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
  }
  void WaitForFades() { PumpFor(350); }  // the longest fade is 20 x 10 ms
};

#define EXPECT_COLOR(actual, expected) EXPECT_EQ(Hex(actual), Hex(expected))

TEST_F(SkinLookTest, AtStartSurfacesShowTheSkinColours) {
  WriteCommandFile("dir\r\n\r\necho hi\r\n");
  ShowForm();
  WaitForFades();
  Redraw();
  Shot(L"skin-start.png");
  auto& f = Form();

  // Window background between the panels, and inside the frameless right-hand panel.
  EXPECT_COLOR(ClientPixel(FormWindow(), 4, 100), Ref(ui::skin::kWindowBackground));
  EXPECT_COLOR(ClientPixel(f.sPanel3.Handle(), 5, 5), Ref(ui::skin::kWindowBackground));
  EXPECT_COLOR(ClientPixel(f.sPanel3.Handle(), 200, 240), Ref(ui::skin::kWindowBackground));
  // Raised panels: their fill inside the edges.
  EXPECT_COLOR(ClientPixel(f.sPanel1.Handle(), 4, 20), Ref(ui::skin::kPanelFill));
  EXPECT_COLOR(ClientPixel(f.sPanel2.Handle(), 140, 245), Ref(ui::skin::kPanelFill));
  // White fields.
  RECT edit;
  ::GetClientRect(f.sEdit1.Handle(), &edit);
  EXPECT_COLOR(ClientPixel(f.sEdit1.Handle(), edit.right - 5, edit.bottom / 2), RGB(255, 255, 255));
  EXPECT_COLOR(ClientPixel(f.sListBox1.Handle(), 150, 190), RGB(255, 255, 255));
  // Buttons: the exit button has the focus and shows its hot face; the others are normal.
  EXPECT_COLOR(ClientPixel(f.sBitBtn3.Handle(), 8, 12), Ref(ui::skin::kButtonHot));
  EXPECT_COLOR(ClientPixel(f.sBitBtn1.Handle(), 20, 10), Ref(ui::skin::kButtonNormal));
  EXPECT_COLOR(ClientPixel(f.sBitBtn5.Handle(), 4, 12), Ref(ui::skin::kButtonNormal));
  // Labels are transparent: the panel fill shows around their text.
  EXPECT_COLOR(ClientPixel(f.sLabel1.Handle(), 0, 0), Ref(ui::skin::kPanelFill));
  EXPECT_COLOR(ClientPixel(f.sLabel3.Handle(), 0, 0), Ref(ui::skin::kWindowBackground));
}

TEST_F(SkinLookTest, TitleStripIsNearWhiteWithARoundedDarkOutline) {
  RemoveCommandFile();
  ShowForm();
  TakeBoxes();  // the first start's missing-file box
  Redraw();
  Shot(L"skin-title.png");
  RECT rc;
  ::GetWindowRect(FormWindow(), &rc);
  const int w = rc.right - rc.left;
  POINT client{0, 0};
  ::ClientToScreen(FormWindow(), &client);
  const int captionBottom = client.y - rc.top;
  // Half way down the strip, between the caption text and the buttons.
  const COLORREF strip = WindowPixel(w / 2 + 60, captionBottom / 2);
  EXPECT_GE(GetRValue(strip), 0xF2) << Hex(strip);
  EXPECT_EQ(GetRValue(strip), GetGValue(strip)) << Hex(strip);
  EXPECT_EQ(GetGValue(strip), GetBValue(strip)) << Hex(strip);
  // The outline: darker on top than the strip, dark at the sides.
  EXPECT_COLOR(WindowPixel(w / 2, 0), Ref(ui::skin::kOutlineTop));
  EXPECT_COLOR(WindowPixel(0, captionBottom + 40), Ref(ui::skin::kOutlineSide));
  // The window's shape is cut at the corners.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(FormWindow(), region), ERROR);
  EXPECT_FALSE(::PtInRegion(region, 0, 0));
  EXPECT_FALSE(::PtInRegion(region, w - 1, 0));
  EXPECT_TRUE(::PtInRegion(region, w / 2, 0));
  EXPECT_TRUE(::PtInRegion(region, 8, 8));
  ::DeleteObject(region);
}

TEST_F(SkinLookTest, SelectedRowIsFlatGreyWithoutFocusAndFramedWithIt) {
  WriteCommandFile("first\r\nsecond\r\nthird\r\n");
  ShowForm();
  auto& f = Form();
  ClickListRow(1);
  WaitForFades();
  RECT row;
  ::SendMessageW(f.sListBox1.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  Shot(L"skin-selection-focused.png");
  EXPECT_COLOR(ClientPixel(f.sListBox1.Handle(), 1, row.top + 8), Ref(ui::skin::kSelectionFrame));
  EXPECT_COLOR(ClientPixel(f.sListBox1.Handle(), 200, row.top), Ref(ui::skin::kSelectionFrame));
  const COLORREF inside = ClientPixel(f.sListBox1.Handle(), 200, row.top + 8);
  EXPECT_LT(GetRValue(inside), 0xF1) << Hex(inside);
  EXPECT_GT(GetRValue(inside), 0xD4) << Hex(inside);
  // Move the focus away: the row turns flat grey.
  f.sEdit1.Focus();
  Settle();
  WaitForFades();
  Shot(L"skin-selection-unfocused.png");
  EXPECT_COLOR(ClientPixel(f.sListBox1.Handle(), 200, row.top + 8), Ref(ui::skin::kSelectionUnfocused));
  EXPECT_COLOR(ClientPixel(f.sListBox1.Handle(), 200, row.top), Ref(ui::skin::kSelectionUnfocused));
}

TEST_F(SkinLookTest, ThirteenthEntryBringsTheSkinnedScrollBar) {
  std::string twelve;
  for (int i = 1; i <= 12; ++i) twelve += "entry " + std::to_string(i) + "\r\n";
  WriteCommandFile(twelve);
  ShowForm();
  EXPECT_FALSE(::GetWindowLongW(Form().sListBox1.Handle(), GWL_STYLE) & WS_VSCROLL) << "12 rows must fit";
  DestroyForm();

  WriteCommandFile(twelve + "entry 13\r\n");
  ShowForm();
  HWND list = Form().sListBox1.Handle();
  ASSERT_TRUE(::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) << "the 13th row must bring the scroll bar";
  WaitForFades();
  Redraw();
  Shot(L"skin-thirteen-entries.png");
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetScrollBarInfo(list, OBJID_VSCROLL, &info));
  // The track's left-to-right gradient: white at its left edge, below the thumb.
  HDC screen = ::GetDC(nullptr);
  const int y = info.rcScrollBar.bottom - info.dxyLineButton - 3;
  const COLORREF left = ::GetPixel(screen, info.rcScrollBar.left, y);
  const COLORREF right = ::GetPixel(screen, info.rcScrollBar.right - 1, y);
  ::ReleaseDC(nullptr, screen);
  EXPECT_COLOR(left, RGB(0xFF, 0xFF, 0xFF));
  EXPECT_GE(GetRValue(right), 0xE8) << Hex(right);
  EXPECT_LT(GetRValue(right), 0xFF) << Hex(right);
}

TEST_F(SkinLookTest, HoveredButtonCrossFadesToItsHotFace) {
  WriteCommandFile("a\r\n");
  ShowForm();
  auto& f = Form();
  HWND add = f.sBitBtn1.Handle();
  EXPECT_EQ(f.sSkinManager1.ButtonFrame(add, ::GetTickCount()).to, ui::skin::Face::Normal);
  // Hover over the add button with a real mouse move.
  RECT rc;
  ::GetWindowRect(add, &rc);
  ::SetCursorPos(rc.left + 20, rc.top + 8);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  move.mi.dx = 1;
  ::SendInput(1, &move, sizeof(move));
  ASSERT_TRUE(PumpUntil([&] { return f.sSkinManager1.ButtonFrame(add, ::GetTickCount()).to == ui::skin::Face::Hot; }))
      << "the hover did not reach the button";
  WaitForFades();
  EXPECT_TRUE(f.sSkinManager1.ButtonFrame(add, ::GetTickCount()).done);
  Redraw();
  Shot(L"skin-hot-button.png");
  EXPECT_COLOR(ClientPixel(add, 20, 10), Ref(ui::skin::kButtonHot));
  ::SetCursorPos(5, 5);
  ::SendInput(1, &move, sizeof(move));
  PumpFor(50);
}

TEST_F(SkinLookTest, MinimiseAnimatesThirteenFadingFramesAndRestoreBringsTheWindowBack) {
  WriteCommandFile("a\r\n");
  ShowForm();
  auto& f = Form();
  ::SendMessageW(FormWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Settle();
  const auto& frames = f.sSkinProvider1.LastAnimation();
  ASSERT_EQ(frames.size(), 13u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].frame.atMs, 15u * (i + 1));
    // Shown no earlier than its time (the log's clock is the real one).
    EXPECT_GE(frames[i].shownAtMs, frames[i].frame.atMs);
    if (i > 0) {
      EXPECT_LT(frames[i].frame.alpha, frames[i - 1].frame.alpha);
    }
  }
  EXPECT_EQ(frames.back().frame.alpha, 0);
  EXPECT_FALSE(::IsWindowVisible(FormWindow()));

  ::SendMessageW(platform::Application::Instance().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Settle();
  EXPECT_TRUE(::IsWindowVisible(FormWindow()));
  const auto& back = f.sSkinProvider1.LastAnimation();
  ASSERT_EQ(back.size(), 13u);
  EXPECT_EQ(back.back().frame.alpha, 255);
  // The list was loaded once, at the first show: restoring does not load again.
  EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
}  // namespace orvelle::test
