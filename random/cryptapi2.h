// CryptAPI2: random bytes from the system's strong source, with a clearly
// reported weak fallback.
#pragma once

#include <cstdint>

// Fills `length` bytes of `buffer`. True only when the strong source filled
// them; on false the buffer holds bytes of the clock-seeded weak generator.
bool FillStrongRandom(unsigned char* buffer, std::int32_t length);

// Fills `length` bytes from the runtime generator reseeded from the clock,
// leaving the runtime generator's seed as it found it.
void FillWeakRandom(unsigned char* buffer, std::int32_t length);
