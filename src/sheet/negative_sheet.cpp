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
      {buttons_.play, {4, 5, 83, 21}, "連続表示　＞", &menus_.play.menu},
      {buttons_.paint, {4, 26, 83, 20}, "ペイント　＞", &menus_.paint.menu},
      {buttons_.save, {4, 46, 83, 20}, "連続保存＞", &menus_.save.menu},
      {buttons_.remove, {4, 66, 83, 20}, "削除　＞", &menus_.remove.menu},
      {buttons_.print, {4, 86, 83, 20}, "ﾈｶﾞｼｰﾄ印刷", nullptr},
  };
  for (auto& b : buttons) {
    b.button.setBounds(b.bounds);
    b.button.setCaption(b.caption);
    b.button.setPopupMenu(b.menu);
  }
  filmStrip_.setRange(ui::Axis::Horizontal, kStripLength);
  filmStrip_.setIncrement(ui::Axis::Horizontal, kStripIncrement);
  filmStrip_.setRange(ui::Axis::Vertical, kStripHeight);
  filmBackground_.setBounds({0, 0, kStripLength, 76});
  filmBackground_.setBevelOuter(ui::BevelCut::None);
  for (int i = 0; i <= kOverflow; ++i) {
    // The hidden overflow frame's thumbnail stands for frame 36.
    int target = std::min(i, kFilmFrames - 1);
    frames_[i].thumbnail.onMouseDown = [this, target](ui::MouseButton, unsigned, int, int) {
      toggleFrame(target);
    };
  }
  buttons_.play.onClick = [this] { slideshow_.showNextFrame(); };
  menus_.play.autoPlay.onClick = [this] { slideshow_.autoPlay(); };
  buttons_.save.onClick = [this] { saveFilm(); };
  menus_.save.loadFilm.onClick = [this] { loadFilm(); };
  buttons_.remove.onClick = [this] { deleteSelectedFrame(); };
  menus_.remove.deleteAll.onClick = [this] { deleteAllFrames(); };
  buttons_.paint.onClick = [this] { paintHandOff_.openInPaintProgram(); };
  menus_.paint.startOptionSoftware.onClick = [this] { paintHandOff_.startOptionSoftware(); };
  film_.onFrameChanged = [this](int i) { showFrame(i); };
  film_.onTidyDue = [this] { tidyTimer_.setInterval(1); };
  film_.onTidied = [this] { showTidied(); };
  tidyTimer_.onTimer = [this] { film_.tidy(); };
  buttons_.print.onClick = [this] { printContactSheet(); };
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
  scrollStrip(0);
}

void NegativeSheet::layOut() {
  buttonColumn_.setBounds({0, 0, kButtonColumnWidth, clientHeight()});
  filmStrip_.setBounds(
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
  Frame& f = frames_[index];
  // Setting a picture repaints it: only the changed frame is shown again.
  f.thumbnail.setPicture(c.image);
  f.thumbnail.setBounds(c.imageBox);
  f.caption.setCaption(c.caption);
  showMarks(index);
}

void NegativeSheet::showMarks(int index) {
  if (index == kOverflow) return;
  Frame& f = frames_[index];
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
  for (int i = 0; i < kFilmFrames; ++i) frames_[i].panel.setCaption(film_.used(i) ? "" : kPlaceholder);
  tidyTimer_.setInterval(0);
}

NegativeSheet::SheetLook NegativeSheet::look() const {
  SheetLook look;
  look.column = buttonColumn_.bounds();
  look.columnShown = buttonColumn_.visible();
  const ui::Control& content = filmStrip_.content();
  look.strip = {filmStrip_.bounds(),
                filmStrip_.range(ui::Axis::Horizontal),
                filmStrip_.range(ui::Axis::Vertical),
                filmStrip_.increment(ui::Axis::Horizontal),
                filmStrip_.position(ui::Axis::Horizontal),
                filmStrip_.maxPosition(ui::Axis::Horizontal),
                filmStrip_.viewport().width,
                filmStrip_.barShown(ui::Axis::Horizontal),
                filmStrip_.barShown(ui::Axis::Vertical),
                {content.formLeft(), content.formTop()}};
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    const Frame& f = frames_[i];
    look.frames[i] = {f.panel.bounds(),     f.panel.visible(),     f.panel.bevelInner(), f.panel.caption(),
                      f.thumbnail.bounds(), f.thumbnail.picture(), f.caption.bounds(),   f.caption.caption(),
                      f.caption.font(),     f.caption.visible()};
  }
  return look;
}

std::optional<int> NegativeSheet::addPicture(const picture::Picture& picture, const std::string& caption) {
  std::optional<int> at = film_.add(picture, caption);
  if (at && *at >= kFirstScrollingFrame && *at < kFilmFrames)
    scrollStrip(filmStrip_.position(ui::Axis::Horizontal) + kFrameSize);
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
  scrollStrip(0);
}

}  // namespace sheet
