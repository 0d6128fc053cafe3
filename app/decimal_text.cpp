#include "app/decimal_text.h"

std::size_t PutDecimal(char* out, std::uint32_t value, std::size_t width) {
  char digits[10];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n < width && n < sizeof digits) digits[n++] = '0';
  for (std::size_t i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return n;
}
