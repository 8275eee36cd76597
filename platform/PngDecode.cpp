#include "platform/PngDecode.h"

#include <array>
#include <cstring>

namespace orvelle::platform {

namespace {

// ---- DEFLATE ------------------------------------------------------------------------------

constexpr int kMaxCodeLength = 15;

// Bits are taken from the low end of each byte first, as DEFLATE packs them.
class BitReader {
public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Bits(int count, std::uint32_t& value) {
    while (held_ < count) {
      if (pos_ >= size_) return false;
      buffer_ |= static_cast<std::uint32_t>(data_[pos_++]) << held_;
      held_ += 8;
    }
    value = buffer_ & ((std::uint32_t{1} << count) - 1);
    buffer_ >>= count;
    held_ -= count;
    return true;
  }

  // Fewer than eight bits are ever held back, all from the byte last read: dropping them
  // moves to the next byte boundary.
  void AlignToByte() {
    buffer_ = 0;
    held_ = 0;
  }

  const std::uint8_t* Here() const { return data_ + pos_; }
  std::size_t Left() const { return size_ - pos_; }
  void Skip(std::size_t bytes) { pos_ += bytes; }
  std::size_t Used() const { return pos_; }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  std::uint32_t buffer_ = 0;
  int held_ = 0;
};

// A canonical Huffman code: how many codes each length has, and the symbols in code order.
struct Huffman {
  std::array<std::uint16_t, kMaxCodeLength + 1> counts{};
  std::array<std::uint16_t, 288> symbols{};

  // False when the lengths describe more codes than fit (an over-subscribed code).
  bool Build(const std::uint8_t* lengths, int n) {
    counts.fill(0);
    for (int s = 0; s < n; ++s) ++counts[lengths[s]];
    counts[0] = 0;
    int left = 1;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
      left = left * 2 - counts[len];
      if (left < 0) return false;
    }
    std::array<std::uint16_t, kMaxCodeLength + 2> offsets{};
    for (int len = 1; len <= kMaxCodeLength; ++len) offsets[len + 1] = offsets[len] + counts[len];
    for (int s = 0; s < n; ++s)
      if (lengths[s]) symbols[offsets[lengths[s]]++] = static_cast<std::uint16_t>(s);
    return true;
  }

  // Reads one code bit by bit; -1 for a code the table does not have or the end of input.
  int Decode(BitReader& in) const {
    int code = 0;   // the bits read so far
    int first = 0;  // the first code of the current length
    int index = 0;  // where the current length's symbols start
    for (int len = 1; len <= kMaxCodeLength; ++len) {
      std::uint32_t bit = 0;
      if (!in.Bits(1, bit)) return -1;
      code |= static_cast<int>(bit);
      const int count = counts[len];
      if (code - first < count) return symbols[index + (code - first)];
      index += count;
      first = (first + count) << 1;
      code <<= 1;
    }
    return -1;
  }
};

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                             33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool InflateCodes(BitReader& in, const Huffman& literals, const Huffman& distances, std::size_t limit,
                  std::vector<std::uint8_t>& out) {
  for (;;) {
    const int symbol = literals.Decode(in);
    if (symbol < 0) return false;
    if (symbol < 256) {
      if (out.size() >= limit) return false;
      out.push_back(static_cast<std::uint8_t>(symbol));
      continue;
    }
    if (symbol == 256) return true;
    const int lengthIndex = symbol - 257;
    if (lengthIndex >= 29) return false;
    std::uint32_t extra = 0;
    if (!in.Bits(kLengthExtra[lengthIndex], extra)) return false;
    const std::size_t length = kLengthBase[lengthIndex] + extra;
    const int distanceIndex = distances.Decode(in);
    if (distanceIndex < 0 || distanceIndex >= 30) return false;
    if (!in.Bits(kDistanceExtra[distanceIndex], extra)) return false;
    const std::size_t distance = kDistanceBase[distanceIndex] + extra;
    if (distance > out.size() || length > limit - out.size()) return false;
    // Byte by byte: the copy may overlap what it writes (a run).
    std::size_t from = out.size() - distance;
    for (std::size_t i = 0; i < length; ++i) out.push_back(out[from + i]);
  }
}

bool FixedCodes(Huffman& literals, Huffman& distances) {
  std::uint8_t lengths[288];
  int s = 0;
  for (; s < 144; ++s) lengths[s] = 8;
  for (; s < 256; ++s) lengths[s] = 9;
  for (; s < 280; ++s) lengths[s] = 7;
  for (; s < 288; ++s) lengths[s] = 8;
  if (!literals.Build(lengths, 288)) return false;
  std::memset(lengths, 5, 30);
  return distances.Build(lengths, 30);
}

bool DynamicCodes(BitReader& in, Huffman& literals, Huffman& distances) {
  static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  std::uint32_t hlit = 0, hdist = 0, hclen = 0;
  if (!in.Bits(5, hlit) || !in.Bits(5, hdist) || !in.Bits(4, hclen)) return false;
  const int nlit = static_cast<int>(hlit) + 257;
  const int ndist = static_cast<int>(hdist) + 1;
  if (nlit > 286 || ndist > 30) return false;

  std::uint8_t lengths[286 + 30] = {};
  for (std::uint32_t i = 0; i < hclen + 4; ++i) {
    std::uint32_t len = 0;
    if (!in.Bits(3, len)) return false;
    lengths[kOrder[i]] = static_cast<std::uint8_t>(len);
  }
  Huffman lengthCode;
  if (!lengthCode.Build(lengths, 19)) return false;

  std::memset(lengths, 0, sizeof(lengths));
  int n = 0;
  while (n < nlit + ndist) {
    const int symbol = lengthCode.Decode(in);
    if (symbol < 0) return false;
    if (symbol < 16) {
      lengths[n++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    std::uint8_t value = 0;
    std::uint32_t repeat = 0;
    if (symbol == 16) {
      if (n == 0) return false;  // nothing to repeat
      value = lengths[n - 1];
      if (!in.Bits(2, repeat)) return false;
      repeat += 3;
    } else if (symbol == 17) {
      if (!in.Bits(3, repeat)) return false;
      repeat += 3;
    } else {
      if (!in.Bits(7, repeat)) return false;
      repeat += 11;
    }
    if (n + static_cast<int>(repeat) > nlit + ndist) return false;
    while (repeat--) lengths[n++] = value;
  }
  if (lengths[256] == 0) return false;  // no end-of-block code
  return literals.Build(lengths, nlit) && distances.Build(lengths + nlit, ndist);
}

// ---- PNG ----------------------------------------------------------------------------------

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = p > a ? p - a : a - p;
  const int pb = p > b ? p - b : b - p;
  const int pc = p > c ? p - c : c - p;
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the per-row filters in place; rows are `1 + stride` bytes, the first the filter type.
bool Unfilter(std::vector<std::uint8_t>& raw, int height, std::size_t stride, int bpp) {
  const std::uint8_t* prior = nullptr;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * (stride + 1);
    const std::uint8_t type = row[0];
    std::uint8_t* x = row + 1;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= static_cast<std::size_t>(bpp) ? x[i - bpp] : 0;
      const int b = prior ? prior[i] : 0;
      const int c = prior && i >= static_cast<std::size_t>(bpp) ? prior[i - bpp] : 0;
      int add = 0;
      switch (type) {
        case 0: add = 0; break;
        case 1: add = a; break;
        case 2: add = b; break;
        case 3: add = (a + b) / 2; break;
        case 4: add = Paeth(a, b, c); break;
        default: return false;
      }
      x[i] = static_cast<std::uint8_t>(x[i] + add);
    }
    prior = x;
  }
  return true;
}

constexpr std::uint8_t Premultiply(int value, int alpha) {
  return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

}  // namespace

bool Inflate(const std::uint8_t* data, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out,
             std::size_t& consumed) {
  BitReader in(data, size);
  std::uint32_t last = 0;
  do {
    std::uint32_t type = 0;
    if (!in.Bits(1, last) || !in.Bits(2, type)) return false;
    if (type == 0) {
      in.AlignToByte();
      if (in.Left() < 4) return false;
      const std::uint8_t* header = in.Here();
      const std::size_t length = header[0] | header[1] << 8;
      const std::size_t complement = header[2] | header[3] << 8;
      if (length != (~complement & 0xFFFF)) return false;
      in.Skip(4);
      if (in.Left() < length || length > limit - out.size()) return false;
      out.insert(out.end(), in.Here(), in.Here() + length);
      in.Skip(length);
    } else if (type == 1 || type == 2) {
      Huffman literals, distances;
      if (!(type == 1 ? FixedCodes(literals, distances) : DynamicCodes(in, literals, distances))) return false;
      if (!InflateCodes(in, literals, distances, limit, out)) return false;
    } else {
      return false;
    }
  } while (!last);
  consumed = in.Used();
  return true;
}

bool ZlibDecompress(const std::uint8_t* data, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out) {
  if (size < 6) return false;
  const unsigned cmf = data[0], flg = data[1];
  // Method 8 (DEFLATE), a window of at most 32 KB, the header check, no preset dictionary.
  if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf << 8 | flg) % 31 != 0 || (flg & 0x20)) return false;
  const std::size_t start = out.size();
  std::size_t used = 0;
  if (!Inflate(data + 2, size - 2, limit, out, used)) return false;
  if (size - 2 - used < 4) return false;
  std::uint32_t a = 1, b = 0;
  for (std::size_t i = start; i < out.size(); ++i) {
    a = (a + out[i]) % 65521;
    b = (b + a) % 65521;
  }
  return BigEndian32(data + 2 + used) == (b << 16 | a);
}

bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
  image = DecodedImage{};
  static constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;

  std::uint32_t width = 0, height = 0;
  int channels = 0;
  std::vector<std::uint8_t> compressed;
  bool header = false, end = false;
  std::size_t pos = 8;
  while (!end) {
    if (size - pos < 12) return false;
    const std::uint32_t length = BigEndian32(data + pos);
    const std::uint8_t* type = data + pos + 4;
    const std::uint8_t* body = data + pos + 8;
    if (length > size - pos - 12) return false;
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (header || length != 13) return false;
      width = BigEndian32(body);
      height = BigEndian32(body + 4);
      const std::uint8_t depth = body[8], colour = body[9];
      if (depth != 8 || (colour != 6 && colour != 2) || body[10] != 0 || body[11] != 0 || body[12] != 0) return false;
      // Far beyond any image of ours; keeps the sizes below well inside their types.
      if (width == 0 || height == 0 || width > 8192 || height > 8192) return false;
      channels = colour == 6 ? 4 : 3;
      header = true;
    } else if (!header) {
      return false;  // IHDR must come first
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      compressed.insert(compressed.end(), body, body + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      end = true;
    }
    pos += 12 + static_cast<std::size_t>(length);
  }

  const std::size_t stride = static_cast<std::size_t>(width) * channels;
  const std::size_t rawSize = (stride + 1) * height;
  std::vector<std::uint8_t> raw;
  raw.reserve(rawSize);
  if (!ZlibDecompress(compressed.data(), compressed.size(), rawSize, raw) || raw.size() != rawSize) return false;
  if (!Unfilter(raw, static_cast<int>(height), stride, channels)) return false;

  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bgra.resize(static_cast<std::size_t>(width) * height * 4);
  std::uint8_t* to = image.bgra.data();
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* from = raw.data() + y * (stride + 1) + 1;
    for (std::uint32_t x = 0; x < width; ++x, from += channels, to += 4) {
      const int alpha = channels == 4 ? from[3] : 255;
      to[0] = Premultiply(from[2], alpha);
      to[1] = Premultiply(from[1], alpha);
      to[2] = Premultiply(from[0], alpha);
      to[3] = static_cast<std::uint8_t>(alpha);
    }
  }
  return true;
}

}  // namespace orvelle::platform
