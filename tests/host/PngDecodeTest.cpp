#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/PngDecode.h"

namespace orvelle::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- A small PNG writer of our own: stored (uncompressed) DEFLATE blocks, any filters --

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& png, const char* type, const Bytes& body) {
  Put32(png, static_cast<std::uint32_t>(body.size()));
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  Put32(png, 0);  // the CRC, which the decoder leaves to the zlib check
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

// zlib data of stored blocks of at most `blockSize` bytes.
Bytes StoredZlib(const Bytes& data, std::size_t blockSize = 65535) {
  Bytes out{0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min(blockSize, data.size() - pos);
    const bool last = pos + n == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
               data.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < data.size());
  Put32(out, Adler32(data));
  return out;
}

int PaethPredictor(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// RGBA (or RGB) pixels, row y filtered with filter `filters[y % filters.size()]`, the image
// data split over IDAT chunks of `idatSize` bytes.
Bytes MakePng(int width, int height, int channels, const Bytes& pixels, const std::vector<int>& filters,
              std::size_t idatSize = 1 << 20) {
  const std::size_t stride = static_cast<std::size_t>(width) * channels;
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    const int filter = filters[static_cast<std::size_t>(y) % filters.size()];
    raw.push_back(static_cast<std::uint8_t>(filter));
    const std::uint8_t* row = pixels.data() + y * stride;
    const std::uint8_t* prior = y > 0 ? row - stride : nullptr;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<std::size_t>(channels) ? row[i - channels] : 0;
      const int b = prior ? prior[i] : 0;
      const int c = prior && i >= static_cast<std::size_t>(channels) ? prior[i - channels] : 0;
      const int predicted = filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : filter == 4 ? PaethPredictor(a, b, c) : 0;
      raw.push_back(static_cast<std::uint8_t>(row[i] - predicted));
    }
  }
  Bytes png{137, 80, 78, 71, 13, 10, 26, 10};
  Bytes header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, static_cast<std::uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0});
  Chunk(png, "IHDR", header);
  Chunk(png, "tEXt", Bytes{'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'x'});  // skipped
  const Bytes z = StoredZlib(raw);
  for (std::size_t pos = 0; pos < z.size(); pos += idatSize)
    Chunk(png, "IDAT", Bytes(z.begin() + static_cast<std::ptrdiff_t>(pos),
                             z.begin() + static_cast<std::ptrdiff_t>(std::min(z.size(), pos + idatSize))));
  Chunk(png, "IEND", {});
  return png;
}

Bytes RandomPixels(int width, int height, int channels, std::mt19937& rng) {
  Bytes pixels(static_cast<std::size_t>(width) * height * channels);
  for (auto& p : pixels) p = static_cast<std::uint8_t>(rng());
  return pixels;
}

// What the decoder must give for straight RGBA: premultiplied BGRA, rounded to nearest.
Bytes Premultiplied(const Bytes& pixels, int channels) {
  Bytes out;
  for (std::size_t i = 0; i < pixels.size(); i += static_cast<std::size_t>(channels)) {
    const int a = channels == 4 ? pixels[i + 3] : 255;
    for (int c : {2, 1, 0}) out.push_back(static_cast<std::uint8_t>((pixels[i + c] * a + 127) / 255));
    out.push_back(static_cast<std::uint8_t>(a));
  }
  return out;
}

bool Decode(const Bytes& png, DecodedImage& image) { return DecodePng(png.data(), png.size(), image); }

// ---- Decoding ------------------------------------------------------------------------

struct FilterCase {
  const char* name;
  std::vector<int> filters;
  int channels;
};

class PngFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(PngFilterTest, RandomPixelsComeBackPremultipliedInBgraOrder) {
  std::mt19937 rng(7);
  // Odd sizes: rows whose length is not a multiple of anything convenient.
  const int width = 13, height = 11;
  const Bytes pixels = RandomPixels(width, height, GetParam().channels, rng);
  DecodedImage image;
  ASSERT_TRUE(Decode(MakePng(width, height, GetParam().channels, pixels, GetParam().filters), image));
  EXPECT_EQ(image.width, width);
  EXPECT_EQ(image.height, height);
  EXPECT_EQ(image.bgra, Premultiplied(pixels, GetParam().channels));
}

INSTANTIATE_TEST_SUITE_P(
    EachFilter, PngFilterTest,
    ::testing::Values(FilterCase{"None", {0}, 4}, FilterCase{"Sub", {1}, 4}, FilterCase{"Up", {2}, 4},
                      FilterCase{"Average", {3}, 4}, FilterCase{"Paeth", {4}, 4},
                      FilterCase{"AllMixed", {0, 1, 2, 3, 4}, 4}, FilterCase{"RgbMixed", {4, 3, 2, 1, 0}, 3}),
    [](const ::testing::TestParamInfo<FilterCase>& row) { return row.param.name; });

TEST(PngDecodeTest, ImageDataSplitOverManySmallChunksAndBlocksIsJoined) {
  std::mt19937 rng(11);
  const Bytes pixels = RandomPixels(40, 30, 4, rng);
  Bytes png = MakePng(40, 30, 4, pixels, {1, 4}, 7);
  DecodedImage image;
  ASSERT_TRUE(Decode(png, image));
  EXPECT_EQ(image.bgra, Premultiplied(pixels, 4));
}

TEST(PngDecodeTest, TheProgramsOwnImagesDecodeWithTheirSizes) {
  // The generator's PNGs use zlib's dynamic Huffman blocks; the Adler-32 check inside the
  // decoder fails on any wrongly decoded byte.
  struct Image {
    const char* file;
    int size;
    bool clearCorner;  // the icons stand free; the picture is a card with a soft shadow
  };
  for (const Image& expected : {Image{"icon0-add.png", 16, true}, Image{"icon3-exit@125.png", 20, true},
                                Image{"icon4-delete@200.png", 32, true}, Image{"picture.png", 100, false},
                                Image{"picture@150.png", 150, false}, Image{"picture@200.png", 200, false}}) {
    SCOPED_TRACE(expected.file);
    std::ifstream file(std::string(ORVELLE_SOURCE_DIR) + "/resources/" + expected.file, std::ios::binary);
    ASSERT_TRUE(file) << "missing";
    const Bytes png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    DecodedImage image;
    ASSERT_TRUE(Decode(png, image));
    EXPECT_EQ(image.width, expected.size);
    EXPECT_EQ(image.height, expected.size);
    // Premultiplied: no colour channel above its alpha.
    int opaque = 0;
    for (std::size_t i = 0; i < image.bgra.size(); i += 4) {
      ASSERT_LE(image.bgra[i], image.bgra[i + 3]);
      ASSERT_LE(image.bgra[i + 1], image.bgra[i + 3]);
      ASSERT_LE(image.bgra[i + 2], image.bgra[i + 3]);
      opaque += image.bgra[i + 3] == 255;
    }
    if (expected.clearCorner) {
      EXPECT_EQ(image.bgra[3], 0) << "top-left corner";
    }
    EXPECT_GT(opaque, 0);
  }
}

// ---- zlib streams made by zlib itself -----------------------------------------------------

TEST(ZlibTest, FixedHuffmanAndStoredStreamsInflate) {
  struct Stream {
    Bytes z;
    std::string text;
  };
  const Stream streams[] = {
      // zlib.compressobj(9, DEFLATED, 15, 9, Z_FIXED): fixed codes, with back references.
      {{0x78, 0x01, 0x4b, 0x4c, 0x4a, 0x4e, 0x44, 0x45, 0x0a, 0x19, 0xa9, 0x39, 0x39,
        0xf9, 0x28, 0x64, 0x79, 0x7e, 0x51, 0x4e, 0x0a, 0x00, 0x52, 0x69, 0x0f, 0xc9},
       "abcabcabcabcabcabc hello hello hello world"},
      // zlib.compressobj(0): one stored block.
      {{0x78, 0x01, 0x01, 0x07, 0x00, 0xf8, 0xff, 0x73, 0x74, 0x6f, 0x72, 0x65, 0x64, 0x21, 0x0b, 0xef, 0x02, 0xb3},
       "stored!"},
  };
  for (const Stream& s : streams) {
    Bytes out;
    ASSERT_TRUE(ZlibDecompress(s.z.data(), s.z.size(), 1000, out)) << s.text;
    EXPECT_EQ(std::string(out.begin(), out.end()), s.text);
  }
}

TEST(ZlibTest, OutputBeyondTheLimitIsRefused) {
  // A long run in a few bytes: the limit, not the input, must bound the output.
  const Bytes zeros(5000, 0);
  // zlib.compress(bytes(5000), 9)
  const Bytes z = {0x78, 0xda, 0xed, 0xc1, 0x31, 0x01, 0x00, 0x00, 0x00, 0xc2, 0xa0, 0xf5, 0x4f, 0x6d,
                   0x0a, 0x3f, 0xa0, 0x00, 0x00, 0x00, 0x00, 0x80, 0xb7, 0x01, 0x13, 0x88, 0x00, 0x01};
  Bytes out;
  ASSERT_TRUE(ZlibDecompress(z.data(), z.size(), 5000, out));
  EXPECT_EQ(out, zeros);
  out.clear();
  EXPECT_FALSE(ZlibDecompress(z.data(), z.size(), 4999, out));
}

// ---- Damaged and unsupported input --------------------------------------------------------

class DamagedPngTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::mt19937 rng(3);
    pixels = RandomPixels(9, 7, 4, rng);
    png = MakePng(9, 7, 4, pixels, {0, 1, 2, 3, 4});
  }
  // Offset of the IHDR body (after the signature, length and type).
  static constexpr std::size_t kHeader = 16;
  Bytes pixels;
  Bytes png;
};

TEST_F(DamagedPngTest, EveryTruncationIsRefusedWithoutAnImage) {
  for (std::size_t n = 0; n + 12 < png.size(); ++n) {  // the IEND chunk is the last 12 bytes
    const Bytes cut(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(n));
    DecodedImage image;
    EXPECT_FALSE(Decode(cut, image)) << n << " bytes";
    EXPECT_TRUE(image.bgra.empty());
  }
}

TEST_F(DamagedPngTest, FlippedBitsNeverReadOutsideTheInput) {
  // The decoder may accept a flip it cannot see (in a skipped chunk's CRC, say), but never
  // with a wrong size, and never reading or writing out of bounds (the sanitizers watch).
  for (std::size_t i = 0; i < png.size(); ++i)
    for (int bit = 0; bit < 8; ++bit) {
      Bytes bad = png;
      bad[i] ^= static_cast<std::uint8_t>(1 << bit);
      DecodedImage image;
      if (Decode(bad, image)) {
        EXPECT_EQ(image.bgra.size(), static_cast<std::size_t>(image.width) * image.height * 4);
      }
    }
}

TEST_F(DamagedPngTest, HeadersOfKindsItDoesNotDecodeAreRefused) {
  struct Change {
    const char* what;
    std::size_t offset;
    std::uint8_t value;
  };
  for (const Change& c : {Change{"signature", 1, 'X'}, Change{"16-bit samples", kHeader + 8, 16},
                          Change{"palette", kHeader + 9, 3}, Change{"grey", kHeader + 9, 0},
                          Change{"compression method", kHeader + 10, 1}, Change{"filter method", kHeader + 11, 1},
                          Change{"interlaced", kHeader + 12, 1}, Change{"zero width", kHeader + 3, 0},
                          Change{"width of 16 million", kHeader + 1, 0xFF}, Change{"unknown row filter", 0, 0}}) {
    Bytes bad = png;
    if (c.offset == 0) {
      // A filter type of 5 in the first row: rebuild the image with it.
      bad = MakePng(9, 7, 4, pixels, {5});
    } else {
      bad[c.offset] = c.value;
    }
    DecodedImage image;
    EXPECT_FALSE(Decode(bad, image)) << c.what;
  }
}

TEST_F(DamagedPngTest, ImageDataOfTheWrongLengthIsRefused) {
  // A well-formed image of 9 x 7 pixels whose header claims 9 x 8, and one claiming 9 x 6.
  for (const std::uint8_t height : {std::uint8_t{8}, std::uint8_t{6}}) {
    Bytes bad = png;
    bad[kHeader + 7] = height;
    DecodedImage image;
    EXPECT_FALSE(Decode(bad, image)) << int{height} << " rows";
  }
}

}  // namespace
}  // namespace orvelle::platform
