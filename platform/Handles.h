// Small move-only owners for Win32 handles, named after what releases them.
#pragma once

#include <windows.h>

#include <utility>

namespace orvelle::platform {

// Owns one handle of type T and releases it with Close(T) unless it holds Invalid.
template <typename T, typename Traits>
class UniqueResource {
public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { Reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  T Get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  T Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) {
    T old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

private:
  T value_ = Traits::Invalid();
};

struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct HwndTraits {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND h) { ::DestroyWindow(h); }
};
struct HdcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { ::DeleteDC(h); }
};
template <typename G>
struct GdiTraits {
  static G Invalid() { return nullptr; }
  static void Close(G h) { ::DeleteObject(h); }
};
struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON h) { ::DestroyIcon(h); }
};

using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;
using UniqueFile = UniqueResource<HANDLE, FileTraits>;
using UniqueHwnd = UniqueResource<HWND, HwndTraits>;
using UniqueHdc = UniqueResource<HDC, HdcTraits>;
using UniqueHfont = UniqueResource<HFONT, GdiTraits<HFONT>>;
using UniqueHbrush = UniqueResource<HBRUSH, GdiTraits<HBRUSH>>;
using UniqueHpen = UniqueResource<HPEN, GdiTraits<HPEN>>;
using UniqueHbitmap = UniqueResource<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueHrgn = UniqueResource<HRGN, GdiTraits<HRGN>>;
using UniqueHicon = UniqueResource<HICON, IconTraits>;

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { hdc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return hdc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

private:
  HWND hwnd_;
  HDC hdc_;
  PAINTSTRUCT ps_{};
};

// GetDC/ReleaseDC.
class WindowDc {
public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), hdc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (hdc_) ::ReleaseDC(hwnd_, hdc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return hdc_; }

private:
  HWND hwnd_;
  HDC hdc_;
};

// Selects a GDI object into a DC and puts the previous one back on scope exit.
class SelectObjectScope {
public:
  SelectObjectScope(HDC hdc, HGDIOBJ obj) : hdc_(hdc), old_(::SelectObject(hdc, obj)) {}
  ~SelectObjectScope() { ::SelectObject(hdc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
  HDC hdc_;
  HGDIOBJ old_;
};

}  // namespace orvelle::platform
