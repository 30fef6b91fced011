#pragma once
#include <array>
#include <string>
#include <vector>

namespace dialogs {

// The manual's length in lines, blank lines at the end included: 600 lines
// of 12 pixels make the 7200-pixel text area.
inline constexpr int kManualLineCount = 600;

// The six chapter headings, each a line of its own in the manual.
inline constexpr std::array<const char*, 6> kChapterHeadings = {
    "１：Miruneについて", "２：セレクトボタン", "３：カメラボックス",
    "４：メニュー",       "５：ネガシート",     "６：オプション",
};

// The help window's manual, one entry per line.
std::vector<std::string> manualLines();

}  // namespace dialogs
