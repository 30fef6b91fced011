#include "app/settings.h"
#include "app_fixture.h"
#include "base/error.h"

namespace {

class SettingsTest : public AppTest {
 protected:
  void load() { app::loadSettings(settings, platform.profile, iniPath()); }
};

TEST(SettingNumber, ReadsDecimalHexAndRejectsGarbage) {
  EXPECT_EQ(app::parseSettingNumber("300"), 300);
  EXPECT_EQ(app::parseSettingNumber("-25"), -25);
  EXPECT_EQ(app::parseSettingNumber("+7"), 7);
  EXPECT_EQ(app::parseSettingNumber("0x14"), 20);
  EXPECT_EQ(app::parseSettingNumber("0X1f"), 31);
  EXPECT_EQ(app::parseSettingNumber("$1F"), 31);
  EXPECT_EQ(app::parseSettingNumber("$FFFFFFFF"), -1);  // hex wraps into 32 bits
  EXPECT_EQ(app::parseSettingNumber("0x"), -1);         // too short for hex, not decimal
  EXPECT_EQ(app::parseSettingNumber(""), -1);
  EXPECT_EQ(app::parseSettingNumber("abc"), -1);
  EXPECT_EQ(app::parseSettingNumber("12abc"), -1);
  EXPECT_EQ(app::parseSettingNumber("0xZZ"), -1);
  EXPECT_EQ(app::parseSettingNumber("99999999999"), -1);  // past 32 bits
  EXPECT_EQ(app::parseSettingNumber("-2147483648"), -2147483648ll);
}

TEST(SettingNumber, SettingsPathReplacesTheExtension) {
  EXPECT_EQ(app::settingsPath("C:\\Tools\\MIRUNE.EXE"), "C:\\Tools\\MIRUNE.ini");
  EXPECT_EQ(app::settingsPath("C:\\a.b\\prog"), "C:\\a.b\\prog.ini");
  EXPECT_EQ(app::settingsPath("/x/撮影.v2.exe"), "/x/撮影.v2.ini");
}

TEST_F(SettingsTest, NoFileKeepsTheBuiltInValues) {
  load();
  EXPECT_EQ(settings.strobeCount, 4);
  EXPECT_EQ(settings.defaultViewfinderWidth, 160);
  EXPECT_EQ(settings.defaultViewfinderHeight, 120);
  EXPECT_EQ(settings.strobeIntervalTenths, 10);
  EXPECT_EQ(settings.shutterDelaySeconds, 1);
  EXPECT_EQ(settings.viewfinderBevel, 0);
  EXPECT_EQ(settings.optionSoftwarePath, "");
  EXPECT_FALSE(settings.pushOutWhenFull);
}

TEST_F(SettingsTest, ValuesAreCutToTheirWidth) {
  writeIni("[Option]\r\nrenzoku=300\r\nyoko=70000\r\ntate=-2\r\nBevel=259\r\nSpeed=0x14\r\ntimelag=$3C\r\n");
  load();
  EXPECT_EQ(settings.strobeCount, 44);
  EXPECT_EQ(settings.defaultViewfinderWidth, 4464);
  EXPECT_EQ(settings.defaultViewfinderHeight, 65534);
  EXPECT_EQ(settings.viewfinderBevel, 3);
  EXPECT_EQ(settings.strobeIntervalTenths, 20);
  EXPECT_EQ(settings.shutterDelaySeconds, 60);
}

TEST_F(SettingsTest, MinusOneAndGarbageCountAsAbsent) {
  writeIni("[Option]\nrenzoku=-1\nyoko=abc\ntate=\nSpeed=0x\ntimelag=0xFFFFFFFF\n");
  load();
  EXPECT_EQ(settings.strobeCount, 4);
  EXPECT_EQ(settings.defaultViewfinderWidth, 160);
  EXPECT_EQ(settings.defaultViewfinderHeight, 120);
  EXPECT_EQ(settings.strobeIntervalTenths, 10);
  EXPECT_EQ(settings.shutterDelaySeconds, 1);
}

TEST_F(SettingsTest, OptionSoftwareAndPushOut) {
  writeIni("[option]\nPS=\"C:\\Program Files\\Paint\\paint.exe\" /x\nosidasi=-1\n");
  load();
  EXPECT_EQ(settings.optionSoftwarePath, "\"C:\\Program Files\\Paint\\paint.exe\" /x");
  EXPECT_TRUE(settings.pushOutWhenFull);  // any value but 0 turns it on

  writeIni("[Option]\nPS=\nosidasi=abc\n");
  settings.optionSoftwarePath = "left over";
  load();
  EXPECT_EQ(settings.optionSoftwarePath, "");
  EXPECT_FALSE(settings.pushOutWhenFull);
}

TEST_F(SettingsTest, SaveIntoANewFileWritesTheSaveOrderInUtf16) {
  settings.viewfinderBevel = 1;
  app::saveSettings(settings, platform.profile, iniPath());
  const std::string expected =
      "[Option]\r\nrenzoku=4\r\nyoko=160\r\ntate=120\r\nBevel=1\r\nSpeed=10\r\n"
      "timelag=1\r\nosidasi=0\r\nPS=\r\n";
  std::string first = readIni();
  EXPECT_EQ(first.substr(0, 4), std::string("\xFF\xFE[\0", 4));  // byte-order mark, then UTF-16LE
  EXPECT_EQ(readIniText(), expected);
  // Saving the same settings again leaves the file as it was.
  app::saveSettings(settings, platform.profile, iniPath());
  EXPECT_EQ(readIni(), first);
}

TEST_F(SettingsTest, APathOutsideEveryCodePageSurvivesANewFile) {
  // Greek, Japanese and an emoji: no single ANSI code page holds them all.
  settings.optionSoftwarePath = "C:\\Ελληνικά\\ペイント\\\xF0\x9F\x93\xB7.exe";
  app::saveSettings(settings, platform.profile, iniPath());
  settings.optionSoftwarePath.clear();
  app::loadSettings(settings, platform.profile, iniPath());
  EXPECT_EQ(settings.optionSoftwarePath, "C:\\Ελληνικά\\ペイント\\\xF0\x9F\x93\xB7.exe");
}

TEST_F(SettingsTest, SaveIntoAnExistingFileReplacesInPlaceAndAppends) {
  writeIni(
      "; mine\r\n[Other]\r\nx=1\r\n[Option]\r\nSpeed=3\r\nmine=keep\r\nrenzoku=9\r\n\r\n[Tail]\r\ny=2\r\n");
  settings.strobeCount = 12;
  settings.strobeIntervalTenths = 15;
  settings.pushOutWhenFull = true;
  settings.optionSoftwarePath = "paint.exe";
  app::saveSettings(settings, platform.profile, iniPath());
  EXPECT_EQ(readIni(),
            "; mine\r\n[Other]\r\nx=1\r\n[Option]\r\nSpeed=15\r\nmine=keep\r\nrenzoku=12\r\n"
            "yoko=160\r\ntate=120\r\nBevel=0\r\ntimelag=1\r\nosidasi=1\r\nPS=paint.exe\r\n"
            "\r\n[Tail]\r\ny=2\r\n");
  // And what was written reads back.
  settings.strobeCount = 0;
  settings.strobeIntervalTenths = 0;
  settings.pushOutWhenFull = false;
  settings.optionSoftwarePath.clear();
  load();
  EXPECT_EQ(settings.strobeCount, 12);
  EXPECT_EQ(settings.strobeIntervalTenths, 15);
  EXPECT_TRUE(settings.pushOutWhenFull);
  EXPECT_EQ(settings.optionSoftwarePath, "paint.exe");
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenFailsWithItsName) {
  std::string bad = (dir / "no-such-folder" / "mirune.ini").string();
  settings.strobeCount = 7;
  try {
    app::saveSettings(settings, platform.profile, bad);
    FAIL() << "no error";
  } catch (const base::Error& e) {
    EXPECT_EQ(std::string(e.what()), bad + " に書き込めません");
  }
  EXPECT_EQ(settings.strobeCount, 7);  // the settings in memory keep the new value
}

}  // namespace
