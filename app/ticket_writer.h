// The ticket file's text: a separator line, then one line per ticket with a
// separator after every eighth, each line checked as it is written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/text_file.h"

// Entry v (1 to 80) is v in two digits and a space, at offset 3(v - 1).
extern const char NumberText[241];
extern const char SeparatorLine[18];

struct ShortText {
  char chars[3 * 255];
  std::size_t length;
};

// The numbers of `n` bytes, two digits each, single spaces between them;
// a byte outside 1 to 80 shows as "??".
void TicketText(const unsigned char* p, std::uint8_t n, ShortText& text);

// Writes all 442 lines of the deck to `file`.
void WriteTickets(const unsigned char* deck, TextFile& file);
