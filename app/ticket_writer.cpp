#include "app/ticket_writer.h"

#include <cstring>

#include "app/error_report.h"
#include "deck/deck.h"

const char NumberText[241] =
    "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 "
    "21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 "
    "41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59 60 "
    "61 62 63 64 65 66 67 68 69 70 71 72 73 74 75 76 77 78 79 80 ";
const char SeparatorLine[18] = "=================";

namespace {

constexpr std::size_t kSeparatorLength = sizeof SeparatorLine - 1;
constexpr std::size_t kTicketsPerBlock = 8;

}  // namespace

void TicketText(const unsigned char* p, std::uint8_t n, ShortText& text) {
  std::size_t length = 0;
  for (unsigned i = 0; i < n; ++i) {
    const unsigned v = p[i];
    const char* entry = v >= 1 && v <= 80 ? NumberText + 3 * (v - 1) : "?? ";
    std::memcpy(text.chars + length, entry, 3);
    length += 3;
  }
  // The last entry's space is dropped.
  text.length = length > 0 ? length - 1 : 0;
}

void WriteTickets(const unsigned char* deck, TextFile& file) {
  WriteText(file, SeparatorLine, kSeparatorLength);
  WriteLineEnd(file);
  CheckIo();
  ShortText line;
  for (std::size_t k = 1; k <= kTicketCount; ++k) {
    TicketText(deck + kTicketLength * (k - 1), kTicketLength, line);
    WriteText(file, line.chars, line.length);
    WriteLineEnd(file);
    CheckIo();
    if (k % kTicketsPerBlock == 0) {
      WriteText(file, SeparatorLine, kSeparatorLength);
      WriteLineEnd(file);
      CheckIo();
    }
  }
}
