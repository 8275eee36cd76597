// Wrappers for the controls of the main form. Panels, labels and the picture are window
// classes of our own; buttons, the list and the edit are the system's controls, subclassed
// so that each handles its own notifications (reflected back to it by its parent).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Handles.h"
#include "platform/Png.h"
#include "platform/Skin.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "ui/FormLayout.h"
#include "ui/ListSearch.h"

namespace orvelle::platform {

// Controls draw through a skin when they are given one, and in the system's style otherwise.
class Skinnable {
public:
  void UseSkin(ControlSkin* skin) { skin_ = skin; }

protected:
  ControlSkin* skin_ = nullptr;
};

// Paints what lies behind a child window (its parent's background) into the child's DC, so
// that the child can draw as if it were transparent.
void PaintParentBackground(HWND child, HDC hdc);

// A system control we subclass. The control window is destroyed with its parent.
class Control : public Skinnable {
public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return hwnd_; }
  void Focus() const { ::SetFocus(hwnd_); }

protected:
  void CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* text,
                     HWND parent, int id, const ui::Bounds& bounds, HFONT font);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  // The control's own handling of a message, skipping ours: for the many messages of a
  // large load or save, which we do not handle.
  LRESULT CallBase(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
  WNDPROC baseProc_ = nullptr;
};

class Panel : public Window, public Skinnable {
public:
  // A raised panel has a raised outer bevel (a raised box under the skin); the other kind
  // has no bevel (and no fill under the skin: what lies behind shows through).
  void Create(HWND parent, int id, const ui::Bounds& bounds, bool raisedBevel);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void PaintBackground(HDC hdc);
  bool raised_ = false;
};

// Text that sizes itself to its content, keeping its left edge.
class Label : public Window, public Skinnable {
public:
  void Create(HWND parent, int id, const ui::Bounds& bounds, const wchar_t* text, HFONT font,
              COLORREF color, bool centered);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  UINT DrawFlags() const;
  std::wstring text_;
  HFONT font_ = nullptr;
  COLORREF color_ = 0;
  bool centered_ = false;
};

// A 32-bit picture drawn at its natural size from the top-left corner, blended.
class Picture : public Window, public Skinnable {
public:
  void Create(HWND parent, int id, const ui::Bounds& bounds, const AlphaBitmap* image);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  const AlphaBitmap* image_ = nullptr;
};

// Push button with an icon and an optional caption drawn as one centred group.
class BitButton : public Control {
public:
  void Create(HWND parent, int id, const ui::Bounds& bounds, const wchar_t* caption,
              const AlphaBitmap* icon, HFONT font);
  std::function<void()> onClick;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void DrawFace(const DRAWITEMSTRUCT& item);
  void SetHot(bool hot);
  void Repaint() const { ::InvalidateRect(Handle(), nullptr, FALSE); }
  std::wstring caption_;
  bool hot_ = false;
  bool timerRunning_ = false;
  const AlphaBitmap* icon_ = nullptr;
  HFONT font_ = nullptr;
};

// The command list. Entries are byte strings in the ANSI code page; the control's items are
// their only store.
class ListBox : public Control {
public:
  void Create(HWND parent, int id, const ui::Bounds& bounds, HFONT font, int rowHeight);

  int Count() const;
  int SelectedIndex() const;  // -1 when none
  void SetSelectedIndex(int index) const;
  // Appends an entry; false when the control refuses it.
  bool Append(std::string_view entry);
  // Hint before appending many entries at once.
  void Reserve(int entries, std::size_t bytes) const;
  std::string Entry(int index) const;
  void Delete(int index) const;
  void Clear() const;
  void SetRedraw(bool on) const;

  // The user selected an entry (mouse, keyboard moves, keyboard search); never raised by the
  // program's own changes.
  std::function<void()> onSelect;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void OnSearchChar(wchar_t ch);
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  void RepaintSelectedRow() const;
  ui::ListSearch search_;
  std::wstring scratch_;
};

// Single-line edit holding the command line (ANSI bytes).
class Edit : public Control {
public:
  void Create(HWND parent, int id, const ui::Bounds& bounds, HFONT font);
  std::string Text() const;
  void SetText(const std::string& text) const;

  // A key was released while the edit has the focus (virtual-key code).
  std::function<void(WORD key)> onKeyUp;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void PasteFirstLine();
};

}  // namespace orvelle::platform
