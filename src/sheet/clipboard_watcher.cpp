#include "sheet/clipboard_watcher.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "app/clipboard_switch.h"
#include "app/settings.h"
#include "base/error.h"
#include "sheet/negative_sheet.h"
#include "ui/controls.h"

namespace sheet {

ClipboardWatcher::ClipboardWatcher(ui::Application& app, sys::Clipboard& clipboard, NegativeSheet& film,
                                   const app::ClipboardSwitch& clipboardSwitch, ui::Image& taken,
                                   ui::Image& staged)
    : clipboard_(clipboard),
      film_(film),
      switch_(clipboardSwitch),
      taken_(taken),
      staged_(staged),
      timer_(app, "clipboardTimer", kInterval) {
  timer_.onTimer = [this] { tick(); };
}

void ClipboardWatcher::tick() {
  if (!switch_.intercepting()) return;
  // The change count is answered without a round trip to the clipboard's
  // owner: a clipboard that has not changed since the last tick is not
  // asked for its formats again. A count of 0 is no count at all.
  const std::uint32_t change = clipboard_.changeCount();
  if (change == 0 || !lastLook_ || lastLook_->change != change)
    lastLook_ = Look{change, clipboard_.hasBitmap()};
  if (!lastLook_->hasBitmap) return;

  // A push-out that a shot or an earlier take left to the tidy pass is
  // finished first, so that the frame chosen below is not emptied again.
  film_.tidyIfDue();
  // Where the bitmap goes is settled before it is taken: a bitmap with no
  // place stays on the clipboard for its owner, and costs no copy. Only a
  // used frame is replaced in place; a red caption left on an emptied
  // frame does not swallow the bitmaps.
  auto& frames = film_.frames;
  std::optional<int> selected;
  for (int i = 0; i < kFilmFrames && !selected; ++i)
    if (frames[i].captionRed()) selected = i;
  if (selected && !frames[*selected].used()) selected.reset();
  if (!selected && frames[kOverflow].used() && app::settings.pushOutWhenFull) {
    // The film and its overflow frame are full (push-out was switched on
    // since): the oldest frame gives way, and the bitmap, left on the
    // clipboard, finds the overflow frame free at a later tick.
    film_.pushOutOldest();
    return;
  }
  std::optional<int> target = selected ? selected : film_.firstEmptyFrame();
  if (!target) return;

  // A bitmap that failed once is not tried again until the clipboard
  // changes: the error box's own loop keeps this timer running. Without a
  // count (0) a change cannot be seen, so every tick tries.
  if (change != 0 && failedChange_ == change) return;
  std::optional<picture::Bitmap> bitmap = take(change);
  // Held open by another program (or gone meanwhile): the next tick tries again.
  if (!bitmap || bitmap->empty()) return;

  taken_.setPicture(picture::Picture(std::move(*bitmap)));
  if (selected) {
    // In place: the frame keeps its image box and caption.
    frames[*selected].thumbnail.setPicture(taken_.picture());
    return;
  }
  staged_.setPicture(taken_.picture());
  Frame& f = frames[*target];
  fitThumbnail(f, staged_.picture().width(), staged_.picture().height());
  f.thumbnail.setPicture(staged_.picture());
  f.caption.setCaption(kClipboardCaption);
  // The title counts the new frame.
  film_.scheduleTidy();
  // A full film meets the bitmap as it meets a shot: with push-out the
  // oldest frame goes and the tidy pass moves the new one in last.
  if (frames[kOverflow].used() && app::settings.pushOutWhenFull) film_.pushOutOldest();
}

namespace {

// Rethrows the failure being handled, a too large bitmap in the program's
// words; the loop's error box words the rest.
[[noreturn]] void rethrowInProgramWords() {
  try {
    throw;
  } catch (const std::length_error&) {
    throw base::Error(base::kOutOfResources);
  } catch (const std::invalid_argument&) {
    // A bitmap beyond the size a picture may have.
    throw base::Error(base::kOutOfResources);
  }
}

}  // namespace

std::optional<picture::Bitmap> ClipboardWatcher::take(std::uint32_t change) {
  try {
    std::optional<picture::Bitmap> taken = clipboard_.takeBitmap();
    failedChange_.reset();
    return taken;
  } catch (...) {
    // Whatever failed, this change has been tried. Without a count, the
    // bitmap is tried again at each tick, and its failure told only once
    // until a take goes through.
    const bool toldAlready = change == 0 && failedChange_ == 0u;
    failedChange_ = change;
    if (toldAlready) return std::nullopt;
    rethrowInProgramWords();
  }
}

}  // namespace sheet
