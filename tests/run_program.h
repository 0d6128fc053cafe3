// Runs a program as a child process with its own current directory, limits
// and user, and captures what it prints.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A directory made with mkdtemp, removed with all it holds on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string Join(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct ChildSpec {
  // argv[0] is the file executed: an absolute path or one relative to the
  // parent's current directory.
  std::vector<std::string> argv;
  // The child's whole environment; none given inherits the parent's.
  std::optional<std::vector<std::string>> environment;
  std::string directory;
  // The child removes its (empty) current directory before the exec.
  bool remove_directory = false;
  // RLIMIT_FSIZE, in bytes.
  std::optional<rlim_t> file_size_limit;
  // Dropped to before the exec; needs root.
  std::optional<uid_t> user;
  std::optional<gid_t> group;
};

struct ChildResult {
  // Empty when the exec went through; otherwise what failed before it.
  std::string start_error;
  // -1 when a signal ended the child.
  int exit_status = -1;
  int signal = 0;
  std::string out;
  std::string err;
};

// Runs the child to its end (killed after a minute), stdin from /dev/null,
// umask 0, SIGXFSZ and SIGPIPE at their defaults.
ChildResult RunChild(const ChildSpec& spec);

// The parent's environment with `changes` applied: "NAME=VALUE" sets NAME,
// a bare "NAME" removes it.
std::vector<std::string> EnvironmentWith(
    const std::vector<std::string>& changes);

// Names in `directory` other than . and .., sorted; empty when it is missing.
std::vector<std::string> ListDirectory(const std::string& directory);

std::string ReadWholeFile(const std::string& path);

// The absolute path of `name` found on PATH, or empty.
std::string FindOnPath(const std::string& name);

// Copies `from` to `to` with mode 0755.
bool CopyExecutable(const std::string& from, const std::string& to);
