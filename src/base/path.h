#pragma once
#include <string>

namespace base {

// Paths are UTF-8, where no byte of a multi-byte character is an ASCII
// byte: a scan for '\\', ':' or '.' byte by byte never takes half of a
// Japanese character for one, as a double-byte-aware scan of the Japanese
// code page does not. '/' separates folders too (Windows takes it).

// The text after the last '\\', '/' or ':' (the whole path when it has none).
std::string fileNamePart(const std::string& path);

// Whether Windows takes `name` as a file name in a folder: not empty, and no
// control character or any of \ / : * ? " < > |. Held to on every system, so
// a name refused on Windows is refused everywhere.
bool isPlainFileName(const std::string& name);

// The text after the last '.' of the file name (the part after the last
// '\\', '/' or ':'); empty when the name has no dot.
std::string extensionOf(const std::string& path);

// The path with its extension (".ini", dot included) replaced; a name
// without one gets ext appended.
std::string changeExtension(const std::string& path, const std::string& ext);

}  // namespace base
