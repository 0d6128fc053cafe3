// A scripted stand-in for the platform, for tests: it records every call in
// order, can be told to fail any of them, and keeps what was written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

// Thrown by ExitProgram so that a test can watch a run end.
struct ProgramExit {
  int status;
};

struct Script {
  // Failures: 0 lets the call succeed; otherwise the error code to report.
  bool acquire_fails = false;
  bool generate_fails = false;
  // Bytes GenerateRandom delivers, repeated as needed; empty gives zeros.
  std::vector<unsigned char> random_bytes;
  std::uint32_t clock_ticks = 0x1234567u;
  LocalTime local_time{2024, 3, 9, 7, 5, 2};
  std::uint64_t time_stamp = 27;
  std::int32_t create_error = 0;
  std::int32_t close_error = 0;
  // The write-out with this index (counting from 0) fails with write_error,
  // and so does every one after it.
  int failing_write = -1;
  std::int32_t write_error = 0;
  std::string program_name = "vexla";
};

struct Record {
  std::vector<std::string> calls;  // operation names, in call order
  std::string file_name;
  std::string file_bytes;                  // what reached the output file
  std::vector<std::uint32_t> file_writes;  // size of each write-out
  bool file_open = false;
  std::vector<std::string> error_writes;  // each write to standard error
};

// Resets to a fresh script and an empty record.
Script& Reset();
Script& CurrentScript();
Record& CurrentRecord();

// The concatenated text written to standard error.
std::string ErrorText();

}  // namespace fake
