#include "app/ticket_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/run_fixture.h"
#include "check/ticket_check.h"
#include "tests/support/sha256.h"

namespace {

using testing_support::CountingBlock;
using testing_support::RunProgram;

std::string Text(const std::vector<unsigned char>& bytes) {
  ShortText text;
  TicketText(bytes.data(), static_cast<std::uint8_t>(bytes.size()), text);
  return std::string(text.chars, text.length);
}

std::string Line(const std::string& file, std::size_t number) {
  return file.substr(19 * (number - 1), 19);
}

TEST(NumberText, EightyEntriesOfTwoDigitsAndASpace) {
  const std::string table(NumberText);
  ASSERT_EQ(table.size(), 240u);
  for (unsigned v = 1; v <= 80; ++v) {
    const std::string entry = table.substr(3 * (v - 1), 3);
    const std::string expected = {char('0' + v / 10), char('0' + v % 10), ' '};
    EXPECT_EQ(entry, expected);
  }
  EXPECT_EQ(std::string(SeparatorLine), std::string(17, '='));
}

TEST(TicketText, TwoDigitsPerByteSpaceSeparated) {
  struct Case {
    std::vector<unsigned char> bytes;
    const char* text;
  };
  const Case cases[] = {
      {{1, 2, 3, 4, 5, 49}, "01 02 03 04 05 49"},
      {{7}, "07"},
      {{}, ""},
      {{80}, "80"},
      // Bytes without an entry never read outside the table.
      {{0}, "??"},
      {{81, 1}, "?? 01"},
      {{12, 255, 49}, "12 ?? 49"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.bytes), c.text);
  std::vector<unsigned char> most(255, 49);
  EXPECT_EQ(Text(most).size(), 3u * 255 - 1);
}

// The counting seed block, through the program's own path from the strong
// source to the last CR LF, gives a file known byte for byte.
TEST(WriteTickets, KnownFileFromTheCountingBlock) {
  fake::Script script;
  script.random_bytes = CountingBlock();
  ASSERT_EQ(RunProgram(script), 0);
  const std::string file = fake::CurrentRecord().file_bytes;
  ASSERT_EQ(file.size(), 8398u);
  EXPECT_EQ(Sha256Hex(file),
            "f467adc752754824698312bd867fc69a2340ba21c17248e7ccb6ffbb66520c06");
  const char* first_lines[] = {
      "=================", "03 17 19 22 33 39", "04 16 24 29 35 44",
      "05 09 10 18 27 47", "12 23 28 32 41 48", "01 07 26 36 38 42",
      "02 13 30 37 40 45", "08 11 14 21 34 46", "06 15 20 25 31 43",
      "=================", "04 05 20 21 23 43"};
  for (std::size_t l = 1; l <= 11; ++l) {
    EXPECT_EQ(Line(file, l), std::string(first_lines[l - 1]) + "\r\n") << l;
  }
  EXPECT_EQ(Line(file, 441), "03 21 23 33 38 43\r\n");
  EXPECT_EQ(Line(file, 442), "=================\r\n");
}

// Lines are checked one by one: a load that fails ends the run before the
// next line is begun, and the report names the check that found it.
TEST(WriteTickets, EveryLoadIsCheckedBeforeMoreIsWritten) {
  std::vector<std::string> reports;
  for (int failing : {0, 1, 30, 64, 65}) {
    fake::Script script;
    script.random_bytes = CountingBlock();
    script.failing_write = failing;
    script.write_error = 112;
    EXPECT_EQ(RunProgram(script), 1) << failing;
    const fake::Record& record = fake::CurrentRecord();
    EXPECT_EQ(record.file_bytes.size(), 128u * failing) << failing;
    EXPECT_EQ(record.file_writes.size() + 1,
              static_cast<std::size_t>(std::count(
                  record.calls.begin(), record.calls.end(), "WriteToFile")))
        << "no write after the failing one";
    const std::string report = fake::ErrorText();
    EXPECT_NE(report.find("I/O error 112.\r\n\r\n"), std::string::npos);
    reports.push_back(report);
  }
  // The load at the close fails at another check than the lines' loads.
  EXPECT_NE(reports.back(), reports.front());
}

// Whatever the seed, the file has the layout and balance of a ticket file.
TEST(WriteTickets, EveryFileIsValidWhateverTheSeed) {
  std::mt19937 bytes(442);
  for (int seed = 0; seed < 300; ++seed) {
    fake::Script script;
    script.random_bytes.assign(kIsaacSeedSize, seed == 0 ? 0x00 : 0xFF);
    if (seed >= 2) {
      for (unsigned char& b : script.random_bytes) {
        b = static_cast<unsigned char>(bytes());
      }
    }
    ASSERT_EQ(RunProgram(script), 0) << seed;
    const std::string& file = fake::CurrentRecord().file_bytes;
    const std::vector<TicketProblem> problems = CheckTicketFile(file);
    ASSERT_TRUE(problems.empty())
        << "seed " << seed << ": line " << problems[0].line << ": "
        << problems[0].text;
  }
}

}  // namespace
