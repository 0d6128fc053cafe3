// SHA-256, for comparing whole files with known digests in tests.
#pragma once

#include <string>
#include <string_view>

// The digest of `bytes` in lower-case hexadecimal.
std::string Sha256Hex(std::string_view bytes);
