#pragma once
#include <array>
#include <string>
#include <vector>

namespace dialogs {

// The six chapter headings, each a line of its own in the manual.
inline constexpr std::array<const char*, 6> kChapterHeadings = {
    "１：Miruneについて", "２：セレクトボタン", "３：カメラボックス",
    "４：メニュー",       "５：ネガシート",     "６：オプション",
};

// The help window's manual, one entry per line.
std::vector<std::string> manualLines();

}  // namespace dialogs
