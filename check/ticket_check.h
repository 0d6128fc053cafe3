// Verification of a ticket file from its bytes alone: the layout line by
// line, the rules each block keeps, and the count of every number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TicketProblem {
  std::size_t line;  // 0: the file as a whole
  std::string text;
};

// Every problem of a complete ticket file; empty when it is valid.
std::vector<TicketProblem> CheckTicketFile(std::string_view bytes);

// Problems of a file cut short (e.g. by a full disk): empty when `bytes` is a
// true beginning of a valid ticket file, i.e. every complete line has the
// layout and the place it has in a ticket file (separators where they belong,
// six ascending two-digit numbers 01..49, no block repeating a number or
// showing the number it must lack), and a trailing partial line, if any, is a
// prefix of a line that could stand there. An empty input is a valid
// beginning.
std::vector<TicketProblem> CheckTicketPrefix(std::string_view bytes);
