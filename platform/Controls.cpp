#include "platform/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/Error.h"

namespace orvelle::platform {

namespace {

HMENU MenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Fills with the parent's background; without a skin every surface is the button face.
void FillBackground(HDC hdc, const RECT& rc) { ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE)); }

constexpr UINT_PTR kFadeTimerId = 1;
}  // namespace

namespace {
// What a label or the picture stands on: under the skin whatever lies behind them (they are
// transparent), otherwise the button face.
void PaintSurface(HWND hwnd, HDC hdc, const ControlSkin* skin) {
  if (skin) {
    PaintParentBackground(hwnd, hdc);
  } else {
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    FillBackground(hdc, rc);
  }
}
}  // namespace

void PaintParentBackground(HWND child, HDC hdc) {
  HWND parent = ::GetParent(child);
  RECT rc;
  ::GetClientRect(child, &rc);
  if (!parent) {
    FillBackground(hdc, rc);
    return;
  }
  POINT origin{0, 0};
  ::MapWindowPoints(child, parent, &origin, 1);
  POINT old;
  ::OffsetViewportOrgEx(hdc, -origin.x, -origin.y, &old);
  ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
  ::SetViewportOrgEx(hdc, old.x, old.y, nullptr);
}

// ---- Control -------------------------------------------------------------------------

Control::~Control() {
  if (hwnd_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
}

void Control::CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* text,
                            HWND parent, int id, const ui::Bounds& bounds, HFONT font) {
  hwnd_ = ::CreateWindowExW(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, bounds.left,
                            bounds.top, bounds.width, bounds.height, parent, MenuId(id),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw WindowError(L"Error creating window");
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // Our own subclassing, with the object in the window's user data: the list takes a
  // million messages in a large load, and a lookup per message (as comctl32's subclassing
  // does with a window property) would cost more than the list's own work under Wine.
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  baseProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::SubclassProc)));
}

LRESULT Control::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Default(msg, wParam, lParam);
}

LRESULT Control::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(baseProc_, hwnd_, msg, wParam, lParam);
}

LRESULT Control::CallBase(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return ::CallWindowProcW(baseProc_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    const WNDPROC base = self->baseProc_;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return ::CallWindowProcW(base, hwnd, msg, wParam, lParam);
  }
  // An error skips the rest of the action, including the control's own handling.
  LRESULT result = 0;
  if (!RunGuarded([&] { result = self->HandleMessage(msg, wParam, lParam); })) result = 0;
  return result;
}

// ---- Panel ---------------------------------------------------------------------------

void Panel::Create(HWND parent, int id, const ui::Bounds& bounds, bool raisedBevel) {
  raised_ = raisedBevel;
  // A container, never a tab stop itself: Tab walks through its children.
  CreateWindowOf(L"OrvellePanel", WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                 bounds.left, bounds.top, bounds.width, bounds.height, parent, id);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(msg, wParam, lParam, reflected)) return reflected;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc dc(Handle());
      PaintBackground(dc.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      // A transparent child asks for what lies behind it.
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

void Panel::PaintBackground(HDC hdc) {
  RECT rc;
  ::GetClientRect(Handle(), &rc);
  if (!skin_) {
    FillBackground(hdc, rc);
    if (raised_) ::DrawEdge(hdc, &rc, BDR_RAISEDOUTER, BF_RECT);
  } else if (raised_) {
    PaintParentBackground(Handle(), hdc);  // the cut corners show the window behind
    skin_->PaintPanel(hdc, rc, PanelLook::Raised);
  } else {
    PaintParentBackground(Handle(), hdc);
  }
}

// ---- Label ---------------------------------------------------------------------------

void Label::Create(HWND parent, int id, const ui::Bounds& bounds, const wchar_t* text, HFONT font,
                   COLORREF color, bool centered) {
  text_ = text ? text : L"";
  font_ = font;
  color_ = color;
  centered_ = centered;
  // Size to the text: as wide as the widest line, as high as the lines.
  RECT extent{0, 0, 0, 0};
  {
    WindowDc screen(nullptr);
    SelectObjectScope select(screen.Get(), font_);
    ::DrawTextW(screen.Get(), text_.c_str(), static_cast<int>(text_.size()), &extent,
                DrawFlags() | DT_CALCRECT);
  }
  CreateWindowOf(L"OrvelleLabel", 0, text_.c_str(), WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                 extent.right - extent.left, extent.bottom - extent.top, parent, id);
}

UINT Label::DrawFlags() const { return DT_NOPREFIX | DT_EXPANDTABS | (centered_ ? DT_CENTER : DT_LEFT); }

LRESULT Label::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc dc(Handle());
      RECT rc;
      ::GetClientRect(Handle(), &rc);
      PaintSurface(Handle(), dc.Get(), skin_);
      SelectObjectScope select(dc.Get(), font_);
      ::SetBkMode(dc.Get(), TRANSPARENT);
      ::SetTextColor(dc.Get(), skin_ ? skin_->FontColor() : color_);
      ::DrawTextW(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &rc, DrawFlags());
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

// ---- Picture -------------------------------------------------------------------------

void Picture::Create(HWND parent, int id, const ui::Bounds& bounds, const AlphaBitmap* image) {
  image_ = image;
  CreateWindowOf(L"OrvellePicture", 0, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                 bounds.width, bounds.height, parent, id);
}

LRESULT Picture::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc dc(Handle());
      PaintSurface(Handle(), dc.Get(), skin_);
      if (image_) DrawAlphaBitmap(dc.Get(), *image_, 0, 0);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

// ---- BitButton -----------------------------------------------------------------------

void BitButton::Create(HWND parent, int id, const ui::Bounds& bounds, const wchar_t* caption,
                       const AlphaBitmap* icon, HFONT font) {
  caption_ = caption ? caption : L"";
  icon_ = icon;
  font_ = font;
  CreateControl(L"BUTTON", 0, BS_OWNERDRAW | WS_TABSTOP, caption_.c_str(), parent, id, bounds, font);
}

LRESULT BitButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && onClick) onClick();
      return 0;
    case kReflectBase + WM_DRAWITEM:
      DrawFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_LBUTTONDBLCLK:
      // A quick second click is a click, not a double-click notification.
      return Default(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
      if (!hot_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&track);
        SetHot(true);
      }
      return Default(msg, wParam, lParam);
    case WM_MOUSELEAVE:
      SetHot(false);
      return Default(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();
      return Default(msg, wParam, lParam);
    case WM_TIMER:
      if (wParam == kFadeTimerId) {
        Repaint();
        return 0;
      }
      return Default(msg, wParam, lParam);
    case WM_ERASEBKGND:
      return skin_ ? 1 : Default(msg, wParam, lParam);
    case WM_DESTROY:
      if (skin_) skin_->ForgetButton(Handle());
      return Default(msg, wParam, lParam);
    default:
      return Default(msg, wParam, lParam);
  }
}

void BitButton::SetHot(bool hot) {
  if (hot_ == hot) return;
  hot_ = hot;
  Repaint();
}

void BitButton::DrawFace(const DRAWITEMSTRUCT& item) {
  HDC hdc = item.hDC;
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (skin_) {
    // Hot while hovered or focused; the skin cross-fades towards the face asked for.
    const bool focused = ::GetFocus() == Handle();
    const ButtonLook look = pressed ? ButtonLook::Pressed : (hot_ || focused) ? ButtonLook::Hot : ButtonLook::Normal;
    PaintParentBackground(Handle(), hdc);
    const bool fading = skin_->PaintButton(hdc, rc, Handle(), look, ::GetTickCount());
    if (fading && !timerRunning_) timerRunning_ = ::SetTimer(Handle(), kFadeTimerId, skin_->ButtonFrameMs(), nullptr) != 0;
    if (!fading && timerRunning_) {
      ::KillTimer(Handle(), kFadeTimerId);
      timerRunning_ = false;
    }
  } else {
    ::DrawFrameControl(hdc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  }

  SelectObjectScope select(hdc, font_);
  SIZE text{0, 0};
  if (!caption_.empty())
    ::GetTextExtentPoint32W(hdc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
  const ui::ButtonFace face = ui::LayOutButtonFace({rc.right - rc.left, rc.bottom - rc.top},
                                                   {static_cast<int>(text.cx), static_cast<int>(text.cy)},
                                                   pressed, icon_ && icon_->width > 0 ? icon_->width : ui::kIconSize);
  if (icon_) DrawAlphaBitmap(hdc, *icon_, rc.left + face.icon.x, rc.top + face.icon.y);
  if (!caption_.empty()) {
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, skin_ ? RGB(0, 0, 0)
                              : ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::TextOutW(hdc, rc.left + face.caption.x, rc.top + face.caption.y, caption_.c_str(),
               static_cast<int>(caption_.size()));
  }
  if (!skin_ && (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rc;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(hdc, &focus);
  }
}

// ---- ListBox -------------------------------------------------------------------------

void ListBox::Create(HWND parent, int id, const ui::Bounds& bounds, HFONT font, int rowHeight) {
  CreateControl(L"LISTBOX", WS_EX_CLIENTEDGE,
                LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                    WS_TABSTOP,
                L"", parent, id, bounds, font);
  ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, rowHeight);
}

int ListBox::Count() const { return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

int ListBox::SelectedIndex() const {
  const LRESULT sel = ::SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
  return sel == LB_ERR ? -1 : static_cast<int>(sel);
}

void ListBox::SetSelectedIndex(int index) const {
  ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListBox::Append(std::string_view entry) {
  // The buffer is reused so that a large load does not allocate per entry.
  AnsiToWide(entry, scratch_);
  const LRESULT index = CallBase(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(scratch_.c_str()));
  return index != LB_ERR && index != LB_ERRSPACE;
}

void ListBox::Reserve(int entries, std::size_t bytes) const {
  ::SendMessageW(Handle(), LB_INITSTORAGE, static_cast<WPARAM>(entries), static_cast<LPARAM>(bytes));
}

std::string ListBox::Entry(int index) const {
  const LRESULT length = CallBase(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = CallBase(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return WideToAnsi(text);
}

void ListBox::Delete(int index) const { ::SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void ListBox::Clear() const { ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

void ListBox::SetRedraw(bool on) const {
  ::SendMessageW(Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::OnSearchChar(wchar_t ch) {
  switch (search_.OnChar(ch, ::GetTickCount())) {
    case ui::ListSearch::Action::None:
      return;
    case ui::ListSearch::Action::FindPrefix: {
      // LB_FINDSTRING from -1 is the first entry from the top that begins with the text,
      // letter case ignored.
      const LRESULT found =
          ::SendMessageW(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(search_.Text().c_str()));
      if (found == LB_ERR) return;
      SetSelectedIndex(static_cast<int>(found));
      break;
    }
    case ui::ListSearch::Action::SelectFirst:
      SetSelectedIndex(0);
      break;
  }
  if (onSelect) onSelect();
}

void ListBox::DrawRow(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (!skin_ && (item.itemAction & ODA_FOCUS)) ::DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  // The skin has no focus rectangle: a focus change repaints the row whole instead.
  const UINT repaint = skin_ ? (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS) : (ODA_DRAWENTIRE | ODA_SELECT);
  if (item.itemAction & repaint) {
    COLORREF textColor = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (skin_)
      textColor = skin_->PaintListRow(item.hDC, item.rcItem, selected, ::GetFocus() == Handle());
    else
      ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const LRESULT length = ::SendMessageW(Handle(), LB_GETTEXTLEN, item.itemID, 0);
    if (length != LB_ERR && length > 0) {
      std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
      const LRESULT copied =
          ::SendMessageW(Handle(), LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
      RECT rc = item.rcItem;
      rc.left += 2;
      ::SetBkMode(item.hDC, TRANSPARENT);
      ::SetTextColor(item.hDC, textColor);
      // A row shows a few dozen characters; drawing a huge entry whole would stall painting.
      const int shown = copied == LB_ERR ? 0 : static_cast<int>(std::min<LRESULT>(copied, 2048));
      ::DrawTextW(item.hDC, text.c_str(), shown, &rc,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
  }
  if (!skin_ && (item.itemState & ODS_FOCUS) && (item.itemAction & (ODA_DRAWENTIRE | ODA_FOCUS)))
    ::DrawFocusRect(item.hDC, &item.rcItem);
}

void ListBox::RepaintSelectedRow() const {
  const int selected = SelectedIndex();
  RECT rc;
  if (selected >= 0 && ::SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(selected),
                                      reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
    ::InvalidateRect(Handle(), &rc, FALSE);
}

LRESULT ListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kReflectBase + WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE && onSelect) onSelect();
      return 0;
    case kReflectBase + WM_DRAWITEM:
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kReflectBase + WM_CTLCOLORLISTBOX:
      ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_CHAR:
      // Our own keyboard search replaces the control's one-letter search.
      OnSearchChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The skin draws the selected row differently with and without the focus.
      if (skin_) RepaintSelectedRow();
      return Default(msg, wParam, lParam);
    case WM_NCPAINT: {
      const LRESULT result = Default(msg, wParam, lParam);
      if (skin_) skin_->PaintFieldFrame(Handle());
      return result;
    }
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case LB_SETTOPINDEX: {
      // The system redraws its own scroll bar while scrolling; put the skin's back.
      const LRESULT result = Default(msg, wParam, lParam);
      if (skin_) skin_->PaintFieldFrame(Handle());
      return result;
    }
    default:
      return Default(msg, wParam, lParam);
  }
}

// ---- Edit ----------------------------------------------------------------------------

void Edit::Create(HWND parent, int id, const ui::Bounds& bounds, HFONT font) {
  CreateControl(L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, L"", parent, id, bounds,
                font);
  // No limit of our own: 0 lifts the default 32K-character cap to the control's maximum.
  ::SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

std::string Edit::Text() const {
  const int length = ::GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(Handle(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return WideToAnsi(text);
}

void Edit::SetText(const std::string& text) const {
  if (Text() == text) return;
  std::wstring wide;
  AnsiToWide(text, wide);
  ::SetWindowTextW(Handle(), wide.c_str());
}

void Edit::PasteFirstLine() {
  if (!::OpenClipboard(Handle())) return;
  std::wstring text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  // EM_REPLACESEL keeps the first line only (see below), as a single-line edit should.
  ::SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT Edit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kReflectBase + WM_CTLCOLOREDIT:
      ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const LRESULT result = Default(msg, wParam, lParam);
      if (onKeyUp) onKeyUp(static_cast<WORD>(wParam));
      return result;
    }
    case WM_CHAR:
      // Enter adds on its release; its character would only make the edit beep.
      if (wParam == L'\r' || wParam == L'\n') return 0;
      return Default(msg, wParam, lParam);
    case WM_NCPAINT: {
      const LRESULT result = Default(msg, wParam, lParam);
      if (skin_) skin_->PaintFieldFrame(Handle());
      return result;
    }
    case WM_PASTE:
      PasteFirstLine();
      return 0;
    case WM_SETTEXT:
    case EM_REPLACESEL: {
      // A command is one line: text arriving with line breaks keeps only its first line, so
      // no CR or LF can reach an entry or the file.
      const auto* text = reinterpret_cast<const wchar_t*>(lParam);
      if (!text) return Default(msg, wParam, lParam);
      const std::wstring_view view(text);
      const std::size_t cut = view.find_first_of(L"\r\n");
      if (cut == std::wstring_view::npos) return Default(msg, wParam, lParam);
      const std::wstring firstLine(view.substr(0, cut));
      return Default(msg, wParam, reinterpret_cast<LPARAM>(firstLine.c_str()));
    }
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace orvelle::platform
