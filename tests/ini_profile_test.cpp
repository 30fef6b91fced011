#include "platform/headless/ini_profile.h"
#include "app_fixture.h"

namespace {

class IniProfileTest : public AppTest {
 protected:
  std::string read(const std::string& section, const std::string& key, const std::string& def = "?",
                   std::size_t max = 1023) {
    return ini.readString(iniPath(), section, key, def, max);
  }
  headless::IniProfile ini;
};

TEST_F(IniProfileTest, ReadsWithTheSystemsRules) {
  writeIni(
      "top=0\r\n"
      "  [ Option ]  \r\n"
      "; renzoku=99\r\n"
      "  Renzoku =  12  \r\n"
      "quoted=\"  a b  \"\r\n"
      "single='x'\r\n"
      "half=\"open\r\n"
      "noequals\r\n"
      "empty=\r\n"
      "jp=撮影ソフト\r\n"
      "[Next]\r\n"
      "renzoku=5\r\n");
  EXPECT_EQ(read("option", "RENZOKU"), "12");
  EXPECT_EQ(read("Option", "quoted"), "  a b  ");
  EXPECT_EQ(read("Option", "single"), "x");
  EXPECT_EQ(read("Option", "half"), "\"open");
  EXPECT_EQ(read("Option", "empty"), "");
  EXPECT_EQ(read("Option", "noequals"), "?");
  EXPECT_EQ(read("Option", "top"), "?");  // keys before any section belong to none
  EXPECT_EQ(read("Next", "renzoku"), "5");
  EXPECT_EQ(read("Missing", "renzoku", "d"), "d");
  EXPECT_EQ(read("Option", "jp"), "撮影ソフト");
  EXPECT_EQ(read("Option", "jp", "", 2), "撮影");  // cut in characters, never inside one
}

TEST_F(IniProfileTest, MissingFileGivesTheDefault) {
  EXPECT_EQ(read("Option", "PS", "def"), "def");
  EXPECT_EQ(read("Option", "PS", "abcdef", 3), "abc");
  EXPECT_EQ(read("Option", "PS", "  a b  "), "  a b");
}

TEST_F(IniProfileTest, WritesNewFileSectionAndKeys) {
  // A new file is UTF-16LE with its byte-order mark.
  ASSERT_TRUE(ini.writeString(iniPath(), "Option", "a", "1"));
  EXPECT_EQ(readIni(), std::string("\xFF\xFE[\0O\0p\0t\0i\0o\0n\0]\0\r\0\n\0a\0=\0"
                                   "1\0\r\0\n\0",
                                   32));
  ASSERT_TRUE(ini.writeString(iniPath(), "OPTION", "b", "2"));
  ASSERT_TRUE(ini.writeString(iniPath(), "Option", "A", "3"));
  ASSERT_TRUE(ini.writeString(iniPath(), "Other", "c", "ü"));
  EXPECT_EQ(readIniText(), "[Option]\r\na=3\r\nb=2\r\n[Other]\r\nc=ü\r\n");
  EXPECT_EQ(read("other", "C"), "ü");
}

TEST_F(IniProfileTest, AnExistingEightBitFileStaysEightBit) {
  writeIni("[Option]\r\na=1\r\n");
  ASSERT_TRUE(ini.writeString(iniPath(), "Option", "b", "2"));
  EXPECT_EQ(readIni(), "[Option]\r\na=1\r\nb=2\r\n");
}

TEST_F(IniProfileTest, AppendsAfterTheLastEntryAndKeepsLineEndings) {
  writeIni("[Option]\na=1\n\n; note\n[Next]\nz=9");
  ASSERT_TRUE(ini.writeString(iniPath(), "Option", "b", "2"));
  ASSERT_TRUE(ini.writeString(iniPath(), "Next", "y", "8"));
  EXPECT_EQ(readIni(), "[Option]\na=1\nb=2\r\n\n; note\n[Next]\nz=9\r\ny=8\r\n");
}

TEST_F(IniProfileTest, RefusesWhatItCannotWrite) {
  EXPECT_FALSE(ini.writeString((dir / "nope" / "x.ini").string(), "Option", "a", "1"));
  EXPECT_FALSE(ini.writeString(dir.string(), "Option", "a", "1"));  // a folder
}

}  // namespace
