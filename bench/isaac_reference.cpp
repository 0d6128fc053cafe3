#include "bench/isaac_reference.h"

#include <cstring>

namespace {

inline std::uint32_t Ind(const std::uint32_t* mm, std::uint32_t x) {
  return mm[(x >> 2) & 255];
}

// `mix` is the accumulator already shifted for this step.
inline void Step(std::uint32_t mix, std::uint32_t* mm, std::uint32_t* r,
                 unsigned i, unsigned i2, std::uint32_t& a, std::uint32_t& b) {
  const std::uint32_t x = mm[i];
  a = (a ^ mix) + mm[i2];
  const std::uint32_t y = Ind(mm, x) + a + b;
  mm[i] = y;
  b = Ind(mm, y >> 8) + x;
  r[i] = b;
}

inline void Mix(std::uint32_t (&s)[8]) {
  std::uint32_t& a = s[0];
  std::uint32_t& b = s[1];
  std::uint32_t& c = s[2];
  std::uint32_t& d = s[3];
  std::uint32_t& e = s[4];
  std::uint32_t& f = s[5];
  std::uint32_t& g = s[6];
  std::uint32_t& h = s[7];
  // clang-format off
  a ^= b << 11; d += a; b += c;
  b ^= c >> 2;  e += b; c += d;
  c ^= d << 8;  f += c; d += e;
  d ^= e >> 16; g += d; e += f;
  e ^= f << 10; h += e; f += g;
  f ^= g >> 4;  a += f; g += h;
  g ^= h << 8;  b += g; h += a;
  h ^= a >> 9;  c += h; a += b;
  // clang-format on
}

}  // namespace

void IsaacReferenceRefill(IsaacReference& ctx) {
  std::uint32_t* const mm = ctx.mm;
  std::uint32_t* const r = ctx.randrsl;
  std::uint32_t a = ctx.aa;
  ctx.cc += 1;
  std::uint32_t b = ctx.bb + ctx.cc;
  // First half reads its partner from the second half, then the reverse.
  for (unsigned i = 0; i < 128; i += 4) {
    Step(a << 13, mm, r, i, i + 128, a, b);
    Step(a >> 6, mm, r, i + 1, i + 129, a, b);
    Step(a << 2, mm, r, i + 2, i + 130, a, b);
    Step(a >> 16, mm, r, i + 3, i + 131, a, b);
  }
  for (unsigned i = 128; i < 256; i += 4) {
    Step(a << 13, mm, r, i, i - 128, a, b);
    Step(a >> 6, mm, r, i + 1, i - 127, a, b);
    Step(a << 2, mm, r, i + 2, i - 126, a, b);
    Step(a >> 16, mm, r, i + 3, i - 125, a, b);
  }
  ctx.aa = a;
  ctx.bb = b;
}

void IsaacReferenceSeed(IsaacReference& ctx, const unsigned char* seed,
                        std::size_t length) {
  if (length > sizeof ctx.randrsl) length = sizeof ctx.randrsl;
  unsigned char bytes[sizeof ctx.randrsl] = {};
  if (length > 0) std::memcpy(bytes, seed, length);
  for (unsigned i = 0; i < 256; ++i) {
    const unsigned char* p = bytes + 4 * i;
    ctx.randrsl[i] = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                     std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  }
  ctx.aa = ctx.bb = ctx.cc = 0;

  std::uint32_t s[8];
  for (std::uint32_t& v : s) v = 0x9e3779b9u;  // the golden ratio
  for (int i = 0; i < 4; ++i) Mix(s);

  // Two passes, so that every seed word reaches every word of mm.
  for (unsigned i = 0; i < 256; i += 8) {
    for (unsigned k = 0; k < 8; ++k) s[k] += ctx.randrsl[i + k];
    Mix(s);
    for (unsigned k = 0; k < 8; ++k) ctx.mm[i + k] = s[k];
  }
  for (unsigned i = 0; i < 256; i += 8) {
    for (unsigned k = 0; k < 8; ++k) s[k] += ctx.mm[i + k];
    Mix(s);
    for (unsigned k = 0; k < 8; ++k) ctx.mm[i + k] = s[k];
  }

  IsaacReferenceRefill(ctx);
  ctx.randcnt = 256;
}

std::uint32_t IsaacReferenceNext(IsaacReference& ctx) {
  if (ctx.randcnt == 0) {
    IsaacReferenceRefill(ctx);
    ctx.randcnt = 256;
  }
  ctx.randcnt -= 1;
  return ctx.randrsl[ctx.randcnt];
}
