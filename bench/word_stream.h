// Writes a generator's raw 32-bit outputs to standard output in native byte
// order, the form `dieharder -g 200` reads, for a test battery to consume.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads the optional word count from argv[1]; without one the stream is
// endless and ends when the reader closes the pipe.
inline bool ParseWordCount(int argc, char** argv, std::uint64_t* count) {
  *count = 0;
  if (argc < 2) return true;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0') return false;
  *count = value;
  return true;
}

// `next` yields one word per call. A count of 0 means endless.
template <typename Next>
int WriteWords(std::uint64_t count, Next next) {
  static std::uint32_t buffer[16384];
  const bool endless = count == 0;
  while (endless || count > 0) {
    std::size_t n = sizeof buffer / sizeof buffer[0];
    if (!endless && count < n) n = static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < n; ++i) buffer[i] = next();
    if (std::fwrite(buffer, sizeof buffer[0], n, stdout) != n) return 1;
    if (!endless) count -= n;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
