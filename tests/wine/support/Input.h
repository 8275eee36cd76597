// A user's keyboard and mouse, for driving windows in tests.
//
// Real input goes through SendInput: keys reach the focused window of the foreground window,
// clicks the window under the cursor, exactly as a user's would (and only then: make the
// window foreground first). The events are queued for the receiving thread; when that is the
// calling thread, pump its messages afterwards (see Pump.h) to let them take effect.
//
// The fallback sends the messages that such input produces straight to one window, for
// where real input cannot reach (no foreground window to be had, a covered window). It
// skips the system's own routing, so it proves less; prefer real input.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace orvelle::test {

// ---- Real input (SendInput) -------------------------------------------------------------

// One key going down or up (virtual-key code). Arrow, navigation and right-hand modifier
// keys are sent as the extended keys they are.
bool SendKey(WORD vk, bool down);

// Presses and releases a key while holding the modifiers (VK_SHIFT, VK_CONTROL, VK_MENU),
// which go down first and up last.
bool TapKey(WORD vk, std::initializer_list<WORD> modifiers = {});

// Types the text character by character as Unicode key strokes (VK_PACKET): each arrives as
// WM_KEYDOWN, the WM_CHAR of the character, WM_KEYUP, whatever the keyboard layout.
bool TypeText(std::wstring_view text);

// Holds a key down for the object's lifetime (for modifiers around other input).
class ScopedKeyDown {
public:
  explicit ScopedKeyDown(WORD vk) : vk_(vk) { SendKey(vk_, true); }
  ~ScopedKeyDown() { SendKey(vk_, false); }
  ScopedKeyDown(const ScopedKeyDown&) = delete;
  ScopedKeyDown& operator=(const ScopedKeyDown&) = delete;

private:
  WORD vk_;
};

// Sends the release of every modifier the system believes is down (after a failed test left
// one held, later tests would see Shift or Ctrl stuck).
void ReleaseModifiers();

// Moves the cursor to a screen point; false when it did not get there.
bool MoveCursorTo(POINT screen);

// A left click (press and release) at a screen point.
bool ClickAt(POINT screen);

// A left click at a point of the window's client area, or at its centre.
bool ClickClientPoint(HWND hwnd, POINT client);
bool ClickCenter(HWND hwnd);

// ---- Fallback: the messages the input would produce ------------------------------------

// WM_KEYDOWN (plus WM_CHAR when the key gives one) and WM_KEYUP, sent to the window. The
// modifiers are set in the calling thread's keyboard state meanwhile, so GetKeyState sees
// them as a window procedure of this thread would.
void SendKeyMessages(HWND hwnd, WORD vk, std::initializer_list<WORD> modifiers = {});

// WM_CHAR for each character, sent to the window.
void SendCharMessages(HWND hwnd, std::wstring_view text);

// WM_LBUTTONDOWN and WM_LBUTTONUP at a client point, sent to the window.
void SendClickMessages(HWND hwnd, POINT client);

}  // namespace orvelle::test
