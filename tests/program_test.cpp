// The built program run as a whole, each run in a fresh directory: exit
// status, both output streams, and the files left behind.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "check/ticket_check.h"
#include "tests/run_program.h"

namespace {

constexpr char kProgram[] = VEXLA_PROGRAM;
constexpr std::size_t kTicketFileSize = 8398;
constexpr std::size_t kLoad = 128;

std::string Describe(const std::vector<TicketProblem>& problems) {
  std::ostringstream text;
  for (std::size_t i = 0; i < problems.size() && i < 5; ++i) {
    text << "\n  line " << problems[i].line << ": " << problems[i].text;
  }
  if (problems.size() > 5) text << "\n  ... " << problems.size() << " in all";
  return text.str();
}

std::string Describe(const ChildResult& run) {
  std::ostringstream text;
  text << "exit status " << run.exit_status;
  if (run.signal != 0) text << ", signal " << run.signal;
  if (!run.start_error.empty()) text << ", start: " << run.start_error;
  text << "\nstdout: \"" << run.out << "\"\nstderr: \"" << run.err << "\"";
  return text.str();
}

// "YYYY-MM-DD-HH-MM-SS" of `moment`, in local time, or at a fixed offset
// from UTC when one is given.
std::string DateTimeText(time_t moment, std::optional<long> utc_offset) {
  struct tm fields;
  if (utc_offset) {
    const time_t shifted = moment + *utc_offset;
    gmtime_r(&shifted, &fields);
  } else {
    localtime_r(&moment, &fields);
  }
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d-%02d-%02d",
                fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                fields.tm_hour, fields.tm_min, fields.tm_sec);
  return text;
}

// The name's form: the word, the date and time of one clock reading, the
// counter text (unpadded, below 2^31) and the extension.
testing::AssertionResult IsTicketFileName(const std::string& name) {
  static const std::regex form(R"(vexla-\d{4}(-\d\d){5}(\d{1,10})\.TXT)");
  std::smatch parts;
  if (!std::regex_match(name, parts, form)) {
    return testing::AssertionFailure() << '"' << name << "\" has not the form";
  }
  if (name.size() > 39) {
    return testing::AssertionFailure()
           << '"' << name << "\" is longer than 39 characters";
  }
  const std::string counter = parts[2];
  if (counter.size() > 1 && counter[0] == '0') {
    return testing::AssertionFailure()
           << "the counter text " << counter << " is padded";
  }
  if (std::stoull(counter) > 0x7FFFFFFFu) {
    return testing::AssertionFailure()
           << "the counter text " << counter << " is not below 2^31";
  }
  return testing::AssertionSuccess();
}

// The report of a failure: fixed text but for the eight hexadecimal digits
// of the failing check's distance from the load address.
testing::AssertionResult IsReport(const std::string& err, const char* kind,
                                  const char* message) {
  const std::string head =
      std::string("Exception ") + kind + " in module vexla at ";
  const std::string tail = std::string(".\r\n") + message + ".\r\n\r\n";
  const auto fail = [&]() {
    return testing::AssertionFailure()
           << "the report \"" << err << "\" is not \"" << head << "XXXXXXXX"
           << tail << '"';
  };
  if (err.size() != head.size() + 8 + tail.size() ||
      err.compare(0, head.size(), head) != 0 ||
      err.compare(head.size() + 8, tail.size(), tail) != 0) {
    return fail();
  }
  const std::string digits = err.substr(head.size(), 8);
  if (digits.find_first_not_of("0123456789ABCDEF") != std::string::npos) {
    return fail();
  }
  // An address inside the program lies within its image; an absolute
  // address cut to 32 bits almost never does.
  struct stat program;
  const unsigned long offset = std::stoul(digits, nullptr, 16);
  if (stat(kProgram, &program) == 0 &&
      offset >= static_cast<unsigned long>(program.st_size)) {
    return testing::AssertionFailure()
           << "the address " << digits << " lies outside the program's "
           << program.st_size << " bytes";
  }
  return testing::AssertionSuccess();
}

// A complete ticket file, alone in `directory`, named from a clock reading
// between `before` and `after`.
void ExpectOneCompleteFile(const std::string& directory, time_t before,
                           time_t after, std::optional<long> utc_offset) {
  const std::vector<std::string> files = ListDirectory(directory);
  ASSERT_EQ(files.size(), 1u) << testing::PrintToString(files);
  const std::string& name = files[0];
  EXPECT_TRUE(IsTicketFileName(name));
  const std::string date_time = name.substr(6, 19);
  EXPECT_LE(DateTimeText(before, utc_offset), date_time) << name;
  EXPECT_GE(DateTimeText(after, utc_offset), date_time) << name;

  struct stat info;
  ASSERT_EQ(lstat((directory + "/" + name).c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(info.st_mode & 07777, 0644u);  // the child runs with umask 0
  const std::string bytes = ReadWholeFile(directory + "/" + name);
  EXPECT_EQ(bytes.size(), kTicketFileSize);
  const std::vector<TicketProblem> problems = CheckTicketFile(bytes);
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

// Runs `spec` to a complete ending: status 0, nothing printed, and one
// complete ticket file in its directory, named from the clock of the run.
void ExpectCompleteRun(const ChildSpec& spec, std::optional<long> utc_offset) {
  const time_t before = time(nullptr);
  const ChildResult run = RunChild(spec);
  const time_t after = time(nullptr);
  ASSERT_EQ(run.exit_status, 0) << Describe(run);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  ExpectOneCompleteFile(spec.directory, before, after, utc_offset);
}

// strace, when it is here and may trace; otherwise why not.
struct Tracer {
  std::string path;
  std::string unavailable;
};

const Tracer& FindTracer() {
  static const Tracer tracer = [] {
    Tracer found{FindOnPath("strace"), ""};
    if (found.path.empty()) {
      found.unavailable = "strace is not on PATH";
      return found;
    }
    TempDir probe;
    ChildSpec spec;
    spec.argv = {found.path,
                 "-qq",
                 "-o",
                 "/dev/null",
                 "-e",
                 "trace=getrandom",
                 "-e",
                 "inject=getrandom:error=EIO",
                 FindOnPath("true")};
    spec.directory = probe.path();
    const ChildResult run = RunChild(spec);
    if (run.exit_status != 0) {
      found.unavailable =
          "strace cannot trace or inject here: " + Describe(run);
    }
    return found;
  }();
  return tracer;
}

// The program under strace: `trace` and `inject` are strace's -e settings,
// the log goes to `log`. LeakSanitizer stops the program when it finds
// itself traced, so a sanitized build runs without it.
ChildSpec Traced(const std::string& log, const std::string& trace,
                 const std::string& inject) {
  ChildSpec spec;
  spec.argv = {FindTracer().path, "-f", "-qq", "-s", "0", "-o", log, "-e",
               "trace=" + trace};
  if (!inject.empty()) {
    spec.argv.push_back("-e");
    spec.argv.push_back("inject=" + inject);
  }
  spec.argv.push_back(kProgram);
  const char* options = std::getenv("ASAN_OPTIONS");
  spec.environment = EnvironmentWith(
      {std::string("ASAN_OPTIONS=") +
       (options != nullptr && options[0] != '\0' ? std::string(options) + ":"
                                                 : std::string()) +
       "detect_leaks=0"});
  return spec;
}

#define REQUIRE_TRACER()                                                \
  do {                                                                  \
    ASSERT_FALSE(FindTracer().path.empty()) << "strace is needed here"; \
    if (!FindTracer().unavailable.empty()) {                            \
      GTEST_SKIP() << FindTracer().unavailable;                         \
    }                                                                   \
  } while (false)

// One system call of a strace log line: "[PID ]NAME(ARGS) = RESULT".
struct TracedCall {
  std::string name;
  std::string arguments;
  long result;
};

std::vector<TracedCall> ReadTrace(const std::string& log) {
  static const std::regex line_form(
      R"(^(?:\d+ +)?(\w+)\((.*)\) += (-?\d+)(?: .*)?$)");
  std::vector<TracedCall> calls;
  std::istringstream lines(ReadWholeFile(log));
  std::string line;
  std::smatch parts;
  while (std::getline(lines, line)) {
    if (std::regex_match(line, parts, line_form)) {
      calls.push_back({parts[1], parts[2], std::stol(parts[3])});
    }
  }
  return calls;
}

// ---------------------------------------------------------------------------
// Complete runs.

struct InvocationCase {
  const char* name;
  std::vector<std::string> extra_arguments;
  std::vector<std::string> environment_changes;
  // The zone the environment sets, as seconds east of UTC; none: the
  // parent's own.
  std::optional<long> utc_offset;
};

void PrintTo(const InvocationCase& invocation, std::ostream* out) {
  *out << invocation.name;
}

class CompleteRun : public testing::TestWithParam<InvocationCase> {};

TEST_P(CompleteRun, LeavesOneValidFileAndPrintsNothing) {
  const InvocationCase& invocation = GetParam();
  TempDir work;
  ASSERT_FALSE(work.path().empty());
  ChildSpec spec;
  spec.argv = {kProgram};
  spec.argv.insert(spec.argv.end(), invocation.extra_arguments.begin(),
                   invocation.extra_arguments.end());
  if (!invocation.environment_changes.empty()) {
    spec.environment = EnvironmentWith(invocation.environment_changes);
  }
  spec.directory = work.path();
  ExpectCompleteRun(spec, invocation.utc_offset);
}

INSTANTIATE_TEST_SUITE_P(
    Program, CompleteRun,
    testing::Values(InvocationCase{"Plain", {}, {}, std::nullopt},
                    InvocationCase{"ExtraArguments",
                                   {"--help", "-o", "other.TXT", "", "-"},
                                   {},
                                   std::nullopt},
                    // A zone far from any machine's, locales with other digits
                    // and separators, and a working directory that lies.
                    InvocationCase{
                        "OddEnvironment",
                        {},
                        {"TZ=XST-13", "LC_ALL=ar_EG.UTF-8", "LANG=tr_TR.UTF-8",
                         "LC_TIME=fa_IR.UTF-8", "PWD=/nonexistent",
                         "TMPDIR=/nonexistent", "HOME"},
                        13 * 3600L}),
    [](const testing::TestParamInfo<InvocationCase>& info) {
      return std::string(info.param.name);
    });

TEST(Program, TwoRunsWriteDifferentFiles) {
  std::string contents[2];
  for (std::string& content : contents) {
    TempDir work;
    ChildSpec spec;
    spec.argv = {kProgram};
    spec.directory = work.path();
    const ChildResult run = RunChild(spec);
    ASSERT_EQ(run.exit_status, 0) << Describe(run);
    const std::vector<std::string> files = ListDirectory(work.path());
    ASSERT_EQ(files.size(), 1u);
    content = ReadWholeFile(work.Join(files[0]));
    ASSERT_EQ(content.size(), kTicketFileSize);
  }
  EXPECT_NE(contents[0], contents[1]);
}

// The file is created write-only, truncated, mode 0644, and reaches the disk
// in 65 loads of 128 bytes and a last one of 78.
TEST(Program, WritesTheFileInFullLoads) {
  REQUIRE_TRACER();
  TempDir work;
  TempDir logs;
  const std::string log = logs.Join("trace");
  ChildSpec spec =
      Traced(log, "/^(open|openat|openat2|creat|write|close)$", "");
  spec.directory = work.path();
  const ChildResult run = RunChild(spec);
  ASSERT_EQ(run.exit_status, 0) << Describe(run);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> files = ListDirectory(work.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(ReadWholeFile(work.Join(files[0])).size(), kTicketFileSize);

  const std::string quoted_name = '"' + files[0] + '"';
  long ticket_fd = -1;
  int opens = 0;
  std::vector<long> loads;
  for (const TracedCall& call : ReadTrace(log)) {
    if (call.arguments.find(quoted_name) != std::string::npos) {
      ++opens;
      EXPECT_NE(call.arguments.find("O_WRONLY"), std::string::npos);
      EXPECT_NE(call.arguments.find("O_CREAT"), std::string::npos);
      EXPECT_NE(call.arguments.find("O_TRUNC"), std::string::npos);
      EXPECT_NE(call.arguments.find("0644"), std::string::npos);
      ticket_fd = call.result;
      continue;
    }
    if (ticket_fd < 0) continue;
    const std::string fd_text = std::to_string(ticket_fd);
    const bool on_ticket_file = call.arguments == fd_text ||
                                call.arguments.rfind(fd_text + ",", 0) == 0;
    if (!on_ticket_file) continue;
    if (call.name == "write") {
      const std::size_t last_comma = call.arguments.rfind(',');
      const long asked = std::stol(call.arguments.substr(last_comma + 1));
      EXPECT_EQ(call.result, asked) << "a short or failed write";
      loads.push_back(asked);
    } else if (call.name == "close") {
      ticket_fd = -1;
    }
  }
  EXPECT_EQ(opens, 1);
  std::vector<long> expected(65, static_cast<long>(kLoad));
  expected.push_back(78);
  EXPECT_EQ(loads, expected);
}

// Without getrandom the strong bytes come from /dev/urandom instead.
TEST(Program, FallsBackToUrandomWithoutGetrandom) {
  REQUIRE_TRACER();
  TempDir work;
  TempDir logs;
  const std::string log = logs.Join("trace");
  ChildSpec spec =
      Traced(log, "getrandom,openat,open", "getrandom:error=ENOSYS");
  spec.directory = work.path();
  ExpectCompleteRun(spec, std::nullopt);
  const std::string trace = ReadWholeFile(log);
  EXPECT_NE(trace.find("(INJECTED)"), std::string::npos) << trace;
  EXPECT_NE(trace.find("\"/dev/urandom\""), std::string::npos) << trace;
}

// ---------------------------------------------------------------------------
// Runs that fail: the report on standard error, status 1, and what the file
// keeps.

constexpr long kNoFile = -1;

// Unmounts what a case mounted, before its directory goes.
struct Mount {
  std::string point;
  ~Mount() {
    if (!point.empty()) umount2(point.c_str(), MNT_DETACH);
  }
};

struct Scenario {
  TempDir work;
  // The program's current directory, where the ticket file is looked for.
  std::string directory = work.Join("run");
  std::string trace_log = work.Join("trace");
  std::unique_ptr<TempDir> program_copy;
  ChildSpec spec;
  Mount mount;
};

struct FailureCase {
  const char* name;
  // Sets the scenario up; returns why the case cannot run here, or "".
  std::string (*prepare)(Scenario&);
  const char* kind;
  const char* message;
  // Bytes the ticket file keeps, or kNoFile.
  long kept;
};

std::string FillingDisk(Scenario& scenario) {
  if (geteuid() != 0) return "mounting a 4 KiB tmpfs needs root";
  if (mount("tmpfs", scenario.directory.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
            "size=4k,mode=0755") != 0) {
    return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
  }
  scenario.mount.point = scenario.directory;
  return "";
}

std::string FileSizeLimit(Scenario& scenario) {
  scenario.spec.file_size_limit = 1024;
  return "";
}

std::string DeletedDirectory(Scenario& scenario) {
  scenario.spec.remove_directory = true;
  return "";
}

// A directory without write permission; root may write anywhere, so a root
// run drops to nobody, with the program copied where nobody may execute it.
std::string UnwritableDirectory(Scenario& scenario) {
  if (chmod(scenario.directory.c_str(), 0555) != 0) {
    return std::string("cannot make the directory read-only: ") +
           std::strerror(errno);
  }
  if (geteuid() != 0) return "";
  const struct passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) return "running as root and there is no user nobody";
  scenario.program_copy = std::make_unique<TempDir>();
  const std::string copy = scenario.program_copy->Join("vexla");
  if (chmod(scenario.program_copy->path().c_str(), 0755) != 0 ||
      !CopyExecutable(kProgram, copy)) {
    return std::string("cannot copy the program for nobody: ") +
           std::strerror(errno);
  }
  scenario.spec.argv = {copy};
  scenario.spec.user = nobody->pw_uid;
  scenario.spec.group = nobody->pw_gid;
  return "";
}

std::string StrongSourceFails(Scenario& scenario) {
  if (FindTracer().path.empty()) {
    ADD_FAILURE() << "strace is needed here";
    return "strace is missing";
  }
  if (!FindTracer().unavailable.empty()) return FindTracer().unavailable;
  const std::string directory = scenario.spec.directory;
  scenario.spec =
      Traced(scenario.trace_log, "getrandom", "getrandom:error=EIO");
  scenario.spec.directory = directory;
  return "";
}

void PrintTo(const FailureCase& failure, std::ostream* out) {
  *out << failure.name;
}

class FailingRun : public testing::TestWithParam<FailureCase> {};

TEST_P(FailingRun, ReportsAndKeepsWhatWasWritten) {
  const FailureCase& failure = GetParam();
  Scenario scenario;
  ASSERT_FALSE(scenario.work.path().empty());
  ASSERT_EQ(mkdir(scenario.directory.c_str(), 0755), 0);
  scenario.spec.argv = {kProgram};
  scenario.spec.directory = scenario.directory;
  if (const std::string reason = failure.prepare(scenario); !reason.empty()) {
    GTEST_SKIP() << reason;
  }

  const ChildResult run = RunChild(scenario.spec);

  ASSERT_EQ(run.exit_status, 1) << Describe(run);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(IsReport(run.err, failure.kind, failure.message));

  const std::vector<std::string> files = ListDirectory(scenario.directory);
  if (failure.kept == kNoFile) {
    EXPECT_TRUE(files.empty()) << testing::PrintToString(files);
  } else {
    ASSERT_EQ(files.size(), 1u) << testing::PrintToString(files);
    EXPECT_TRUE(IsTicketFileName(files[0]));
    const std::string bytes =
        ReadWholeFile(scenario.directory + "/" + files[0]);
    EXPECT_EQ(static_cast<long>(bytes.size()), failure.kept);
    const std::vector<TicketProblem> problems = CheckTicketPrefix(bytes);
    EXPECT_TRUE(problems.empty()) << Describe(problems);
  }
  if (!scenario.spec.argv.empty() &&
      scenario.spec.argv[0] == FindTracer().path) {
    const std::string trace = ReadWholeFile(scenario.trace_log);
    EXPECT_NE(trace.find("(INJECTED)"), std::string::npos) << trace;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Program, FailingRun,
    testing::Values(
        // 4 KiB hold exactly 32 loads; the 33rd finds the disk full.
        FailureCase{"DiskFull", FillingDisk, "EInOutError", "I/O error 112",
                    4096},
        FailureCase{"FileSizeLimit", FileSizeLimit, "EInOutError",
                    "I/O error 223", 1024},
        FailureCase{"DeletedDirectory", DeletedDirectory, "EInOutError",
                    "Invalid filename", kNoFile},
        FailureCase{"UnwritableDirectory", UnwritableDirectory, "EInOutError",
                    "File access denied", kNoFile},
        FailureCase{"StrongSourceFails", StrongSourceFails,
                    "ERandomSourceError", "Strong random source unavailable",
                    kNoFile}),
    [](const testing::TestParamInfo<FailureCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace
