#include "app/run.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/run_fixture.h"

namespace {

using testing_support::RunProgram;
using Calls = std::vector<std::string>;

int Count(const std::string& call) {
  const Calls& calls = fake::CurrentRecord().calls;
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

// The report's form, with the address left open.
void ExpectReport(const char* kind, const std::string& message) {
  const std::vector<std::string>& writes = fake::CurrentRecord().error_writes;
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_TRUE(std::regex_match(
      writes[0],
      std::regex(std::string("Exception ") + kind +
                 " in module vexla at [0-9A-F]{8}\\.\r\n" + message + "\r\n")))
      << writes[0];
  EXPECT_EQ(writes[1], "\r\n");
}

TEST(RunVexla, CompleteRunWritesOneFileAndPrintsNothing) {
  fake::Script script;
  script.local_time = {2024, 3, 9, 7, 5, 2};
  script.time_stamp = 27;
  ASSERT_EQ(RunProgram(script), 0);
  const fake::Record& record = fake::CurrentRecord();
  EXPECT_EQ(record.file_name, "vexla-2024-03-09-07-05-0213.TXT");
  EXPECT_EQ(record.file_bytes.size(), 8398u);
  EXPECT_FALSE(record.file_open);
  EXPECT_TRUE(record.error_writes.empty());
  // Seeding comes before the clock, so the name shows the time after it.
  Calls order;
  for (const std::string& call : record.calls) {
    if (call != "WriteToFile") order.push_back(call);
  }
  EXPECT_EQ(order,
            (Calls{"AcquireRandomProvider", "GenerateRandom",
                   "ReleaseRandomProvider", "ReadLocalTime", "ReadTimeStamp",
                   "CreateOutputFile", "CloseFile", "ExitProgram"}));
  EXPECT_EQ(Count("WriteToFile"), 66);
}

TEST(RunVexla, StrongSourceFailureEndsBeforeAnyNameOrFile) {
  for (bool acquire_fails : {true, false}) {
    fake::Script script;
    script.acquire_fails = acquire_fails;
    script.generate_fails = !acquire_fails;
    EXPECT_EQ(RunProgram(script), 1);
    ExpectReport("ERandomSourceError", "Strong random source unavailable\\.");
    EXPECT_EQ(Count("ReadLocalTime"), 0);
    EXPECT_EQ(Count("ReadTimeStamp"), 0);
    EXPECT_EQ(Count("CreateOutputFile"), 0);
  }
}

TEST(RunVexla, CreationFailureReportsTheCodeAndLeavesNoFile) {
  struct Case {
    std::int32_t code;
    const char* message;
  };
  const Case cases[] = {{3, "Invalid filename\\."},
                        {5, "File access denied\\."},
                        {4, "Too many open files\\."},
                        {19, "I/O error 19\\."}};
  for (const Case& c : cases) {
    fake::Script script;
    script.create_error = c.code;
    EXPECT_EQ(RunProgram(script), 1) << c.code;
    ExpectReport("EInOutError", c.message);
    EXPECT_EQ(Count("WriteToFile"), 0);
  }
}

TEST(RunVexla, FailuresOnceTheFileExistsReportAndKeepWhatWasWritten) {
  struct Case {
    const char* name;
    int failing_write;
    std::int32_t write_error, close_error;
    const char* message;
    std::size_t kept;
    int closes;
  };
  const Case cases[] = {
      {"disk full", 32, 112, 0, "I/O error 112\\.", 32 * 128, 0},
      {"size limit", 8, 223, 0, "I/O error 223\\.", 8 * 128, 0},
      {"refused write", 0, 5, 0, "File access denied\\.", 0, 0},
      {"remainder at close", 65, 112, 0, "I/O error 112\\.", 65 * 128, 0},
      {"close itself", -1, 0, 1117, "I/O error 1117\\.", 8398, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Script script;
    script.failing_write = c.failing_write;
    script.write_error = c.write_error;
    script.close_error = c.close_error;
    EXPECT_EQ(RunProgram(script), 1);
    ExpectReport("EInOutError", c.message);
    EXPECT_EQ(fake::CurrentRecord().file_bytes.size(), c.kept);
    EXPECT_EQ(Count("CloseFile"), c.closes);
  }
}

}  // namespace
