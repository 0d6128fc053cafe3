#include "app/error_report.h"

#include <cstring>

#include "app/decimal_text.h"
#include "app/text_file.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t kReportCapacity = 512;
constexpr std::size_t kModuleCapacity = 260;

struct Appender {
  char* out;
  std::size_t capacity;
  std::size_t length = 0;

  void Add(const char* text) {
    while (*text != '\0' && length + 1 < capacity) out[length++] = *text++;
    out[length] = '\0';
  }
};

// A signed code in decimal; the magnitude of any 32-bit code fits unsigned.
void AppendDecimal(Appender& text, std::int32_t value) {
  char digits[12];
  std::size_t n = 0;
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    digits[n++] = '-';
    magnitude = 0u - magnitude;
  }
  n += PutDecimal(digits + n, magnitude, 1);
  digits[n] = '\0';
  text.Add(digits);
}

}  // namespace

void IoErrorMessage(std::int32_t code, char (&message)[kMessageCapacity]) {
  const char* known = nullptr;
  switch (code) {
    case 2:
      known = "File not found";
      break;
    case 3:
      known = "Invalid filename";
      break;
    case 4:
      known = "Too many open files";
      break;
    case 5:
      known = "File access denied";
      break;
    case 100:
      known = "Read beyond end of file";
      break;
    case 101:
      known = "Disk full";
      break;
    case 106:
      known = "Invalid numeric input";
      break;
    default:
      break;
  }
  Appender text{message, kMessageCapacity};
  if (known != nullptr) {
    text.Add(known);
  } else {
    text.Add("I/O error ");
    AppendDecimal(text, code);
  }
}

std::size_t FormatErrorReport(const char* kind, const char* module,
                              std::uintptr_t offset, const char* message,
                              char* report, std::size_t capacity) {
  char address[9];
  const auto value = static_cast<std::uint32_t>(offset);
  for (int i = 0; i < 8; ++i) {
    address[i] = "0123456789ABCDEF"[(value >> (28 - 4 * i)) & 0xF];
  }
  address[8] = '\0';

  Appender text{report, capacity};
  text.Add("Exception ");
  text.Add(kind);
  text.Add(" in module ");
  text.Add(module);
  text.Add(" at ");
  text.Add(address);
  text.Add(".\r\n");
  text.Add(message);
  const std::size_t size = std::strlen(message);
  if (size > 0 && message[size - 1] != '.') text.Add(".");
  text.Add("\r\n");
  return text.length;
}

void ReportFailure(const char* kind, const char* message,
                   const void* code_address) {
  char module[kModuleCapacity];
  ReadProgramFileName(module, sizeof module);
  char report[kReportCapacity];
  const std::size_t length = FormatErrorReport(
      kind, module, CodeOffset(code_address), message, report, sizeof report);
  ConvertToConsoleText(report);
  const FileHandle error_output = StandardErrorHandle();
  std::int32_t ignored = 0;
  WriteToFile(error_output, report, static_cast<std::uint32_t>(length),
              &ignored);
  WriteToFile(error_output, "\r\n", 2, &ignored);
  ExitProgram(1);
}

void CheckIo() {
  if (!IoErrorPending()) return;
  char message[kMessageCapacity];
  IoErrorMessage(TakeIoResult(), message);
  ReportFailure("EInOutError", message, __builtin_return_address(0));
}

void RaiseFailure(const char* kind, const char* message) {
  ReportFailure(kind, message, __builtin_return_address(0));
}
