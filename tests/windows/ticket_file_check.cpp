// Checks one ticket file named on the command line: prints every problem
// found, and fails when there is one.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "check/ticket_check.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ticket_file_check FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in),
                          std::istreambuf_iterator<char>()};
  const std::vector<TicketProblem> problems = CheckTicketFile(bytes);
  for (const TicketProblem& problem : problems) {
    std::printf("line %lu: %s\n", static_cast<unsigned long>(problem.line),
                problem.text.c_str());
  }
  return problems.empty() ? 0 : 1;
}
