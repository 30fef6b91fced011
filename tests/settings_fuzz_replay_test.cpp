#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process's own, gone however the test ends.
class SettingsFuzzReplay : public ::testing::Test {
 protected:
  ~SettingsFuzzReplay() override { fs::remove_all(dir); }
  fs::path dir = fs::temp_directory_path() / ("mirune-replay-" + std::to_string(::getpid()));
};

// Every settings-file input the fuzzer kept still loads and round-trips.
TEST_F(SettingsFuzzReplay, IniCorpus) {
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
  EXPECT_GT(files, 10);
}

}  // namespace
