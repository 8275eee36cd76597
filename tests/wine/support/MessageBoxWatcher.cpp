#include "support/MessageBoxWatcher.h"

#include <chrono>
#include <cstdint>

#include "support/Pump.h"
#include "support/WindowQueries.h"

namespace orvelle::test {

namespace {
constexpr int kTextStaticId = 0xFFFF;
constexpr int kIconStaticIdWindows = 0x14;

struct SystemIcon {
  BoxIcon kind;
  LPCWSTR id;
};
const SystemIcon kSystemIcons[] = {
    {BoxIcon::Stop, IDI_HAND},
    {BoxIcon::Warning, IDI_EXCLAMATION},
    {BoxIcon::Information, IDI_ASTERISK},
    {BoxIcon::Question, IDI_QUESTION},
};

bool IsIconStatic(HWND hwnd) {
  if (ClassNameOf(hwnd) != L"Static" && ClassNameOf(hwnd) != L"STATIC") return false;
  if (::GetDlgCtrlID(hwnd) == kIconStaticIdWindows) return true;
  return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

std::wstring WithoutAccelerator(std::wstring text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&') {
      if (i + 1 < text.size() && text[i + 1] == L'&') out += L'&', ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

// Pixels of a screen rectangle, 32 bits each, top-down.
std::vector<std::uint32_t> CaptureScreen(const RECT& rc) {
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  std::vector<std::uint32_t> pixels;
  if (w <= 0 || h <= 0) return pixels;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp) {
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
  }
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

// The icon drawn as a static draws it (natural size at the top-left) on a background.
std::vector<std::uint32_t> RenderIcon(HICON icon, int w, int h, std::uint32_t background) {
  std::vector<std::uint32_t> pixels;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp) {
    HGDIOBJ old = ::SelectObject(mem, bmp);
    auto* p = static_cast<std::uint32_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    for (std::size_t i = 0; i < count; ++i) p[i] = background;
    ::DrawIconEx(mem, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    ::GdiFlush();
    pixels.assign(p, p + count);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
  }
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

BoxIcon ClassifyByPixels(HWND iconStatic) {
  RECT rc{};
  ::GetWindowRect(iconStatic, &rc);
  if (rc.right <= rc.left || rc.bottom <= rc.top) return BoxIcon::None;  // no room for an icon
  const std::vector<std::uint32_t> shown = CaptureScreen(rc);
  if (shown.empty()) return BoxIcon::Unknown;
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  const std::uint32_t background = shown.back() & 0xFFFFFFu;
  bool blank = true;
  for (std::uint32_t pixel : shown) blank = blank && (pixel & 0xFFFFFFu) == background;
  if (blank) return BoxIcon::None;  // an icon static showing nothing
  for (const SystemIcon& candidate : kSystemIcons) {
    std::vector<std::uint32_t> drawn = RenderIcon(::LoadIconW(nullptr, candidate.id), w, h, background);
    if (drawn.size() != shown.size()) continue;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i)
      if ((drawn[i] & 0xFFFFFFu) != (shown[i] & 0xFFFFFFu)) ++differing;
    // A few pixels may differ where the screen's blending rounds differently.
    if (differing * 50 <= drawn.size()) return candidate.kind;
  }
  return BoxIcon::Unknown;
}
}  // namespace

const char* ToString(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Stop: return "stop";
    case BoxIcon::Warning: return "warning";
    case BoxIcon::Information: return "information";
    case BoxIcon::Question: return "question";
    case BoxIcon::Unknown: break;
  }
  return "unknown";
}

BoxIcon ClassifyIconStatic(HWND iconStatic) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(iconStatic, &pid);
  if (pid == ::GetCurrentProcessId()) {
    // Shared system icons: the box shows the very handle LoadIcon gives us.
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutW(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) {
      const auto shown = reinterpret_cast<HICON>(result);
      if (!shown) return BoxIcon::None;
      for (const SystemIcon& candidate : kSystemIcons)
        if (shown == ::LoadIconW(nullptr, candidate.id)) return candidate.kind;
    }
  }
  // Another process's icon handle means nothing here: compare what is on the screen, once
  // the box had time to paint.
  // A box only just shown may not be painted yet (blank, or half drawn): look again until the
  // pixels match one of the icons, for a while.
  BoxIcon kind = BoxIcon::Unknown;
  const ULONGLONG end = ::GetTickCount64() + 1000;
  for (;;) {
    kind = ClassifyByPixels(iconStatic);
    if (kind != BoxIcon::Unknown && kind != BoxIcon::None) return kind;
    if (::GetTickCount64() >= end) return kind;
    ::Sleep(20);
  }
}

MessageBoxWatcher::MessageBoxWatcher(MessageBoxWatcherOptions options)
    : options_(options), thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void MessageBoxWatcher::SetWatchedWindow(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  watched_ = hwnd;
}

std::vector<MessageBoxInfo> MessageBoxWatcher::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<MessageBoxInfo> out;
  out.swap(boxes_);
  return out;
}

std::size_t MessageBoxWatcher::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_.size();
}

bool MessageBoxWatcher::WaitForBoxes(std::size_t count, DWORD timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return boxes_.size() >= count && open_ == 0; });
}

void MessageBoxWatcher::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    lock.unlock();
    Poll();
    lock.lock();
    changed_.wait_for(lock, std::chrono::milliseconds(options_.pollMs), [&] { return stop_; });
  }
}

void MessageBoxWatcher::Poll() {
  for (HWND hwnd : TopLevelWindowsOf(options_.processId)) {
    if (ClassNameOf(hwnd) != L"#32770" || !::IsWindowVisible(hwnd)) continue;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (handled_.count(hwnd)) continue;
      handled_.insert(hwnd);
    }
    MessageBoxInfo info = Inspect(hwnd);
    HWND button = nullptr;
    if (options_.pressOk) {
      info.pressed = IDOK;
      button = ::GetDlgItem(hwnd, IDOK);
      if (!button) {
        // No OK: press the first button there is, as a user would have to.
        for (HWND child : DescendantsOf(hwnd))
          if (ClassNameOf(child) == L"Button" && ::IsWindowVisible(child)) {
            info.pressed = ::GetDlgCtrlID(child);
            button = child;
            break;
          }
      }
    }
    // Recorded before it is closed: in process, the code that raised the box goes on the
    // moment it closes and may look at once.
    {
      std::lock_guard<std::mutex> lock(mutex_);
      boxes_.push_back(info);
      if (options_.pressOk) ++open_;
    }
    changed_.notify_all();
    if (options_.pressOk) {
      ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(info.pressed, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      WaitUntil([&] { return !::IsWindow(hwnd); }, kDefaultTimeoutMs, 5);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        --open_;
      }
      changed_.notify_all();
    }
  }
}

MessageBoxInfo MessageBoxWatcher::Inspect(HWND box) {
  MessageBoxInfo info;
  info.hwnd = box;
  info.caption = TextOf(box);
  info.owner = ::GetWindow(box, GW_OWNER);
  if (info.owner) {
    info.ownerClass = ClassNameOf(info.owner);
    info.ownerText = TextOf(info.owner);
  }
  if (HWND text = ::GetDlgItem(box, kTextStaticId)) info.text = TextOf(text);
  for (HWND child : DescendantsOf(box)) {
    if (!::IsWindowVisible(child)) continue;
    if (ClassNameOf(child) == L"Button") info.buttons.push_back(WithoutAccelerator(TextOf(child)));
    else if (info.icon == BoxIcon::None && IsIconStatic(child)) info.icon = ClassifyIconStatic(child);
  }
  HWND watched;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    watched = watched_;
  }
  if (watched) {
    info.watchedWindowVisible = ::IsWindowVisible(watched) != FALSE;
    info.watchedWindowEnabled = ::IsWindowEnabled(watched) != FALSE;
  }
  return info;
}

}  // namespace orvelle::test
