#include "check/ticket_check.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "check/ticket_layout.h"

namespace {

using Problems = std::vector<TicketProblem>;

enum class LineEnd { kCrLf, kLfOnly, kNone };

struct Line {
  std::string_view text;  // without its line end
  LineEnd end;
};

// The numbers seen so far in the current block, with the line of each.
struct BlockState {
  std::size_t block = SIZE_MAX;
  std::size_t line_of[kNumberMax + 1];  // 0: not yet seen
};

struct Tally {
  std::size_t count[kNumberMax + 1] = {};
  bool complete = true;  // false once a ticket line could not be read
};

void Add(Problems& problems, std::size_t line, std::string text) {
  problems.push_back({line, std::move(text)});
}

std::string Two(unsigned v) {
  return std::string{static_cast<char>('0' + v / 10 % 10),
                     static_cast<char>('0' + v % 10)};
}

std::string Characters(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " character" : " characters");
}

Line NextLine(std::string_view& rest) {
  const std::size_t lf = rest.find('\n');
  if (lf == std::string_view::npos) {
    const Line line{rest, LineEnd::kNone};
    rest = {};
    return line;
  }
  std::string_view text = rest.substr(0, lf);
  rest.remove_prefix(lf + 1);
  if (!text.empty() && text.back() == '\r') {
    text.remove_suffix(1);
    return {text, LineEnd::kCrLf};
  }
  return {text, LineEnd::kLfOnly};
}

void EnterBlock(BlockState& state, std::size_t line) {
  const std::size_t block = LineBlock(line);
  if (state.block != block) {
    state.block = block;
    std::fill(std::begin(state.line_of), std::end(state.line_of), 0);
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether character i of a ticket line may be `c`: two digits, then a space,
// six times over, the last space replaced by the CR of the line end.
bool FitsTicketPattern(std::size_t i, char c) {
  if (i == kLineText) return c == '\r';
  return i % 3 == 2 ? c == ' ' : IsDigit(c);
}

// The numbers written in the first `length` characters of a ticket line
// that fits the pattern; gives how many are complete.
std::size_t ReadNumbers(std::string_view text,
                        unsigned (&numbers)[kTicketSize]) {
  std::size_t complete = 0;
  while (complete < kTicketSize && text.size() >= 3 * complete + 2) {
    const std::size_t at = 3 * complete;
    numbers[complete] =
        static_cast<unsigned>((text[at] - '0') * 10 + (text[at + 1] - '0'));
    ++complete;
  }
  return complete;
}

// Range, order and the block's rules for the first `n` numbers of a line;
// true when they keep them all.
bool CheckNumbers(std::size_t line, const unsigned* numbers, std::size_t n,
                  BlockState& state, Problems& problems) {
  const std::size_t before = problems.size();
  const unsigned lacks = BlockLacks(state.block);
  bool ascending = true;
  for (std::size_t k = 0; k < n; ++k) {
    const unsigned v = numbers[k];
    if (ascending && k > 0 && v <= numbers[k - 1]) {
      ascending = false;
      Add(problems, line,
          "ticket is not strictly ascending: " + Two(v) + " after " +
              Two(numbers[k - 1]));
    }
    if (v < 1 || v > kNumberMax) {
      Add(problems, line, "number " + Two(v) + " is outside 01 to 49");
      continue;
    }
    const std::string block = "block " + std::to_string(state.block);
    if (v == lacks) {
      Add(problems, line,
          block + " shows " + Two(v) + ", the number it must lack");
    } else if (state.line_of[v] == 0) {
      state.line_of[v] = line;
    } else if (state.line_of[v] != line) {
      Add(problems, line,
          block + " repeats " + Two(v) + ", already on line " +
              std::to_string(state.line_of[v]));
    }
  }
  return problems.size() == before;
}

void CheckCompleteLine(std::size_t line, const Line& l, BlockState& state,
                       Tally& tally, Problems& problems) {
  if (l.end == LineEnd::kLfOnly) {
    Add(problems, line, "line ends in LF alone, not CR LF");
  }
  unsigned numbers[kTicketSize] = {};
  bool is_ticket = l.text.size() == kLineText;
  for (std::size_t i = 0; is_ticket && i < kLineText; ++i) {
    is_ticket = FitsTicketPattern(i, l.text[i]);
  }
  const std::string length_note =
      l.text.size() == kLineText
          ? std::string()
          : " (" + Characters(l.text.size()) + ", not 17)";

  if (IsSeparatorLine(line)) {
    if (l.text == kSeparatorText) return;
    Add(problems, line,
        is_ticket
            ? "separator missing: a ticket line stands where the "
              "separator \"=================\" must be"
            : "line is not the separator \"=================\"" + length_note);
    return;
  }
  EnterBlock(state, line);
  if (l.text == kSeparatorText) {
    tally.complete = false;
    Add(problems, line,
        "separator misplaced: a ticket line of block " +
            std::to_string(state.block) + " must stand here");
    return;
  }
  if (!is_ticket) {
    tally.complete = false;
    Add(problems, line,
        "ticket line is not six two-digit numbers with single spaces" +
            length_note);
    return;
  }
  ReadNumbers(l.text, numbers);
  CheckNumbers(line, numbers, kTicketSize, state, problems);
  for (unsigned v : numbers) {
    if (v >= 1 && v <= kNumberMax) {
      ++tally.count[v];
    } else {
      tally.complete = false;
    }
  }
}

// A line cut short: it must be the beginning of a line that could stand at
// its place.
void CheckPartialLine(std::size_t line, std::string_view text,
                      BlockState& state, Problems& problems) {
  if (IsSeparatorLine(line)) {
    const std::string_view whole = "=================\r";
    if (text.size() > whole.size() || whole.substr(0, text.size()) != text) {
      Add(problems, line,
          "line cut short does not begin the separator "
          "\"=================\"");
    }
    return;
  }
  EnterBlock(state, line);
  bool fits = text.size() <= kLineText + 1;
  for (std::size_t i = 0; fits && i < text.size(); ++i) {
    fits = FitsTicketPattern(i, text[i]);
  }
  if (!fits) {
    Add(problems, line,
        "line cut short does not begin six two-digit numbers with single "
        "spaces");
    return;
  }
  unsigned numbers[kTicketSize] = {};
  const std::size_t complete = ReadNumbers(text, numbers);
  if (!CheckNumbers(line, numbers, complete, state, problems)) return;

  // The rest of the ticket needs numbers above the last one that the block
  // has not used yet; the smallest candidate for a half-written number leaves
  // the most room.
  const unsigned lacks = BlockLacks(state.block);
  auto unused = [&](unsigned v) { return v != lacks && state.line_of[v] == 0; };
  unsigned low = complete == 0 ? 1 : numbers[complete - 1] + 1;
  std::size_t needed = kTicketSize - complete;
  bool possible = true;
  if (text.size() % 3 == 1 && text.size() < kLineText) {
    const unsigned tens = static_cast<unsigned>(text.back() - '0');
    const unsigned high = std::min<unsigned>(tens * 10 + 9, kNumberMax);
    unsigned v = std::max(low, tens * 10);
    while (v <= high && !unused(v)) ++v;
    possible = v <= high;
    low = v + 1;
    --needed;
  }
  std::size_t available = 0;
  for (unsigned v = low; v <= kNumberMax; ++v) available += unused(v) ? 1 : 0;
  if (!possible || available < needed) {
    Add(problems, line,
        "line cut short cannot become a ticket of block " +
            std::to_string(state.block) + ": too few numbers left for it");
  }
}

void SortByLine(Problems& problems) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const TicketProblem& a, const TicketProblem& b) {
                     return a.line < b.line;
                   });
}

}  // namespace

std::vector<TicketProblem> CheckTicketFile(std::string_view bytes) {
  Problems problems;
  if (bytes.size() != kFileSize) {
    Add(problems, 0,
        "size is " + std::to_string(bytes.size()) + " bytes, not 8398");
  }
  BlockState state;
  Tally tally;
  std::string_view rest = bytes;
  std::size_t line = 0;
  std::size_t complete_lines = 0;
  while (!rest.empty() && line < kLineCount) {
    ++line;
    const Line l = NextLine(rest);
    if (l.end == LineEnd::kNone) {
      Add(problems, line, "line cut short: the file ends before its CR LF");
      CheckPartialLine(line, l.text, state, problems);
      break;
    }
    ++complete_lines;
    CheckCompleteLine(line, l, state, tally, problems);
  }
  if (complete_lines < kLineCount) {
    tally.complete = false;
    Add(problems, 0,
        "file has " + std::to_string(complete_lines) +
            " complete lines, not 442");
  }
  if (!rest.empty()) {
    Add(problems, 0,
        std::to_string(rest.size()) + (rest.size() == 1 ? " byte" : " bytes") +
            " after the last line");
  }
  if (tally.complete) {
    for (unsigned v = 1; v <= kNumberMax; ++v) {
      if (tally.count[v] != kTicketsPerNumber) {
        Add(problems, 0,
            "number " + Two(v) + " is on " + std::to_string(tally.count[v]) +
                " tickets, not 48");
      }
    }
  }
  SortByLine(problems);
  return problems;
}

std::vector<TicketProblem> CheckTicketPrefix(std::string_view bytes) {
  Problems problems;
  BlockState state;
  Tally tally;
  std::string_view rest = bytes;
  std::size_t line = 0;
  while (!rest.empty()) {
    if (line == kLineCount) {
      Add(problems, 0,
          std::to_string(rest.size()) +
              (rest.size() == 1 ? " byte" : " bytes") + " after the last line");
      break;
    }
    ++line;
    const Line l = NextLine(rest);
    if (l.end == LineEnd::kNone) {
      CheckPartialLine(line, l.text, state, problems);
      break;
    }
    CheckCompleteLine(line, l, state, tally, problems);
  }
  SortByLine(problems);
  return problems;
}

bool ReadTickets(std::string_view bytes, TicketSet& set) {
  if (!CheckTicketFile(bytes).empty()) return false;
  for (std::size_t t = 0; t < kTicketCount; ++t) {
    const std::string_view text =
        bytes.substr((TicketLine(t) - 1) * kLineBytes, kLineText);
    unsigned numbers[kTicketSize] = {};
    ReadNumbers(text, numbers);
    for (std::size_t k = 0; k < kTicketSize; ++k) {
      set.numbers[t][k] = static_cast<unsigned char>(numbers[k]);
    }
  }
  return true;
}
