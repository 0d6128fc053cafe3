// POSIX implementation of the platform header.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

#if defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#endif

namespace {

// The program's messages speak the original platform's error codes; translate
// errno once, right after the failing call.
std::int32_t SystemErrorCode(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return 3;  // path not found
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
      return 5;
    case EROFS:
      return 19;
    case ENOSPC:
#if defined(EDQUOT) && EDQUOT != ENOSPC
    case EDQUOT:
#endif
      return 112;
    case EFBIG:
      return 223;
    case ENAMETOOLONG:
      return 206;
    case EIO:
      return 1117;
    default:
      return 31;
  }
}

bool ReadAll(int fd, unsigned char* buffer, std::uint32_t length) {
  while (length > 0) {
    const ssize_t got = read(fd, buffer, length);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    buffer += got;
    length -= static_cast<std::uint32_t>(got);
  }
  return true;
}

// Only for a kernel without getrandom, or a sandbox that forbids it; a
// "device" that is not a character device is refused rather than trusted.
bool FillFromUrandom(unsigned char* buffer, std::uint32_t length) {
  int fd;
  do {
    fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat info;
  const bool filled = fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) &&
                      ReadAll(fd, buffer, length);
  close(fd);
  return filled;
}

char program_path_name[256];

}  // namespace

// getrandom needs no handle; the fallback, when the error calls for it, opens
// and closes its device within one fill.
bool AcquireRandomProvider(RandomProvider* provider) {
  provider->handle = 1;
  return true;
}

bool GenerateRandom(RandomProvider, std::uint32_t length,
                    unsigned char* buffer) {
  while (length > 0) {
    const ssize_t got = getrandom(buffer, length, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == ENOSYS || errno == EPERM)) {
      return FillFromUrandom(buffer, length);
    }
    if (got <= 0) return false;
    buffer += got;
    length -= static_cast<std::uint32_t>(got);
  }
  return true;
}

void ReleaseRandomProvider(RandomProvider) {}

std::uint32_t ReadClockTicks() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::uint32_t>(now.tv_sec) * 1000000000u +
         static_cast<std::uint32_t>(now.tv_nsec);
}

LocalTime ReadLocalTime() {
  const time_t now = time(nullptr);
  struct tm fields;
  localtime_r(&now, &fields);
  return LocalTime{static_cast<std::uint16_t>(fields.tm_year + 1900),
                   static_cast<std::uint16_t>(fields.tm_mon + 1),
                   static_cast<std::uint16_t>(fields.tm_mday),
                   static_cast<std::uint16_t>(fields.tm_hour),
                   static_cast<std::uint16_t>(fields.tm_min),
                   static_cast<std::uint16_t>(fields.tm_sec)};
}

std::uint64_t ReadTimeStamp() {
#if defined(__i386__) || defined(__x86_64__)
  return __rdtsc();
#else
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(now.tv_nsec);
#endif
}

bool CreateOutputFile(const char* name, FileHandle* file, std::int32_t* error) {
  int fd;
  do {
    fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    *error = SystemErrorCode(errno);
    return false;
  }
  file->value = fd;
  return true;
}

bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t length,
                 std::int32_t* error) {
  const char* next = static_cast<const char*>(bytes);
  while (length > 0) {
    const ssize_t put = write(static_cast<int>(file.value), next, length);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      *error = SystemErrorCode(errno);
      return false;
    }
    if (put == 0) {
      *error = SystemErrorCode(EIO);
      return false;
    }
    next += put;
    length -= static_cast<std::uint32_t>(put);
  }
  return true;
}

bool CloseFile(FileHandle file, std::int32_t* error) {
  // The descriptor is gone after close whatever it returns; EINTR is not
  // retried, since the descriptor number may already be reused.
  if (close(static_cast<int>(file.value)) != 0 && errno != EINTR) {
    *error = SystemErrorCode(errno);
    return false;
  }
  return true;
}

FileHandle StandardErrorHandle() { return FileHandle{STDERR_FILENO}; }

void ConvertToConsoleText(char*) {}

void ReadProgramFileName(char* name, std::size_t capacity) {
  if (capacity == 0) return;
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  const char* source = program_path_name;
  if (length > 0) {
    path[length] = '\0';
    source = path;
  }
  const char* slash = std::strrchr(source, '/');
  const char* base = slash != nullptr ? slash + 1 : source;
  std::size_t size = std::strlen(base);
  if (size >= capacity) size = capacity - 1;
  std::memcpy(name, base, size);
  name[size] = '\0';
}

std::uintptr_t CodeOffset(const void* code_address) {
  Dl_info info;
  if (dladdr(code_address, &info) != 0 && info.dli_fbase != nullptr) {
    return reinterpret_cast<std::uintptr_t>(code_address) -
           reinterpret_cast<std::uintptr_t>(info.dli_fbase);
  }
  return reinterpret_cast<std::uintptr_t>(code_address);
}

void StartPlatform(const char* program_path) {
  // Past a file-size limit a write must fail as an I/O error and take the
  // report path, not kill the process.
  signal(SIGXFSZ, SIG_IGN);
  if (program_path != nullptr) {
    std::strncpy(program_path_name, program_path, sizeof program_path_name - 1);
  }
}

void ExitProgram(int status) { std::exit(status); }
