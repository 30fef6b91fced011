#include "sheet/film.h"

namespace sheet {

namespace {

// The image box for a picture of width x height, scaled from the box the
// frame has now. Integer arithmetic; the centring is over the whole panel,
// then the inset is added.
picture::Rect fitted(const picture::Rect& box, int width, int height) {
  constexpr int side = Film::kPanelSize - 2 * Film::kInset;
  // 64-bit products: a picture may be tens of thousands of pixels long.
  const long long w = width, h = height;
  if (w >= h) {
    int fittedHeight = static_cast<int>(h * box.height / w);
    return {Film::kInset, (Film::kPanelSize - fittedHeight) / 2 + Film::kInset, side, fittedHeight};
  }
  int fittedWidth = static_cast<int>(w * box.width / h);
  return {(Film::kPanelSize - fittedWidth) / 2 + Film::kInset, Film::kInset, fittedWidth, side};
}

}  // namespace

Film::Film(const app::Settings& settings) : settings_(settings) {
  for (FrameContent& f : frames_) f.imageBox = kEmptyBox;
}

std::optional<int> Film::firstEmptyFrame() const {
  for (int i = 0; i <= kOverflow; ++i)
    if (!used(i)) return i;
  return std::nullopt;
}

std::vector<int> Film::usedFrames() const {
  std::vector<int> indices;
  for (int i = 0; i < kFrames; ++i)
    if (used(i)) indices.push_back(i);
  return indices;
}

int Film::titleCount() const {
  for (int i = 0; i + 1 < kFrames; ++i)
    if (used(i) && !used(i + 1)) return i + 1;
  return used(kFrames - 1) ? kFrames : 0;
}

std::optional<int> Film::add(const picture::Picture& picture, const std::string& caption) {
  if (picture.width() <= 0 || picture.height() <= 0) return std::nullopt;
  tidyIfDue();
  scheduleTidy();
  std::optional<int> target = firstEmptyFrame();
  if (target) {
    FrameContent& f = frames_[static_cast<std::size_t>(*target)];
    f.imageBox = fitted(f.imageBox, picture.width(), picture.height());
    f.image = picture;
    f.caption = caption;
    changed(*target);
  }
  // A full film with push-out drops its oldest picture, marks and all.
  if (used(kOverflow) && settings_.pushOutWhenFull) pushOutOldest();
  return target;
}

std::optional<Film::Place> Film::placeForClipboard() {
  tidyIfDue();
  // A red caption left on an emptied frame does not swallow the pictures.
  if (red_ && used(*red_)) return Place{*red_, true};
  if (used(kOverflow) && settings_.pushOutWhenFull) {
    // The room comes with the tidy pass: the picture waits for a later look.
    pushOutOldest();
    return std::nullopt;
  }
  if (std::optional<int> empty = firstEmptyFrame()) return Place{*empty, false};
  return std::nullopt;
}

void Film::replacePicture(int index, const picture::Picture& picture) {
  frames_[static_cast<std::size_t>(index)].image = picture;
  changed(index);
}

Film::Toggle Film::toggle(int index) {
  if (!used(index)) return Toggle::Nothing;
  if (lowered_ == index) {
    setLowered(std::nullopt);
    if (red_ == index) setRed(std::nullopt);
    return Toggle::Unselected;
  }
  setLowered(index);
  setRed(index);
  return Toggle::Selected;
}

std::optional<int> Film::deleteLowered() {
  std::optional<int> deleted = lowered_;
  if (deleted) {
    clear(*deleted);
    setLowered(std::nullopt);
    if (red_ == deleted) setRed(std::nullopt);
  }
  scheduleTidy();
  return deleted;
}

void Film::deleteAll() {
  scheduleTidy();
  for (int i = 0; i <= kOverflow; ++i)
    if (used(i)) clear(i);
  rewind();
}

void Film::clear(int index) {
  FrameContent& f = frames_[static_cast<std::size_t>(index)];
  f.image = picture::Picture();
  f.imageBox = kEmptyBox;
  f.caption.clear();
  changed(index);
}

std::optional<int> Film::playStep() {
  const int shown = play_;
  if (!used(shown)) {
    rewind();
    return std::nullopt;
  }
  play_ = shown == kFrames - 1 ? 0 : shown + 1;
  return shown;
}

void Film::scheduleTidy() {
  if (tidyDue_) return;
  tidyDue_ = true;
  if (onTidyDue) onTidyDue();
}

void Film::tidy() {
  // One sweep: a run of used frames behind a gap slides down by one; a
  // wider gap takes a pass per frame.
  for (int i = 0; i < kFrames; ++i)
    if (!used(i) && used(i + 1)) move(i + 1, i);
  const FrameContent& overflow = frame(kOverflow);
  if (!overflow.used() && settings_.pushOutWhenFull &&
      (!overflow.image.empty() || !(overflow.imageBox == kEmptyBox)))
    clear(kOverflow);
  tidyDue_ = false;
  if (onTidied) onTidied();
}

void Film::tidyIfDue() {
  if (tidyDue_) tidy();
}

// Two of the 36 trade their marks, so that a mark travels with its
// picture; the overflow frame has none to trade.
void Film::move(int from, int to) {
  frames_[static_cast<std::size_t>(to)] = frame(from);
  changed(to);
  clear(from);
  if (from == kOverflow) return;
  auto trade = [&](std::optional<int> mark) -> std::optional<int> {
    if (mark == from) return to;
    if (mark == to) return from;
    return mark;
  };
  setLowered(trade(lowered_));
  setRed(trade(red_));
}

// Frame 1 gives way, and its marks go with its picture.
void Film::pushOutOldest() {
  scheduleTidy();
  clear(0);
  if (lowered_ == 0) setLowered(std::nullopt);
  if (red_ == 0) setRed(std::nullopt);
}

void Film::setLowered(std::optional<int> index) {
  if (lowered_ == index) return;
  std::optional<int> old = lowered_;
  lowered_ = index;
  if (old) changed(*old);
  if (index) changed(*index);
}

void Film::setRed(std::optional<int> index) {
  if (red_ == index) return;
  std::optional<int> old = red_;
  red_ = index;
  if (old) changed(*old);
  if (index) changed(*index);
}

void Film::changed(int index) {
  if (onFrameChanged) onFrameChanged(index);
}

}  // namespace sheet
