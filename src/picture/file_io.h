#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace picture {

// Paths are UTF-8 (wide API on Windows). Reading a file longer than
// maxBytes, or one that cannot be read to the end, fails as if it could not
// be opened: base::Error("ﾌｧｲﾙ %s は開けません") with the path as given.
std::vector<uint8_t> readFileBytes(const std::string& utf8Path, size_t maxBytes);
// Creates or replaces the file; base::Error("ﾌｧｲﾙ %s を作成できません") on failure.
void writeFileBytes(const std::string& utf8Path, const std::vector<uint8_t>& bytes);

}  // namespace picture
