#include <cstdio>

#include "check/check_run.h"

int main(int argc, char** argv) {
  // Ticket files end their lines with CR LF; nothing may translate them.
  std::FILE* in = std::freopen(nullptr, "rb", stdin);
  return RunCheck(argc, argv, in != nullptr ? in : stdin, stdout, stderr);
}
