// A buffered output text file with a pending I/O error code, in the manner of
// the runtime the program was first written against: failures are recorded,
// not raised, and the caller checks them after each line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

inline constexpr std::size_t kTextFileBufferSize = 128;
inline constexpr std::size_t kTextFileNameCapacity = 48;

enum class TextFileState : std::uint8_t { kUnassigned, kClosed, kOutput };

struct TextFile {
  char name[kTextFileNameCapacity];
  TextFileState state;
  FileHandle handle;
  unsigned char buffer[kTextFileBufferSize];
  std::size_t used;
};

// Sets the name and leaves the file assigned and closed.
void AssignFile(TextFile& file, const char* name);
// Creates the file for output, replacing one of the same name.
void RewriteFile(TextFile& file);
void WriteText(TextFile& file, const char* text, std::size_t length);
void WriteLineEnd(TextFile& file);
// Writes out what the buffer holds, then closes the handle. When the
// write-out fails the handle stays open: the end of the process closes it.
void CloseTextFile(TextFile& file);

// Returns the pending I/O error code of this thread and resets it.
std::int32_t TakeIoResult();
// True when an I/O error is pending; does not reset it.
bool IoErrorPending();
