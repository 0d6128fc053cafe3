// Win32 implementation of the platform header. Error codes are this
// platform's own, so GetLastError is passed on untranslated.
#include <windows.h>
// After windows.h, whose types it uses.
#include <wincrypt.h>
#include <x86intrin.h>

#include <cstring>

#include "platform/platform.h"

namespace {

HANDLE ToHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file.value);
}

std::int32_t LastError() { return static_cast<std::int32_t>(GetLastError()); }

}  // namespace

bool AcquireRandomProvider(RandomProvider* provider) {
  HCRYPTPROV handle = 0;
  if (!CryptAcquireContextA(&handle, nullptr, nullptr, PROV_RSA_FULL,
                            CRYPT_VERIFYCONTEXT)) {
    return false;
  }
  provider->handle = handle;
  return true;
}

bool GenerateRandom(RandomProvider provider, std::uint32_t length,
                    unsigned char* buffer) {
  return CryptGenRandom(provider.handle, length, buffer) != FALSE;
}

void ReleaseRandomProvider(RandomProvider provider) {
  CryptReleaseContext(provider.handle, 0);
}

std::uint32_t ReadClockTicks() {
  LARGE_INTEGER now;
  if (QueryPerformanceCounter(&now)) {
    return static_cast<std::uint32_t>(now.LowPart);
  }
  return GetTickCount();
}

LocalTime ReadLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth,  now.wDay,
                   now.wHour, now.wMinute, now.wSecond};
}

std::uint64_t ReadTimeStamp() { return __rdtsc(); }

bool CreateOutputFile(const char* name, FileHandle* file, std::int32_t* error) {
  const HANDLE handle =
      CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *error = LastError();
    return false;
  }
  file->value = reinterpret_cast<std::intptr_t>(handle);
  return true;
}

bool WriteToFile(FileHandle file, const void* bytes, std::uint32_t length,
                 std::int32_t* error) {
  const char* next = static_cast<const char*>(bytes);
  while (length > 0) {
    DWORD written = 0;
    if (!WriteFile(ToHandle(file), next, length, &written, nullptr)) {
      *error = LastError();
      return false;
    }
    // A write that succeeds without taking a byte would loop for ever.
    if (written == 0) {
      *error = ERROR_WRITE_FAULT;
      return false;
    }
    next += written;
    length -= written;
  }
  return true;
}

bool CloseFile(FileHandle file, std::int32_t* error) {
  if (!CloseHandle(ToHandle(file))) {
    *error = LastError();
    return false;
  }
  return true;
}

FileHandle StandardErrorHandle() {
  return FileHandle{
      reinterpret_cast<std::intptr_t>(GetStdHandle(STD_ERROR_HANDLE))};
}

void ConvertToConsoleText(char* text) { CharToOemA(text, text); }

void ReadProgramFileName(char* name, std::size_t capacity) {
  if (capacity == 0) return;
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  path[length < sizeof path ? length : sizeof path - 1] = '\0';
  const char* backslash = std::strrchr(path, '\\');
  const char* base = backslash != nullptr ? backslash + 1 : path;
  std::size_t size = std::strlen(base);
  if (size >= capacity) size = capacity - 1;
  std::memcpy(name, base, size);
  name[size] = '\0';
}

std::uintptr_t CodeOffset(const void* code_address) {
  return reinterpret_cast<std::uintptr_t>(code_address) -
         reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
}

// Nothing to prepare: a console program's failed writes come back as error
// codes, and the report goes to the console, never to a message box.
void StartPlatform(const char*) {}

void ExitProgram(int status) { ExitProcess(static_cast<UINT>(status)); }
