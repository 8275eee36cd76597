#include "ui/skin/Raster.h"

#include <algorithm>
#include <cmath>

namespace orvelle::ui::skin {

namespace {

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// Coverage of a pixel whose centre lies `distance` from an edge (negative inside): a one
// pixel wide ramp across the edge.
float FillCoverage(float distance) { return Clamp01(0.5f - distance); }

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, float t) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

// The pixels a shape can touch: its bounds grown by a pixel, cut to the canvas.
struct Span {
  int x0, y0, x1, y1;
};
Span Covering(float left, float top, float right, float bottom, int width, int height) {
  return {std::max(0, static_cast<int>(std::floor(left)) - 1), std::max(0, static_cast<int>(std::floor(top)) - 1),
          std::min(width, static_cast<int>(std::ceil(right)) + 1),
          std::min(height, static_cast<int>(std::ceil(bottom)) + 1)};
}

}  // namespace

float RoundedRectDistance(const Box& box, float radius, float x, float y) {
  const float halfW = (box.right - box.left) / 2.0f;
  const float halfH = (box.bottom - box.top) / 2.0f;
  const float r = std::min(radius, std::min(halfW, halfH));
  const float qx = std::fabs(x - (box.left + halfW)) - (halfW - r);
  const float qy = std::fabs(y - (box.top + halfH)) - (halfH - r);
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  const float inside = std::min(std::max(qx, qy), 0.0f);
  return outside + inside - r;
}

Canvas::Canvas(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0) {}

Canvas::Pixel Canvas::At(int x, int y) const {
  const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

void Canvas::Blend(int x, int y, Rgb color, float coverage) {
  if (coverage <= 0.0f) return;
  std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  const float keep = 1.0f - coverage;
  const auto over = [&](std::uint8_t dst, float src) {
    return static_cast<std::uint8_t>(std::lround(src * coverage + dst * keep));
  };
  p[0] = over(p[0], color.b);
  p[1] = over(p[1], color.g);
  p[2] = over(p[2], color.r);
  p[3] = over(p[3], 255.0f);
}

void Canvas::FillRoundedRect(const Box& box, float radius, Gradient fill, int alpha) {
  const float opacity = Clamp01(static_cast<float>(alpha) / 255.0f);
  const float height = box.bottom - box.top;
  const Span s = Covering(box.left, box.top, box.right, box.bottom, width_, height_);
  for (int y = s.y0; y < s.y1; ++y) {
    const float cy = static_cast<float>(y) + 0.5f;
    const float t = height > 0.0f ? Clamp01((cy - box.top) / height) : 0.0f;
    const Rgb color{Mix(fill.from.r, fill.to.r, t), Mix(fill.from.g, fill.to.g, t), Mix(fill.from.b, fill.to.b, t)};
    for (int x = s.x0; x < s.x1; ++x)
      Blend(x, y, color, opacity * FillCoverage(RoundedRectDistance(box, radius, static_cast<float>(x) + 0.5f, cy)));
  }
}

void Canvas::StrokeRoundedRect(const Box& box, float radius, float width, Rgb color, int alpha) {
  const float opacity = Clamp01(static_cast<float>(alpha) / 255.0f);
  const float half = width / 2.0f;
  const Span s = Covering(box.left - half, box.top - half, box.right + half, box.bottom + half, width_, height_);
  for (int y = s.y0; y < s.y1; ++y)
    for (int x = s.x0; x < s.x1; ++x) {
      const float d = RoundedRectDistance(box, radius, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      Blend(x, y, color, opacity * FillCoverage(std::fabs(d) - half));
    }
}

void Canvas::StrokeSegment(float ax, float ay, float bx, float by, float width, Rgb color, int alpha) {
  const float opacity = Clamp01(static_cast<float>(alpha) / 255.0f);
  const float half = width / 2.0f;
  const float dx = bx - ax, dy = by - ay;
  const float length = std::hypot(dx, dy);
  if (length <= 0.0f) return;
  const float ux = dx / length, uy = dy / length;
  const Span s = Covering(std::min(ax, bx) - half, std::min(ay, by) - half, std::max(ax, bx) + half,
                          std::max(ay, by) + half, width_, height_);
  for (int y = s.y0; y < s.y1; ++y)
    for (int x = s.x0; x < s.x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f - ax, py = static_cast<float>(y) + 0.5f - ay;
      // Distance across the stroke and past its ends (flat caps): the shape is a rotated box.
      const float along = px * ux + py * uy;
      const float across = std::fabs(px * uy - py * ux) - half;
      const float beyond = std::max(-along, along - length);
      Blend(x, y, color, opacity * FillCoverage(std::max(across, beyond)));
    }
}

void Canvas::FillBandInside(const Box& band, const Box& shape, float radius, Rgb color, int alpha) {
  const float opacity = Clamp01(static_cast<float>(alpha) / 255.0f);
  const Span s = Covering(band.left, band.top, band.right, band.bottom, width_, height_);
  for (int y = s.y0; y < s.y1; ++y)
    for (int x = s.x0; x < s.x1; ++x) {
      const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
      // Coverage of the band itself (a box), then cut by the shape's own edge.
      const float inBand = std::max(std::max(band.left - cx, cx - band.right), std::max(band.top - cy, cy - band.bottom));
      const float coverage = FillCoverage(inBand) * FillCoverage(RoundedRectDistance(shape, radius, cx, cy));
      Blend(x, y, color, opacity * coverage);
    }
}

}  // namespace orvelle::ui::skin
