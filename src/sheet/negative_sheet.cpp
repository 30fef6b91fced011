#include "sheet/negative_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/camera_box_view.h"
#include "app/settings.h"
#include "app/windows.h"
#include "picture/bmp.h"
#include "picture/file_io.h"
#include "ui/application.h"
#include "ui/backend.h"

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

NegativeSheet::NegativeSheet(ui::Application& app, sys::Services& services)
    : ui::Form(app, "negativeSheet"), services_(services), positions_(services.registry) {
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
  filmBackground.setBounds({0, 0, kStripLength, 76});
  filmBackground.setBevelOuter(ui::BevelCut::None);
  for (int i = 0; i <= kOverflow; ++i) {
    // The hidden overflow frame's thumbnail stands for frame 36.
    int target = std::min(i, kFilmFrames - 1);
    frames[i].thumbnail.onMouseDown = [this, target](ui::MouseButton, unsigned, int, int) {
      toggleFrame(target);
    };
  }
  playButton.onClick = [this] { showNextFrame(); };
  playMenu.autoPlay.onClick = [this] { autoPlay(); };
  saveButton.onClick = [this] { saveFilm(); };
  saveMenu.loadFilm.onClick = [this] { loadFilm(); };
  deleteButton.onClick = [this] { deleteSelectedFrame(); };
  deleteMenu.deleteAll.onClick = [this] { deleteAllFrames(); };
  paintButton.onClick = [this] { openInPaintProgram(); };
  paintMenu.startOptionSoftware.onClick = [this] { startOptionSoftware(); };
  tidyTimer.onTimer = [this] { tidyFilm(); };
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

// The top the sheet had when the program last ended, each time it shows.
void NegativeSheet::readPosition() {
  auto stored = positions_.open();
  if (!stored) return;
  setTop(stored->negativeSheetTop());
  bringBackIfLost();
}

void NegativeSheet::scheduleTidy() { tidyTimer.setInterval(1); }

void NegativeSheet::tidyIfDue() {
  if (tidyTimer.interval() != 0) tidyFilm();
}

void NegativeSheet::pushOutOldest() {
  Frame& oldest = frames[0];
  // A flat panel (the print grid's) has no mark to lose.
  if (oldest.panelLowered()) oldest.panel.setBevelInner(ui::BevelCut::Raised);
  if (oldest.captionRed()) oldest.caption.setFontColor(ui::clBlack);
  clearFrame(0);
  scheduleTidy();
}

void NegativeSheet::clearFrame(int index) {
  Frame& f = frames[index];
  f.thumbnail.setPicture(picture::Picture());
  f.thumbnail.setHeight(kThumbnailBox);
  f.thumbnail.setWidth(kThumbnailBox);
  f.thumbnail.setTop(kThumbnailInset);
  f.thumbnail.setLeft(kThumbnailInset);
  f.caption.setCaption("");
}

void NegativeSheet::moveFrame(int from, int to) {
  Frame& source = frames[from];
  Frame& target = frames[to];
  target.thumbnail.setPicture(source.thumbnail.picture());
  target.thumbnail.setHeight(source.thumbnail.height());
  target.thumbnail.setWidth(source.thumbnail.width());
  target.thumbnail.setTop(source.thumbnail.top());
  target.thumbnail.setLeft(source.thumbnail.left());
  target.caption.setCaption(source.caption.caption());
  // The hidden overflow frame is never selected: its picture comes in
  // with no marks of its own, and the marks of frame 36 stay.
  if (from != kOverflow) {
    const ui::BevelCut bevel = target.panel.bevelInner();
    target.panel.setBevelInner(source.panel.bevelInner());
    source.panel.setBevelInner(bevel);
    // Only a red caption moves: a colour is set with a copy of the font.
    const ui::Color color = target.caption.font().color;
    if (color != source.caption.font().color) {
      target.caption.setFontColor(source.caption.font().color);
      source.caption.setFontColor(color);
    }
  }
  clearFrame(from);
}

std::optional<int> NegativeSheet::firstEmptyFrame() const {
  for (int i = 0; i <= kOverflow; ++i)
    if (!frames[i].used()) return i;
  return std::nullopt;
}

void NegativeSheet::tidyFilm() {
  // One sweep: a run of used frames behind a gap slides down by one; a
  // wider gap takes a pass per frame.
  for (int i = 0; i < kFilmFrames; ++i)
    if (!frames[i].used() && frames[i + 1].used()) moveFrame(i + 1, i);
  if (!frames[kOverflow].used() && app::settings.pushOutWhenFull) clearFrame(kOverflow);
  updateTitle();
  for (int i = 0; i < kFilmFrames; ++i) frames[i].panel.setCaption(frames[i].used() ? "" : kPlaceholder);
  tidyTimer.setInterval(0);
}

// "ネガシート　N枚": N is the first used frame that an empty one follows.
void NegativeSheet::updateTitle() {
  for (int i = 0; i + 1 < kFilmFrames; ++i) {
    if (frames[i].used() && !frames[i + 1].used()) {
      setCaption(std::string(kTitle) + "\u3000" + std::to_string(i + 1) + "枚");
      return;
    }
  }
  if (frames[kFilmFrames - 1].used())
    setCaption(std::string(kTitle) + "\u3000" + std::to_string(kFilmFrames) + "枚");
  else
    setCaption(kTitle);
}

void NegativeSheet::addPhotoToFilm() {
  app::CameraBoxView* cameraBox = app::windows.cameraBoxView;
  if (!cameraBox) return;
  ui::Image& photo = cameraBox->photoControl();
  const picture::Picture taken = photo.picture();
  // Nothing to fit (a photo that was cut): the film stays as it is.
  if (taken.width() <= 0 || taken.height() <= 0) return;
  tidyIfDue();
  scheduleTidy();
  if (std::optional<int> target = firstEmptyFrame()) {
    Frame& f = frames[*target];
    fitThumbnail(f, taken.width(), taken.height());
    // The frame shares the photo's pixels until one of them is written.
    f.thumbnail.setPicture(taken);
    f.caption.setCaption(cameraBox->timeStampText());
    int divisor = static_cast<int>(std::max(1u, cameraBox->photoDivisor()));
    photo.setHeight(taken.height() / divisor);
    photo.setWidth(taken.width() / divisor);
    photo.setPicture(f.thumbnail.picture());
    // The newest frame stays in view.
    if (*target >= kFirstScrollingFrame && *target < kFilmFrames)
      filmStrip.setPosition(ui::Axis::Horizontal, filmStrip.position(ui::Axis::Horizontal) + kFrameSize);
  }
  // A full film with push-out on drops its oldest picture; the tidy pass
  // then slides the rest down.
  if (frames[kOverflow].used() && app::settings.pushOutWhenFull) pushOutOldest();
}

void NegativeSheet::toggleFrame(int index) {
  Frame& f = frames[index];
  if (!f.used()) return;
  if (f.panel.bevelInner() != ui::BevelCut::Raised) {
    f.panel.setBevelInner(ui::BevelCut::Raised);
    f.caption.setFontColor(ui::clBlack);
    return;
  }
  f.panel.setBevelInner(ui::BevelCut::Lowered);
  for (int i = 0; i < kFilmFrames; ++i)
    if (i != index) frames[i].panel.setBevelInner(ui::BevelCut::Raised);
  f.caption.setFontColor(kSelectedCaptionColor);
  for (int i = 0; i < kFilmFrames; ++i)
    if (i != index) frames[i].caption.setFontColor(ui::clBlack);

  const picture::Picture selected = f.thumbnail.picture();
  if (app::CameraBoxView* cameraBox = app::windows.cameraBoxView) {
    // A picture as wide or as tall as the screen, or of the very size of a
    // monitor (a full-screen shot of it), is shown at a quarter of its
    // size, any smaller one at its own.
    int w = selected.width(), h = selected.height();
    ui::Image& photo = cameraBox->photoControl();
    std::vector<sys::Monitor> monitors = services_.screen.monitors();
    bool monitorSized = std::any_of(monitors.begin(), monitors.end(), [w, h](const sys::Monitor& m) {
      return m.area.width == w && m.area.height == h;
    });
    if (h < services_.screen.height() && w < services_.screen.width() && !monitorSized) {
      photo.setHeight(h);
      photo.setWidth(w);
    } else {
      photo.setHeight(h / 4);
      photo.setWidth(w / 4);
    }
    photo.setPicture(selected);
    cameraBox->setTimeStampText(f.caption.caption());
  }
  // Last: when the file cannot be written, the frame is selected and shown
  // all the same.
  writeHandOffFile(selected);
}

std::string NegativeSheet::handOffPath() const { return services_.files.temporaryDirectory() + kHandOffFile; }

// An empty picture writes nothing.
void NegativeSheet::writeHandOffFile(const picture::Picture& selected) const {
  if (selected.empty()) return;
  picture::writeFileBytes(handOffPath(), picture::writeBmp(shownBitmap(selected)));
}

picture::Bitmap NegativeSheet::shownBitmap(const picture::Picture& p) const {
  if (p.kind() != picture::Picture::Kind::Metafile) return p.bitmap();
  int w = p.width() > 0 ? p.width() : kThumbnailBox;
  int h = p.height() > 0 ? p.height() : kThumbnailBox;
  return ui::drawnPicture(p, w, h, application().backend().painter());
}

}  // namespace sheet
