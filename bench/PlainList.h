// The plain way to show the command file in a list box, the yardstick for the program: a
// system list box without owner drawing or subclassing, filled with LB_ADDSTRING (ANSI)
// straight from the file's bytes. It uses the same two standard hints the program uses
// (LB_INITSTORAGE, and no redraw while filling), so a ratio shows the program's own cost.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace bench {

inline HWND CreatePlainList(HWND parent, int x, int y, int width, int height) {
  return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, x,
                           y, width, height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// Adds one entry per line of bytes (lines end with LF or CR LF). The bytes are cut into
// NUL-terminated strings in place. Returns the number of entries added.
inline int FillPlainList(HWND list, std::string& bytes) {
  char* p = bytes.data();
  char* const end = p + bytes.size();
  const auto lines = std::count(p, end, '\n') + 1;
  ::SendMessageW(list, LB_INITSTORAGE, static_cast<WPARAM>(lines), static_cast<LPARAM>(bytes.size()));
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  int added = 0;
  while (p < end) {
    char* lf = static_cast<char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    char* stop = lf ? lf : end;
    if (stop > p && stop[-1] == '\r') --stop;
    if (stop == end) {
      // The last line has no break: copy it so that it can be terminated.
      const std::string last(p, stop);
      ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(last.c_str()));
      ++added;
      break;
    }
    *stop = '\0';
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    ++added;
    p = lf ? lf + 1 : end;
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  return added;
}

// Concatenates every entry with CR LF after each, read back with LB_GETTEXT (ANSI).
inline std::string ReadPlainList(HWND list) {
  const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::string text;
  std::string entry;
  for (int i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) continue;
    entry.resize(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
    if (copied != LB_ERR) text.append(entry.data(), static_cast<std::size_t>(copied));
    text.append("\r\n");
  }
  return text;
}

}  // namespace bench
