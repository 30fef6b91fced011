#pragma once
#include <cstdint>
#include <string>

#include "picture/geometry.h"

namespace ui {

using Rect = picture::Rect;

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// 0x00RRGGBB; clNone marks "no colour of its own" (see-through).
using Color = std::uint32_t;
constexpr Color clNone = 0x1FFFFFFFu;
constexpr Color clBlack = 0x000000, clWhite = 0xFFFFFF, clNavy = 0x000080, clBtnFace = 0xC0C0C0,
                clBtnHighlight = 0xFFFFFF, clBtnShadow = 0x808080;
// Tooltips' colour until the application sets its own.
constexpr Color kDefaultHintColor = 0xE1FFFF;

inline Color rgb(int r, int g, int b) {
  return (Color(r & 255) << 16) | (Color(g & 255) << 8) | Color(b & 255);
}

enum class MouseButton { Left, Right, Middle };
// Shift state bits of mouse events.
enum : unsigned { ssShift = 1, ssCtrl = 2, ssAlt = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

enum class Cursor { Default, SizeWE, SizeNS, SizeNWSE, SizeNESW };
enum class BevelCut { None, Lowered, Raised };

struct Font {
  std::string name;  // empty: the system's own UI font
  int height = 12;   // pixels
  Color color = clBlack;
  bool bold = false;
  bool italic = false;
  bool operator==(const Font&) const = default;
};

// What changed in a control; a backend mirrors it on the screen.
enum class Change { Bounds, Visible, Appearance, Text, Enabled, Hint };

}  // namespace ui
