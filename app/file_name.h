// The ticket file's name: "vexla-YYYY-MM-DD-hh-mm-ss" from one clock reading,
// then the time-stamp counter's low 32 bits shifted right by one, in decimal,
// then ".TXT".
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

inline constexpr std::size_t kFileNameCapacity = 48;

// Writes the NUL-terminated name into `name`; returns its length.
std::size_t BuildFileName(const LocalTime& time, std::uint64_t time_stamp,
                          char (&name)[kFileNameCapacity]);
