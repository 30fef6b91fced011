// Handing a picture of the film to other programs: the paint program the
// desktop associates with bitmap files, and the option software.
#include "base/path.h"
#include "sheet/negative_sheet.h"
#include "ui/application.h"

namespace sheet {

// The frame with the red caption: one from a bitmap file has its bare
// name as caption, which the shell finds in the current folder. The extension is compared byte for
// byte, so "SHOT01.BMP" goes by the hand-off file, as a time stamp or
// "From Clip" does.
void NegativeSheet::openInPaintProgram() {
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

void NegativeSheet::startOptionSoftware() {
  if (services_.shell.startProgram(settings_.optionSoftwarePath)) return;
  services_.messages.show("PSが見つかりません。", application().title(), sys::MsgIcon::None,
                          sys::MsgButtons::OK);
}

}  // namespace sheet
