#include "camera/camera_box.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "app/dialog.h"
#include "app/settings.h"
#include "base/error.h"
#include "ui/application.h"
#include "ui/painter.h"

namespace camera {

namespace {

constexpr ui::Color kTimeStampShadow = 0xC0C0C0;  // silver
constexpr ui::Color kCornerMarkColor = 0xFF8080;
// A full-screen shot shows in the camera box at a quarter of its size.
constexpr unsigned kScreenShotDivisor = 4;

bool isHorizontal(Edge e) { return e == Edge::Left || e == Edge::Right; }

}  // namespace

CameraBox::CameraBox(ui::Application& application, sys::Services& services, app::Settings& settings,
                     ui::Form& palette, AfterSetUp afterSetUp)
    : ui::Form(application, "cameraBox"),
      services_(services),
      settings_(settings),
      positions_(services.registry),
      afterSetUp_(std::move(afterSetUp)),
      shots_(application, services.screen, services.clock, palette, layoutTimer_, *this) {
  setDevicePixelLayout(true);
  setBorderStyle(ui::BorderStyle::None);
  setStayOnTop(true);
  setColor(ui::clNone);
  setSeeThrough(true);
  setMovableBySurface(true);

  // The viewfinder and the handles are windows of their own: they keep
  // their mouse events on a box that is dragged by its surface.
  viewfinder_.setWindowed(true);
  const ViewfinderGeometry geometry(dpi());
  viewfinder_.setBounds(geometry.viewfinderAt({160, 120}));
  viewfinder_.setBevelOuter(ui::BevelCut::None);
  viewfinder_.setBevelInner(ui::BevelCut::Lowered);
  viewfinder_.setBevelWidth(2);
  viewfinder_.setColor(ui::clNone);
  photo_.setStretch(true);
  photo_.setPopupMenu(&menus_.command);

  ui::Font stampFont = font();
  stampFont.bold = true;
  timeStamp_.setFont(stampFont);
  timeStampShadow_.setFont(stampFont);
  timeStampShadow_.setFontColor(kTimeStampShadow);
  placeTimeStamp();

  for (Edge e : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom}) {
    ui::Panel& handle = edgeHandles_[e];
    handle.setWindowed(true);
    handle.setBevelOuter(ui::BevelCut::None);
    handle.setBevelInner(ui::BevelCut::Raised);
    handle.setBevelWidth(2);
    handle.setCursor(isHorizontal(e) ? ui::Cursor::SizeWE : ui::Cursor::SizeNS);
    handle.hide();
    handle.onMouseDown = [this, e](ui::MouseButton b, unsigned, int x, int y) {
      pressEdgeHandle(e, b, x, y);
    };
    handle.onMouseMove = [this, e](unsigned, int x, int y) { dragEdgeHandle(e, x, y); };
    handle.onMouseUp = [this, e](ui::MouseButton, unsigned, int, int) { releaseEdgeHandle(e); };
  }
  // Where the designed 160 x 120 viewfinder puts them.
  edgeHandles_.setBounds(geometry.handlesAround(viewfinder_.bounds()));

  for (Corner c : {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
    ui::Panel& mark = cornerMarks_[c];
    mark.setColor(kCornerMarkColor);
    mark.setBevelInner(ui::BevelCut::Raised);
    mark.setBevelOuter(ui::BevelCut::Lowered);
    bool falling = c == Corner::TopLeft || c == Corner::BottomRight;
    mark.setCursor(falling ? ui::Cursor::SizeNWSE : ui::Cursor::SizeNESW);
    mark.hide();
  }
  cornerMarks_.setBounds(geometry.cornerMarksAround(viewfinder_.bounds()));

  titleImage_.setVisible(false);
  titleImage_.setPicture(picture::Picture(titlePicture()));
  titleImage_.setBounds({0, 0, 156, 116});
  photo_.setPicture(titleImage_.picture());

  layoutTimer_.onTimer = [this] { fitAroundPhoto(); };

  menus_.command.file.onClick = [this] { showNormalView(); };
  menus_.file.open.onClick = [this] { pictures_.open(); };
  menus_.file.close.onClick = [this] { close(); };
  menus_.file.save.onClick = [this] { pictures_.save(); };
  menus_.file.saveAs.onClick = [this] { pictures_.saveAs(); };
  menus_.command.edit.onClick = [this] { prepareEditMenu(); };
  menus_.edit.clear.onClick = [this] { clearPhoto(); };
  menus_.edit.copy.onClick = [this] { pictures_.copy(); };
  menus_.edit.paste.onClick = [this] { pictures_.paste(); };
  menus_.edit.cut.onClick = [this] { pictures_.cut(); };
  menus_.edit.sendToSheet.onClick = [this] { sendPhotoToSheet(); };
  menus_.command.area.onClick = [this] { showAimingView(); };
  menus_.area.shoot.onClick = [this] { shots_.shootArea(ShotTiming::from(settings_)); };
  menus_.area.shootBurst.onClick = [this] { shots_.shootAreaBurst(ShotTiming::from(settings_)); };
  menus_.command.screen.onClick = [this] { showNormalView(); };
  menus_.screen.shoot.onClick = [this] { shots_.shootScreen(ShotTiming::from(settings_)); };
  menus_.screen.shootBurst.onClick = [this] { shots_.shootScreenBurst(ShotTiming::from(settings_)); };
  menus_.shot.shoot.onClick = [this] { shots_.shootArea(ShotTiming::from(settings_)); };
  menus_.shot.shootBurst.onClick = [this] { shots_.shootAreaBurst(ShotTiming::from(settings_)); };
  menus_.shot.cancel.onClick = [this] { showNormalView(); };

  menus_.size.defaultSize.onClick = [this] { resizeToDefault(); };
  menus_.size.zoom200.onClick = [this] { zoomTo(200); };
  menus_.size.zoom300.onClick = [this] { zoomTo(300); };
  menus_.size.zoom400.onClick = [this] { zoomTo(400); };
  menus_.size.zoom500.onClick = [this] { zoomTo(500); };
  menus_.size.zoom50.onClick = [this] { zoomTo(50); };
  menus_.size.zoom25.onClick = [this] { zoomTo(25); };
  menus_.size.zoom20.onClick = [this] { zoomTo(20); };
  menus_.size.zoom10.onClick = [this] { zoomTo(10); };
  menus_.size.actualSize.onClick = [this] { zoomTo(100); };
  menus_.size.reshape.onClick = [this] { toggleReshape(); };
  wirePrintCommands();
  menus_.command.options.onClick = [this] { showOptions(); };
  menus_.command.help.onClick = [this] { showHelp(); };
  menus_.command.about.onClick = [this] { showAbout(); };

  onCreate = [this] { setUp(); };
  onActivate = [this] { applyViewfinderBevel(); };
  onDpiChange = [this] { fitToDpi(); };
}

void CameraBox::setUp() {
  application().onRestore.subscribe([this] { showForm(); });
  application().onDeactivate.subscribe([this] {
    if (!keepHidden_) showForm();
  });
  keepHidden_ = true;
  reshapeMode_ = false;
  resizing_ = false;
  setBounds({300, 0, width(), height()});
  viewfinder_.setBounds({scaled(kMarginLeft), scaled(kMarginTop), viewfinder_.width(), viewfinder_.height()});
  settings_.defaultViewfinderWidth = 160;
  settings_.defaultViewfinderHeight = 120;
  setBounds({left(), top(), settings_.defaultViewfinderWidth + scaled(kMarginLeft) + scaled(kMarginRight),
             settings_.defaultViewfinderHeight + scaled(kMarginTop) + scaled(kMarginBottom)});
  photo_.setBounds({kPhotoInset, kPhotoInset, settings_.defaultViewfinderWidth - 2 * kPhotoInset,
                    settings_.defaultViewfinderHeight - 2 * kPhotoInset});
  menus_.file.printScreenSize.setChecked(true);
  if (auto stored = positions_.open()) {
    setTop(stored->cameraBoxTop());
    setLeft(stored->cameraBoxLeft());
    bringBackIfLost();
  }
  if (afterSetUp_) afterSetUp_(settings_);
}

void CameraBox::setTimeStamp(const std::string& text) {
  timeStamp_.setCaption(text);
  timeStampShadow_.setCaption(timeStamp_.caption());
  for (ui::Label* label : {&timeStamp_, &timeStampShadow_})
    label->fitToText(application().backend().painter());
}

void CameraBox::placeTimeStamp() {
  timeStamp_.setBounds({scaled(10), scaled(1), timeStamp_.width(), timeStamp_.height()});
  timeStampShadow_.setBounds({scaled(11), scaled(2), timeStampShadow_.width(), timeStampShadow_.height()});
}

ui::Rect CameraBox::clientAreaAtDpi(int dpi) const {
  Size box = ViewfinderGeometry(dpi).boxAround(sizeOf(viewfinder_.bounds()));
  return {0, 0, box.width, box.height};
}

// The box went to a monitor of another DPI: the photo keeps its pixels,
// what lies around it takes the new scale.
void CameraBox::fitToDpi() {
  viewfinder_.setBounds(ViewfinderGeometry(dpi()).viewfinderAt(sizeOf(viewfinder_.bounds())));
  placeTimeStamp();
  applyResizeState();
  fitAroundPhoto();
}

void CameraBox::fitAroundPhoto() {
  const ViewfinderGeometry geometry(dpi());
  BoxLayout layout = geometry.fitAround(sizeOf(viewfinder_.bounds()), sizeOf(photo_.bounds()));
  setBounds({left(), top(), layout.box.width, layout.box.height});
  viewfinder_.setBounds(layout.viewfinder);
  photo_.setBounds(layout.photo);
  edgeHandles_.setBounds(handlesAlong(edgeHandles_.bounds(), layout.viewfinder));
  cornerMarks_.setBounds(geometry.cornerMarksAround(layout.viewfinder));
}

void CameraBox::resizePhoto(Size size) {
  photo_.setBounds({photo_.left(), photo_.top(), size.width, size.height});
}

CameraBox::BoxLook CameraBox::look() const {
  auto panel = [](const ui::Panel& p) {
    return PanelLook{p.bounds(),     p.visible(), p.bevelInner(), p.bevelOuter(),
                     p.bevelWidth(), p.color(),   p.cursor()};
  };
  auto stamp = [](const ui::Label& l) {
    return StampLook{l.caption(), l.visible(), l.bounds(), l.font(), l.transparent()};
  };
  BoxLook look;
  look.viewfinder = panel(viewfinder_);
  for (std::size_t i = 0; i < 4; ++i) {
    look.handles.items[i] = panel(edgeHandles_.items[i]);
    look.marks.items[i] = panel(cornerMarks_.items[i]);
  }
  look.titleShown = titleImage_.visible();
  look.stamp = stamp(timeStamp_);
  look.stampShadow = stamp(timeStampShadow_);
  look.photoMenu = photo_.popupMenu();
  return look;
}

void CameraBox::pressEdgeHandle(Edge edge, ui::MouseButton button, int x, int y) {
  if (button == ui::MouseButton::Right) {
    // The menu takes the mouse, and with it the release of a drag's button:
    // the drag ends here.
    releaseEdgeHandle(edge);
    ui::Point place = shotMenuPlace(edge, bounds(), x, y);
    menus_.shot.popup(place.x, place.y);
    return;
  }
  if (resizing_) return;
  resizing_ = true;
  applyResizeState();
}

void CameraBox::dragEdgeHandle(Edge edge, int x, int y) {
  if (!resizing_) return;
  if (mouseTarget() != &edgeHandles_[edge]) {
    // A menu or a message box took the mouse during the drag, so its
    // release never came: the drag is over, and a pointer merely passing
    // over a handle resizes nothing.
    releaseEdgeHandle(edge);
    return;
  }
  layoutTimer_.setInterval(kDragLayoutInterval);
  ui::Panel& handle = edgeHandles_[edge];
  EdgeDrag step = dragEdge(edge, handle.bounds(), sizeOf(photo_.bounds()), x, y);
  handle.setBounds(step.handle);
  setBounds(bounds().offset(step.boxShift.x, step.boxShift.y));
  resizePhoto(step.photo);
  applyResizeState();
}

void CameraBox::releaseEdgeHandle(Edge) {
  if (!resizing_) return;
  resizing_ = false;
  // The quick pace served the drag only.
  layoutTimer_.setInterval(kLayoutInterval);
  applyResizeState();
}

void CameraBox::applyResizeState() {
  edgeHandles_.setBounds(ViewfinderGeometry(dpi()).handlesForResizeState(edgeHandles_.bounds(),
                                                                         viewfinder_.bounds(), resizing_));
  if (!resizing_) {
    timeStamp_.show();
    timeStampShadow_.show();
  } else {
    cornerMarks_.setVisible(false);
    timeStamp_.hide();
    timeStampShadow_.hide();
  }
  // The marks outline the area only in the framing view, where the
  // viewfinder is hidden.
  if (!resizing_ && !viewfinder_.visible()) cornerMarks_.setVisible(true);
}

void CameraBox::applyViewfinderBevel() {
  switch (settings_.viewfinderBevel) {
    case 1:
      viewfinder_.setBevelInner(ui::BevelCut::Lowered);
      break;
    case 2:
      viewfinder_.setBevelInner(ui::BevelCut::Raised);
      break;
    case 3:
      viewfinder_.setBevelInner(ui::BevelCut::None);
      break;
    default:
      break;
  }
}

picture::Bitmap titlePicture() {
  // A night-sky gradient with a film strip across it, in a 256-colour
  // palette: 0-191 the gradient, 192 black, 193 white, 194 amber.
  std::vector<std::uint32_t> palette(256, 0);
  for (int i = 0; i < 192; ++i)
    palette[i] = (std::uint32_t(i / 4) << 16) | (std::uint32_t(i / 3) << 8) | std::uint32_t(64 + i);
  palette[192] = 0x000000;
  palette[193] = 0xFFFFFF;
  palette[194] = 0xFFB000;
  auto b = picture::Bitmap::create(156, 116, 8, palette);
  for (int y = 0; y < 116; ++y) {
    std::uint8_t* row = b.mutableRow(y);
    for (int x = 0; x < 156; ++x) {
      std::uint8_t c = static_cast<std::uint8_t>((y * 191) / 115);
      if (y >= 40 && y < 76) {
        c = 192;  // the strip
        bool perforation = (y < 45 || y >= 71) && (x % 8) >= 2 && (x % 8) < 6;
        if (perforation) c = 193;
        bool frame = y >= 48 && y < 68 && (x % 26) >= 3 && (x % 26) < 23;
        if (frame) c = static_cast<std::uint8_t>(194);
      }
      row[x] = c;
    }
  }
  return b;
}

void CameraBox::showAimingView() {
  const ViewfinderGeometry geometry(dpi());
  edgeHandles_.setBounds(geometry.handlesForAiming(edgeHandles_.bounds(), viewfinder_.bounds()));
  cornerMarks_.setBounds(geometry.cornerMarksAround(viewfinder_.bounds()));
  edgeHandles_.setVisible(true);
  cornerMarks_.setVisible(true);
  viewfinder_.hide();
}

void CameraBox::showNormalView() {
  if (!reshapeMode_) edgeHandles_.setVisible(false);
  cornerMarks_.setVisible(false);
  viewfinder_.show();
}

ui::Rect CameraBox::areaUnderPhoto() const {
  return photoOnScreen({left(), top()}, viewfinder_.bounds(), sizeOf(photo_.bounds()));
}

ui::Point CameraBox::centreOnScreen() const { return {left() + width() / 2, top() + height() / 2}; }

void CameraBox::showShot(const picture::Picture& taken, const std::string& stamp, bool wholeScreen) {
  displayDivisor_ = wholeScreen ? kScreenShotDivisor : 1;
  if (wholeScreen) resizePhoto({taken.width(), taken.height()});
  photo_.setPicture(taken);
  setTimeStamp(stamp);
}

void CameraBox::storePhotoInFilm() {
  if (storeInFilm_) storeInFilm_(photo_.picture(), timeStamp_.caption());
  // A full film that kept nothing does not size the photo: it takes its
  // size over the divisor all the same (a screen shot a quarter of the
  // screen, not the whole screen in a box that stays on top).
  const picture::Picture& taken = photo_.picture();
  if (taken.width() <= 0 || taken.height() <= 0) return;
  unsigned divisor = std::max(1u, displayDivisor_);
  resizePhoto({static_cast<int>(static_cast<unsigned>(taken.width()) / divisor),
               static_cast<int>(static_cast<unsigned>(taken.height()) / divisor)});
}

void CameraBox::showPicture(const picture::Picture& picture, const std::string& caption,
                            app::PhotoSize size) {
  const int w = picture.width(), h = picture.height();
  switch (size) {
    case app::PhotoSize::Kept:
      break;
    case app::PhotoSize::Own:
      displayDivisor_ = 1;
      resizePhoto({w, h});
      break;
    case app::PhotoSize::Selected: {
      const std::vector<sys::Monitor> monitors = services_.screen.monitors();
      const bool monitorSized = std::any_of(monitors.begin(), monitors.end(), [w, h](const sys::Monitor& m) {
        return m.area.width == w && m.area.height == h;
      });
      // A picture as wide or as tall as the screen, or of the very size of
      // a monitor (a full-screen shot of it), is shown at a quarter of its
      // size, any smaller one at its own.
      if (h < services_.screen.height() && w < services_.screen.width() && !monitorSized) {
        resizePhoto({w, h});
      } else {
        resizePhoto({w / 4, h / 4});
      }
      break;
    }
  }
  photo_.setPicture(picture);
  setTimeStamp(caption);
}

void CameraBox::prepareEditMenu() {
  showNormalView();
  menus_.edit.paste.setEnabled(services_.clipboard.hasBitmap());
}

void CameraBox::clearPhoto() {
  resizeToDefault();
  photo_.setPicture(titleImage_.picture());
  setTimeStamp("");
}

void CameraBox::sendPhotoToSheet() {
  displayDivisor_ = 1;
  storePhotoInFilm();
}

// The size commands set only the photo's size; the photo stretches its
// picture, and the layout tick fits the window around it.
void CameraBox::resizeToDefault() {
  resizePhoto({defaultPhotoSide(settings_.defaultViewfinderWidth),
               defaultPhotoSide(settings_.defaultViewfinderHeight)});
}

// Always from the picture's own size: 200 % twice is still 200 %.
void CameraBox::zoomTo(int percent) {
  resizePhoto(
      {zoomedSide(photo_.picture().width(), percent), zoomedSide(photo_.picture().height(), percent)});
}

void CameraBox::toggleReshape() {
  bool on = !menus_.size.reshape.checked();
  edgeHandles_.setVisible(on);
  reshapeMode_ = on;
  menus_.size.reshape.setChecked(on);
}

void CameraBox::wirePrintCommands() {
  menus_.file.print.onClick = [this] { printPhoto(); };
  menus_.file.printScreenSize.onClick = [this] { setPrintSize(PrintSize::Screen); };
  menus_.file.printPaperSize.onClick = [this] { setPrintSize(PrintSize::Paper); };
  setPrintSize(printSize_);
}

void CameraBox::setPrintSize(PrintSize size) {
  printSize_ = size;
  menus_.file.printScreenSize.setChecked(size == PrintSize::Screen);
  menus_.file.printPaperSize.setChecked(size == PrintSize::Paper);
}

void CameraBox::printPhoto() {
  sys::Printer& printer = services_.printer;
  std::optional<sys::PrinterPage> page = printer.choose();
  if (!page) return;
  sys::HeldPrinter held(printer);
  // The whole box, margins and time stamp included: it has no border.
  picture::Canvas image = clientImage();
  int w = image.width(), h = image.height();
  picture::Rect dest;
  if (printSize_ == PrintSize::Paper) {
    dest = sys::fillPage(w, h, *page);
  } else {
    int sx = printer.displayPixelsPerInchX(), sy = printer.displayPixelsPerInchY();
    if (sx <= 0 || sy <= 0) throw base::Error(sys::kCannotPrint);
    long long width = sys::mulDivRounded(w, page->pixelsPerInchX, sx);
    long long height = sys::mulDivRounded(h, page->pixelsPerInchY, sy);
    if (width > INT_MAX || height > INT_MAX) throw base::Error(sys::kCannotPrint);
    dest = {0, 0, static_cast<int>(width), static_cast<int>(height)};
  }
  printer.print(image, dest);
}

// Handles and marks go whatever reshape mode says; the viewfinder shows.
void CameraBox::prepareForDialog() {
  edgeHandles_.setVisible(false);
  cornerMarks_.setVisible(false);
  viewfinder_.show();
}

void CameraBox::openInsteadOfBox(app::Dialog* dialog) {
  prepareForDialog();
  bool shown = visible();
  hide();
  if (!dialog) return;
  try {
    dialog->open();
  } catch (...) {
    if (shown) showForm();
    throw;
  }
}

void CameraBox::showOptions() { openInsteadOfBox(dialogs_.options); }

void CameraBox::showHelp() { openInsteadOfBox(dialogs_.help); }

void CameraBox::showAbout() {
  prepareForDialog();
  if (dialogs_.about) dialogs_.about->open();
}

void CameraBox::setTimeStampShown(bool shown) {
  timeStamp_.setVisible(shown);
  timeStampShadow_.setVisible(shown);
}

void CameraBox::setTimeStampColors(ui::Color front, ui::Color shadow) {
  timeStamp_.setFontColor(front);
  timeStampShadow_.setFontColor(shadow);
}

}  // namespace camera
