#include "app/run.h"

#include "app/error_report.h"
#include "app/file_name.h"
#include "app/ticket_writer.h"
#include "deck/deck.h"
#include "platform/platform.h"
#include "random/isaacp.h"

TextFile TicketFile;

void RunVexla() {
  // Tickets from a clock-seeded generator would be guessable; refuse them.
  if (!IsaacSeed(Generator)) {
    RaiseFailure("ERandomSourceError", "Strong random source unavailable");
  }

  // Time first, then the counter: the name shows the time after seeding.
  const LocalTime now = ReadLocalTime();
  const std::uint64_t stamp = ReadTimeStamp();
  char name[kFileNameCapacity];
  BuildFileName(now, stamp, name);

  AssignFile(TicketFile, name);
  RewriteFile(TicketFile);
  if (const std::int32_t code = TakeIoResult(); code != 0) {
    char message[kMessageCapacity];
    IoErrorMessage(code, message);
    RaiseFailure("EInOutError", message);
  }

  BuildDeck();
  WriteTickets(Deck, TicketFile);
  CloseTextFile(TicketFile);
  CheckIo();
  ExitProgram(0);
}
