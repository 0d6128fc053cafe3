#include "deck/deck.h"

#include "random/isaacp.h"

unsigned char Deck[kDeckSize];

void FillAscending(unsigned char* p, std::uint8_t n) {
  for (unsigned k = 0; k < n; ++k) p[k] = static_cast<unsigned char>(k + 1);
}

void SwapBytes(unsigned char* a, unsigned char* b) {
  const unsigned char first = *a;
  const unsigned char second = *b;
  *a = second;
  *b = first;
}

void SortBytes(unsigned char* p, std::uint8_t n) {
  if (n < 2) return;
  for (int pass = 2; pass <= n; ++pass) {
    for (int q = n - 2; q >= pass - 2; --q) {
      if (p[q] > p[q + 1]) SwapBytes(&p[q], &p[q + 1]);
    }
  }
}

void ShuffleBytes(unsigned char* p, std::uint8_t n) {
  if (n < 2) return;
  for (unsigned m = n; m >= 2; --m) {
    const unsigned j = IsaacBelow(Generator, static_cast<std::uint16_t>(m));
    SwapBytes(&p[m - 1], &p[j]);
  }
}

void BuildDeck() {
  for (std::size_t r = 0; r < kRunCount; ++r) {
    FillAscending(Deck + kRunLength * r, kRunLength);
  }
  for (std::size_t w = 0; w < kWindowCount; ++w) {
    ShuffleBytes(Deck + kWindowLength * w, kWindowLength);
  }
  for (std::size_t k = 0; k < kTicketCount; ++k) {
    SortBytes(Deck + kTicketLength * k, kTicketLength);
  }
}
