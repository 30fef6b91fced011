// The settings file and the registry values are read by every earlier copy
// of the program: renaming anything in the code must not change a byte of
// them. The files under data/golden were written by the program before the
// names in the code were changed, from the same steps as below.
#include <fstream>
#include <sstream>

#include "app_fixture.h"
#include "camera/camera_box.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/program.h"

namespace {

std::string golden(const std::string& name) {
  std::ifstream in(std::string(MIRUNE_GOLDEN_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class StoredNamesTest : public AppTest {
 protected:
  StoredNamesTest() {
    forms = shell::startUp(app, services, settings);
    app.run();
    settings.strobeCount = 6;
    settings.defaultViewfinderWidth = 321;
    settings.defaultViewfinderHeight = 234;
    settings.viewfinderBevel = 2;
    settings.strobeIntervalTenths = 7;
    settings.shutterDelaySeconds = 3;
    settings.optionSoftwarePath = "C:\\ペイント\\mspaint.exe /x";
    settings.pushOutWhenFull = true;
  }
};

TEST_F(StoredNamesTest, SettingsFilesMatchWhatWasWrittenBefore) {
  app::saveSettings(settings, platform.profile, iniPath());
  // A new file is UTF-16 now (so any path survives); its text is unchanged.
  EXPECT_EQ(readIniText(), golden("settings-new.ini"));
  writeIni("; mine\n[Other]\na=1\n[Option]\nyoko = 1\nextra=keep\nPS=old\n");
  app::saveSettings(settings, platform.profile, iniPath());
  EXPECT_EQ(readIni(), golden("settings-existing.ini"));
}

TEST_F(StoredNamesTest, PositionValuesMatchWhatWasWrittenBefore) {
  forms.palette->setBounds({40, 50, forms.palette->width(), forms.palette->height()});
  forms.cameraBox->setBounds({-5, 77, 180, 145});
  forms.negativeSheet->setBounds({0, 600, 1024, 140});
  platform.messages.answers = {sys::MsgResult::Cancel};
  app.dispatch([&] { forms.palette->endButton.click(); });
  std::ostringstream out;
  for (const char* name : {"Top", "Left", "Image.Top", "Main.Top", "Main.Left"}) {
    auto v = platform.registry.value(app::kPositionKey, name);
    ASSERT_TRUE(v) << name;
    out << name << " " << int(v->type);
    for (auto b : v->data) out << " " << int(b);
    out << "\n";
  }
  EXPECT_EQ(out.str(), golden("positions.txt"));
  EXPECT_EQ(platform.registry.writeLog,
            (std::vector<std::string>{"Top", "Left", "Image.Top", "Main.Top", "Main.Left"}));
}

}  // namespace
