// Anti-aliased shapes of the skin drawn into a premultiplied 32-bit pixel buffer: rounded
// rectangles (filled, with a vertical gradient, or outlined), straight strokes and bands.
// Each pixel's coverage comes from its centre's distance to the shape's edge, so curves and
// diagonals are smooth at any size and straight edges on whole pixels stay sharp.
// Portable: no <windows.h>; the result is turned into a bitmap by SkinPaint.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/skin/CalciumSkin.h"

namespace orvelle::ui::skin {

struct Box {
  float left, top, right, bottom;
};

class Canvas {
public:
  Canvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Top-down rows of premultiplied blue, green, red, alpha.
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
  struct Pixel {
    std::uint8_t b, g, r, a;
  };
  Pixel At(int x, int y) const;

  // A rounded rectangle filled with `fill` running from its top to its bottom.
  void FillRoundedRect(const Box& box, float radius, Gradient fill, int alpha = 255);
  // A line of `width` centred on the rounded rectangle's edge.
  void StrokeRoundedRect(const Box& box, float radius, float width, Rgb color, int alpha = 255);
  // A straight stroke with flat ends from (ax, ay) to (bx, by).
  void StrokeSegment(float ax, float ay, float bx, float by, float width, Rgb color, int alpha = 255);
  // A horizontal band (one pixel row, say) inside a rounded rectangle: what lies outside the
  // rounded rectangle is left as it is.
  void FillBandInside(const Box& band, const Box& shape, float radius, Rgb color, int alpha);

private:
  // Blends `color` at coverage 0..1 (times alpha/255) over the pixel, source over.
  void Blend(int x, int y, Rgb color, float coverage);

  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

// Signed distance from (x, y) to the edge of a rounded rectangle: negative inside.
float RoundedRectDistance(const Box& box, float radius, float x, float y);

}  // namespace orvelle::ui::skin
