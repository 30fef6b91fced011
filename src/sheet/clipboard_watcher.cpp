#include "sheet/clipboard_watcher.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "app/clipboard_switch.h"
#include "base/error.h"
#include "sheet/film.h"

namespace sheet {

ClipboardWatcher::ClipboardWatcher(ui::Application& app, sys::Clipboard& clipboard, Film& film,
                                   const app::ClipboardSwitch& clipboardSwitch)
    : clipboard_(clipboard), film_(film), switch_(clipboardSwitch), timer_(app, "clipboardTimer", kInterval) {
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

  // Where the bitmap goes is settled before it is taken, after a tidy pass
  // that is due: a bitmap with no place stays on the clipboard for its
  // owner, and costs no copy. A full film with push-out (switched on
  // since) lets its oldest frame go, and the bitmap finds the overflow
  // frame free at a later tick.
  std::optional<Film::Place> place = film_.placeForClipboard();
  if (!place) return;

  // A bitmap that failed once is not tried again until the clipboard
  // changes: the error box's own loop keeps this timer running. Without a
  // count (0) a change cannot be seen, so every tick tries.
  if (change != 0 && failedChange_ == change) return;
  std::optional<picture::Bitmap> bitmap = take(change);
  // Held open by another program (or gone meanwhile): the next tick tries again.
  if (!bitmap || bitmap->empty()) return;

  taken_ = picture::Picture(std::move(*bitmap));
  if (place->inPlace) {
    // The frame keeps its image box, caption and marks.
    film_.replacePicture(place->index, taken_);
    return;
  }
  // A full film meets the bitmap as it meets a shot.
  staged_ = taken_;
  film_.add(staged_, kClipboardCaption);
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
