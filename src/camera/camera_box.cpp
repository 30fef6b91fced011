#include "camera/camera_box.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/painter.h"

namespace camera {

namespace {

constexpr ui::Color kTimeStampShadow = 0xC0C0C0;  // silver
constexpr ui::Color kCornerMarkColor = 0xFF8080;

bool isHorizontal(Edge e) { return e == Edge::Left || e == Edge::Right; }

// Sizes are worked out in 64 bits (a picture from a file may claim any
// size) and kept to what a window can be.
int windowSize(long long size) {
  return static_cast<int>(std::clamp<long long>(size, 0, CameraBox::kMaxWindowSize));
}

}  // namespace

CameraBox::CameraBox(ui::Application& application, sys::Services& services, app::Settings& settings,
                     ui::Form& palette, AfterSetUp afterSetUp)
    : ui::Form(application, "cameraBox"),
      services_(services),
      settings_(settings),
      palette_(palette),
      positions_(services.registry),
      afterSetUp_(std::move(afterSetUp)) {
  setDevicePixelLayout(true);
  setBorderStyle(ui::BorderStyle::None);
  setStayOnTop(true);
  setColor(ui::clNone);
  setSeeThrough(true);
  setMovableBySurface(true);

  // The viewfinder and the handles are windows of their own: they keep
  // their mouse events on a box that is dragged by its surface.
  viewfinder.setWindowed(true);
  viewfinder.setBounds({scaled(kMarginLeft), scaled(kMarginTop), 160, 120});
  viewfinder.setBevelOuter(ui::BevelCut::None);
  viewfinder.setBevelInner(ui::BevelCut::Lowered);
  viewfinder.setBevelWidth(2);
  viewfinder.setColor(ui::clNone);
  photo.setStretch(true);
  photo.setPopupMenu(&commandMenu);

  ui::Font stampFont = font();
  stampFont.bold = true;
  timeStamp.setFont(stampFont);
  timeStampShadow.setFont(stampFont);
  timeStampShadow.setFontColor(kTimeStampShadow);
  placeTimeStamp();

  for (Edge e : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom}) {
    ui::Panel& handle = edgeHandles[e];
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
  ui::Rect p = viewfinder.bounds();
  int t = scaled(kHandleThickness), m = scaled(kCornerMarkSize);
  edgeHandles[Edge::Left].setBounds({p.left - t, p.top, t, p.height});
  edgeHandles[Edge::Top].setBounds({p.left, p.top - t, p.width, t});
  edgeHandles[Edge::Right].setBounds({p.right(), p.top, t, p.height});
  edgeHandles[Edge::Bottom].setBounds({p.left, p.bottom(), p.width, t});

  for (Corner c : {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
    ui::Panel& mark = cornerMarks[c];
    mark.setColor(kCornerMarkColor);
    mark.setBevelInner(ui::BevelCut::Raised);
    mark.setBevelOuter(ui::BevelCut::Lowered);
    bool falling = c == Corner::TopLeft || c == Corner::BottomRight;
    mark.setCursor(falling ? ui::Cursor::SizeNWSE : ui::Cursor::SizeNESW);
    mark.hide();
  }
  cornerMarks[Corner::TopLeft].setBounds({p.left - m, p.top - m, m, m});
  cornerMarks[Corner::TopRight].setBounds({p.right(), p.top - m, m, m});
  cornerMarks[Corner::BottomLeft].setBounds({p.left - m, p.bottom(), m, m});
  cornerMarks[Corner::BottomRight].setBounds({p.right(), p.bottom(), m, m});

  titleImage.setVisible(false);
  titleImage.setPicture(picture::Picture(titlePicture()));
  titleImage.setBounds({0, 0, 156, 116});
  photo.setPicture(titleImage.picture());

  layoutTimer.onTimer = [this] { fitAroundPhoto(); };

  commandMenu.file.onClick = [this] { showNormalView(); };
  fileMenu.open.onClick = [this] { openPhoto(); };
  fileMenu.close.onClick = [this] { close(); };
  fileMenu.save.onClick = [this] { savePhoto(); };
  fileMenu.saveAs.onClick = [this] { savePhotoAs(); };
  commandMenu.edit.onClick = [this] { prepareEditMenu(); };
  editMenu.clear.onClick = [this] { clearPhoto(); };
  editMenu.copy.onClick = [this] { copyPhoto(); };
  editMenu.paste.onClick = [this] { pastePhoto(); };
  editMenu.cut.onClick = [this] { cutPhoto(); };
  editMenu.sendToSheet.onClick = [this] { sendPhotoToSheet(); };
  commandMenu.area.onClick = [this] { showAimingView(); };
  areaMenu.shoot.onClick = [this] { shootArea(); };
  areaMenu.shootBurst.onClick = [this] { shootAreaBurst(); };
  commandMenu.screen.onClick = [this] { showNormalView(); };
  screenMenu.shoot.onClick = [this] { shootScreen(); };
  screenMenu.shootBurst.onClick = [this] { shootScreenBurst(); };
  shotMenu.shoot.onClick = [this] { shootArea(); };
  shotMenu.shootBurst.onClick = [this] { shootAreaBurst(); };
  shotMenu.cancel.onClick = [this] { showNormalView(); };

  sizeMenu.defaultSize.onClick = [this] { resizeToDefault(); };
  sizeMenu.zoom200.onClick = [this] { zoomTo(200); };
  sizeMenu.zoom300.onClick = [this] { zoomTo(300); };
  sizeMenu.zoom400.onClick = [this] { zoomTo(400); };
  sizeMenu.zoom500.onClick = [this] { zoomTo(500); };
  sizeMenu.zoom50.onClick = [this] { zoomTo(50); };
  sizeMenu.zoom25.onClick = [this] { zoomTo(25); };
  sizeMenu.zoom20.onClick = [this] { zoomTo(20); };
  sizeMenu.zoom10.onClick = [this] { zoomTo(10); };
  sizeMenu.actualSize.onClick = [this] { zoomTo(100); };
  sizeMenu.reshape.onClick = [this] { toggleReshape(); };
  wirePrintCommands();
  commandMenu.options.onClick = [this] { showOptions(); };
  commandMenu.help.onClick = [this] { showHelp(); };
  commandMenu.about.onClick = [this] { showAbout(); };

  onCreate = [this] { setUp(); };
  onActivate = [this] { applyViewfinderBevel(); };
  onDpiChange = [this] { fitToDpi(); };
}

void CameraBox::setUp() {
  application().onRestore.subscribe([this] { showForm(); });
  application().onDeactivate.subscribe([this] {
    if (!keepHidden) showForm();
  });
  keepHidden = true;
  reshapeMode = false;
  resizing = false;
  setBounds({300, 0, width(), height()});
  viewfinder.setBounds({scaled(kMarginLeft), scaled(kMarginTop), viewfinder.width(), viewfinder.height()});
  settings_.defaultViewfinderWidth = 160;
  settings_.defaultViewfinderHeight = 120;
  setBounds({left(), top(), settings_.defaultViewfinderWidth + scaled(kMarginLeft) + scaled(kMarginRight),
             settings_.defaultViewfinderHeight + scaled(kMarginTop) + scaled(kMarginBottom)});
  photo.setBounds({kPhotoInset, kPhotoInset, settings_.defaultViewfinderWidth - 2 * kPhotoInset,
                   settings_.defaultViewfinderHeight - 2 * kPhotoInset});
  fileMenu.printScreenSize.setChecked(true);
  if (auto stored = positions_.open()) {
    setTop(stored->cameraBoxTop());
    setLeft(stored->cameraBoxLeft());
    bringBackIfLost();
  }
  if (afterSetUp_) afterSetUp_(settings_);
}

void CameraBox::setTimeStamp(const std::string& text) {
  timeStamp.setCaption(text);
  timeStampShadow.setCaption(timeStamp.caption());
  for (ui::Label* label : {&timeStamp, &timeStampShadow}) label->fitToText(application().backend().painter());
}

void CameraBox::placeTimeStamp() {
  timeStamp.setBounds({scaled(10), scaled(1), timeStamp.width(), timeStamp.height()});
  timeStampShadow.setBounds({scaled(11), scaled(2), timeStampShadow.width(), timeStampShadow.height()});
}

ui::Rect CameraBox::clientAreaAtDpi(int dpi) const {
  ui::Rect p = viewfinder.bounds();
  return {0, 0, windowSize(0LL + p.width + ui::scaled(kMarginLeft, dpi) + ui::scaled(kMarginRight, dpi)),
          windowSize(0LL + p.height + ui::scaled(kMarginTop, dpi) + ui::scaled(kMarginBottom, dpi))};
}

// The box went to a monitor of another DPI: the photo keeps its pixels,
// what lies around it takes the new scale.
void CameraBox::fitToDpi() {
  viewfinder.setBounds({scaled(kMarginLeft), scaled(kMarginTop), viewfinder.width(), viewfinder.height()});
  placeTimeStamp();
  applyResizeState();
  fitAroundPhoto();
}

void CameraBox::fitAroundPhoto() {
  // The window takes the viewfinder's size from before this tick.
  ui::Rect p = viewfinder.bounds();
  setBounds({left(), top(), windowSize(0LL + p.width + scaled(kMarginLeft) + scaled(kMarginRight)),
             windowSize(0LL + p.height + scaled(kMarginTop) + scaled(kMarginBottom))});
  viewfinder.setBounds({scaled(kMarginLeft), scaled(kMarginTop),
                        windowSize(0LL + photo.width() + 2 * kPhotoInset),
                        windowSize(0LL + photo.height() + 2 * kPhotoInset)});
  photo.setBounds({kPhotoInset, kPhotoInset, windowSize(photo.width()), windowSize(photo.height())});

  p = viewfinder.bounds();
  int right = p.left + p.width, bottom = p.top + p.height;
  ui::Panel& l = edgeHandles[Edge::Left];
  ui::Panel& r = edgeHandles[Edge::Right];
  ui::Panel& u = edgeHandles[Edge::Top];
  ui::Panel& d = edgeHandles[Edge::Bottom];
  l.setBounds({l.left(), p.top, l.width(), p.height});
  r.setBounds({right, p.top, r.width(), p.height});
  u.setBounds({p.left, u.top(), p.width, u.height()});
  d.setBounds({p.left, bottom, p.width, d.height()});
  const int m = scaled(kCornerMarkSize);
  cornerMarks[Corner::TopLeft].setBounds({p.left - m, p.top - m, m, m});
  cornerMarks[Corner::TopRight].setBounds({right, p.top - m, m, m});
  cornerMarks[Corner::BottomLeft].setBounds({p.left - m, bottom, m, m});
  cornerMarks[Corner::BottomRight].setBounds({right, bottom, m, m});
}

void CameraBox::pressEdgeHandle(Edge edge, ui::MouseButton button, int x, int y) {
  if (button == ui::MouseButton::Right) {
    // The menu takes the mouse, and with it the release of a drag's button:
    // the drag ends here.
    releaseEdgeHandle(edge);
    // Beside the box for the right and bottom handles, not at the pointer.
    int menuLeft = left() + x, menuTop = top() + y;
    if (edge == Edge::Right) menuLeft += width();
    if (edge == Edge::Bottom) menuTop += height();
    shotMenu.popup(menuLeft, menuTop);
    return;
  }
  if (resizing) return;
  resizing = true;
  applyResizeState();
}

void CameraBox::dragEdgeHandle(Edge edge, int x, int y) {
  if (!resizing) return;
  if (mouseTarget() != &edgeHandles[edge]) {
    // A menu or a message box took the mouse during the drag, so its
    // release never came: the drag is over, and a pointer merely passing
    // over a handle resizes nothing.
    releaseEdgeHandle(edge);
    return;
  }
  layoutTimer.setInterval(kDragLayoutInterval);
  // Half the pointer's distance from the handle, rounded toward zero: the
  // edge closes half the gap at each move. A shrinking photo stops at zero
  // width or height, a growing one at the largest a window can be.
  long long d = (isHorizontal(edge) ? x : y) / 2;
  ui::Panel& handle = edgeHandles[edge];
  long long w = photo.width(), h = photo.height();
  switch (edge) {
    case Edge::Right:
      d = std::clamp<long long>(d, -w, kMaxWindowSize - w);
      handle.setLeft(handle.left() + static_cast<int>(d));
      photo.setWidth(windowSize(w + d));
      break;
    case Edge::Bottom:
      d = std::clamp<long long>(d, -h, kMaxWindowSize - h);
      handle.setTop(handle.top() + static_cast<int>(d));
      photo.setHeight(windowSize(h + d));
      break;
    case Edge::Top:
      d = std::clamp<long long>(d, h - kMaxWindowSize, h);
      handle.setTop(handle.top() + static_cast<int>(d));
      setTop(top() + static_cast<int>(d));
      photo.setHeight(windowSize(h - d));
      break;
    case Edge::Left:
      d = std::clamp<long long>(d, w - kMaxWindowSize, w);
      handle.setLeft(handle.left() + static_cast<int>(d));
      setLeft(left() + static_cast<int>(d));
      photo.setWidth(windowSize(w - d));
      break;
  }
  applyResizeState();
}

void CameraBox::releaseEdgeHandle(Edge) {
  if (!resizing) return;
  resizing = false;
  // The quick pace served the drag only.
  layoutTimer.setInterval(kLayoutInterval);
  applyResizeState();
}

void CameraBox::applyResizeState() {
  int t = scaled(resizing ? kDraggedHandleThickness : kHandleThickness);
  ui::Rect p = viewfinder.bounds();
  ui::Panel& l = edgeHandles[Edge::Left];
  ui::Panel& u = edgeHandles[Edge::Top];
  ui::Panel& d = edgeHandles[Edge::Bottom];
  ui::Panel& r = edgeHandles[Edge::Right];
  l.setBounds({p.left - t, l.top(), t, l.height()});
  u.setBounds({u.left(), p.top - t, u.width(), t});
  d.setHeight(t);
  r.setWidth(t);
  if (!resizing) {
    timeStamp.show();
    timeStampShadow.show();
  } else {
    for (Corner c : {Corner::TopLeft, Corner::BottomLeft, Corner::TopRight, Corner::BottomRight})
      cornerMarks[c].hide();
    timeStamp.hide();
    timeStampShadow.hide();
  }
  // The marks outline the area only in the framing view, where the
  // viewfinder is hidden.
  if (!resizing && !viewfinder.visible())
    for (Corner c : {Corner::TopLeft, Corner::BottomLeft, Corner::TopRight, Corner::BottomRight})
      cornerMarks[c].show();
}

void CameraBox::applyViewfinderBevel() {
  switch (settings_.viewfinderBevel) {
    case 1:
      viewfinder.setBevelInner(ui::BevelCut::Lowered);
      break;
    case 2:
      viewfinder.setBevelInner(ui::BevelCut::Raised);
      break;
    case 3:
      viewfinder.setBevelInner(ui::BevelCut::None);
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

}  // namespace camera
