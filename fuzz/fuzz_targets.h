#pragma once
// The bodies of the fuzz targets, shared by the libFuzzer entry points and
// the corpus replay tests. Each returns what promise the reader broke (a
// failure other than its own error text, a bitmap that does not survive
// being written and read back ...), or "" when it kept them all. The
// fuzzer entry points abort on a broken promise; the replay tests report it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

std::string fuzzBmp(const uint8_t* data, size_t size);
// Icons, and the metafile checker on the same bytes.
std::string fuzzIco(const uint8_t* data, size_t size);
// The bytes as a settings file at scratchFile (replaced, left behind for the
// caller to remove): they load, and values written into it read back.
std::string fuzzSettings(const uint8_t* data, size_t size, const std::string& scratchFile);

// For the libFuzzer entry points.
int abortIfBroken(const std::string& broken);

}  // namespace fuzzing
