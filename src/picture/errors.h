#pragma once
// The picture layer's failures, in the class library's words.

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

}  // namespace picture::messages
