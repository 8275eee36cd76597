#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ui/skin/Raster.h"

namespace orvelle::ui::skin {
namespace {

constexpr Rgb kGrey{0x80, 0x80, 0x80};
constexpr Rgb kRed{0xFF, 0x00, 0x00};

Gradient Solid(Rgb c) { return {c, c}; }

// ---- The distance to a rounded rectangle's edge --------------------------------------

TEST(RoundedRectDistanceTest, SignTellsInsideFromOutsideAndCornersAreRound) {
  const Box box{0, 0, 20, 10};
  struct Point {
    const char* where;
    float x, y, distance;
  };
  for (const Point& p : {Point{"centre", 10, 5, -5}, Point{"on the top edge", 10, 0, 0},
                         Point{"above the top edge", 10, -2, 2}, Point{"left of the left edge", -3, 5, 3},
                         // The corner's circle has its centre at (4, 4) for radius 4.
                         Point{"the box's own corner, cut away", 0, 0, std::sqrt(32.0f) - 4},
                         Point{"on the corner's arc", 4 - std::sqrt(8.0f), 4 - std::sqrt(8.0f), 0}}) {
    EXPECT_NEAR(RoundedRectDistance(box, 4, p.x, p.y), p.distance, 1e-4) << p.where;
  }
}

TEST(RoundedRectDistanceTest, RadiusLargerThanTheBoxBecomesAPill) {
  // A radius of 100 on a 20 x 10 box is cut to 5: the ends are half circles.
  EXPECT_NEAR(RoundedRectDistance({0, 0, 20, 10}, 100, 0, 5), 0, 1e-4);
  EXPECT_NEAR(RoundedRectDistance({0, 0, 20, 10}, 100, 10, 0), 0, 1e-4);
}

// ---- Filling -------------------------------------------------------------------------

TEST(CanvasTest, ASquareOnWholePixelsHasSharpEdges) {
  Canvas canvas(8, 8);
  canvas.FillRoundedRect({2, 2, 6, 6}, 0, Solid(kRed));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
      const Canvas::Pixel p = canvas.At(x, y);
      EXPECT_EQ(p.a, inside ? 255 : 0) << x << "," << y;
      EXPECT_EQ(p.r, inside ? 255 : 0) << x << "," << y;
    }
}

TEST(CanvasTest, RoundedCornersAreCutTheSameAtAllFourCorners) {
  Canvas canvas(30, 20);
  canvas.FillRoundedRect({0, 0, 30, 20}, 6, Solid(kGrey));
  EXPECT_EQ(canvas.At(0, 0).a, 0);
  EXPECT_EQ(canvas.At(15, 0).a, 255);
  EXPECT_EQ(canvas.At(0, 10).a, 255);
  // Partly covered pixels on the arc: smooth, not stepped.
  int partial = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const int a = canvas.At(x, y).a;
      partial += a > 0 && a < 255;
      EXPECT_EQ(a, canvas.At(29 - x, y).a) << "mirrored left-right at " << x << "," << y;
      EXPECT_EQ(a, canvas.At(x, 19 - y).a) << "mirrored top-bottom at " << x << "," << y;
    }
  EXPECT_GT(partial, 8);
}

TEST(CanvasTest, GradientRunsFromTheTopColourToTheBottomColour) {
  Canvas canvas(4, 50);
  canvas.FillRoundedRect({0, 0, 4, 50}, 0, {{0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}});
  EXPECT_GE(canvas.At(1, 0).g, 0xFA);
  EXPECT_LE(canvas.At(1, 49).g, 0x05);
  for (int y = 1; y < 50; ++y) EXPECT_LE(canvas.At(1, y).g, canvas.At(1, y - 1).g) << y;
}

TEST(CanvasTest, HalfOpaqueFillOverAnotherStaysPremultiplied) {
  Canvas canvas(6, 6);
  canvas.FillRoundedRect({0, 0, 6, 6}, 0, Solid(kRed), 128);
  Canvas::Pixel p = canvas.At(3, 3);
  EXPECT_EQ(p.a, 128);
  EXPECT_EQ(p.r, 128);
  canvas.FillRoundedRect({0, 0, 6, 6}, 0, Solid(Rgb{0, 0, 0xFF}), 128);
  p = canvas.At(3, 3);
  EXPECT_NEAR(p.a, 192, 1);  // 128 + 255 * 0.5 * (1 - 128/255)
  EXPECT_NEAR(p.b, 128, 1);
  EXPECT_NEAR(p.r, 64, 1);
}

// ---- Lines ---------------------------------------------------------------------------

TEST(CanvasTest, OnePixelOutlineThroughPixelCentresCoversTheOuterRowOnly) {
  // The button faces' outline: the shape's edge half a pixel in from the bitmap's edge.
  Canvas canvas(20, 12);
  canvas.StrokeRoundedRect({0.5f, 0.5f, 19.5f, 11.5f}, 4, 1, kGrey);
  EXPECT_EQ(canvas.At(10, 0).a, 255);
  EXPECT_EQ(canvas.At(10, 11).a, 255);
  EXPECT_EQ(canvas.At(0, 6).a, 255);
  EXPECT_EQ(canvas.At(19, 6).a, 255);
  EXPECT_EQ(canvas.At(10, 1).a, 0);
  EXPECT_EQ(canvas.At(10, 6).a, 0);
}

TEST(CanvasTest, DiagonalStrokeCoversItsPathAndNothingFarFromIt) {
  Canvas canvas(16, 16);
  canvas.StrokeSegment(2, 2, 14, 14, 1.5f, kGrey);
  for (int i = 3; i < 13; ++i) EXPECT_EQ(canvas.At(i, i).a, 255) << i;
  EXPECT_EQ(canvas.At(13, 2).a, 0);
  EXPECT_EQ(canvas.At(0, 0).a, 0) << "beyond the flat end";
  EXPECT_EQ(canvas.At(15, 15).a, 0) << "beyond the flat end";
}

TEST(CanvasTest, BandInsideAShapeLeavesWhatIsOutsideTheShape) {
  Canvas canvas(20, 10);
  const Box shape{0.5f, 0.5f, 19.5f, 9.5f};
  canvas.FillBandInside({0, 1, 20, 2}, shape, 4, kGrey, 255);
  EXPECT_EQ(canvas.At(10, 1).a, 255);
  EXPECT_EQ(canvas.At(10, 0).a, 0) << "above the band";
  EXPECT_EQ(canvas.At(10, 2).a, 0) << "below the band";
  EXPECT_EQ(canvas.At(0, 1).a, 0) << "cut off by the rounded corner";
}

// ---- Robustness ------------------------------------------------------------------------

TEST(CanvasTest, ShapesPartlyOrWhollyOffTheCanvasStayInsideItsPixels) {
  // The sanitizers catch a write outside the buffer; the invariant catches a broken blend.
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> coord(-30.0f, 50.0f);
  for (int round = 0; round < 200; ++round) {
    Canvas canvas(static_cast<int>(rng() % 24), static_cast<int>(rng() % 24));
    const Box box{coord(rng), coord(rng), coord(rng), coord(rng)};
    const Rgb c{static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng())};
    const int alpha = static_cast<int>(rng() % 256);
    canvas.FillRoundedRect(box, coord(rng), {c, kGrey}, alpha);
    canvas.StrokeRoundedRect(box, coord(rng), 1.5f, c, alpha);
    canvas.StrokeSegment(coord(rng), coord(rng), coord(rng), coord(rng), 2, c, alpha);
    canvas.FillBandInside(box, {0, 0, 10, 10}, 3, c, alpha);
    const auto& px = canvas.Pixels();
    for (std::size_t i = 0; i < px.size(); i += 4) {
      ASSERT_LE(px[i], px[i + 3]);
      ASSERT_LE(px[i + 1], px[i + 3]);
      ASSERT_LE(px[i + 2], px[i + 3]);
    }
  }
}

TEST(CanvasTest, EmptyCanvasesTakeEveryOperation) {
  for (Canvas canvas : {Canvas(0, 0), Canvas(-3, 5), Canvas(5, 0)}) {
    canvas.FillRoundedRect({0, 0, 5, 5}, 2, Solid(kGrey));
    canvas.StrokeSegment(0, 0, 5, 5, 1, kGrey);
    EXPECT_TRUE(canvas.Pixels().empty());
  }
}

}  // namespace
}  // namespace orvelle::ui::skin
