#include "camera/camera_box.h"

#include "app/settings.h"
#include "ui/application.h"

namespace camera {

using app::settings;

CameraBox::CameraBox(ui::Application& application, sys::Services& services)
    : ui::Form(application, "cameraBox"), services_(services), positions_(services.registry) {
  setBorderStyle(ui::BorderStyle::None);
  setStayOnTop(true);
  setColor(ui::clNone);
  viewfinder.setBounds({10, 15, 160, 120});
  viewfinder.setBevelOuter(ui::BevelCut::None);
  viewfinder.setBevelInner(ui::BevelCut::Lowered);
  viewfinder.setBevelWidth(2);
  viewfinder.setColor(ui::clNone);
  photo.setStretch(true);
  timeStamp.setBounds({10, 1, 0, 12});
  timeStampShadow.setBounds({11, 2, 0, 12});
  timeStampShadow.setFontColor(ui::clWhite);
  titleImage.setVisible(false);
  titleImage.setPicture(picture::Picture(titlePicture()));
  titleImage.setBounds({0, 0, 156, 116});
  photo.setPicture(titleImage.picture());
  for (ui::Image* hidden : {&blankImage, &stagingImage, &clipboardImage}) hidden->setVisible(false);
  stagingImage.setAutoSize(true);
  onCreate = [this] { setUp(); };
}

void CameraBox::setUp() {
  application().onRestore = [this] { showForm(); };
  application().onDeactivate = [this] {
    if (!keepHidden) showForm();
  };
  keepHidden = true;
  app::setBuiltInSettings();
  reshapeMode = false;
  resizing = false;
  setBounds({300, 0, width(), height()});
  viewfinder.setBounds({10, 15, viewfinder.width(), viewfinder.height()});
  settings.defaultViewfinderWidth = 160;
  settings.defaultViewfinderHeight = 120;
  setBounds({left(), top(), settings.defaultViewfinderWidth + 20, settings.defaultViewfinderHeight + 25});
  photo.setBounds({2, 2, settings.defaultViewfinderWidth - 4, settings.defaultViewfinderHeight - 4});
  if (auto stored = positions_.open()) {
    setTop(stored->cameraBoxTop());
    setLeft(stored->cameraBoxLeft());
  }
  app::loadSettings(services_.profile, app::settingsPath(services_.files.executablePath()));
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
