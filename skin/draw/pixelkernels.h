// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Row kernels shared by the 24-bit pixel buffers: format conversion and the
// arithmetic of every effect. Each kernel has a plain scalar form that states
// the arithmetic, and the dispatching form picks a vector path when the CPU
// has one. Both give the same bytes; the tests hold them to that.

#include <cstddef>
#include <cstdint>

namespace bspixels {

// Bytes per 24-bit row: three per pixel plus Width mod 4, which pads every
// row to a multiple of four bytes.
constexpr int RowSizeFor(int width) { return width * 3 + width % 4; }

// 0xFFRRGGBB pixels to blue, green, red bytes and back.
void Rgb32ToBgr24(const uint32_t* src, uint8_t* dst, int width);
void Bgr24ToRgb32(const uint8_t* src, uint32_t* dst, int width);

// bytes[i] := table[bytes[i]].
void ApplyByteTable(uint8_t* bytes, size_t count, const uint8_t* table);
void ApplyByteTableScalar(uint8_t* bytes, size_t count, const uint8_t* table);

// a[i] := round((1 - k) x a[i] + k x b[i]) (ties to even), clamped to 0 .. 255.
void BlendBytes(uint8_t* a, const uint8_t* b, size_t count, double k);
void BlendBytesScalar(uint8_t* a, const uint8_t* b, size_t count, double k);

// Every pixel of a BGR row := round(0.3 R + 0.59 G + 0.11 B) in all three channels.
void GrayRow(uint8_t* row, int width);
void GrayRowScalar(uint8_t* row, int width);

// The noise value of pixel number `index` for amount n > 0:
// random(0 .. n - 1) - n div 2, from a counter-based generator keyed by `seed`,
// so any pixel's value can be computed on its own and in any order.
int NoiseValue(uint32_t seed, uint32_t index, int amount);
// Adds NoiseValue(seed, firstIndex + x, amount) to the channels of pixel x, clamped.
void NoiseRow(uint8_t* row, int width, int amount, uint32_t seed, uint32_t firstIndex);
void NoiseRowScalar(uint8_t* row, int width, int amount, uint32_t seed, uint32_t firstIndex);

// out[i] := (p[i] + q[i] + r[i] + s[i]) >> 2 for the bytes of one blurred row.
void Average4(uint8_t* out, const uint8_t* p, const uint8_t* q, const uint8_t* r, const uint8_t* s,
              size_t count);
void Average4Scalar(uint8_t* out, const uint8_t* p, const uint8_t* q, const uint8_t* r,
                    const uint8_t* s, size_t count);

// Marks the pure black pixels of a BGR row: bit x of the words (lowest bit
// first) is set when pixel x is (0, 0, 0). Bits past `width` are cleared.
void BlackPixelBits(const uint8_t* row, int width, uint64_t* bits);
void BlackPixelBitsScalar(const uint8_t* row, int width, uint64_t* bits);

}  // namespace bspixels
