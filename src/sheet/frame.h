#pragma once
#include <array>
#include <cstddef>
#include <utility>

#include "sheet/film.h"
#include "ui/controls.h"

namespace sheet {

// The film: 36 frames in a row, and a hidden 37th that takes one picture
// when the 36 are used.
inline constexpr int kFilmFrames = Film::kFrames;
inline constexpr int kOverflow = Film::kOverflow;  // index of the hidden frame
// A frame's panel is this wide and high; the frames follow each other at
// this step along the strip.
inline constexpr int kFrameSize = Film::kPanelSize;
// An empty frame's thumbnail: inside the panel's 2-pixel bevel.
inline constexpr int kThumbnailInset = Film::kInset;
inline constexpr int kThumbnailBox = Film::kEmptyBox.width;

// Shown in an empty frame: as the window is built, and from the first tidy pass on.
inline constexpr const char* kBuiltPlaceholder = "（未撮影）";
inline constexpr const char* kPlaceholder = "(未撮影)";

// The caption colour of the selected frame, pure red; others are black.
inline constexpr ui::Color kSelectedCaptionColor = 0xFF0000;

// One frame of the film as the window shows it: its panel, the thumbnail
// in its image box, and the caption under the panel.
struct Frame {
  // Frame `index` (0-based) in its place along the strip.
  Frame(ui::Control* strip, int index);

  ui::Panel panel;
  ui::Image thumbnail;
  ui::Label caption;
};

template <std::size_t... I>
std::array<Frame, sizeof...(I)> makeFrames(ui::Control& strip, std::index_sequence<I...>) {
  return {Frame(&strip, static_cast<int>(I))...};
}

// The 36 frames and the overflow frame, on the strip.
using Frames = std::array<Frame, kFilmFrames + 1>;
inline Frames makeFilm(ui::Control& strip) {
  return makeFrames(strip, std::make_index_sequence<kFilmFrames + 1>{});
}

// A standard bitmap of the picture as shown: a bitmap as it is, an icon
// as its image, a metafile played into a bitmap of its size on white
// (one that records no size, into the thumbnail's box).
picture::Bitmap shownBitmap(const picture::Picture& picture, ui::Painter& painter);

}  // namespace sheet
