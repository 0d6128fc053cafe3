#include "app/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_fake.h"

namespace {

using Sizes = std::vector<std::uint32_t>;

int Count(const std::string& call) {
  const std::vector<std::string>& calls = fake::CurrentRecord().calls;
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    TakeIoResult();
  }
  void TearDown() override { TakeIoResult(); }

  void Open() {
    AssignFile(file_, "T.TXT");
    RewriteFile(file_);
    ASSERT_EQ(TakeIoResult(), 0);
  }
  // 19-byte lines, as the ticket file has.
  void WriteLines(int lines) {
    for (int i = 0; i < lines; ++i) {
      WriteText(file_, "01 02 03 04 05 06", 17);
      WriteLineEnd(file_);
    }
  }

  TextFile file_;
};

TEST_F(TextFileTest, FullBuffersGoOutWholeAndTheRestAtClose) {
  Open();
  WriteLines(442);
  EXPECT_EQ(fake::CurrentRecord().file_writes, Sizes(65, 128));
  CloseTextFile(file_);
  EXPECT_EQ(TakeIoResult(), 0);
  Sizes expected(65, 128);
  expected.push_back(78);
  EXPECT_EQ(fake::CurrentRecord().file_writes, expected);
  EXPECT_EQ(fake::CurrentRecord().file_bytes.size(), 8398u);
  EXPECT_EQ(fake::CurrentRecord().file_bytes.substr(0, 19),
            "01 02 03 04 05 06\r\n");
  EXPECT_EQ(Count("CloseFile"), 1);
}

TEST_F(TextFileTest, EmptyFileWritesNothingAtClose) {
  Open();
  CloseTextFile(file_);
  EXPECT_EQ(TakeIoResult(), 0);
  EXPECT_EQ(Count("WriteToFile"), 0);
  EXPECT_EQ(Count("CloseFile"), 1);
}

TEST_F(TextFileTest, CreationFailureIsPendingUntilRead) {
  fake::CurrentScript().create_error = 5;
  AssignFile(file_, "T.TXT");
  RewriteFile(file_);
  EXPECT_TRUE(IoErrorPending());
  EXPECT_EQ(TakeIoResult(), 5);
  EXPECT_EQ(TakeIoResult(), 0) << "reading resets the code";
}

// After a failed write-out nothing more reaches the file, and the close
// neither writes nor closes the handle.
TEST_F(TextFileTest, FailedWriteOutStopsAllFurtherOutput) {
  fake::CurrentScript().failing_write = 3;
  fake::CurrentScript().write_error = 112;
  Open();
  WriteLines(40);
  EXPECT_EQ(TakeIoResult(), 112);
  EXPECT_EQ(fake::CurrentRecord().file_bytes.size(), 3u * 128);
  EXPECT_EQ(Count("WriteToFile"), 4);
}

TEST_F(TextFileTest, FailedFinalWriteOutLeavesTheHandleOpen) {
  fake::CurrentScript().failing_write = 65;
  fake::CurrentScript().write_error = 112;
  Open();
  WriteLines(442);
  EXPECT_EQ(TakeIoResult(), 0);
  CloseTextFile(file_);
  EXPECT_EQ(TakeIoResult(), 112);
  EXPECT_EQ(fake::CurrentRecord().file_bytes.size(), 65u * 128);
  EXPECT_EQ(Count("CloseFile"), 0);
}

TEST_F(TextFileTest, FailedCloseKeepsTheCompleteFile) {
  fake::CurrentScript().close_error = 1117;
  Open();
  WriteLines(442);
  CloseTextFile(file_);
  EXPECT_EQ(TakeIoResult(), 1117);
  EXPECT_EQ(fake::CurrentRecord().file_bytes.size(), 8398u);
}

TEST_F(TextFileTest, WritingAFileNeverOpenedIsAnError) {
  AssignFile(file_, "T.TXT");
  WriteText(file_, "x", 1);
  EXPECT_NE(TakeIoResult(), 0);
  EXPECT_EQ(Count("WriteToFile"), 0);
}

}  // namespace
