#include "platform/platform_fake.h"

#include <algorithm>
#include <cstring>

namespace fake {
namespace {

Script script;
Record record;

constexpr std::intptr_t kOutputFile = 7;
constexpr std::intptr_t kStandardError = 2;

void Log(const char* call) { record.calls.emplace_back(call); }

}  // namespace

Script& Reset() {
  script = Script{};
  record = Record{};
  return script;
}
Script& CurrentScript() { return script; }
Record& CurrentRecord() { return record; }

std::string ErrorText() {
  std::string text;
  for (const std::string& write : record.error_writes) text += write;
  return text;
}

}  // namespace fake

using fake::record;
using fake::script;

bool AcquireRandomProvider(RandomProvider* provider) {
  fake::Log("AcquireRandomProvider");
  if (script.acquire_fails) return false;
  provider->handle = 0x5eed;
  return true;
}

bool GenerateRandom(RandomProvider provider, std::uint32_t length,
                    unsigned char* buffer) {
  fake::Log("GenerateRandom");
  if (provider.handle != 0x5eed || script.generate_fails) {
    // A failing source may leave anything behind.
    std::memset(buffer, 0xEE, length);
    return false;
  }
  const std::vector<unsigned char>& bytes = script.random_bytes;
  for (std::uint32_t i = 0; i < length; ++i) {
    buffer[i] = bytes.empty() ? 0 : bytes[i % bytes.size()];
  }
  return true;
}

void ReleaseRandomProvider(RandomProvider) {
  fake::Log("ReleaseRandomProvider");
}

std::uint32_t ReadClockTicks() {
  fake::Log("ReadClockTicks");
  return script.clock_ticks;
}

LocalTime ReadLocalTime() {
  fake::Log("ReadLocalTime");
  return script.local_time;
}

std::uint64_t ReadTimeStamp() {
  fake::Log("ReadTimeStamp");
  return script.time_stamp;
}

bool CreateOutputFile(const char* name, FileHandle* file, std::int32_t* error) {
  fake::Log("CreateOutputFile");
  if (script.create_error != 0) {
    *error = script.create_error;
    return false;
  }
  record.file_name = name;
  record.file_bytes.clear();
  record.file_open = true;
  file->value = fake::kOutputFile;
  return true;
}

bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t length,
                 std::int32_t* error) {
  const char* text = static_cast<const char*>(bytes);
  if (file.value == fake::kStandardError) {
    fake::Log("WriteStandardError");
    record.error_writes.emplace_back(text, length);
    return true;
  }
  fake::Log("WriteToFile");
  const int index = static_cast<int>(record.file_writes.size());
  if (!record.file_open ||
      (script.failing_write >= 0 && index >= script.failing_write)) {
    *error = script.write_error;
    return false;
  }
  record.file_writes.push_back(length);
  record.file_bytes.append(text, length);
  return true;
}

bool CloseFile(FileHandle, std::int32_t* error) {
  fake::Log("CloseFile");
  if (script.close_error != 0) {
    *error = script.close_error;
    return false;
  }
  record.file_open = false;
  return true;
}

FileHandle StandardErrorHandle() {
  fake::Log("StandardErrorHandle");
  return FileHandle{fake::kStandardError};
}

void ConvertToConsoleText(char*) { fake::Log("ConvertToConsoleText"); }

void ReadProgramFileName(char* name, std::size_t capacity) {
  fake::Log("ReadProgramFileName");
  if (capacity == 0) return;
  const std::string& program = script.program_name;
  const std::size_t length = std::min(program.size(), capacity - 1);
  std::memcpy(name, program.data(), length);
  name[length] = '\0';
}

std::uintptr_t CodeOffset(const void* code_address) {
  return reinterpret_cast<std::uintptr_t>(code_address) & 0xFFFFFu;
}

void StartPlatform(const char*) { fake::Log("StartPlatform"); }

void ExitProgram(int status) {
  fake::Log("ExitProgram");
  throw fake::ProgramExit{status};
}
