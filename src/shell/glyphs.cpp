#include "shell/glyphs.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace shell {
namespace {

using Rows = std::vector<std::string>;

// A glyph: background colour, and a pattern ('#' = ink) centred on it.
picture::Bitmap drawGlyph(int w, int h, std::uint32_t back, std::uint32_t ink, const Rows& rows) {
  auto b = picture::Bitmap::create(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, back);
  int ph = static_cast<int>(rows.size());
  int pw = 0;
  for (const auto& r : rows) pw = std::max(pw, static_cast<int>(r.size()));
  int ox = (w - pw) / 2, oy = (h - ph) / 2;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
      if (rows[y][x] == '#') b.setPixel(ox + x, oy + y, ink);
  return b;
}

}  // namespace

picture::Bitmap cameraGlyph() {
  // "写", the character of photographs.
  return drawGlyph(27, 23, 0x000000, 0xFF8000,
                   {"#################", "#################", "##.............##", "##....##.......##",
                    "......##.........", ".....##########..", ".....##..........", "....##...........",
                    "....############.", "....############.", "..............##.", "#################",
                    "#################", "..............##.", "..............##.", "...........#####.",
                    "...........####.."});
}

picture::Bitmap sheetGlyph() {
  return drawGlyph(27, 23, 0xFF00FF, 0xFFFF00,
                   {".....#..........#..#.#.", ".....#..........#...#.#", "###########.....#......",
                    ".........#...#########.", "........#.......#....#.", ".......#........#....#.",
                    "......##.......#.....#.", "....##.#.#.....#.....#.", "..##...#..#...#......#.",
                    "##.....#......#......#.", ".......#.....#.......#.", ".......#....#....#..#..",
                    ".......#...#......##..."});
}

picture::Bitmap clipboardGlyph() {
  return drawGlyph(26, 23, 0x008080, 0x800080,
                   {"..#####...##.....", ".##...##..##.....", "##.....#..##.....", "##........##.....",
                    "##........##.....", "##........##.....", "##........##.....", "##.....#..##.....",
                    ".##...##..##.....", "..#####...#######"});
}

picture::Bitmap helpGlyph() {
  return drawGlyph(27, 23, 0x800080, 0xFFFF00,
                   {"..#####..", ".##...##.", "##.....##", "......##.", ".....##..", "....##...", "....##...",
                    ".........", "....##...", "....##..."});
}

picture::Bitmap endGlyph() {
  // "終".
  return drawGlyph(27, 23, 0x000000, 0xFF0000,
                   {"...#......#......", "...#.....#####....", "..#..#..##...#....", ".##.#..#.#..#.....",
                    "...#.......##.....", "..#.#.....#..#....", ".#####...#....##..", "...#...##......##.",
                    "...#.#.....##.....", "...#.##......#....", "..##..#...........", ".#.#..#...###.....",
                    "...#.........##...", "...#...........#..", "...#............."});
}

}  // namespace shell
