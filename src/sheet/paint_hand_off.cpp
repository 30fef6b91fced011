#include "sheet/paint_hand_off.h"

#include "base/path.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "sheet/frame.h"
#include "ui/backend.h"

namespace sheet {

PaintHandOff::PaintHandOff(const Film& film, sys::Services& services, const app::Settings& settings,
                           ui::Application& app)
    : film_(film), services_(services), settings_(settings), app_(app) {}

std::string PaintHandOff::handOffPath() const { return services_.files.temporaryDirectory() + kHandOffFile; }

// An empty picture writes nothing.
void PaintHandOff::writeHandOffFile(const picture::Picture& selected) const {
  if (selected.empty()) return;
  picture::writeFileBytes(handOffPath(), picture::writeBmp(shownBitmap(selected, app_.backend().painter())));
}

// The frame with the red caption: one from a bitmap file has its bare
// name as caption, which the shell finds in the current folder. The
// extension is compared byte for byte, so "SHOT01.BMP" goes by the
// hand-off file, as a time stamp or "From Clip" does.
void PaintHandOff::openInPaintProgram() {
  if (std::optional<int> red = film_.redFrame()) {
    const std::string& caption = film_.frame(*red).caption;
    if (base::extensionOf(caption) == "bmp") {
      services_.shell.openFile(caption);
      return;
    }
  }
  // The picture of the frame selected last, in this run or an earlier one.
  services_.shell.openFile(handOffPath());
}

void PaintHandOff::startOptionSoftware() {
  if (services_.shell.startProgram(settings_.optionSoftwarePath)) return;
  services_.messages.show("PSが見つかりません。", app_.title(), sys::MsgIcon::None, sys::MsgButtons::OK);
}

}  // namespace sheet
