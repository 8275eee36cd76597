// A yardstick between the bare window and the program: the program's window tree built from
// its own layout table with nothing but system controls in their default look. A hidden
// owner window (as the program's application window), the main window with its panels,
// labels, picture, buttons, command line and a list box filled from commands.txt beside the
// exe; titled "Plain Form". What the program costs beyond this is its own code and its skin;
// what this costs beyond the bare window is the window tree the program's design asks for.
#include <windows.h>

#include <string>

#include "BenchCommon.h"
#include "PlainList.h"
#include "PlainWindow.h"
#include "ui/FormLayout.h"

namespace {

using orvelle::ui::Kind;
using orvelle::ui::kControls;

const wchar_t* SystemClass(Kind kind) {
  switch (kind) {
    case Kind::BitButton: return L"BUTTON";
    case Kind::Edit: return L"EDIT";
    case Kind::ListBox: return L"LISTBOX";
    default: return L"STATIC";
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The owner stands in for the program's hidden application window.
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"Plain Form Owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                 nullptr);
  HWND window = bench::CreatePlainWindow(instance, L"PlainForm", L"Plain Form", owner, WS_CLIPCHILDREN);
  if (!owner || !window) return 1;

  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  HWND created[orvelle::ui::kControlCount] = {};
  HWND list = nullptr;
  for (int i = 0; i < orvelle::ui::kControlCount; ++i) {
    const auto& def = kControls[static_cast<std::size_t>(i)];
    HWND parent = def.parent == orvelle::ui::kNoParent ? window : created[def.parent];
    DWORD controlStyle = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (def.kind) {
      case Kind::BitButton: controlStyle |= WS_TABSTOP | BS_PUSHBUTTON; break;
      case Kind::Edit:
        controlStyle |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Kind::ListBox:
        controlStyle |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Kind::Panel: controlStyle |= SS_ETCHEDFRAME; break;
      default: break;
    }
    created[i] = ::CreateWindowExW(exStyle, SystemClass(def.kind), def.text ? def.text : L"", controlStyle,
                                   def.bounds.left, def.bounds.top, def.bounds.width, def.bounds.height, parent,
                                   nullptr, instance, nullptr);
    if (!created[i]) return 1;
    ::SendMessageW(created[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (def.kind == Kind::ListBox) list = created[i];
  }
  std::string bytes = bench::ReadWholeFile(bench::ExeFolder() + L"\\commands.txt");
  if (list) bench::FillPlainList(list, bytes);

  ::ShowWindow(owner, SW_SHOWNOACTIVATE);
  ::ShowWindow(window, showCommand);

  return bench::RunMessageLoop();
}
