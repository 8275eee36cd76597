// Drawing primitives of the skin: gradients, cut-corner boxes, anti-aliased rounded shapes
// rendered into 32-bit premultiplied bitmaps (Raster.h), and blending them onto a DC.
#pragma once

#include <windows.h>

#include "platform/Handles.h"
#include "platform/Png.h"
#include "ui/skin/CalciumSkin.h"
#include "ui/skin/Raster.h"

namespace orvelle::ui::skin {

inline COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

void FillSolid(HDC hdc, const RECT& rc, Rgb color);
// Top to bottom.
void FillVertical(HDC hdc, const RECT& rc, Gradient g);
// Left to right.
void FillHorizontal(HDC hdc, const RECT& rc, Gradient g);
void SetPixelRgb(HDC hdc, int x, int y, Rgb color);

// Blends `image` onto hdc at (x, y) with a constant opacity (0..255) on top of its alpha.
void BlendImage(HDC hdc, const platform::AlphaBitmap& image, int x, int y, int opacity);

// A bitmap AlphaBlend can draw, from a canvas.
platform::AlphaBitmap ToAlphaBitmap(const Canvas& canvas);

// A rounded push-button face of the given size, anti-aliased, as a premultiplied bitmap.
struct ButtonFaceStyle {
  Rgb fill;
  Rgb outline;
  bool innerShadow;  // the pressed face's dark shadow along the top
};
platform::AlphaBitmap RenderButtonFace(int width, int height, int radius, ButtonFaceStyle style);

// A rounded title-bar button (for the hot and pressed looks), anti-aliased.
platform::AlphaBitmap RenderRoundedGradient(int width, int height, int radius, Gradient fill);

// Outline of a rounded rectangle drawn straight onto a DC.
void StrokeRoundedRect(HDC hdc, const RECT& rc, int radius, Rgb color);

}  // namespace orvelle::ui::skin
