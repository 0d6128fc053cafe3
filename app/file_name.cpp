#include "app/file_name.h"

#include <cstring>

#include "app/decimal_text.h"

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
