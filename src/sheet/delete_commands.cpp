// Emptying frames: the selected one, or all of them. The tidy pass closes
// the gaps afterwards.
#include "sheet/negative_sheet.h"
#include "ui/application.h"

namespace sheet {

// The selected frame is the one with the lowered panel; its caption's
// colour plays no part here. The tidy pass is due either way.
void NegativeSheet::deleteSelectedFrame() {
  if (film_.deleteLowered()) return;
  services_.messages.show("削除するパネルを選択してください。", application().title(), sys::MsgIcon::None,
                          sys::MsgButtons::OK);
}

// The selection marks stay where they are: a picture that later lands in
// a frame that was selected shows as selected.
void NegativeSheet::deleteAllFrames() {
  film_.deleteAll();
  filmStrip.setPosition(ui::Axis::Horizontal, 0);
}

}  // namespace sheet
