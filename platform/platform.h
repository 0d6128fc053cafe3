// The operating-system operations the program needs, in its own terms.
// One implementation file per platform is linked in by the build; tests link
// a scripted fake instead. No platform type may appear here.
#pragma once

#include <cstddef>
#include <cstdint>

// A provider of strong random bytes, acquired for one fill and released
// before that fill returns.
struct RandomProvider {
  std::uintptr_t handle;
};

bool AcquireRandomProvider(RandomProvider* provider);
// True only when all `length` bytes of `buffer` were filled.
bool GenerateRandom(RandomProvider provider, std::uint32_t length,
                    unsigned char* buffer);
void ReleaseRandomProvider(RandomProvider provider);

// A free-running clock value, used only to seed the weak fallback generator.
std::uint32_t ReadClockTicks();

struct LocalTime {
  std::uint16_t year;
  std::uint16_t month;   // 1 to 12
  std::uint16_t day;     // 1 to 31
  std::uint16_t hour;    // 0 to 23
  std::uint16_t minute;  // 0 to 59
  std::uint16_t second;  // 0 to 59
};

// One reading of the local wall clock.
LocalTime ReadLocalTime();

// The processor's free-running time-stamp counter.
std::uint64_t ReadTimeStamp();

// Files. Error codes are the original platform's system error codes
// (2 file not found, 5 access denied, 112 disk full, ...), whatever the host.
struct FileHandle {
  std::intptr_t value;
};

// Creates or truncates `name` for writing, shared for reading.
bool CreateOutputFile(const char* name, FileHandle* file, std::int32_t* error);
// Writes all `length` bytes, or fails with `error` set.
bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t length,
                 std::int32_t* error);
bool CloseFile(FileHandle file, std::int32_t* error);
FileHandle StandardErrorHandle();

// Converts a report to the console's code page in place.
void ConvertToConsoleText(char* text);

// The file name of the program's own executable, without its directory,
// NUL-terminated and cut to fit `capacity` bytes.
void ReadProgramFileName(char* name, std::size_t capacity);

// The distance of a code address from the program's load address.
std::uintptr_t CodeOffset(const void* code_address);

// Process start-up that the platform needs before the run; `program_path` is
// the path the program was started by, when the platform knows one.
void StartPlatform(const char* program_path);

[[noreturn]] void ExitProgram(int status);
