#pragma once
// The bodies of the fuzz targets, shared by the libFuzzer entry points and
// the corpus replay test. Each aborts if a decoder breaks its promises: a
// failure other than its own ui::Error, or a bitmap that does not survive
// being written and read back.

#include <cstddef>
#include <cstdint>

namespace fuzzing {

int fuzzBmp(const uint8_t* data, size_t size);
// Icons, and the metafile checker on the same bytes.
int fuzzIco(const uint8_t* data, size_t size);

}  // namespace fuzzing
