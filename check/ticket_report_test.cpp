#include "check/ticket_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "check/ticket_check.h"

namespace {

TicketSet FixtureTickets() {
  std::ifstream in(VEXLA_CHECK_TESTDATA "/counting-seed.tickets",
                   std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), {}};
  TicketSet set;
  EXPECT_TRUE(ReadTickets(file, set));
  return set;
}

// Figures of the counting-seed file, the coverage from the naive walk over
// every draw and every ticket.
TEST(BuildReport, CountingSeedFile) {
  TicketReport report;
  BuildReport(FixtureTickets(), report);
  for (unsigned v = 1; v <= kNumberMax; ++v) {
    EXPECT_EQ(report.number_count[v], 48u) << v;
  }
  for (std::size_t w = 0; w < kBlockCount; ++w) {
    EXPECT_EQ(report.block_lacks[w], 49 - w) << w;
  }
  EXPECT_TRUE(report.identical.empty());
  EXPECT_EQ(report.pair_min, 0u);
  EXPECT_EQ(report.pair_max, 14u);
  EXPECT_DOUBLE_EQ(report.pair_mean, 5.0);
  EXPECT_EQ(report.coverage.hits[0], 13978816u);
  EXPECT_EQ(report.coverage.hits[1], 4509581u);
  EXPECT_EQ(report.coverage.hits[2], 101260u);
  EXPECT_EQ(report.coverage.hits[3], 392u);

  const std::string text = ReportText("f", report);
  EXPECT_NE(text.find("Identical tickets: none\n"), std::string::npos);
  EXPECT_NE(text.find("each of 01 to 49 is on 48 tickets"), std::string::npos);
  EXPECT_NE(text.find("shares 0 to 14 tickets, mean 5.00\n"),
            std::string::npos);
  EXPECT_NE(text.find("  3 or more   0.99964244 (13978816 draws)    "
                      "0.99937318\n"),
            std::string::npos)
      << text;
  const std::string json = ReportJson("a \"b\"\x01", report);
  EXPECT_EQ(json.rfind("{\"file\":\"a \\\"b\\\"\\u0001\",", 0), 0u) << json;
  EXPECT_NE(json.find("{\"matches\":6,\"draws\":392,"), std::string::npos);
  EXPECT_EQ(json.back(), '\n');
}

TEST(BuildReport, NamesTheLinesOfIdenticalTickets) {
  TicketSet set = FixtureTickets();
  std::memcpy(set.numbers[100], set.numbers[5], kTicketSize);
  std::memcpy(set.numbers[391], set.numbers[5], kTicketSize);
  TicketReport report;
  BuildReport(set, report);
  ASSERT_EQ(report.identical.size(), 1u);
  EXPECT_EQ(report.identical[0].lines, (std::vector<std::size_t>{7, 114, 441}));
  const std::string text = ReportText("f", report);
  EXPECT_NE(text.find("02 13 30 37 40 45 on lines 7, 114 and 441\n"),
            std::string::npos)
      << text;
  EXPECT_NE(
      ReportJson("f", report)
          .find("\"identical_tickets\":[{\"ticket\":\"02 13 30 37 40 45\","
                "\"lines\":[7,114,441]}]"),
      std::string::npos);
  // The edit unbalances the file, and the report says where.
  EXPECT_NE(text.find("Numbers (tickets each): 01:48 02:50"), std::string::npos)
      << text;
}

}  // namespace
