#pragma once
#include <array>
#include <cstddef>
#include <utility>

#include "ui/controls.h"

namespace sheet {

// The film: 36 frames in a row, and a hidden 37th that takes one picture
// when the 36 are used.
inline constexpr int kFilmFrames = 36;
inline constexpr int kOverflow = 36;  // index of the hidden frame
// A frame's panel is this wide and high; the frames follow each other at
// this step along the strip.
inline constexpr int kFrameSize = 75;
// An empty frame's thumbnail: inside the panel's 2-pixel bevel.
inline constexpr int kThumbnailInset = 2;
inline constexpr int kThumbnailBox = kFrameSize - 2 * kThumbnailInset;

// Shown in an empty frame: as the window is built, and from the first tidy pass on.
inline constexpr const char* kBuiltPlaceholder = "（未撮影）";
inline constexpr const char* kPlaceholder = "(未撮影)";

// The caption colour of the selected frame, pure red; others are black.
inline constexpr ui::Color kSelectedCaptionColor = 0xFF0000;

// One frame of the film. The thumbnail holds the full-size picture and
// stretches it into its bounds (the image box); the caption's text is the
// frame's caption, and a frame is used exactly when that text is not
// empty. The panel's lowered bevel and the caption's red colour mark the
// selected frame; they travel with its picture when the film moves it.
struct Frame {
  // Frame `index` (0-based) in its place along the strip.
  Frame(ui::Control* strip, int index);

  ui::Panel panel;
  ui::Image thumbnail;
  ui::Label caption;

  bool used() const { return !caption.caption().empty(); }
  // The two selection marks, each read on its own: commands that act on
  // the selected frame look at one or the other.
  bool panelLowered() const { return panel.bevelInner() == ui::BevelCut::Lowered; }
  bool captionRed() const { return caption.font().color == kSelectedCaptionColor; }
};

// Sizes and centres the thumbnail for a picture of width x height pixels,
// scaling from the image box as it is now (71 x 71 in a cleared frame).
// Integer arithmetic; the centring is over the whole panel, then 2 is added.
// width and height must be positive.
void fitThumbnail(Frame& frame, int width, int height);

template <std::size_t... I>
std::array<Frame, sizeof...(I)> makeFrames(ui::Control& strip, std::index_sequence<I...>) {
  return {Frame(&strip, static_cast<int>(I))...};
}

// The 36 frames and the overflow frame, on the strip.
inline std::array<Frame, kFilmFrames + 1> makeFilm(ui::Control& strip) {
  return makeFrames(strip, std::make_index_sequence<kFilmFrames + 1>{});
}

}  // namespace sheet
