// One run of the program, from seeding to the end of the process.
#pragma once

#include "app/text_file.h"

extern TextFile TicketFile;

// Seeds Generator, creates the ticket file, builds and writes the deck,
// closes the file and ends the process; never returns.
[[noreturn]] void RunVexla();
