#include "sheet/negative_sheet.h"

#include <algorithm>
#include <string>

#include "ui/application.h"

namespace sheet {

namespace {

constexpr int kButtonColumnWidth = 89;
// The strip scrolls over all 36 frames, one increment at a time.
constexpr int kStripLength = kFilmFrames * kFrameSize;
constexpr int kStripIncrement = 25;
constexpr int kStripHeight = 88;
// The first frame whose loading scrolls the strip on by one frame (frame 8).
constexpr int kFirstScrollingFrame = 7;

constexpr const char* kTitle = "ネガシート";

}  // namespace

NegativeSheet::NegativeSheet(ui::Application& app, sys::Services& services, const app::Settings& settings,
                             app::CameraBoxView& cameraBox)
    : ui::Form(app, "negativeSheet"),
      services_(services),
      settings_(settings),
      cameraBox_(cameraBox),
      positions_(services.registry) {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setCaption(kTitle);
  struct ButtonSetup {
    ui::PushButton& button;
    ui::Rect bounds;
    const char* caption;
    ui::PopupMenu* menu;
  } buttons[] = {
      {playButton, {4, 5, 83, 21}, "連続表示　＞", &playMenu.menu},
      {paintButton, {4, 26, 83, 20}, "ペイント　＞", &paintMenu.menu},
      {saveButton, {4, 46, 83, 20}, "連続保存＞", &saveMenu.menu},
      {deleteButton, {4, 66, 83, 20}, "削除　＞", &deleteMenu.menu},
      {printButton, {4, 86, 83, 20}, "ﾈｶﾞｼｰﾄ印刷", nullptr},
  };
  for (auto& b : buttons) {
    b.button.setBounds(b.bounds);
    b.button.setCaption(b.caption);
    b.button.setPopupMenu(b.menu);
  }
  filmStrip.setRange(ui::Axis::Horizontal, kStripLength);
  filmStrip.setIncrement(ui::Axis::Horizontal, kStripIncrement);
  filmStrip.setRange(ui::Axis::Vertical, kStripHeight);
  filmBackground_.setBounds({0, 0, kStripLength, 76});
  filmBackground_.setBevelOuter(ui::BevelCut::None);
  for (int i = 0; i <= kOverflow; ++i) {
    // The hidden overflow frame's thumbnail stands for frame 36.
    int target = std::min(i, kFilmFrames - 1);
    frames[i].thumbnail.onMouseDown = [this, target](ui::MouseButton, unsigned, int, int) {
      toggleFrame(target);
    };
  }
  playButton.onClick = [this] { slideshow_.showNextFrame(); };
  playMenu.autoPlay.onClick = [this] { slideshow_.autoPlay(); };
  saveButton.onClick = [this] { saveFilm(); };
  saveMenu.loadFilm.onClick = [this] { loadFilm(); };
  deleteButton.onClick = [this] { deleteSelectedFrame(); };
  deleteMenu.deleteAll.onClick = [this] { deleteAllFrames(); };
  paintButton.onClick = [this] { paintHandOff_.openInPaintProgram(); };
  paintMenu.startOptionSoftware.onClick = [this] { paintHandOff_.startOptionSoftware(); };
  film_.onFrameChanged = [this](int i) { showFrame(i); };
  film_.onTidyDue = [this] { tidyTimer.setInterval(1); };
  film_.onTidied = [this] { showTidied(); };
  tidyTimer.onTimer = [this] { film_.tidy(); };
  printButton.onClick = [this] { printContactSheet(); };
  onCreate = [this] { setUp(); };
  onShow = [this] { readPosition(); };
}

void NegativeSheet::setUp() {
  // Along the bottom edge, the full width of the screen.
  setClientWidth(644);
  setClientHeight(109);
  int sw = services_.screen.width(), sh = services_.screen.height();
  setBounds({0, sh - height(), sw, height()});
  layOut();
  filmStrip.setPosition(ui::Axis::Horizontal, 0);
}

void NegativeSheet::layOut() {
  buttonColumn.setBounds({0, 0, kButtonColumnWidth, clientHeight()});
  filmStrip.setBounds(
      {kButtonColumnWidth, 0, std::max(0, clientWidth() - kButtonColumnWidth), clientHeight()});
}

// The print grid shows the frames flat; the strip shows the marks again,
// all but the lowered panel, and plays from frame 1.
void NegativeSheet::arranged() {
  if (!contactSheet_.inGrid()) {
    layOut();
    film_.dropLoweredMark();
    film_.rewind();
  }
  for (int i = 0; i < kFilmFrames; ++i) showMarks(i);
}

// The top the sheet had when the program last ended, each time it shows.
void NegativeSheet::readPosition() {
  auto stored = positions_.open();
  if (!stored) return;
  setTop(stored->negativeSheetTop());
  bringBackIfLost();
}

void NegativeSheet::showFrame(int index) {
  const FrameContent& c = film_.frame(index);
  Frame& f = frames[index];
  // Setting a picture repaints it: only the changed frame is shown again.
  f.thumbnail.setPicture(c.image);
  f.thumbnail.setBounds(c.imageBox);
  f.caption.setCaption(c.caption);
  showMarks(index);
}

void NegativeSheet::showMarks(int index) {
  if (index == kOverflow) return;
  Frame& f = frames[index];
  const ui::BevelCut bevel = contactSheet_.inGrid()          ? ui::BevelCut::None
                             : film_.loweredFrame() == index ? ui::BevelCut::Lowered
                                                             : ui::BevelCut::Raised;
  if (f.panel.bevelInner() != bevel) f.panel.setBevelInner(bevel);
  const ui::Color color = film_.redFrame() == index ? kSelectedCaptionColor : ui::clBlack;
  // A colour is set with a copy of the font: only a change sets it.
  if (f.caption.font().color != color) f.caption.setFontColor(color);
}

// "ネガシート　N枚", or the bare title when the film counts none.
void NegativeSheet::showTidied() {
  const int count = film_.titleCount();
  setCaption(count == 0 ? std::string(kTitle)
                        : std::string(kTitle) + "\u3000" + std::to_string(count) + "枚");
  for (int i = 0; i < kFilmFrames; ++i) frames[i].panel.setCaption(film_.used(i) ? "" : kPlaceholder);
  tidyTimer.setInterval(0);
}

std::optional<int> NegativeSheet::addPicture(const picture::Picture& picture, const std::string& caption) {
  std::optional<int> at = film_.add(picture, caption);
  if (at && *at >= kFirstScrollingFrame && *at < kFilmFrames)
    filmStrip.setPosition(ui::Axis::Horizontal, filmStrip.position(ui::Axis::Horizontal) + kFrameSize);
  return at;
}

void NegativeSheet::loadIntoFilm(const picture::Picture& picture, const std::string& name) {
  std::optional<int> at = addPicture(picture, name);
  cameraBox_.showPicture(picture, name, at ? app::PhotoSize::Own : app::PhotoSize::Kept);
}

void NegativeSheet::toggleFrame(int index) {
  if (film_.toggle(index) != sheet::Film::Toggle::Selected) return;
  const FrameContent& f = film_.frame(index);
  const picture::Picture selected = f.image;
  cameraBox_.showPicture(selected, f.caption, app::PhotoSize::Selected);
  // Last: when the file cannot be written, the frame is selected and shown
  // all the same.
  paintHandOff_.writeHandOffFile(selected);
}

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
