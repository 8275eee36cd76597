#include "ui/skin/SkinProvider.h"

#include <algorithm>
#include <cmath>

#include "ui/FormLayout.h"
#include "ui/skin/CalciumSkin.h"
#include "ui/skin/SkinPaint.h"

namespace orvelle::ui::skin {

namespace {

// The system's non-client renderer would draw over ours on Windows with desktop composition.
void DisableSystemFrameRendering(HWND hwnd) {
  HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll");
  if (!dwm) return;
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  auto set = reinterpret_cast<SetAttribute>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmSetWindowAttribute")));
  if (set) {
    const DWORD disabled = 1;  // DWMNCRP_DISABLED for DWMWA_NCRENDERING_POLICY (2)
    set(hwnd, 2, &disabled, sizeof(disabled));
  }
  ::FreeLibrary(dwm);
}

// The glyph of a title-bar button, anti-aliased, in `color`: a cross for close, a bar at the
// bottom for minimise; sized for the window's DPI.
void DrawGlyph(HDC hdc, const RECT& button, SkinProvider::TitleButton kind, Rgb color, int dpi) {
  const int w = button.right - button.left, h = button.bottom - button.top;
  if (w <= 0 || h <= 0) return;
  const float scale = static_cast<float>(dpi) / 96.0f;
  Canvas canvas(w, h);
  const float cx = static_cast<float>(w) / 2.0f, cy = static_cast<float>(h) / 2.0f;
  if (kind == SkinProvider::TitleButton::Close) {
    const float arm = 3.5f * scale, width = 1.9f * scale;
    canvas.StrokeSegment(cx - arm, cy - arm, cx + arm, cy + arm, width, color);
    canvas.StrokeSegment(cx + arm, cy - arm, cx - arm, cy + arm, width, color);
  } else {
    // On whole pixels, so that the bar stays sharp.
    const float left = std::round(cx - 4.0f * scale), top = std::round(cy + 2.0f * scale);
    const float right = left + std::round(8.0f * scale), bottom = top + std::max(1.0f, std::round(2.0f * scale));
    canvas.FillRoundedRect({left, top, right, bottom}, 0.0f, {color, color});
  }
  BlendImage(hdc, ToAlphaBitmap(canvas), button.left, button.top, 255);
}

constexpr UINT kAnimationClassStyle = 0;
constexpr const wchar_t* kAnimationClass = L"OrvelleAnimation";

}  // namespace

void SkinProvider::Attach(HWND form) {
  DisableSystemFrameRendering(form);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    captionFont_.Reset(::CreateFontIndirectW(&metrics.lfCaptionFont));
  UpdateShape(form);
  ::SetWindowPos(form, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

SkinProvider::Geometry SkinProvider::Measure(HWND form) {
  Geometry g{};
  RECT window;
  ::GetWindowRect(form, &window);
  POINT client{0, 0};
  ::ClientToScreen(form, &client);
  g.window = {0, 0, window.right - window.left, window.bottom - window.top};
  g.frame = std::max(1, static_cast<int>(client.x - window.left));
  g.captionTop = g.frame;
  g.captionBottom = client.y - window.top;
  const int captionHeight = std::max(1, g.captionBottom - g.captionTop);
  const int size = std::max(8, captionHeight - 4);
  const int buttonTop = g.captionTop + (captionHeight - size) / 2;
  g.close = {g.window.right - g.frame - 2 - size - 4, buttonTop, g.window.right - g.frame - 2, buttonTop + size};
  g.minimize = {g.close.left - 2 - (size + 4), buttonTop, g.close.left - 2, buttonTop + size};
  const int icon = ::GetSystemMetrics(SM_CXSMICON);
  const int iconTop = g.captionTop + (captionHeight - icon) / 2;
  g.icon = {g.frame + 4, iconTop, g.frame + 4 + icon, iconTop + icon};
  return g;
}

void SkinProvider::UpdateShape(HWND form) {
  RECT rc;
  ::GetWindowRect(form, &rc);
  const SIZE size{rc.right - rc.left, rc.bottom - rc.top};
  if (size.cx == shapedFor_.cx && size.cy == shapedFor_.cy) return;
  shapedFor_ = size;
  const int d = 2 * ScaleForDpi(kWindowCornerRadius, dpi_);
  ::SetWindowRgn(form, ::CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, d, d), TRUE);
}

void SkinProvider::PaintFrame(HWND form) {
  const Geometry g = Measure(form);
  const int w = g.window.right;
  const int h = g.window.bottom;
  if (w <= 0 || h <= 0) return;
  HDC windowDc = ::GetWindowDC(form);
  if (!windowDc) return;
  // Paint into a bitmap first: the frame appears in one piece, without flicker.
  platform::UniqueHdc dc(::CreateCompatibleDC(windowDc));
  platform::UniqueHbitmap bitmap(::CreateCompatibleBitmap(windowDc, w, h));
  {
    platform::SelectObjectScope selectBitmap(dc.Get(), bitmap.Get());
    HDC hdc = dc.Get();
    FillSolid(hdc, g.window, kWindowBackground);
    // Title strip, near white.
    FillVertical(hdc, RECT{0, 0, w, g.captionBottom}, active_ ? kTitleActive : kTitleInactive);
    // Soft shading inside the outline along the sides and the bottom.
    for (int i = 1; i < std::max(2, g.frame); ++i) {
      const int shade = 0xE8 - (std::max(2, g.frame) - i) * 10;
      const Rgb c{static_cast<std::uint8_t>(shade), static_cast<std::uint8_t>(shade), static_cast<std::uint8_t>(shade)};
      FillSolid(hdc, RECT{i, g.captionBottom, i + 1, h - i}, c);
      FillSolid(hdc, RECT{w - 1 - i, g.captionBottom, w - i, h - i}, c);
      FillSolid(hdc, RECT{i, h - 1 - i, w - i, h - i}, c);
    }

    // Program icon and caption.
    HICON icon = reinterpret_cast<HICON>(::SendMessageW(form, WM_GETICON, ICON_SMALL2, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(form, GCLP_HICONSM));
    if (icon)
      ::DrawIconEx(hdc, g.icon.left, g.icon.top, icon, g.icon.right - g.icon.left, g.icon.bottom - g.icon.top, 0,
                   nullptr, DI_NORMAL);
    wchar_t caption[256] = {};
    ::GetWindowTextW(form, caption, 256);
    RECT text{g.icon.right + 4, g.captionTop, g.minimize.left - 4, g.captionBottom};
    {
      platform::SelectObjectScope selectFont(hdc, captionFont_ ? static_cast<HGDIOBJ>(captionFont_.Get())
                                                               : ::GetStockObject(DEFAULT_GUI_FONT));
      ::SetBkMode(hdc, TRANSPARENT);
      ::SetTextColor(hdc, Ref(active_ ? kCaptionActive : kCaptionInactive));
      ::DrawTextW(hdc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    // Minimise and close: a grey glyph, on a rounded button while hot or pressed.
    for (TitleButton kind : {TitleButton::Minimize, TitleButton::Close}) {
      const RECT& r = kind == TitleButton::Close ? g.close : g.minimize;
      const bool pressed = pressed_ == kind && pressedInside_;
      const bool hot = hot_ == kind || pressed_ == kind;
      if (hot || pressed) {
        const Gradient fill = kind == TitleButton::Close ? (pressed ? kClosePressed : kCloseHot)
                                                          : (pressed ? kTitleButtonPressed : kTitleButtonHot);
        BlendImage(hdc, RenderRoundedGradient(r.right - r.left, r.bottom - r.top, 4, fill), r.left, r.top, 255);
        DrawGlyph(hdc, r, kind, Rgb{0xFF, 0xFF, 0xFF}, dpi_);
      } else {
        DrawGlyph(hdc, r, kind, active_ ? kTitleGlyph : kTitleGlyphInactive, dpi_);
      }
    }

    // Dark outline following the rounded shape: lighter on top, darkest at the bottom.
    const int radius = ScaleForDpi(kWindowCornerRadius, dpi_);
    StrokeRoundedRect(hdc, g.window, radius, kOutlineSide);
    FillSolid(hdc, RECT{radius, 0, w - radius, 1}, kOutlineTop);
    FillSolid(hdc, RECT{radius, h - 1, w - radius, h}, kOutlineBottom);

    // Copy all but the client area.
    POINT client{0, 0};
    ::ClientToScreen(form, &client);
    RECT window;
    ::GetWindowRect(form, &window);
    RECT clientRect;
    ::GetClientRect(form, &clientRect);
    ::OffsetRect(&clientRect, client.x - window.left, client.y - window.top);
    ::ExcludeClipRect(windowDc, clientRect.left, clientRect.top, clientRect.right, clientRect.bottom);
    ::BitBlt(windowDc, 0, 0, w, h, hdc, 0, 0, SRCCOPY);
  }
  ::ReleaseDC(form, windowDc);
}

SkinProvider::TitleButton SkinProvider::HitButton(HWND form, POINT screen) const {
  RECT window;
  ::GetWindowRect(form, &window);
  const POINT p{screen.x - window.left, screen.y - window.top};
  const Geometry g = Measure(form);
  if (::PtInRect(&g.close, p)) return TitleButton::Close;
  if (::PtInRect(&g.minimize, p)) return TitleButton::Minimize;
  return TitleButton::None;
}

bool SkinProvider::HandleFrameMessage(HWND form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_NCPAINT:
      PaintFrame(form);
      result = 0;
      return true;
    case WM_NCACTIVATE:
      active_ = wParam != FALSE;
      PaintFrame(form);
      result = TRUE;
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      result = ::DefWindowProcW(form, msg, wParam, lParam);
      PaintFrame(form);
      return true;
    case WM_WINDOWPOSCHANGED:
      UpdateShape(form);
      return false;
    case WM_NCHITTEST: {
      const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      switch (HitButton(form, screen)) {
        case TitleButton::Close: result = HTCLOSE; return true;
        case TitleButton::Minimize: result = HTMINBUTTON; return true;
        default: break;
      }
      const LRESULT hit = ::DefWindowProcW(form, msg, wParam, lParam);
      // The system's own button places are caption here: our buttons stand elsewhere.
      result = (hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE) ? HTCAPTION : hit;
      return true;
    }
    case WM_NCMOUSEMOVE: {
      const TitleButton hot = wParam == HTCLOSE ? TitleButton::Close
                              : wParam == HTMINBUTTON ? TitleButton::Minimize
                                                      : TitleButton::None;
      if (hot != hot_) {
        hot_ = hot;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, form, 0};
        ::TrackMouseEvent(&track);
        PaintFrame(form);
      }
      return false;
    }
    case WM_NCMOUSELEAVE:
      if (hot_ != TitleButton::None) {
        hot_ = TitleButton::None;
        PaintFrame(form);
      }
      return false;
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCLOSE || wParam == HTMINBUTTON) {
        // Track the press ourselves: the system's tracking would draw its own buttons.
        pressed_ = wParam == HTCLOSE ? TitleButton::Close : TitleButton::Minimize;
        pressedInside_ = true;
        ::SetCapture(form);
        PaintFrame(form);
        result = 0;
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      if (pressed_ != TitleButton::None) {
        POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(form, &screen);
        const bool inside = HitButton(form, screen) == pressed_;
        if (inside != pressedInside_) {
          pressedInside_ = inside;
          PaintFrame(form);
        }
        result = 0;
        return true;
      }
      return false;
    case WM_LBUTTONUP:
      if (pressed_ != TitleButton::None) {
        const TitleButton released = pressed_;
        const bool inside = pressedInside_;
        pressed_ = TitleButton::None;
        ::ReleaseCapture();
        PaintFrame(form);
        if (inside)
          ::PostMessageW(form, WM_SYSCOMMAND, released == TitleButton::Close ? SC_CLOSE : SC_MINIMIZE, 0);
        result = 0;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
      if (pressed_ != TitleButton::None && reinterpret_cast<HWND>(lParam) != form) {
        pressed_ = TitleButton::None;
        PaintFrame(form);
      }
      return false;
    default:
      return false;
  }
}

RECT SkinProvider::TaskBarButtonRect(HWND form) {
  // Where the task-bar button is cannot be asked for; aim at the start of the task bar, or at
  // the bottom-left of the window's monitor when there is none to be seen.
  HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT rc{};
  if (tray && ::IsWindowVisible(tray) && ::GetWindowRect(tray, &rc) && rc.right - rc.left > 40 && rc.bottom - rc.top > 8) {
    const int height = std::min<LONG>(rc.bottom - rc.top, 40);
    return {rc.left + 48, rc.top, rc.left + 48 + 160, rc.top + height};
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &info);
  return {info.rcWork.left + 48, info.rcWork.bottom - 32, info.rcWork.left + 208, info.rcWork.bottom};
}

void SkinProvider::AnimateMinimize(HWND form) {
  RECT rc;
  ::GetWindowRect(form, &rc);
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return;
  // The window's image as it is on screen; kept for the restore, while nothing can change it.
  HDC windowDc = ::GetWindowDC(form);
  platform::UniqueHdc imageDc(::CreateCompatibleDC(windowDc));
  lastImage_.Reset(::CreateCompatibleBitmap(windowDc, w, h));
  lastImageSize_ = {w, h};
  {
    platform::SelectObjectScope select(imageDc.Get(), lastImage_.Get());
    ::BitBlt(imageDc.Get(), 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
  }
  ::ReleaseDC(form, windowDc);
  const RECT button = TaskBarButtonRect(form);
  Play(form,
       MinimizeFrames({rc.left, rc.top, w, h},
                      {button.left, button.top, button.right - button.left, button.bottom - button.top}),
       false);
}

void SkinProvider::AnimateRestore(HWND form) {
  RECT rc;
  ::GetWindowRect(form, &rc);
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  if (!lastImage_ || lastImageSize_.cx != w || lastImageSize_.cy != h) return;
  const RECT button = TaskBarButtonRect(form);
  Play(form,
       RestoreFrames({rc.left, rc.top, w, h},
                     {button.left, button.top, button.right - button.left, button.bottom - button.top}),
       true);
}

void SkinProvider::Play(HWND form, const std::vector<AnimationFrame>& frames, bool restoring) {
  lastAnimation_.clear();
  const int w = lastImageSize_.cx;
  const int h = lastImageSize_.cy;
  if (!lastImage_ || frames.empty()) return;
  HDC screen = ::GetDC(nullptr);
  platform::UniqueHdc imageDc(::CreateCompatibleDC(screen));
  platform::UniqueHdc frameDc(::CreateCompatibleDC(screen));
  ::ReleaseDC(nullptr, screen);
  platform::SelectObjectScope selectImage(imageDc.Get(), lastImage_.Get());
  RECT rc;
  ::GetWindowRect(form, &rc);

  WNDCLASSW wc{};
  wc.style = kAnimationClassStyle;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kAnimationClass;
  ::RegisterClassW(&wc);  // fails harmlessly when already registered
  platform::UniqueHwnd layer(::CreateWindowExW(
      WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kAnimationClass, L"",
      WS_POPUP, rc.left, rc.top, w, h, nullptr, nullptr, wc.hInstance, nullptr));
  if (!layer) return;

  const DWORD start = ::GetTickCount();
  for (const AnimationFrame& f : frames) {
    const int fw = std::max(1, f.bounds.width);
    const int fh = std::max(1, f.bounds.height);
    void* bits = nullptr;
    platform::UniqueHbitmap frame = platform::CreateDib32(fw, fh, &bits);
    if (!frame || !bits) break;
    {
      platform::SelectObjectScope selectFrame(frameDc.Get(), frame.Get());
      ::SetStretchBltMode(frameDc.Get(), HALFTONE);
      ::StretchBlt(frameDc.Get(), 0, 0, fw, fh, imageDc.Get(), 0, 0, w, h, SRCCOPY);
      // Opaque pixels: GDI leaves the alpha byte at 0.
      auto* px = static_cast<std::uint32_t*>(bits);
      for (std::size_t i = 0, n = static_cast<std::size_t>(fw) * static_cast<std::size_t>(fh); i < n; ++i)
        px[i] |= 0xFF000000u;
      // Wait for this frame's time.
      for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= f.atMs) break;
        ::Sleep(f.atMs - elapsed);
      }
      POINT at{f.bounds.left, f.bounds.top};
      SIZE size{fw, fh};
      POINT origin{0, 0};
      BLENDFUNCTION blend{AC_SRC_OVER, 0, f.alpha, AC_SRC_ALPHA};
      ::UpdateLayeredWindow(layer.Get(), nullptr, &at, &size, frameDc.Get(), &origin, 0, &blend, ULW_ALPHA);
      if (!::IsWindowVisible(layer.Get())) {
        ::ShowWindow(layer.Get(), SW_SHOWNOACTIVATE);
        if (!restoring) ::ShowWindow(form, SW_HIDE);  // the image now stands in for the window
      }
      lastAnimation_.push_back({f, ::GetTickCount() - start});
    }
  }
}

}  // namespace orvelle::ui::skin
