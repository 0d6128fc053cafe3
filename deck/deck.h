// The ticket deck: 392 tickets of six numbers, balanced by construction.
// Byte-array routines take the first byte's address and a count of at most
// 255, check nothing and do nothing below their minimum count.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kDeckSize = 2352;
inline constexpr std::size_t kRunLength = 49;     // 48 runs of 1 to 49
inline constexpr std::size_t kWindowLength = 48;  // 49 windows, one per block
inline constexpr std::size_t kTicketLength = 6;   // 392 tickets
inline constexpr std::size_t kRunCount = kDeckSize / kRunLength;
inline constexpr std::size_t kWindowCount = kDeckSize / kWindowLength;
inline constexpr std::size_t kTicketCount = kDeckSize / kTicketLength;

extern unsigned char Deck[kDeckSize];

void FillAscending(unsigned char* p, std::uint8_t n);
void SwapBytes(unsigned char* a, unsigned char* b);
// Bubble sort carrying the smallest value forward; always all n - 1 passes.
void SortBytes(unsigned char* p, std::uint8_t n);
// Downward Fisher-Yates with n - 1 draws from Generator, bounds n down to 2.
void ShuffleBytes(unsigned char* p, std::uint8_t n);

// Fills Deck from the seeded Generator: runs, shuffled windows, sorted
// tickets. 2,303 draws in a fixed order.
void BuildDeck();
