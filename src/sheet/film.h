#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "picture/geometry.h"
#include "picture/picture.h"

namespace sheet {

// What one frame holds: its full-size picture (image), where the thumbnail
// sits in the frame's 75 x 75 panel, and its caption. Used exactly when the
// caption is not empty; an empty frame may still hold a picture and a box.
struct FrameContent {
  picture::Picture image;
  picture::Rect imageBox;
  std::string caption;

  bool used() const { return !caption.empty(); }
};

// The film: 36 frames, a hidden overflow frame, the two selection marks,
// the play position and the tidy pass that closes gaps. No widget: the
// negative sheet shows it and turns the user's commands into calls on it.
class Film {
 public:
  static constexpr int kFrames = 36;
  static constexpr int kOverflow = kFrames;  // index of the hidden 37th frame
  static constexpr int kPanelSize = 75;
  static constexpr int kInset = 2;
  // An empty frame's image box.
  static constexpr picture::Rect kEmptyBox{kInset, kInset, kPanelSize - 2 * kInset, kPanelSize - 2 * kInset};

  // Push-out is read from the settings at each picture and tidy pass.
  explicit Film(const app::Settings& settings);
  Film(const Film&) = delete;
  Film& operator=(const Film&) = delete;

  // The window listens: a frame's content or marks changed; a tidy pass
  // became due; a tidy pass ran (the title and placeholders follow it).
  std::function<void(int index)> onFrameChanged;
  std::function<void()> onTidyDue;
  std::function<void()> onTidied;

  const FrameContent& frame(int index) const { return frames_[static_cast<std::size_t>(index)]; }
  bool used(int index) const { return frame(index).used(); }
  // The lowest empty frame of the 36, else the overflow frame if empty.
  std::optional<int> firstEmptyFrame() const;
  // The used frames of the 36 in film order: what batch save writes.
  std::vector<int> usedFrames() const;
  // The title's number: the first used frame that an empty one follows,
  // 36 for a used frame 36, else 0 (no number).
  int titleCount() const;

  // A picture into the first empty frame, fitted; answers the frame, or
  // none when the film is full or the picture has no size.
  std::optional<int> add(const picture::Picture& picture, const std::string& caption);

  // Where a picture the clipboard offers would go, settled before it is
  // taken: the red-captioned frame in place, else the first empty frame.
  struct Place {
    int index;
    bool inPlace;
  };
  std::optional<Place> placeForClipboard();
  // The picture alone changes: image box, caption and marks stay.
  void replacePicture(int index, const picture::Picture& picture);

  // The two selection marks: the lowered panel (read by delete and the
  // frame click) and the red caption (read by paint and the clipboard).
  // A frame click sets both; sheet printing drops only the panel's.
  std::optional<int> loweredFrame() const { return lowered_; }
  std::optional<int> redFrame() const { return red_; }
  enum class Toggle { Nothing, Selected, Unselected };
  // A click on one of the 36: an empty frame ignores it, a lowered one
  // loses its marks, any other becomes the only marked frame.
  Toggle toggle(int index);
  void dropLoweredMark() { setLowered(std::nullopt); }

  // Clears the lowered frame and its marks, answering it; none when no
  // panel is lowered. A tidy pass is due either way.
  std::optional<int> deleteLowered();
  // Clears every used frame, overflow too, and plays from frame 1 again;
  // the marks stay where they are.
  void deleteAll();
  // No picture, the empty box, no caption; the marks stay.
  void clear(int index);

  // The frame the next play step shows, then the position moves on (after
  // frame 36 back to 1); at an empty frame nothing shows and play restarts.
  std::optional<int> playStep();
  // The index of the frame the next step shows.
  int playPosition() const { return play_; }
  void rewind() { play_ = 0; }

  // The tidy pass: one sweep closing gaps (marks move with their picture);
  // with push-out an empty overflow frame loses a leftover picture.
  void scheduleTidy();
  bool tidyDue() const { return tidyDue_; }
  void tidy();

 private:
  void tidyIfDue();
  void move(int from, int to);
  void pushOutOldest();
  void setLowered(std::optional<int> index);
  void setRed(std::optional<int> index);
  void changed(int index);

  const app::Settings& settings_;
  std::array<FrameContent, kFrames + 1> frames_;
  std::optional<int> lowered_, red_;
  int play_ = 0;
  // Due once as the film is made: the window's first pass shows the placeholders.
  bool tidyDue_ = true;
};

}  // namespace sheet
