#include "app/file_name.h"

#include <cstring>

namespace {

// Decimal digits of `value`, at least `width` of them; ASCII whatever the
// locale.
std::size_t PutDecimal(char* out, std::uint32_t value, std::size_t width) {
  char digits[10];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n < width) digits[n++] = '0';
  for (std::size_t i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return n;
}

}  // namespace

std::size_t BuildFileName(const LocalTime& time, std::uint64_t time_stamp,
                          char (&name)[kFileNameCapacity]) {
  const std::uint16_t fields[] = {time.year, time.month,  time.day,
                                  time.hour, time.minute, time.second};
  std::memcpy(name, "vexla", 5);
  std::size_t length = 5;
  for (std::size_t i = 0; i < 6; ++i) {
    name[length++] = '-';
    length += PutDecimal(name + length, fields[i], i == 0 ? 4 : 2);
  }
  const std::uint32_t counter =
      static_cast<std::uint32_t>(time_stamp & 0xFFFFFFFFu) >> 1;
  length += PutDecimal(name + length, counter, 1);
  std::memcpy(name + length, ".TXT", 5);  // with its NUL
  length += 4;
  return length;
}
