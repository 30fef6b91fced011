// Runs the fuzz targets over their committed corpus (seeds and the inputs of
// crashes once found) and over the BMP conformance files, so a regression
// shows up in the ordinary test run.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz_targets.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

size_t replay(const fs::path& dir, std::string (*target)(const uint8_t*, size_t)) {
  size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    std::vector<uint8_t> bytes = testsupport::readAll(entry.path().string());
    EXPECT_EQ(target(bytes.data(), bytes.size()), "") << entry.path();
    ++count;
  }
  return count;
}

TEST(FuzzReplay, BmpCorpus) {
  EXPECT_GT(replay(fs::path(MIRUNE_FUZZ_CORPUS_DIR) / "bmp", fuzzing::fuzzBmp), 10u);
  EXPECT_GT(replay(MIRUNE_BMPSUITE_DIR, fuzzing::fuzzBmp), 80u);
}

TEST(FuzzReplay, IcoCorpus) {
  EXPECT_GT(replay(fs::path(MIRUNE_FUZZ_CORPUS_DIR) / "ico", fuzzing::fuzzIco), 5u);
}

}  // namespace
