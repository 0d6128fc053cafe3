#include "random/cryptapi2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_fake.h"
#include "random/runtime_random.h"

namespace {

using Calls = std::vector<std::string>;

// What the weak generator gives after a reseed from `ticks`.
std::vector<unsigned char> WeakBytes(std::uint32_t ticks, std::size_t length) {
  const std::uint32_t kept = RandSeed;
  RandSeed = ticks;
  std::vector<unsigned char> bytes(length);
  for (unsigned char& byte : bytes) {
    byte = static_cast<unsigned char>(RandomBelow(256));
  }
  RandSeed = kept;
  return bytes;
}

TEST(FillStrongRandom, StrongSourceFillsAndWeakSeedIsUntouched) {
  fake::Script& script = fake::Reset();
  script.random_bytes = {1, 2, 3};
  RandSeed = 0xCAFEF00Du;
  std::vector<unsigned char> buffer(2068);
  EXPECT_TRUE(FillStrongRandom(buffer.data(), 2068));
  EXPECT_EQ(fake::CurrentRecord().calls,
            (Calls{"AcquireRandomProvider", "GenerateRandom",
                   "ReleaseRandomProvider"}));
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[2066], 3);
  EXPECT_EQ(RandSeed, 0xCAFEF00Du);
}

TEST(FillStrongRandom, FailuresFallBackToTheWeakFillAndSayFalse) {
  struct Case {
    const char* name;
    bool acquire_fails, generate_fails;
    Calls calls;
  };
  const Case cases[] = {
      {"acquire fails",
       true,
       false,
       {"AcquireRandomProvider", "ReadClockTicks"}},
      {"generate fails",
       false,
       true,
       {"AcquireRandomProvider", "GenerateRandom", "ReadClockTicks",
        "ReleaseRandomProvider"}},
  };
  for (const Case& c : cases) {
    fake::Script& script = fake::Reset();
    script.acquire_fails = c.acquire_fails;
    script.generate_fails = c.generate_fails;
    script.clock_ticks = 4242;
    RandSeed = 77;
    std::vector<unsigned char> buffer(64, 0);
    EXPECT_FALSE(FillStrongRandom(buffer.data(), 64)) << c.name;
    EXPECT_EQ(fake::CurrentRecord().calls, c.calls) << c.name;
    EXPECT_EQ(buffer, WeakBytes(4242, 64)) << c.name;
    EXPECT_EQ(RandSeed, 77u) << c.name;
  }
}

TEST(FillWeakRandom, AlwaysReseedsAndRestoresTheSeed) {
  for (std::int32_t length : {-5, 0, 1, 300}) {
    fake::Reset().clock_ticks = 99;
    RandSeed = 0x1234u;
    std::vector<unsigned char> buffer(301, 0xAB);
    FillWeakRandom(buffer.data(), length);
    EXPECT_EQ(fake::CurrentRecord().calls, Calls{"ReadClockTicks"}) << length;
    EXPECT_EQ(RandSeed, 0x1234u) << length;
    const std::size_t written = length > 0 ? std::size_t(length) : 0;
    const std::vector<unsigned char> weak = WeakBytes(99, written);
    for (std::size_t i = 0; i < buffer.size(); ++i) {
      EXPECT_EQ(buffer[i], i < written ? weak[i] : 0xAB)
          << "length " << length << " byte " << i;
    }
  }
}

}  // namespace
