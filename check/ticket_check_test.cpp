#include "check/ticket_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/run_fixture.h"
#include "check/ticket_layout.h"
#include "tests/support/sha256.h"

namespace {

std::string Fixture() {
  std::ifstream in(VEXLA_CHECK_TESTDATA "/counting-seed.tickets",
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t LineStart(std::size_t line) { return (line - 1) * kLineBytes; }

// Line `line` (from 1) of a file with the layout intact.
std::string LineText(const std::string& file, std::size_t line) {
  return file.substr(LineStart(line), kLineText);
}

void SetLine(std::string& file, std::size_t line, std::string_view text) {
  file.replace(LineStart(line), kLineText, text);
}

std::string Dump(const std::vector<TicketProblem>& problems) {
  std::string text;
  for (const TicketProblem& p : problems) {
    text += std::to_string(p.line) + ": " + p.text + "\n";
  }
  return text;
}

bool Has(const std::vector<TicketProblem>& problems, std::size_t line,
         std::string_view fragment) {
  for (const TicketProblem& p : problems) {
    if (p.line == line && p.text.find(fragment) != std::string::npos) {
      return true;
    }
  }
  return false;
}

std::size_t FirstLine(const std::vector<TicketProblem>& problems) {
  for (const TicketProblem& p : problems) {
    if (p.line != 0) return p.line;
  }
  return 0;
}

TEST(CheckTicketFile, FixtureIsTheCountingSeedFile) {
  const std::string file = Fixture();
  ASSERT_EQ(Sha256Hex(file),
            "f467adc752754824698312bd867fc69a2340ba21c17248e7ccb6ffbb66520c06");
  EXPECT_EQ(LineText(file, 2), "03 17 19 22 33 39");
  EXPECT_EQ(LineText(file, 441), "03 21 23 33 38 43");
  EXPECT_EQ(Dump(CheckTicketFile(file)), "");
}

TEST(CheckTicketFile, AcceptsFilesOfProgramRuns) {
  for (unsigned seed : {1u, 77u, 200u, 255u}) {
    fake::Script script;
    for (std::size_t k = 0; k < kIsaacSeedSize; ++k) {
      script.random_bytes.push_back(static_cast<unsigned char>(k * seed + 3));
    }
    ASSERT_EQ(testing_support::RunProgram(script), 0) << seed;
    const std::string& file = fake::CurrentRecord().file_bytes;
    EXPECT_EQ(Dump(CheckTicketFile(file)), "") << seed;
    TicketSet set;
    EXPECT_TRUE(ReadTickets(file, set));
  }
}

// One edit to the valid file, and a problem it must bring: on that line,
// and with no problem on an earlier line.
struct BrokenCase {
  const char* name;
  std::function<void(std::string&)> edit;
  std::size_t line;
  const char* problem;
};

TEST(CheckTicketFile, RejectsEachBrokenRuleAtItsLine) {
  const BrokenCase cases[] = {
      {"swapped digits: 43 read as 34, already in the block",
       [](std::string& f) { SetLine(f, 9, "06 15 20 25 31 34"); }, 9,
       "block 0 repeats 34, already on line 8"},
      {"repeated number in a block",
       [](std::string& f) { SetLine(f, 3, "04 16 24 29 35 39"); }, 3,
       "block 0 repeats 39, already on line 2"},
      {"the number the block must lack",
       [](std::string& f) { SetLine(f, 441, "01 21 23 33 38 43"); }, 441,
       "block 48 shows 01, the number it must lack"},
      {"five-number ticket",
       [](std::string& f) { f.erase(LineStart(4) + 14, 3); }, 4,
       "not six two-digit numbers with single spaces (14 characters"},
      {"double space", [](std::string& f) { f.insert(LineStart(5) + 2, " "); },
       5, "not six two-digit numbers"},
      {"number 00", [](std::string& f) { SetLine(f, 2, "00 17 19 22 33 39"); },
       2, "number 00 is outside 01 to 49"},
      {"number 50", [](std::string& f) { SetLine(f, 9, "06 15 20 25 31 50"); },
       9, "number 50 is outside 01 to 49"},
      {"not ascending",
       [](std::string& f) { SetLine(f, 2, "17 03 19 22 33 39"); }, 2,
       "not strictly ascending: 03 after 17"},
      {"a byte that is no digit",
       [](std::string& f) { f[LineStart(6) + 4] = '\0'; }, 6,
       "not six two-digit numbers"},
      {"LF-only line ends",
       [](std::string& f) {
         std::string lf;
         for (char c : f) {
           if (c != '\r') lf += c;
         }
         f = lf;
       },
       1, "line ends in LF alone, not CR LF"},
      {"missing separator", [](std::string& f) { f.erase(LineStart(10), 19); },
       10, "separator missing"},
      {"separator a line early",
       [](std::string& f) {
         const std::string nine = f.substr(LineStart(9), kLineBytes);
         f.erase(LineStart(9), kLineBytes);
         f.insert(LineStart(10), nine);
       },
       9, "separator misplaced"},
      {"broken separator", [](std::string& f) { f[LineStart(1) + 16] = '-'; },
       1, "line is not the separator"},
      {"file cut inside a line", [](std::string& f) { f.resize(5000); }, 264,
       "line cut short"},
      {"file cut after a line", [](std::string& f) { f.resize(19 * 100); }, 0,
       "file has 100 complete lines, not 442"},
      {"trailing byte", [](std::string& f) { f += '\x1a'; }, 0,
       "1 byte after the last line"},
      {"an extra line", [](std::string& f) { f += "=================\r\n"; }, 0,
       "19 bytes after the last line"},
      {"empty file", [](std::string& f) { f.clear(); }, 0,
       "size is 0 bytes, not 8398"},
      {"uneven counts",
       [](std::string& f) { SetLine(f, 441, "01 21 23 33 38 43"); }, 0,
       "number 03 is on 47 tickets, not 48"},
  };
  for (const BrokenCase& c : cases) {
    std::string file = Fixture();
    c.edit(file);
    const std::vector<TicketProblem> problems = CheckTicketFile(file);
    EXPECT_TRUE(Has(problems, c.line, c.problem)) << c.name << "\n"
                                                  << Dump(problems);
    if (c.line != 0) {
      EXPECT_EQ(FirstLine(problems), c.line) << c.name << "\n"
                                             << Dump(problems);
    }
    TicketSet set;
    EXPECT_FALSE(ReadTickets(file, set)) << c.name;
  }
}

TEST(CheckTicketFile, GarbageGetsAVerdictOfBoundedLength) {
  std::string noise(1 << 20, '\n');
  EXPECT_LE(CheckTicketFile(noise).size(), 2 * kLineCount + 3);
  std::string binary(1 << 20, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>(i * 2654435761u >> 13);
  }
  EXPECT_FALSE(CheckTicketFile(binary).empty());
}

TEST(CheckTicketPrefix, EveryBeginningOfAValidFileIsValid) {
  const std::string file = Fixture();
  for (std::size_t n = 0; n <= file.size(); ++n) {
    const std::vector<TicketProblem> problems =
        CheckTicketPrefix(std::string_view(file).substr(0, n));
    ASSERT_EQ(Dump(problems), "") << "first " << n << " bytes";
  }
}

TEST(CheckTicketPrefix, RejectsBeginningsNoValidFileHas) {
  const std::string head = "=================\r\n";
  const std::string ticket = "01 02 03 04 05 06\r\n";
  struct Case {
    std::string bytes;
    std::size_t line;
    const char* problem;
  };
  const Case cases[] = {
      {"==-", 1, "does not begin the separator"},
      {head + "5", 2, "too few numbers left"},
      {head + "45", 2, "too few numbers left"},
      {head + ticket + "44", 3, "too few numbers left"},
      {head + "49", 2, "block 0 shows 49"},
      {head + ticket + "01", 3, "block 0 repeats 01, already on line 2"},
      {head + ticket + "07 06", 3, "not strictly ascending"},
      {head + "01 02 03 04 05 06 ", 2, "does not begin six two-digit"},
      {head + "01 02 03 04 05 06\n", 2, "LF alone"},
      {head + "01 02 03 04 05 06\r", 0, ""},  // the line end comes next
      {head + ticket + "4", 0, ""},           // 41 to 48 are left
      {Fixture() + "=", 0, "1 byte after the last line"},
  };
  for (const Case& c : cases) {
    const std::vector<TicketProblem> problems = CheckTicketPrefix(c.bytes);
    if (*c.problem == '\0') {
      EXPECT_EQ(Dump(problems), "") << c.bytes;
    } else {
      EXPECT_TRUE(Has(problems, c.line, c.problem)) << c.bytes << "\n"
                                                    << Dump(problems);
    }
  }
}

}  // namespace
