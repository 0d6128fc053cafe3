// The fixed shape of a ticket file and its tickets as plain numbers.
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kNumberMax = 49;
inline constexpr std::size_t kTicketSize = 6;
inline constexpr std::size_t kTicketCount = 392;
inline constexpr std::size_t kBlockCount = 49;
inline constexpr std::size_t kBlockTickets = 8;
inline constexpr std::size_t kLineCount = 442;
inline constexpr std::size_t kLineText = 17;  // characters before CR LF
inline constexpr std::size_t kLineBytes = kLineText + 2;
inline constexpr std::size_t kFileSize = kLineCount * kLineBytes;  // 8,398
inline constexpr std::size_t kTicketsPerNumber = 48;
inline constexpr std::string_view kSeparatorText = "=================";

// Lines count from 1, tickets and blocks from 0.
constexpr bool IsSeparatorLine(std::size_t line) { return line % 9 == 1; }
constexpr std::size_t LineBlock(std::size_t line) { return (line - 2) / 9; }
constexpr std::size_t TicketLine(std::size_t ticket) {
  return ticket + 2 + ticket / kBlockTickets;
}
// The number block `block` leaves out.
constexpr unsigned BlockLacks(std::size_t block) {
  return static_cast<unsigned>(kNumberMax - block);
}

struct TicketSet {
  unsigned char numbers[kTicketCount][kTicketSize];
};

// Fills `set` from a file that CheckTicketFile accepts; false for any other.
bool ReadTickets(std::string_view bytes, TicketSet& set);
