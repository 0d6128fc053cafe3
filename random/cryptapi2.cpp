#include "random/cryptapi2.h"

#include "platform/platform.h"
#include "random/runtime_random.h"

bool FillStrongRandom(unsigned char* buffer, std::int32_t length) {
  RandomProvider provider{};
  if (!AcquireRandomProvider(&provider)) {
    FillWeakRandom(buffer, length);
    return false;
  }
  const std::uint32_t count =
      length > 0 ? static_cast<std::uint32_t>(length) : 0u;
  const bool result = GenerateRandom(provider, count, buffer);
  if (!result) FillWeakRandom(buffer, length);
  ReleaseRandomProvider(provider);
  return result;
}

void FillWeakRandom(unsigned char* buffer, std::int32_t length) {
  const std::uint32_t kept = RandSeed;
  RandomizeFromClock();
  for (std::int32_t i = 0; i < length; ++i) {
    buffer[i] = static_cast<unsigned char>(RandomBelow(256));
  }
  RandSeed = kept;
}
