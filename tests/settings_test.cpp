#include "app_fixture.h"
#include "shell/settings.h"
#include "ui/error.h"

namespace {

class SettingsTest : public AppTest {
 protected:
  SettingsTest() {
    shell::setBuiltInSettings();
    yoko = 160;
    tate = 120;
    Bevel = 0;
    PS.clear();
  }
  void load() { shell::loadSettings(platform.profile, iniPath()); }
};

TEST(SettingNumber, ReadsDecimalHexAndRejectsGarbage) {
  EXPECT_EQ(shell::parseSettingNumber("300"), 300);
  EXPECT_EQ(shell::parseSettingNumber("-25"), -25);
  EXPECT_EQ(shell::parseSettingNumber("+7"), 7);
  EXPECT_EQ(shell::parseSettingNumber("0x14"), 20);
  EXPECT_EQ(shell::parseSettingNumber("0X1f"), 31);
  EXPECT_EQ(shell::parseSettingNumber("$1F"), 31);
  EXPECT_EQ(shell::parseSettingNumber("$FFFFFFFF"), -1);  // hex wraps into 32 bits
  EXPECT_EQ(shell::parseSettingNumber("0x"), -1);  // too short for hex, not decimal
  EXPECT_EQ(shell::parseSettingNumber(""), -1);
  EXPECT_EQ(shell::parseSettingNumber("abc"), -1);
  EXPECT_EQ(shell::parseSettingNumber("12abc"), -1);
  EXPECT_EQ(shell::parseSettingNumber("0xZZ"), -1);
  EXPECT_EQ(shell::parseSettingNumber("99999999999"), -1);  // past 32 bits
  EXPECT_EQ(shell::parseSettingNumber("-2147483648"), -2147483648ll);
}

TEST(SettingNumber, SettingsPathReplacesTheExtension) {
  EXPECT_EQ(shell::settingsPath("C:\\Tools\\MIRUNE.EXE"), "C:\\Tools\\MIRUNE.ini");
  EXPECT_EQ(shell::settingsPath("C:\\a.b\\prog"), "C:\\a.b\\prog.ini");
  EXPECT_EQ(shell::settingsPath("/x/撮影.v2.exe"), "/x/撮影.v2.ini");
}

TEST_F(SettingsTest, NoFileKeepsTheBuiltInValues) {
  load();
  EXPECT_EQ(renzoku, 4);
  EXPECT_EQ(yoko, 160);
  EXPECT_EQ(tate, 120);
  EXPECT_EQ(Speed, 10);
  EXPECT_EQ(timelag, 1);
  EXPECT_EQ(Bevel, 0);
  EXPECT_EQ(PS, "");
  EXPECT_FALSE(osidasi);
}

TEST_F(SettingsTest, ValuesAreCutToTheirWidth) {
  writeIni("[Option]\r\nrenzoku=300\r\nyoko=70000\r\ntate=-2\r\nBevel=259\r\nSpeed=0x14\r\ntimelag=$3C\r\n");
  load();
  EXPECT_EQ(renzoku, 44);
  EXPECT_EQ(yoko, 4464);
  EXPECT_EQ(tate, 65534);
  EXPECT_EQ(Bevel, 3);
  EXPECT_EQ(Speed, 20);
  EXPECT_EQ(timelag, 60);
}

TEST_F(SettingsTest, MinusOneAndGarbageCountAsAbsent) {
  writeIni("[Option]\nrenzoku=-1\nyoko=abc\ntate=\nSpeed=0x\ntimelag=0xFFFFFFFF\n");
  load();
  EXPECT_EQ(renzoku, 4);
  EXPECT_EQ(yoko, 160);
  EXPECT_EQ(tate, 120);
  EXPECT_EQ(Speed, 10);
  EXPECT_EQ(timelag, 1);
}

TEST_F(SettingsTest, OptionSoftwareAndPushOut) {
  writeIni("[option]\nPS=\"C:\\Program Files\\Paint\\paint.exe\" /x\nosidasi=-1\n");
  load();
  EXPECT_EQ(PS, "\"C:\\Program Files\\Paint\\paint.exe\" /x");
  EXPECT_TRUE(osidasi);  // any value but 0 turns it on

  writeIni("[Option]\nPS=\nosidasi=abc\n");
  PS = "left over";
  load();
  EXPECT_EQ(PS, "");
  EXPECT_FALSE(osidasi);
}

TEST_F(SettingsTest, SaveIntoANewFileWritesTheSaveOrder) {
  Bevel = 1;
  shell::saveSettings(platform.profile, iniPath());
  EXPECT_EQ(readIni(),
            "[Option]\r\nrenzoku=4\r\nyoko=160\r\ntate=120\r\nBevel=1\r\nSpeed=10\r\n"
            "timelag=1\r\nosidasi=0\r\nPS=\r\n");
  // Saving the same settings again leaves the file as it was.
  shell::saveSettings(platform.profile, iniPath());
  EXPECT_EQ(readIni(),
            "[Option]\r\nrenzoku=4\r\nyoko=160\r\ntate=120\r\nBevel=1\r\nSpeed=10\r\n"
            "timelag=1\r\nosidasi=0\r\nPS=\r\n");
}

TEST_F(SettingsTest, SaveIntoAnExistingFileReplacesInPlaceAndAppends) {
  writeIni("; mine\r\n[Other]\r\nx=1\r\n[Option]\r\nSpeed=3\r\nmine=keep\r\nrenzoku=9\r\n\r\n[Tail]\r\ny=2\r\n");
  renzoku = 12;
  Speed = 15;
  osidasi = true;
  PS = "paint.exe";
  shell::saveSettings(platform.profile, iniPath());
  EXPECT_EQ(readIni(),
            "; mine\r\n[Other]\r\nx=1\r\n[Option]\r\nSpeed=15\r\nmine=keep\r\nrenzoku=12\r\n"
            "yoko=160\r\ntate=120\r\nBevel=0\r\ntimelag=1\r\nosidasi=1\r\nPS=paint.exe\r\n"
            "\r\n[Tail]\r\ny=2\r\n");
  // And what was written reads back.
  renzoku = 0;
  Speed = 0;
  osidasi = false;
  PS.clear();
  load();
  EXPECT_EQ(renzoku, 12);
  EXPECT_EQ(Speed, 15);
  EXPECT_TRUE(osidasi);
  EXPECT_EQ(PS, "paint.exe");
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenFailsWithItsName) {
  std::string bad = (dir / "no-such-folder" / "mirune.ini").string();
  renzoku = 7;
  try {
    shell::saveSettings(platform.profile, bad);
    FAIL() << "no error";
  } catch (const ui::Error& e) {
    EXPECT_EQ(std::string(e.what()), bad + " に書き込めません");
  }
  EXPECT_EQ(renzoku, 7);  // the settings in memory keep the new value
}

}  // namespace
