// Exact coverage of a set of tickets over every draw of six numbers out of
// 49: how many draws share at least k numbers with some ticket.
#pragma once

#include <cstddef>
#include <cstdint>

#include "check/ticket_layout.h"

inline constexpr std::uint64_t kDrawCount = 13983816;  // C(49, 6)
inline constexpr std::size_t kCoverageTicketsMax = 448;
inline constexpr unsigned kCoverageLow = 3;  // smallest match counted

struct Coverage {
  // hits[k - kCoverageLow]: draws sharing k or more numbers with at least
  // one ticket, for k = 3 to 6.
  std::uint64_t hits[kTicketSize + 1 - kCoverageLow];
};

// `count` tickets (at most kCoverageTicketsMax), each six different numbers
// from 1 to 49 in any order.
void CountCoverage(const unsigned char (*tickets)[kTicketSize],
                   std::size_t count, Coverage& coverage);

// Draws that share k or more numbers with one given ticket.
std::uint64_t SingleTicketHits(unsigned k);

// The chance that at least one of `count` tickets drawn independently and
// uniformly at random shares k or more numbers with the draw.
double RandomTicketsProbability(unsigned k, std::size_t count);
