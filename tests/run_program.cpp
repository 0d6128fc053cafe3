#include "tests/run_program.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace {

std::string TempRoot() {
  const char* root = std::getenv("TMPDIR");
  return root != nullptr && root[0] == '/' ? root : "/tmp";
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  remove(path);
  return 0;
}

std::vector<char*> CPointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// What the child reports through the status pipe when it fails before or at
// the exec.
struct StartFailure {
  int step;
  int error;
};

const char* const kStepNames[] = {"dup2",      "chdir",  "rmdir",  "setrlimit",
                                  "setgroups", "setgid", "setuid", "execve"};

[[noreturn]] void ChildFails(int status_fd, int step) {
  const StartFailure failure{step, errno};
  [[maybe_unused]] const ssize_t ignored =
      write(status_fd, &failure, sizeof failure);
  _exit(127);
}

}  // namespace

TempDir::TempDir() {
  std::string pattern = TempRoot() + "/vexla-test-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  // A test may have taken write or search permission away.
  chmod(path_.c_str(), 0700);
  nftw(path_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

ChildResult RunChild(const ChildSpec& spec) {
  ChildResult result;
  TempDir io;
  if (io.path().empty()) {
    result.start_error = "mkdtemp failed";
    return result;
  }
  const std::string out_path = io.Join("out");
  const std::string err_path = io.Join("err");

  // Everything the child needs is made before the fork: between fork and
  // exec it makes only plain system calls.
  std::vector<std::string> arguments = spec.argv;
  std::vector<std::string> environment;
  if (spec.environment) {
    environment = *spec.environment;
  } else {
    for (char** entry = environ; *entry != nullptr; ++entry) {
      environment.emplace_back(*entry);
    }
  }
  const std::vector<char*> argv = CPointers(arguments);
  const std::vector<char*> envp = CPointers(environment);

  const int in_fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int out_fd =
      open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int err_fd =
      open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  int status_pipe[2] = {-1, -1};
  if (in_fd < 0 || out_fd < 0 || err_fd < 0 ||
      pipe2(status_pipe, O_CLOEXEC) != 0) {
    result.start_error =
        std::string("setting up the child's files: ") + std::strerror(errno);
    for (int fd : {in_fd, out_fd, err_fd, status_pipe[0], status_pipe[1]}) {
      if (fd >= 0) close(fd);
    }
    return result;
  }

  const pid_t pid = fork();
  if (pid == 0) {
    const int status_fd = status_pipe[1];
    if (dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0) {
      ChildFails(status_fd, 0);
    }
    signal(SIGXFSZ, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    umask(0);
    if (chdir(spec.directory.c_str()) != 0) ChildFails(status_fd, 1);
    if (spec.remove_directory && rmdir(spec.directory.c_str()) != 0) {
      ChildFails(status_fd, 2);
    }
    if (spec.file_size_limit) {
      const struct rlimit limit {
        *spec.file_size_limit, *spec.file_size_limit
      };
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) ChildFails(status_fd, 3);
    }
    if (spec.group || spec.user) {
      if (setgroups(0, nullptr) != 0) ChildFails(status_fd, 4);
    }
    if (spec.group && setgid(*spec.group) != 0) ChildFails(status_fd, 5);
    if (spec.user && setuid(*spec.user) != 0) ChildFails(status_fd, 6);
    execve(argv[0], argv.data(), envp.data());
    ChildFails(status_fd, 7);
  }
  close(status_pipe[1]);
  close(in_fd);
  close(out_fd);
  close(err_fd);
  if (pid < 0) {
    result.start_error = std::string("fork: ") + std::strerror(errno);
    close(status_pipe[0]);
    return result;
  }

  StartFailure failure{};
  ssize_t got;
  do {
    got = read(status_pipe[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  close(status_pipe[0]);
  if (got == static_cast<ssize_t>(sizeof failure)) {
    result.start_error = std::string(kStepNames[failure.step]) + ": " +
                         std::strerror(failure.error);
  }

  // The programs run take well under a second; a hung one is killed.
  int status = 0;
  const time_t deadline = time(nullptr) + 60;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) break;
    if (time(nullptr) > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.start_error = "killed after 60 s";
      break;
    }
    const struct timespec pause { 0, 2'000'000 };
    nanosleep(&pause, nullptr);
  }
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.out = ReadWholeFile(out_path);
  result.err = ReadWholeFile(err_path);
  return result;
}

std::vector<std::string> EnvironmentWith(
    const std::vector<std::string>& changes) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    environment.emplace_back(*entry);
  }
  for (const std::string& change : changes) {
    const std::string name = change.substr(0, change.find('='));
    std::erase_if(environment, [&](const std::string& entry) {
      return entry.compare(0, name.size() + 1, name + "=") == 0;
    });
    if (change.find('=') != std::string::npos) environment.push_back(change);
  }
  return environment;
}

std::vector<std::string> ListDirectory(const std::string& directory) {
  std::vector<std::string> names;
  DIR* listing = opendir(directory.c_str());
  if (listing == nullptr) return names;
  while (const struct dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream directories(path != nullptr ? path : "/usr/bin:/bin");
  std::string directory;
  while (std::getline(directories, directory, ':')) {
    if (directory.empty()) continue;
    const std::string candidate = directory + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

bool CopyExecutable(const std::string& from, const std::string& to) {
  std::ifstream source(from, std::ios::binary);
  std::ofstream target(to, std::ios::binary | std::ios::trunc);
  if (!source || !target) return false;
  target << source.rdbuf();
  target.close();
  return target.good() && chmod(to.c_str(), 0755) == 0;
}
