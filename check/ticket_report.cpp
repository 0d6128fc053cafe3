#include "check/ticket_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string Two(unsigned v) {
  return std::string{static_cast<char>('0' + v / 10 % 10),
                     static_cast<char>('0' + v % 10)};
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string TicketNumbers(const unsigned char* ticket) {
  std::string text;
  for (std::size_t k = 0; k < kTicketSize; ++k) {
    if (k > 0) text += ' ';
    text += Two(ticket[k]);
  }
  return text;
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

double Probability(std::uint64_t draws) {
  return static_cast<double>(draws) / static_cast<double>(kDrawCount);
}

const char* const kMatchNames[] = {"3 or more", "4 or more", "5 or more",
                                   "all 6"};

}  // namespace

void BuildReport(const TicketSet& set, TicketReport& report) {
  std::fill(std::begin(report.number_count), std::end(report.number_count), 0);
  static_assert(kPairCount == kNumberMax * (kNumberMax - 1) / 2);
  std::size_t pairs[kNumberMax + 1][kNumberMax + 1] = {};
  bool in_block[kNumberMax + 1] = {};
  for (std::size_t t = 0; t < kTicketCount; ++t) {
    if (t % kBlockTickets == 0)
      std::fill(std::begin(in_block), std::end(in_block), false);
    const unsigned char* ticket = set.numbers[t];
    for (std::size_t i = 0; i < kTicketSize; ++i) {
      ++report.number_count[ticket[i]];
      in_block[ticket[i]] = true;
      for (std::size_t j = i + 1; j < kTicketSize; ++j) {
        ++pairs[std::min(ticket[i], ticket[j])][std::max(ticket[i], ticket[j])];
      }
    }
    if (t % kBlockTickets == kBlockTickets - 1) {
      unsigned lacks = 0;
      for (unsigned v = kNumberMax; v >= 1; --v) {
        if (!in_block[v]) lacks = v;
      }
      report.block_lacks[t / kBlockTickets] = lacks;
    }
  }

  report.pair_min = SIZE_MAX;
  report.pair_max = 0;
  std::size_t pair_total = 0;
  for (unsigned a = 1; a <= kNumberMax; ++a) {
    for (unsigned b = a + 1; b <= kNumberMax; ++b) {
      report.pair_min = std::min(report.pair_min, pairs[a][b]);
      report.pair_max = std::max(report.pair_max, pairs[a][b]);
      pair_total += pairs[a][b];
    }
  }
  report.pair_mean =
      static_cast<double>(pair_total) / static_cast<double>(kPairCount);

  // Tickets in sorted order bring equal ones together.
  std::size_t order[kTicketCount];
  for (std::size_t t = 0; t < kTicketCount; ++t) order[t] = t;
  auto less = [&](std::size_t x, std::size_t y) {
    return std::memcmp(set.numbers[x], set.numbers[y], kTicketSize) < 0;
  };
  std::stable_sort(std::begin(order), std::end(order), less);
  report.identical.clear();
  for (std::size_t i = 0; i < kTicketCount;) {
    std::size_t j = i + 1;
    while (j < kTicketCount && !less(order[i], order[j])) ++j;
    if (j - i > 1) {
      IdenticalTickets same;
      std::memcpy(same.numbers, set.numbers[order[i]], kTicketSize);
      for (std::size_t m = i; m < j; ++m) {
        same.lines.push_back(TicketLine(order[m]));
      }
      report.identical.push_back(same);
    }
    i = j;
  }
  std::sort(report.identical.begin(), report.identical.end(),
            [](const IdenticalTickets& x, const IdenticalTickets& y) {
              return x.lines < y.lines;
            });

  CountCoverage(set.numbers, kTicketCount, report.coverage);
}

std::string ReportText(std::string_view name, const TicketReport& report) {
  std::string text(name);
  text += ": valid ticket file, 392 tickets in 49 blocks\n";

  bool balanced = true;
  for (unsigned v = 1; v <= kNumberMax; ++v) {
    balanced = balanced && report.number_count[v] == kTicketsPerNumber;
  }
  if (balanced) {
    text += "Numbers: each of 01 to 49 is on 48 tickets\n";
  } else {
    text += "Numbers (tickets each):";
    for (unsigned v = 1; v <= kNumberMax; ++v) {
      text += ' ';
      text += Two(v);
      text += ':';
      text += std::to_string(report.number_count[v]);
    }
    text += "\n";
  }
  bool in_order = true;
  for (std::size_t w = 0; w < kBlockCount; ++w) {
    in_order = in_order && report.block_lacks[w] == BlockLacks(w);
  }
  if (in_order) {
    text +=
        "Blocks: block w lacks 49 - w, from block 0 lacking 49 to "
        "block 48 lacking 01\n";
  } else {
    text += "Blocks (number each lacks):";
    for (std::size_t w = 0; w < kBlockCount; ++w) {
      text += ' ';
      text += std::to_string(w);
      text += ':';
      text += Two(report.block_lacks[w]);
    }
    text += "\n";
  }

  if (report.identical.empty()) {
    text += "Identical tickets: none\n";
  } else {
    text += "Identical tickets (allowed in different blocks):\n";
    for (const IdenticalTickets& same : report.identical) {
      text += "  " + TicketNumbers(same.numbers) + " on lines";
      for (std::size_t i = 0; i < same.lines.size(); ++i) {
        text += (i == 0 ? " " : i + 1 == same.lines.size() ? " and " : ", ");
        text += std::to_string(same.lines[i]);
      }
      text += "\n";
    }
  }

  text += "Pair spread: each of the 1176 pairs of numbers shares " +
          std::to_string(report.pair_min) + " to " +
          std::to_string(report.pair_max) + " tickets, mean " +
          Format("%.2f", report.pair_mean) + "\n";

  text += "Coverage of all 13983816 draws (chance of a draw sharing):\n";
  text += "  matches     this file                      392 random tickets\n";
  for (unsigned k = kCoverageLow; k <= kTicketSize; ++k) {
    const std::uint64_t draws = report.coverage.hits[k - kCoverageLow];
    std::string row = "  ";
    row += kMatchNames[k - kCoverageLow];
    row.resize(14, ' ');
    row += Format("%.8f", Probability(draws)) + " (" + std::to_string(draws) +
           " draws)";
    row.resize(45, ' ');
    row += Format("%.8f", RandomTicketsProbability(k, kTicketCount));
    text += row + "\n";
  }
  return text;
}

std::string ReportJson(std::string_view name, const TicketReport& report) {
  std::string json = "{\"file\":" + JsonString(name) +
                     ",\"valid\":true,\"tickets\":392,\"number_counts\":{";
  for (unsigned v = 1; v <= kNumberMax; ++v) {
    json += (v == 1 ? "\"" : ",\"") + Two(v) +
            "\":" + std::to_string(report.number_count[v]);
  }
  json += "},\"block_lacks\":[";
  for (std::size_t w = 0; w < kBlockCount; ++w) {
    if (w > 0) json += ',';
    json += std::to_string(report.block_lacks[w]);
  }
  json += "],\"identical_tickets\":[";
  for (std::size_t i = 0; i < report.identical.size(); ++i) {
    const IdenticalTickets& same = report.identical[i];
    if (i > 0) json += ',';
    json += "{\"ticket\":\"";
    json += TicketNumbers(same.numbers);
    json += "\",\"lines\":[";
    for (std::size_t m = 0; m < same.lines.size(); ++m) {
      if (m > 0) json += ',';
      json += std::to_string(same.lines[m]);
    }
    json += "]}";
  }
  json += "],\"pair_spread\":{\"pairs\":1176,\"min\":" +
          std::to_string(report.pair_min) +
          ",\"mean\":" + Format("%.6g", report.pair_mean) +
          ",\"max\":" + std::to_string(report.pair_max) +
          "},\"coverage\":{\"draws\":13983816,\"at_least\":[";
  for (unsigned k = kCoverageLow; k <= kTicketSize; ++k) {
    const std::uint64_t draws = report.coverage.hits[k - kCoverageLow];
    json += (k == kCoverageLow ? "{" : ",{");
    json += "\"matches\":" + std::to_string(k) +
            ",\"draws\":" + std::to_string(draws) +
            ",\"probability\":" + Format("%.17g", Probability(draws)) +
            ",\"random_probability\":" +
            Format("%.17g", RandomTicketsProbability(k, kTicketCount)) + "}";
  }
  return json + "]}}\n";
}
