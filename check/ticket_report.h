// What a valid ticket file gives its holder: balance, repeats, pair spread
// and exact coverage beside that of as many random tickets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "check/coverage.h"
#include "check/ticket_layout.h"

inline constexpr std::size_t kPairCount = 1176;  // C(49, 2)

// A ticket that stands on more than one line.
struct IdenticalTickets {
  unsigned char numbers[kTicketSize];
  std::vector<std::size_t> lines;
};

struct TicketReport {
  std::size_t number_count[kNumberMax + 1];  // entry 0 unused
  unsigned block_lacks[kBlockCount];         // 0 if a block lacks none
  std::vector<IdenticalTickets> identical;
  std::size_t pair_min;
  std::size_t pair_max;
  double pair_mean;
  Coverage coverage;
};

void BuildReport(const TicketSet& set, TicketReport& report);

// `name` is how the file is called in the report.
std::string ReportText(std::string_view name, const TicketReport& report);
// The same as one line of JSON, ended by a line feed.
std::string ReportJson(std::string_view name, const TicketReport& report);
