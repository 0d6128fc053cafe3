#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

class PosixPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vexla-platform-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
  std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir_;
};

TEST_F(PosixPlatformTest, CreateReplacesAnExistingFile) {
  const std::string path = dir_ + "/T.TXT";
  std::ofstream(path) << "an older and longer file";
  FileHandle file{};
  std::int32_t error = 0;
  ASSERT_TRUE(CreateOutputFile(path.c_str(), &file, &error));
  ASSERT_TRUE(WriteToFile(file, "new", 3, &error));
  ASSERT_TRUE(CloseFile(file, &error));
  EXPECT_EQ(Contents(path), "new");
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(
      info.st_mode & 0777, 0644u & ~[] {
        const mode_t mask = umask(0);
        umask(mask);
        return mask;
      }());
}

// Failures carry the original platform's codes, which the report names.
TEST_F(PosixPlatformTest, CreationFailuresSpeakWindowsCodes) {
  struct Case {
    std::string path;
    std::int32_t code;
  };
  const Case cases[] = {
      {dir_ + "/missing/T.TXT", 3},
      {dir_, 5},  // a directory
      {dir_ + "/" + std::string(300, 'x'), 206},
  };
  for (const Case& c : cases) {
    FileHandle file{};
    std::int32_t error = 0;
    EXPECT_FALSE(CreateOutputFile(c.path.c_str(), &file, &error));
    EXPECT_EQ(error, c.code) << c.path;
  }
}

TEST_F(PosixPlatformTest, WriteToAClosedDescriptorFails) {
  std::int32_t error = 0;
  EXPECT_FALSE(WriteToFile(FileHandle{-1}, "x", 1, &error));
  EXPECT_EQ(error, 31);
}

TEST(PosixPlatform, StrongSourceFillsTheWholeBuffer) {
  RandomProvider provider{};
  ASSERT_TRUE(AcquireRandomProvider(&provider));
  std::vector<unsigned char> a(2068, 0), b(2068, 0);
  EXPECT_TRUE(GenerateRandom(provider, 2068, a.data()));
  EXPECT_TRUE(GenerateRandom(provider, 2068, b.data()));
  ReleaseRandomProvider(provider);
  EXPECT_NE(a, b);
  EXPECT_NE(a, std::vector<unsigned char>(2068, 0));
}

TEST(PosixPlatform, ProgramNameHasNoDirectory) {
  char name[64];
  ReadProgramFileName(name, sizeof name);
  EXPECT_EQ(std::string(name), "platform_posix_test");
  char tiny[4];
  ReadProgramFileName(tiny, sizeof tiny);
  EXPECT_EQ(std::string(tiny), "pla");
}

TEST(PosixPlatform, CodeOffsetIsRelativeToTheLoadAddress) {
  const std::uintptr_t offset =
      CodeOffset(reinterpret_cast<const void*>(&CodeOffset));
  EXPECT_GT(offset, 0u);
  EXPECT_LT(offset, 64u << 20);
}

TEST(PosixPlatform, LocalTimeFieldsAreInRange) {
  const LocalTime now = ReadLocalTime();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);
  EXPECT_LE(now.hour, 23);
  EXPECT_LE(now.minute, 59);
  EXPECT_LE(now.second, 60);
}

}  // namespace
