#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

// Every settings-file input the fuzzer kept still loads and round-trips.
TEST(SettingsFuzzReplay, IniCorpus) {
  fs::path dir = fs::temp_directory_path() / ("mirune-replay-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(MIRUNE_INI_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(fuzzing::fuzzSettings(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                    (dir / "settings.ini").string()),
              "")
        << entry.path();
    ++files;
  }
  fs::remove_all(dir);
  EXPECT_GT(files, 10);
}

}  // namespace
