// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/pixelkernels.h"

#pragma GCC diagnostic ignored "-Wpsabi"  // vector helpers are internal and AVX2-only

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace bspixels {

namespace {

#if defined(__x86_64__) || defined(__i386__)
#define BS_HAVE_X86 1
#define BS_AVX2 __attribute__((target("avx2")))
bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#else
#define BS_HAVE_X86 0
bool HasAvx2() { return false; }
#endif

inline uint8_t Clamp255(int v) { return uint8_t(std::clamp(v, 0, 255)); }

// ---------------------------------------------------------------------------
// Blend weights. The exact result is round((1 - k) a + k b) in double
// arithmetic. For the factors a fade uses, 14-bit integer weights give the
// same byte for every one of the 65536 (a, b) pairs; that is checked once per
// factor, and a factor that fails (k = 0.5, whose ties go to even) uses a
// table of all pairs built from the double formula instead.

constexpr int kBlendShift = 14;  // weights sum to 1 << kBlendShift and fit a signed 16-bit lane

inline uint8_t BlendExact(int a, int b, double k) {
  return Clamp255(int(std::nearbyint((1 - k) * a + k * b)));
}

struct TBlendPlan {
  double K = -1;
  bool UseWeights = false;
  int W0 = 0, W1 = 0;
  std::vector<uint8_t> Pairs;  // [a * 256 + b], only when the weights are not exact
};

TBlendPlan MakeBlendPlan(double k) {
  TBlendPlan plan;
  plan.K = k;
  plan.W1 = int(std::lround(k * (1 << kBlendShift)));
  plan.W0 = (1 << kBlendShift) - plan.W1;
  bool exact = plan.W0 >= 0 && plan.W1 >= 0;
  const int bias = 1 << (kBlendShift - 1);
  for (int a = 0; a < 256 && exact; ++a)
    for (int b = 0; b < 256; ++b)
      if (((a * plan.W0 + b * plan.W1 + bias) >> kBlendShift) != BlendExact(a, b, k)) {
        exact = false;
        break;
      }
  plan.UseWeights = exact;
  if (!exact) {
    plan.Pairs.resize(65536);
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) plan.Pairs[size_t(a) * 256 + size_t(b)] = BlendExact(a, b, k);
  }
  return plan;
}

// A fade uses a handful of factors again and again; keep the last few plans.
const TBlendPlan& BlendPlanFor(double k) {
  constexpr size_t kCachedPlans = 8;
  static std::mutex lock;
  static std::array<TBlendPlan, kCachedPlans> plans;
  static size_t next = 0;
  std::lock_guard guard(lock);
  for (const TBlendPlan& plan : plans)
    if (plan.K == k) return plan;
  TBlendPlan& slot = plans[next];
  next = (next + 1) % kCachedPlans;
  slot = MakeBlendPlan(k);
  return slot;
}

// The noise generator: a 32-bit integer hash of the pixel number, so the
// vector path can compute eight values at once and still agree with the scalar one.
constexpr uint32_t kNoiseStride = 0x9E3779B9u;
inline uint32_t NoiseHash(uint32_t seed, uint32_t index) {
  uint32_t x = seed + index * kNoiseStride;
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

#if BS_HAVE_X86

BS_AVX2 void ApplyByteTableAvx2(uint8_t* bytes, size_t count, const uint8_t* table) {
  // 256 entries as sixteen 16-entry shuffles. Within each half the tables are
  // stored XOR-differenced: shuffling with c - 16t (which turns negative, and
  // so selects zero, once t passes c / 16) and XOR-ing the results for
  // t = 0 .. 7 leaves exactly table[c].
  __m256i diff[16];
  for (int t = 0; t < 16; ++t) {
    __m128i cur = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * t));
    __m128i prev = (t % 8 == 0) ? _mm_setzero_si128()
                                : _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * (t - 1)));
    diff[t] = _mm256_broadcastsi128_si256(_mm_xor_si128(cur, prev));
  }
  const __m256i step = _mm256_set1_epi8(16);
  const __m256i top = _mm256_set1_epi8(char(0x80));
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
    __m256i idxLo = c;
    __m256i idxHi = _mm256_xor_si256(c, top);
    __m256i lo = _mm256_setzero_si256();
    __m256i hi = _mm256_setzero_si256();
    for (int t = 0; t < 8; ++t) {
      lo = _mm256_xor_si256(lo, _mm256_shuffle_epi8(diff[t], idxLo));
      hi = _mm256_xor_si256(hi, _mm256_shuffle_epi8(diff[t + 8], idxHi));
      idxLo = _mm256_sub_epi8(idxLo, step);
      idxHi = _mm256_sub_epi8(idxHi, step);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + i), _mm256_blendv_epi8(lo, hi, c));
  }
  ApplyByteTableScalar(bytes + i, count - i, table);
}

// (a x w0 + b x w1 + bias) >> kBlendShift for the low and the high four
// 16-bit pairs of each 128-bit lane.
BS_AVX2 inline __m256i WeighLo(__m256i a, __m256i b, __m256i weights, __m256i bias) {
  return _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), weights), bias),
                           kBlendShift);
}
BS_AVX2 inline __m256i WeighHi(__m256i a, __m256i b, __m256i weights, __m256i bias) {
  return _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), weights), bias),
                           kBlendShift);
}

BS_AVX2 void BlendWeightsAvx2(uint8_t* a, const uint8_t* b, size_t count, int w0, int w1) {
  const __m256i weights = _mm256_set1_epi32(int(uint32_t(uint16_t(w0)) | (uint32_t(uint16_t(w1)) << 16)));
  const __m256i bias = _mm256_set1_epi32(1 << (kBlendShift - 1));
  const __m256i zero = _mm256_setzero_si256();
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
    const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    const __m256i aLo = _mm256_unpacklo_epi8(va, zero), aHi = _mm256_unpackhi_epi8(va, zero);
    const __m256i bLo = _mm256_unpacklo_epi8(vb, zero), bHi = _mm256_unpackhi_epi8(vb, zero);
    const __m256i lo16 = _mm256_packs_epi32(WeighLo(aLo, bLo, weights, bias), WeighHi(aLo, bLo, weights, bias));
    const __m256i hi16 = _mm256_packs_epi32(WeighLo(aHi, bHi, weights, bias), WeighHi(aHi, bHi, weights, bias));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(a + i), _mm256_packus_epi16(lo16, hi16));
  }
  const int bias1 = 1 << (kBlendShift - 1);
  for (; i < count; ++i) a[i] = uint8_t((a[i] * w0 + b[i] * w1 + bias1) >> kBlendShift);
}

// Four pixels per step: 16 bytes are read, so the caller keeps the last
// pixels for the scalar loop.
BS_AVX2 int GrayRowAvx2(uint8_t* row, int width) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i pack = _mm_setr_epi8(0, 0, 0, 4, 4, 4, 8, 8, 8, 12, 12, 12, -1, -1, -1, -1);
  const __m128i low = _mm_set1_epi32(0xFF);
  const __m256d wr = _mm256_set1_pd(0.3), wg = _mm256_set1_pd(0.59), wb = _mm256_set1_pd(0.11);
  const __m128i zero = _mm_setzero_si128(), max = _mm_set1_epi32(255);
  int x = 0;
  for (; x + 6 <= width; x += 4) {
    uint8_t* p = row + 3 * x;
    const __m128i px = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), spread);
    const __m256d b = _mm256_cvtepi32_pd(_mm_and_si128(px, low));
    const __m256d g = _mm256_cvtepi32_pd(_mm_and_si128(_mm_srli_epi32(px, 8), low));
    const __m256d r = _mm256_cvtepi32_pd(_mm_and_si128(_mm_srli_epi32(px, 16), low));
    // Same operations in the same order as the scalar form; the conversion
    // rounds to nearest even like nearbyint.
    const __m256d v = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(wr, r), _mm256_mul_pd(wg, g)), _mm256_mul_pd(wb, b));
    const __m128i gray = _mm_min_epi32(_mm_max_epi32(_mm256_cvtpd_epi32(v), zero), max);
    const __m128i out = _mm_shuffle_epi8(gray, pack);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), out);
    const uint32_t tail = uint32_t(_mm_extract_epi32(out, 2));
    std::memcpy(p + 8, &tail, 4);
  }
  return x;
}

BS_AVX2 int NoiseRowAvx2(uint8_t* row, int width, int amount, uint32_t seed, uint32_t firstIndex) {
  const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i stride = _mm256_set1_epi32(int(kNoiseStride));
  const __m256i vseed = _mm256_set1_epi32(int(seed));
  const __m256i n = _mm256_set1_epi32(amount);
  const __m256i half = _mm256_set1_epi32(amount / 2);
  const __m256i hiMask = _mm256_set1_epi64x(int64_t(0xFFFFFFFF00000000ull));
  const __m256i lim = _mm256_set1_epi32(255), nlim = _mm256_set1_epi32(-255), zero = _mm256_setzero_si256();
  const __m128i expand0 = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
  const __m128i expand1 = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i negOffset = _mm_set1_epi8(8);
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    __m256i h = _mm256_add_epi32(vseed, _mm256_mullo_epi32(_mm256_add_epi32(_mm256_set1_epi32(int(firstIndex + uint32_t(x))), lane), stride));
    h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 16));
    h = _mm256_mullo_epi32(h, _mm256_set1_epi32(int(0x7FEB352Du)));
    h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 15));
    h = _mm256_mullo_epi32(h, _mm256_set1_epi32(int(0x846CA68Bu)));
    h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 16));
    // (h x n) >> 32 for each 32-bit lane, even and odd lanes separately.
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(h, n), 32);
    const __m256i odd = _mm256_and_si256(_mm256_mul_epu32(_mm256_srli_epi64(h, 32), n), hiMask);
    __m256i v = _mm256_sub_epi32(_mm256_or_si256(even, odd), half);
    v = _mm256_min_epi32(_mm256_max_epi32(v, nlim), lim);  // a channel cannot move further
    const __m256i pos = _mm256_max_epi32(v, zero);
    const __m256i neg = _mm256_max_epi32(_mm256_sub_epi32(zero, v), zero);
    const __m128i pos16 = _mm_packs_epi32(_mm256_castsi256_si128(pos), _mm256_extracti128_si256(pos, 1));
    const __m128i neg16 = _mm_packs_epi32(_mm256_castsi256_si128(neg), _mm256_extracti128_si256(neg, 1));
    const __m128i pn = _mm_packus_epi16(pos16, neg16);  // 8 raises, then 8 lowerings
    uint8_t* p = row + 3 * x;
    __m128i c0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i c1 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
    c0 = _mm_subs_epu8(_mm_adds_epu8(c0, _mm_shuffle_epi8(pn, expand0)),
                       _mm_shuffle_epi8(pn, _mm_add_epi8(expand0, negOffset)));
    c1 = _mm_subs_epu8(_mm_adds_epu8(c1, _mm_shuffle_epi8(pn, expand1)),
                       _mm_shuffle_epi8(pn, _mm_add_epi8(expand1, negOffset)));  // only the low 8 bytes are kept
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), c0);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), c1);
  }
  return x;
}

BS_AVX2 size_t Average4Avx2(uint8_t* out, const uint8_t* p, const uint8_t* q, const uint8_t* r, const uint8_t* s,
                            size_t count) {
  const __m256i zero = _mm256_setzero_si256();
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i vp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    const __m256i vq = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + i));
    const __m256i vr = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(r + i));
    const __m256i vs = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    __m256i lo = _mm256_add_epi16(_mm256_add_epi16(_mm256_unpacklo_epi8(vp, zero), _mm256_unpacklo_epi8(vq, zero)),
                                  _mm256_add_epi16(_mm256_unpacklo_epi8(vr, zero), _mm256_unpacklo_epi8(vs, zero)));
    __m256i hi = _mm256_add_epi16(_mm256_add_epi16(_mm256_unpackhi_epi8(vp, zero), _mm256_unpackhi_epi8(vq, zero)),
                                  _mm256_add_epi16(_mm256_unpackhi_epi8(vr, zero), _mm256_unpackhi_epi8(vs, zero)));
    lo = _mm256_srli_epi16(lo, 2);
    hi = _mm256_srli_epi16(hi, 2);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(lo, hi));
  }
  return i;
}

BS_AVX2 int Rgb32ToBgr24Avx2(const uint32_t* src, uint8_t* dst, int width) {
  // Per 128-bit lane, four pixels lose their fourth byte; the two 12-byte
  // halves are then joined into 24 contiguous bytes.
  const __m256i drop = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                        0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
  int x = 0;
  // 32 bytes are stored for 24, so stop while the spare 8 still land inside the row.
  for (; x + 11 <= width; x += 8) {
    const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + x));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 3 * x),
                        _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(px, drop), join));
  }
  return x;
}

BS_AVX2 int Bgr24ToRgb32Avx2(const uint8_t* src, uint32_t* dst, int width) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
  int x = 0;
  for (; x + 6 <= width; x += 4) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_or_si128(_mm_shuffle_epi8(px, spread), alpha));
  }
  return x;
}

// Eight pixels (24 bytes) per step: bytes equal to zero give a 32-bit mask,
// a pixel is black when its three bits are all set, and pext gathers every
// third bit into one byte of the row's bit set.
__attribute__((target("avx2,bmi2"))) int BlackPixelBitsAvx2(const uint8_t* row, int width, uint64_t* bits) {
  auto* out = reinterpret_cast<uint8_t*>(bits);
  const __m256i zero = _mm256_setzero_si256();
  constexpr uint32_t kFirstOfThree = 0x00249249u;  // bits 0, 3, 6, ..., 21
  int x = 0;
  for (; x + 11 <= width; x += 8) {  // 32 bytes are read for 24
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + 3 * x));
    const uint32_t m = uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, zero)));
    out[x / 8] = uint8_t(_pext_u32(m & (m >> 1) & (m >> 2), kFirstOfThree));
  }
  return x;
}

bool HasBmi2() {
  static const bool has = __builtin_cpu_supports("bmi2");
  return has;
}

#endif

}  // namespace

void BlackPixelBitsScalar(const uint8_t* row, int width, uint64_t* bits) {
  std::memset(bits, 0, size_t((width + 63) / 64) * 8);
  for (int x = 0; x < width; ++x)
    if ((row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) bits[x / 64] |= uint64_t(1) << (x % 64);
}

void BlackPixelBits(const uint8_t* row, int width, uint64_t* bits) {
  if (width <= 0) return;
  int x = 0;
#if BS_HAVE_X86
  if (HasAvx2() && HasBmi2()) {
    x = BlackPixelBitsAvx2(row, width, bits);
    // Clear the rest of the word the vector loop stopped in, then finish by pixel.
    if (x % 64 != 0) bits[x / 64] &= (uint64_t(1) << (x % 64)) - 1;
    for (int w = (x + 63) / 64; w < (width + 63) / 64; ++w) bits[w] = 0;
  } else {
    std::memset(bits, 0, size_t((width + 63) / 64) * 8);
  }
#else
  std::memset(bits, 0, size_t((width + 63) / 64) * 8);
#endif
  for (; x < width; ++x)
    if ((row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) bits[x / 64] |= uint64_t(1) << (x % 64);
}

void Rgb32ToBgr24(const uint32_t* src, uint8_t* dst, int width) {
  int x = 0;
#if BS_HAVE_X86
  if (HasAvx2()) x = Rgb32ToBgr24Avx2(src, dst, width);
#endif
  for (; x < width; ++x) {
    const uint32_t p = src[x];
    dst[3 * x] = uint8_t(p);
    dst[3 * x + 1] = uint8_t(p >> 8);
    dst[3 * x + 2] = uint8_t(p >> 16);
  }
}

void Bgr24ToRgb32(const uint8_t* src, uint32_t* dst, int width) {
  int x = 0;
#if BS_HAVE_X86
  if (HasAvx2()) x = Bgr24ToRgb32Avx2(src, dst, width);
#endif
  for (; x < width; ++x)
    dst[x] = 0xFF000000u | uint32_t(src[3 * x]) | (uint32_t(src[3 * x + 1]) << 8) | (uint32_t(src[3 * x + 2]) << 16);
}

void ApplyByteTableScalar(uint8_t* bytes, size_t count, const uint8_t* table) {
  for (size_t i = 0; i < count; ++i) bytes[i] = table[bytes[i]];
}

void ApplyByteTable(uint8_t* bytes, size_t count, const uint8_t* table) {
#if BS_HAVE_X86
  if (HasAvx2()) return ApplyByteTableAvx2(bytes, count, table);
#endif
  ApplyByteTableScalar(bytes, count, table);
}

void BlendBytesScalar(uint8_t* a, const uint8_t* b, size_t count, double k) {
  for (size_t i = 0; i < count; ++i) a[i] = BlendExact(a[i], b[i], k);
}

void BlendBytes(uint8_t* a, const uint8_t* b, size_t count, double k) {
  const TBlendPlan& plan = BlendPlanFor(k);
  if (plan.UseWeights) {
#if BS_HAVE_X86
    if (HasAvx2()) return BlendWeightsAvx2(a, b, count, plan.W0, plan.W1);
#endif
    const int bias = 1 << (kBlendShift - 1);
    for (size_t i = 0; i < count; ++i) a[i] = uint8_t((a[i] * plan.W0 + b[i] * plan.W1 + bias) >> kBlendShift);
    return;
  }
  const uint8_t* pairs = plan.Pairs.data();
  for (size_t i = 0; i < count; ++i) a[i] = pairs[size_t(a[i]) * 256 + b[i]];
}

void GrayRowScalar(uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) {
    uint8_t* p = row + 3 * x;
    const uint8_t gray = Clamp255(int(std::nearbyint(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0])));
    p[0] = p[1] = p[2] = gray;
  }
}

void GrayRow(uint8_t* row, int width) {
  int x = 0;
#if BS_HAVE_X86
  if (HasAvx2()) x = GrayRowAvx2(row, width);
#endif
  GrayRowScalar(row + 3 * x, width - x);
}

int NoiseValue(uint32_t seed, uint32_t index, int amount) {
  const uint32_t r = uint32_t((uint64_t(NoiseHash(seed, index)) * uint32_t(amount)) >> 32);
  return int(r) - amount / 2;
}

void NoiseRowScalar(uint8_t* row, int width, int amount, uint32_t seed, uint32_t firstIndex) {
  for (int x = 0; x < width; ++x) {
    const int v = NoiseValue(seed, firstIndex + uint32_t(x), amount);
    uint8_t* p = row + 3 * x;
    for (int c = 0; c < 3; ++c) p[c] = Clamp255(p[c] + v);
  }
}

void NoiseRow(uint8_t* row, int width, int amount, uint32_t seed, uint32_t firstIndex) {
  int x = 0;
#if BS_HAVE_X86
  if (HasAvx2()) x = NoiseRowAvx2(row, width, amount, seed, firstIndex);
#endif
  NoiseRowScalar(row + 3 * x, width - x, amount, seed, firstIndex + uint32_t(x));
}

void Average4Scalar(uint8_t* out, const uint8_t* p, const uint8_t* q, const uint8_t* r, const uint8_t* s,
                    size_t count) {
  for (size_t i = 0; i < count; ++i) out[i] = uint8_t((p[i] + q[i] + r[i] + s[i]) >> 2);
}

void Average4(uint8_t* out, const uint8_t* p, const uint8_t* q, const uint8_t* r, const uint8_t* s, size_t count) {
  size_t i = 0;
#if BS_HAVE_X86
  if (HasAvx2()) i = Average4Avx2(out, p, q, r, s, count);
#endif
  Average4Scalar(out + i, p + i, q + i, r + i, s + i, count - i);
}

}  // namespace bspixels
