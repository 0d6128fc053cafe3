#include "app/file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BuildFileName, DateTimeThenHalvedCounterThenTxt) {
  struct Case {
    LocalTime time;
    std::uint64_t stamp;
    const char* name;
  };
  const Case cases[] = {
      // Seconds and counter text run together.
      {{2024, 3, 9, 7, 5, 2}, 27, "vexla-2024-03-09-07-05-0213.TXT"},
      {{2024, 3, 9, 7, 5, 2}, 0, "vexla-2024-03-09-07-05-020.TXT"},
      {{2024, 3, 9, 7, 5, 2}, 1, "vexla-2024-03-09-07-05-020.TXT"},
      {{2024, 3, 9, 7, 5, 2},
       0xFFFFFFFFu,
       "vexla-2024-03-09-07-05-022147483647.TXT"},
      // Only the low 32 bits count.
      {{2024, 3, 9, 7, 5, 2},
       0xABCD00000000u | 27u,
       "vexla-2024-03-09-07-05-0213.TXT"},
      // A 24-hour clock.
      {{2031, 12, 31, 0, 30, 59}, 2, "vexla-2031-12-31-00-30-591.TXT"},
      {{2031, 12, 31, 12, 30, 0}, 2, "vexla-2031-12-31-12-30-001.TXT"},
      {{2031, 12, 31, 13, 30, 0}, 2, "vexla-2031-12-31-13-30-001.TXT"},
      {{987, 1, 1, 23, 59, 58}, 20, "vexla-0987-01-01-23-59-5810.TXT"},
  };
  for (const Case& c : cases) {
    char name[kFileNameCapacity];
    const std::size_t length = BuildFileName(c.time, c.stamp, name);
    EXPECT_EQ(std::string(name), c.name);
    EXPECT_EQ(length, std::string(c.name).size());
    EXPECT_LE(length, 39u);
  }
}

}  // namespace
