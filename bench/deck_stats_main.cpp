// Builds many decks exactly as program runs do (a fresh seed from the strong
// source, the warm-up, then the deck) and tests them against a uniform
// shuffle. Usage: deck_stats DECKS [PAIR-MATRIX-FILE]
// Prints Markdown tables; the optional file receives the 49 x 49 pair
// deviations in standard units, one row per line, for plotting.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/deck_stats.h"
#include "deck/deck.h"
#include "random/isaacp.h"

namespace {

DeckTally tally;
double deviations[kNumbers + 1][kNumbers + 1];

// dieharder's verdicts, so that the tables read alike. A fit too good to be
// true counts too, except for a Bonferroni bound, which is one-sided and
// often capped at 1.
const char* Verdict(double p, bool two_sided) {
  if (p < 1e-6 || (two_sided && p > 1.0 - 1e-6)) return "FAILED";
  if (p < 0.005 || (two_sided && p > 0.995)) return "WEAK";
  return "PASSED";
}

void PrintRow(const char* name, const ChiSquareResult& r,
              bool two_sided = true) {
  std::printf("| %s | %.1f | %.0f | %.6f | %s |\n", name, r.statistic, r.dof,
              r.p_value, Verdict(r.p_value, two_sided));
}

}  // namespace

int main(int argc, char** argv) {
  const long decks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
  if (decks <= 0) {
    std::fprintf(stderr, "usage: %s DECKS [PAIR-MATRIX-FILE]\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  ClearTally(tally);
  for (long d = 0; d < decks; ++d) {
    if (!IsaacSeed(Generator)) {
      std::fprintf(stderr, "%s: the strong random source failed\n", argv[0]);
      return 1;
    }
    BuildDeck();
    TallyDeck(tally, Deck);
  }
  const FairnessResult r = EvaluateTally(tally);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();

  std::printf(
      "%ld decks, each from its own seed of 2,068 strong random "
      "bytes, in %.0f s.\n\n",
      decks, seconds);
  std::printf("| test | chi-square | dof | p-value | verdict |\n");
  std::printf("|---|---:|---:|---:|---|\n");
  PrintRow("(a) ticket within block, all numbers", r.ticket);
  char name[80];
  std::snprintf(name, sizeof name,
                "(a) place in ticket, number %d: the worst of 49, p x 49",
                r.place_worst_number);
  PrintRow(name, r.place, false);
  PrintRow("(b) pair co-occurrence, 1,176 pairs", r.pair);
  PrintRow("(c) ticket rank, 1,000 bins", r.rank);

  std::printf(
      "\nPlace in ticket, per number over its 48 blocks "
      "(p-values):\n\n");
  std::printf("| numbers | 1st | 2nd | 3rd | 4th | 5th | 6th | 7th |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  for (int row = 1; row <= kNumbers; row += 7) {
    std::printf("| %d–%d |", row, row + 6);
    for (int v = row; v < row + 7; ++v) {
      // 1 and 49 always stand first and last: nothing to test.
      if (r.place_by_number[v].dof == 0) {
        std::printf(" — |");
      } else {
        std::printf(" %.3f |", r.place_by_number[v].p_value);
      }
    }
    std::printf("\n");
  }

  if (argc > 2) {
    PairDeviations(tally, deviations);
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
      std::perror(argv[2]);
      return 1;
    }
    for (int i = 1; i <= kNumbers; ++i) {
      for (int j = 1; j <= kNumbers; ++j) {
        std::fprintf(out, j > 1 ? " %.4f" : "%.4f", deviations[i][j]);
      }
      std::fprintf(out, "\n");
    }
    std::fclose(out);
  }
  return 0;
}
