// The vexla-check program: options, bounded reading of each file, verdicts
// and reports.
#pragma once

#include <cstddef>
#include <cstdio>

// Inputs longer than this are no ticket file and are not read further.
inline constexpr std::size_t kReadLimit = std::size_t{1} << 20;

// Exit statuses.
inline constexpr int kAllValid = 0;
inline constexpr int kSomeInvalid = 1;
inline constexpr int kTrouble = 2;  // usage error, unreadable file

// Runs the program on its arguments; `in` stands for a FILE of "-".
int RunCheck(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
             std::FILE* err);
