#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace picture {

// Paths are UTF-8 (wide API on Windows). A file that cannot be read to the
// end fails as if it could not be opened: base::Error("ﾌｧｲﾙ %s は開けません")
// with the path as given; one longer than maxBytes with the
// out-of-resources text (more than a picture may hold).
std::vector<uint8_t> readFileBytes(const std::string& utf8Path, size_t maxBytes);
// Creates or replaces the file through a temporary file beside it, so a
// failure leaves the old file whole and nothing half-written;
// base::Error("ﾌｧｲﾙ %s を作成できません") on failure.
void writeFileBytes(const std::string& utf8Path, const std::vector<uint8_t>& bytes);

}  // namespace picture
