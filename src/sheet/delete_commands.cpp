// Emptying frames: the selected one, or all of them. The tidy pass closes
// the gaps afterwards.
#include "sheet/negative_sheet.h"
#include "ui/application.h"

namespace sheet {

// The selected frame is the first with a lowered panel; its caption's
// colour plays no part here.
void NegativeSheet::deleteSelectedFrame() {
  int selected = -1;
  for (int i = 0; i < kFilmFrames && selected < 0; ++i)
    if (frames[i].panelLowered()) selected = i;
  if (selected >= 0) {
    clearFrame(selected);
    frames[selected].caption.setFontColor(ui::clBlack);
    frames[selected].panel.setBevelInner(ui::BevelCut::Raised);
  } else {
    services_.messages.show("削除するパネルを選択してください。", application().title(), sys::MsgIcon::None,
                            sys::MsgButtons::OK);
  }
  scheduleTidy();
}

// The selection marks stay where they are: a picture that later lands in
// a frame that was selected shows as selected.
void NegativeSheet::deleteAllFrames() {
  scheduleTidy();
  for (int i = 0; i <= kOverflow; ++i)
    if (frames[i].used()) clearFrame(i);
  filmStrip.setPosition(ui::Axis::Horizontal, 0);
  playPosition = 1;
}

}  // namespace sheet
