#include "support/Input.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace orvelle::test {

namespace {
bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    case VK_INSERT: case VK_DELETE:
    case VK_RCONTROL: case VK_RMENU:
    case VK_DIVIDE: case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD vk, bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

bool Send(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return true;
  const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

LPARAM KeyLParam(WORD vk, bool down, bool repeat) {
  const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF);
  LPARAM lp = 1 | (scan << 16);
  if (IsExtendedKey(vk)) lp |= LPARAM{1} << 24;
  if (repeat || !down) lp |= LPARAM{1} << 30;
  if (!down) lp |= LPARAM{1} << 31;
  return lp;
}
}  // namespace

bool SendKey(WORD vk, bool down) {
  std::vector<INPUT> inputs{KeyInput(vk, down)};
  return Send(inputs);
}

bool TapKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, true));
  inputs.push_back(KeyInput(vk, true));
  inputs.push_back(KeyInput(vk, false));
  for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, false));
  return Send(inputs);
}

bool TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool down : {true, false}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = static_cast<WORD>(c);
      in.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
      inputs.push_back(in);
    }
  }
  return Send(inputs);
}

void ReleaseModifiers() {
  const WORD modifiers[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU,
                            VK_RMENU,  VK_SHIFT,  VK_CONTROL,  VK_MENU};
  for (WORD vk : modifiers)
    if (::GetAsyncKeyState(vk) < 0) SendKey(vk, false);
}

bool MoveCursorTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  POINT now{};
  return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

bool ClickAt(POINT screen) {
  if (!MoveCursorTo(screen)) return false;
  std::vector<INPUT> inputs(2);
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  if (!Send(inputs)) return false;
  // Wine may sit in a tracking loop after an injected release until more input comes; a
  // posted no-op wakes it and costs nothing otherwise.
  if (HWND under = ::WindowFromPoint(screen)) ::PostMessageW(under, WM_NULL, 0, 0);
  return true;
}

bool ClickClientPoint(HWND hwnd, POINT client) {
  ::ClientToScreen(hwnd, &client);
  return ClickAt(client);
}

bool ClickCenter(HWND hwnd) {
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  return ClickClientPoint(hwnd, {(rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2});
}

void SendKeyMessages(HWND hwnd, WORD vk, std::initializer_list<WORD> modifiers) {
  BYTE saved[256] = {};
  ::GetKeyboardState(saved);
  BYTE state[256];
  std::copy(std::begin(saved), std::end(saved), std::begin(state));
  for (WORD m : modifiers) state[m] |= 0x80;
  state[vk] |= 0x80;
  ::SetKeyboardState(state);
  ::SendMessageW(hwnd, WM_KEYDOWN, vk, KeyLParam(vk, true, false));
  wchar_t chars[4] = {};
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  const int n = ::ToUnicode(vk, scan, state, chars, 4, 0);
  for (int i = 0; i < n; ++i) ::SendMessageW(hwnd, WM_CHAR, chars[i], KeyLParam(vk, true, false));
  state[vk] &= 0x7F;
  ::SetKeyboardState(state);
  ::SendMessageW(hwnd, WM_KEYUP, vk, KeyLParam(vk, false, false));
  ::SetKeyboardState(saved);
}

void SendCharMessages(HWND hwnd, std::wstring_view text) {
  for (wchar_t c : text) ::SendMessageW(hwnd, WM_CHAR, c, 1);
}

void SendClickMessages(HWND hwnd, POINT client) {
  const LPARAM at = MAKELPARAM(client.x, client.y);
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

}  // namespace orvelle::test
