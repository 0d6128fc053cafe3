#include "check/check_run.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "check/ticket_check.h"
#include "check/ticket_layout.h"
#include "check/ticket_report.h"

namespace {

constexpr const char* kProgram = "vexla-check";

constexpr const char* kHelp =
    "Usage: vexla-check [OPTION]... FILE...\n"
    "Verify ticket files written by vexla: each FILE must be 442 lines of\n"
    "49 blocks of eight balanced tickets. A FILE of - reads standard input.\n"
    "\n"
    "  -r, --report   describe each valid file: number counts, identical\n"
    "                 tickets, pair spread, and exact coverage of all draws\n"
    "                 beside that of 392 random tickets\n"
    "  -j, --json     the same report as JSON, one line per file\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "A valid file gives 'FILE: OK' (or its report) on standard output; each\n"
    "problem of any other is given as 'FILE:LINE: problem' on standard error,\n"
    "LINE 0 standing for the file as a whole.\n"
    "\n"
    "Exit status: 0 if every FILE is a valid ticket file, 1 if any is not,\n"
    "2 for a usage error or a FILE that cannot be read.\n";

enum class Mode { kVerify, kReport, kJson };

struct Options {
  Mode mode = Mode::kVerify;
  bool help = false;
  bool version = false;
};

int UsageError(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
               message.c_str(), kProgram);
  return kTrouble;
}

enum class ReadStatus { kRead, kTooLong, kFailed };

// Reads at most kReadLimit + 1 bytes; errno tells why a read failed.
ReadStatus ReadBounded(std::FILE* file, std::string& bytes) {
  bytes.clear();
  char buffer[1 << 16];
  while (bytes.size() <= kReadLimit) {
    const std::size_t want =
        std::min(sizeof buffer, kReadLimit + 1 - bytes.size());
    const std::size_t got = std::fread(buffer, 1, want, file);
    bytes.append(buffer, got);
    if (got < want) {
      if (std::ferror(file)) return ReadStatus::kFailed;
      break;
    }
  }
  return bytes.size() > kReadLimit ? ReadStatus::kTooLong : ReadStatus::kRead;
}

// Verifies (and reports on) one file; gives its exit status.
int CheckOne(const char* name, std::FILE* in, const Options& options,
             std::FILE* out, std::FILE* err, bool& first_report) {
  const bool from_input = std::strcmp(name, "-") == 0;
  errno = 0;
  std::FILE* file = from_input ? in : std::fopen(name, "rb");
  if (file == nullptr) {
    std::fprintf(err, "%s: %s: %s\n", kProgram, name, std::strerror(errno));
    return kTrouble;
  }
  std::string bytes;
  errno = 0;
  const ReadStatus status = ReadBounded(file, bytes);
  const int read_errno = errno;
  if (!from_input) std::fclose(file);
  if (status == ReadStatus::kFailed) {
    std::fprintf(err, "%s: %s: %s\n", kProgram, name,
                 std::strerror(read_errno != 0 ? read_errno : EIO));
    return kTrouble;
  }
  if (status == ReadStatus::kTooLong) {
    std::fprintf(err, "%s:0: over 1 MiB: not a ticket file\n", name);
    return kSomeInvalid;
  }
  const std::vector<TicketProblem> problems = CheckTicketFile(bytes);
  for (const TicketProblem& problem : problems) {
    std::fprintf(err, "%s:%zu: %s\n", name, problem.line, problem.text.c_str());
  }
  if (!problems.empty()) return kSomeInvalid;

  if (options.mode == Mode::kVerify) {
    std::fprintf(out, "%s: OK\n", name);
    return kAllValid;
  }
  TicketSet set;
  ReadTickets(bytes, set);
  TicketReport report;
  BuildReport(set, report);
  const std::string text = options.mode == Mode::kJson
                               ? ReportJson(name, report)
                               : ReportText(name, report);
  if (options.mode == Mode::kReport && !first_report) std::fputs("\n", out);
  first_report = false;
  std::fputs(text.c_str(), out);
  return kAllValid;
}

}  // namespace

int RunCheck(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
             std::FILE* err) {
  Options options;
  std::vector<const char*> files;
  bool options_end = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options_end || arg == "-" || arg.empty() || arg[0] != '-') {
      files.push_back(argv[i]);
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "-r" || arg == "--report") {
      if (options.mode == Mode::kVerify) options.mode = Mode::kReport;
    } else if (arg == "-j" || arg == "--json") {
      options.mode = Mode::kJson;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      return UsageError(err, "unknown option '" + std::string(arg) + "'");
    }
  }
  if (options.help) {
    std::fputs(kHelp, out);
    return std::fflush(out) == 0 ? kAllValid : kTrouble;
  }
  if (options.version) {
    std::fputs("vexla-check 1.0\n", out);
    return std::fflush(out) == 0 ? kAllValid : kTrouble;
  }
  if (files.empty()) return UsageError(err, "no FILE given");

  int status = kAllValid;
  bool first_report = true;
  for (const char* name : files) {
    const int one = CheckOne(name, in, options, out, err, first_report);
    status = std::max(status, one);
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    std::fprintf(err, "%s: standard output: %s\n", kProgram,
                 std::strerror(errno));
    return kTrouble;
  }
  return status;
}
