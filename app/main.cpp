// vexla: writes one file of 392 balanced lottery tickets per run. It reads no
// argument, setting or input.
#include "app/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  StartPlatform(argc > 0 ? argv[0] : nullptr);
  RunVexla();
}
