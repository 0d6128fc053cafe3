// Checks one ticket file named on the command line: prints every problem
// found, and fails when there is one. With --prefix the file may be cut short
// and need only be a true beginning of a ticket file.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "check/ticket_check.h"

int main(int argc, char** argv) {
  const bool prefix = argc == 3 && std::strcmp(argv[1], "--prefix") == 0;
  if (argc != 2 && !prefix) {
    std::fprintf(stderr, "usage: ticket_file_check [--prefix] FILE\n");
    return 2;
  }
  const char* name = argv[argc - 1];
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", name);
    return 2;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in),
                          std::istreambuf_iterator<char>()};
  const std::vector<TicketProblem> problems =
      prefix ? CheckTicketPrefix(bytes) : CheckTicketFile(bytes);
  for (const TicketProblem& problem : problems) {
    std::printf("line %lu: %s\n", static_cast<unsigned long>(problem.line),
                problem.text.c_str());
  }
  return problems.empty() ? 0 : 1;
}
