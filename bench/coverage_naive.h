// The yardstick for the coverage walk: every draw against every ticket.
#pragma once

#include <cstddef>

#include "check/coverage.h"

void CountCoverageNaive(const unsigned char (*tickets)[kTicketSize],
                        std::size_t count, Coverage& coverage);
