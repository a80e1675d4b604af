#include "data/random.h"

#include <cassert>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define FORTUNA_WIDE_DRAWS 1
#if !defined(__clang__)
// GCC 12 takes the undefined first values inside its AVX-512 shifts for uninitialised ones.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#endif

namespace fortuna {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

#ifdef FORTUNA_WIDE_DRAWS

// Eight draws a step. Int(x * n) is worked out in whole numbers, m * n >> 53 with m the draw's
// 53 bits; it differs from the double product only where that product rounds up to the next
// whole number, which needs m * n within 2^7 below a multiple of 2^53 (n at most 256). Those
// rare lanes are done again the double way.
__attribute__((target("avx512f,avx512dq"))) void draw_below_wide(std::uint64_t state, int n,
                                                                 std::uint8_t* out, int count) {
  const __m512i golden = _mm512_set1_epi64(static_cast<long long>(kGolden));
  const __m512i step = _mm512_set1_epi64(static_cast<long long>(8 * kGolden));
  const __m512i mul1 = _mm512_set1_epi64(static_cast<long long>(0xBF58476D1CE4E5B9ULL));
  const __m512i mul2 = _mm512_set1_epi64(static_cast<long long>(0x94D049BB133111EBULL));
  const __m512i range = _mm512_set1_epi64(n);
  const __m512i margin = _mm512_set1_epi64(128);
  __m512i states = _mm512_mullo_epi64(_mm512_setr_epi64(1, 2, 3, 4, 5, 6, 7, 8), golden);
  states = _mm512_add_epi64(states, _mm512_set1_epi64(static_cast<long long>(state)));
  int i = 0;
  for (; i + 8 <= count; i += 8, states = _mm512_add_epi64(states, step)) {
    __m512i z = states;
    z = _mm512_mullo_epi64(_mm512_xor_si512(z, _mm512_srli_epi64(z, 30)), mul1);
    z = _mm512_mullo_epi64(_mm512_xor_si512(z, _mm512_srli_epi64(z, 27)), mul2);
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 31));
    const __m512i m = _mm512_srli_epi64(z, 11);
    const __m512i product = _mm512_mullo_epi64(m, range);
    const __m512i whole = _mm512_srli_epi64(product, 53);
    const __mmask8 near =
        _mm512_cmpneq_epi64_mask(whole, _mm512_srli_epi64(_mm512_add_epi64(product, margin), 53));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm512_cvtepi64_epi8(whole));
    if (near == 0) [[likely]]
      continue;
    alignas(64) std::uint64_t lanes[8];
    _mm512_store_si512(lanes, m);
    for (int lane = 0; lane < 8; ++lane)
      if (near & (1 << lane))
        out[i + lane] = static_cast<std::uint8_t>(
            static_cast<int>(static_cast<double>(lanes[lane]) * 0x1.0p-53 * n));
  }
  Random rest(state + static_cast<std::uint64_t>(i) * kGolden);
  for (; i < count; ++i) out[i] = static_cast<std::uint8_t>(rest.draw(n) - 1);
}

bool wide_draws_available() {
  static const bool available =
      __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
  return available;
}

#endif

}  // namespace

void Random::draw_below(int n, std::uint8_t* out, int count) {
  assert(n >= 1 && n <= 256 && count >= 0);
#ifdef FORTUNA_WIDE_DRAWS
  if (wide_draws_available()) {
    draw_below_wide(state_, n, out, count);
    state_ += static_cast<std::uint64_t>(count) * kGolden;
    draws_ += static_cast<std::uint64_t>(count);
    return;
  }
#endif
  for (int i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(draw(n) - 1);
}

}  // namespace fortuna
