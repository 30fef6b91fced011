#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Every settings-file input the fuzzer kept still loads and round-trips.
TEST(SettingsFuzzReplay, IniCorpus) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(MIRUNE_INI_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0)
        << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
