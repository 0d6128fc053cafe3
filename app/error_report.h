// The report of a failure that ends the run, and the I/O check after each
// line of the ticket file.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kMessageCapacity = 32;

// The message for a pending I/O error code, e.g. "Disk full" for 101 and
// "I/O error 112" for a code the table does not name.
void IoErrorMessage(std::int32_t code, char (&message)[kMessageCapacity]);

// "Exception KIND in module MODULE at OFFSET." CR LF, the message with a
// final ".", CR LF; the trailing empty line is written separately.
// Returns the length written into `report` (NUL-terminated).
std::size_t FormatErrorReport(const char* kind, const char* module,
                              std::uintptr_t offset, const char* message,
                              char* report, std::size_t capacity);

// Writes the report to standard error and ends the process with status 1.
[[noreturn]] void ReportFailure(const char* kind, const char* message,
                                const void* code_address);

// Ends the run with the report when an I/O error is pending. The report
// names the address of the call.
[[gnu::noinline]] void CheckIo();

// Ends the run with the report of `kind` and `message`, naming the address
// of the call.
[[noreturn, gnu::noinline]] void RaiseFailure(const char* kind,
                                              const char* message);
