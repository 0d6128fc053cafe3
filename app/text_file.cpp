#include "app/text_file.h"

#include <cstring>

namespace {

thread_local std::int32_t pending_io_error = 0;

// Nothing more goes out once an error is pending, so a failing load and
// everything after it never reach the file. A failure the system gave no
// code for still counts, as a general failure.
bool Failed(std::int32_t error) {
  pending_io_error = error != 0 ? error : 31;
  return false;
}

bool WriteOut(TextFile& file) {
  std::int32_t error = 0;
  const auto length = static_cast<std::uint32_t>(file.used);
  if (!WriteToFile(file.handle, file.buffer, length, &error)) {
    return Failed(error);
  }
  file.used = 0;
  return true;
}

}  // namespace

void AssignFile(TextFile& file, const char* name) {
  std::memset(&file, 0, sizeof file);
  std::strncpy(file.name, name, sizeof file.name - 1);
  file.state = TextFileState::kClosed;
}

void RewriteFile(TextFile& file) {
  std::int32_t error = 0;
  if (!CreateOutputFile(file.name, &file.handle, &error)) {
    Failed(error);
    return;
  }
  file.used = 0;
  file.state = TextFileState::kOutput;
}

void WriteText(TextFile& file, const char* text, std::size_t length) {
  if (pending_io_error != 0) return;
  if (file.state != TextFileState::kOutput) {
    Failed(105);  // file not open for output
    return;
  }
  while (length > 0) {
    std::size_t room = kTextFileBufferSize - file.used;
    if (room > length) room = length;
    std::memcpy(file.buffer + file.used, text, room);
    file.used += room;
    text += room;
    length -= room;
    if (file.used == kTextFileBufferSize && !WriteOut(file)) return;
  }
}

void WriteLineEnd(TextFile& file) { WriteText(file, "\r\n", 2); }

void CloseTextFile(TextFile& file) {
  if (pending_io_error != 0) return;
  if (file.state != TextFileState::kOutput) {
    Failed(103);  // file not open
    return;
  }
  if (file.used > 0 && !WriteOut(file)) return;
  std::int32_t error = 0;
  file.state = TextFileState::kClosed;
  if (!CloseFile(file.handle, &error)) Failed(error);
}

std::int32_t TakeIoResult() {
  const std::int32_t code = pending_io_error;
  pending_io_error = 0;
  return code;
}

bool IoErrorPending() { return pending_io_error != 0; }
