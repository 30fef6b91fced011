// Settings files are hand-edited text: any bytes must load without harm,
// and a value written into any such file must read back as written.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_targets.h"

namespace {

const std::string& scratchFile() {
  static const std::string file = [] {
    std::string f = "/tmp/mirune-fuzz-" + std::to_string(::getpid()) + ".ini";
    std::atexit([] { std::remove(scratchFile().c_str()); });
    return f;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzzing::abortIfBroken(fuzzing::fuzzSettings(data, size, scratchFile()));
}
