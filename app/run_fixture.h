// Runs the whole program against the scripted fake platform.
#pragma once

#include <string>
#include <vector>

#include "app/run.h"
#include "app/text_file.h"
#include "platform/platform_fake.h"
#include "random/isaacp.h"

namespace testing_support {

// The counting block: byte value k mod 256 at offset k of the seed block.
inline std::vector<unsigned char> CountingBlock() {
  std::vector<unsigned char> block(kIsaacSeedSize);
  for (std::size_t k = 0; k < block.size(); ++k) {
    block[k] = static_cast<unsigned char>(k);
  }
  return block;
}

// Runs the program to its end with `script` and returns the exit status.
inline int RunProgram(const fake::Script& script) {
  fake::Reset() = script;
  TakeIoResult();
  try {
    RunVexla();
  } catch (const fake::ProgramExit& exit) {
    return exit.status;
  }
  return -1;  // unreachable: every ending leaves through ExitProgram
}

}  // namespace testing_support
