// Decimal digits in ASCII whatever the locale, for the file name and the
// error report.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes `value` with at least `width` digits (zero-padded) into `out`,
// which has room for ten; returns the number of digits. Not NUL-terminated.
std::size_t PutDecimal(char* out, std::uint32_t value, std::size_t width);
