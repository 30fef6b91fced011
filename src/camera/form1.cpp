#include "camera/form1.h"

#include "shell/settings.h"
#include "shell/window_refs.h"
#include "ui/application.h"

TForm1::TForm1(ui::Application& app, sys::Services& services)
    : ui::Form(app, "Form1"), services_(services) {
  setBorderStyle(ui::BorderStyle::None);
  setStayOnTop(true);
  setColor(ui::clNone);
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  Panel1.setBounds({10, 15, 160, 120});
  Panel1.setBevelOuter(ui::BevelCut::None);
  Panel1.setBevelInner(ui::BevelCut::Lowered);
  Panel1.setBevelWidth(2);
  Panel1.setColor(ui::clNone);
  Image1.setStretch(true);
  Label1.setBounds({10, 1, 0, 12});
  Label2.setBounds({11, 2, 0, 12});
  Label2.setFontColor(ui::clWhite);
  titleimage.setVisible(false);
  titleimage.setPicture(picture::Picture(titlePicture()));
  titleimage.setBounds({0, 0, 156, 116});
  Image1.setPicture(titleimage.picture());
  for (ui::Image* hidden : {&Image2, &Image3, &Image4}) hidden->setVisible(false);
  Image3.setAutoSize(true);
  onCreate = [this] { FormCreate(); };
}

void TForm1::FormCreate() {
  application().onRestore = [this] { showForm(); };
  application().onDeactivate = [this] {
    if (!hold) showForm();
  };
  hold = true;
  shell::setBuiltInSettings();
  reshapeMode = false;
  resizeDrag = false;
  setBounds({300, 0, width(), height()});
  Panel1.setBounds({10, 15, Panel1.width(), Panel1.height()});
  yoko = 160;
  tate = 120;
  setBounds({left(), top(), yoko + 20, tate + 25});
  Image1.setBounds({2, 2, yoko - 4, tate - 4});
  auto key = sys::RegistryKey::open(services_.registry, shell::kPositionKey, false);
  if (key) {
    setTop(key->readInteger("Top"));
    setLeft(key->readInteger("Left"));
  }
  shell::loadSettings(services_.profile, shell::settingsPath(services_.files.executablePath()));
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
