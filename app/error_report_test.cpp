#include "app/error_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_fake.h"

namespace {

std::string Report(const char* kind, const char* module, std::uintptr_t at,
                   const char* message) {
  char report[512];
  const std::size_t length =
      FormatErrorReport(kind, module, at, message, report, sizeof report);
  return std::string(report, length);
}

TEST(IoErrorMessage, NamesTheTableCodesAndNumbersTheRest) {
  struct Case {
    std::int32_t code;
    const char* message;
  };
  const Case cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      // The disk-full code of the system is not the runtime's "Disk full".
      {112, "I/O error 112"},
      {223, "I/O error 223"},
      {static_cast<std::int32_t>(0x80090016u), "I/O error -2146893802"},
      {-2147483647 - 1, "I/O error -2147483648"},
  };
  for (const Case& c : cases) {
    char message[kMessageCapacity];
    IoErrorMessage(c.code, message);
    EXPECT_STREQ(message, c.message) << c.code;
  }
}

TEST(FormatErrorReport, FormAndFinalFullStop) {
  EXPECT_EQ(Report("EInOutError", "vexla.exe", 0x1A2B, "Disk full"),
            "Exception EInOutError in module vexla.exe at 00001A2B.\r\n"
            "Disk full.\r\n");
  EXPECT_EQ(Report("EInOutError", "vexla", 0xDEADBEEFu, "Ends here."),
            "Exception EInOutError in module vexla at DEADBEEF.\r\n"
            "Ends here.\r\n");
  EXPECT_EQ(Report("EError", "v", 0, ""),
            "Exception EError in module v at 00000000.\r\n\r\n");
}

TEST(ReportFailure, WritesTwiceToStandardErrorAndExitsWithOne) {
  fake::Reset().program_name = "vexla.exe";
  int status = -1;
  try {
    ReportFailure("EInOutError", "File access denied",
                  reinterpret_cast<const void*>(0x4321));
  } catch (const fake::ProgramExit& exit) {
    status = exit.status;
  }
  EXPECT_EQ(status, 1);
  const std::vector<std::string> writes = {
      "Exception EInOutError in module vexla.exe at 00004321.\r\n"
      "File access denied.\r\n",
      "\r\n"};
  EXPECT_EQ(fake::CurrentRecord().error_writes, writes);
  const std::vector<std::string>& calls = fake::CurrentRecord().calls;
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.back(), "ExitProgram");
  EXPECT_NE(std::find(calls.begin(), calls.end(), "ConvertToConsoleText"),
            calls.end());
}

}  // namespace
