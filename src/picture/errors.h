#pragma once
// The picture layer's failures, in the class library's words.

#include <new>
#include <stdexcept>
#include <string>

#include "base/error.h"

namespace picture::messages {

inline constexpr const char* kBadBitmap = "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です";
inline constexpr const char* kBadIcon = "ｱｲｺﾝｲﾒｰｼﾞが不正です";
inline constexpr const char* kBadMetafile = "ﾒﾀﾌｧｲﾙが不正です";
inline constexpr const char* kUnknownExtension = "拡張子 .%s の画像形式は処理できません";
inline constexpr const char* kCannotOpen = "ﾌｧｲﾙ %s は開けません";
inline constexpr const char* kCannotCreate = "ﾌｧｲﾙ %s を作成できません";

// A picture larger than a bitmap may be (or memory that ran out).
[[noreturn]] inline void outOfResources() { throw base::Error(base::kOutOfResources); }
[[noreturn]] inline void badBitmap() { throw base::Error(kBadBitmap); }
[[noreturn]] inline void badIcon() { throw base::Error(kBadIcon); }
[[noreturn]] inline void badMetafile() { throw base::Error(kBadMetafile); }
[[noreturn]] inline void withName(const char* pattern, const std::string& name) {
  throw base::Error(base::format(pattern, name));
}

// Runs a step that makes, reads or writes a picture. Memory running out,
// or a bitmap larger than a picture may be (the only invalid argument a
// bitmap meets there), is said in the program's words.
template <class Step>
auto inProgramWords(Step step) -> decltype(step()) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    outOfResources();
  } catch (const std::length_error&) {
    outOfResources();
  } catch (const std::invalid_argument&) {
    outOfResources();
  }
}

}  // namespace picture::messages
