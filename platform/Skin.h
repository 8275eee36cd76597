// Hooks through which a skin draws the controls and the window frame. A control without a
// skin draws itself in the system's own style; behaviour never depends on the skin.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orvelle::platform {

enum class PanelLook { Raised, Transparent };
enum class ButtonLook { Normal, Hot, Pressed };

class ControlSkin {
public:
  virtual ~ControlSkin() = default;

  virtual COLORREF BackgroundColor() const = 0;
  virtual COLORREF FontColor() const = 0;

  // Fills rc of a panel (in the panel's client coordinates).
  virtual void PaintPanel(HDC hdc, const RECT& rc, PanelLook look) = 0;

  // Paints the face of a button heading for `look` at nowMs; true while a cross-fade still
  // runs and the button should be painted again in ButtonFrameMs().
  virtual bool PaintButton(HDC hdc, const RECT& rc, HWND button, ButtonLook look, std::uint32_t nowMs) = 0;
  virtual UINT ButtonFrameMs() const = 0;
  virtual void ForgetButton(HWND button) = 0;

  // A list row's background; returns the text colour to use.
  virtual COLORREF PaintListRow(HDC hdc, const RECT& rc, bool selected, bool listFocused) = 0;

  // The frame of a white field (edit, list) in its non-client area, and the list's scroll bar.
  virtual void PaintFieldFrame(HWND field) = 0;
};

class FrameSkin {
public:
  virtual ~FrameSkin() = default;
  // Window-frame messages (non-client painting, title-bar buttons, activation). True when
  // handled, with the result in `result`.
  virtual bool HandleFrameMessage(HWND form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // Plays the minimise animation before the form hides, or the restore animation before it
  // shows again.
  virtual void AnimateMinimize(HWND form) = 0;
  virtual void AnimateRestore(HWND form) = 0;
};

}  // namespace orvelle::platform
