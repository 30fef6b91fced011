// The same INI cases through the system's private-profile functions and
// through headless::IniProfile (the native build's implementation): the
// values read must agree, and so must the bytes written where the system's
// output is fixed (a new file, a value replaced in place, a key appended).
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/ini_profile.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace {

// Bytes as C-escaped text, for messages about file contents.
std::string escaped(const std::string& bytes) {
  std::string out;
  char buf[8];
  for (unsigned char c : bytes) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else if (c < 0x20 || c >= 0x7F) {
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else
      out += char(c);
  }
  return out;
}

std::string tempFolder() {
  wchar_t buf[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH, buf);
  return win32::narrow(buf, n) + "MiruneIni" + std::to_string(GetCurrentProcessId()) + "\\";
}

void writeBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileW(win32::widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::optional<std::string> readBytes(const std::string& path) {
  HANDLE h = CreateFileW(win32::widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string out;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return out;
}

// One case: the same starting file for both implementations.
class IniCase {
 public:
  IniCase(const std::string& name, std::optional<std::string> initial) : name_(name) {
    CreateDirectoryW(win32::widen(folder()).c_str(), nullptr);
    sys_ = folder() + name + "_system.ini";
    ours_ = folder() + name + "_headless.ini";
    DeleteFileW(win32::widen(sys_).c_str());
    DeleteFileW(win32::widen(ours_).c_str());
    if (initial) {
      writeBytes(sys_, *initial);
      writeBytes(ours_, *initial);
    }
  }
  ~IniCase() {
    // The system caches profile files; let go of ours before deleting it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, win32::widen(sys_).c_str());
    DeleteFileW(win32::widen(sys_).c_str());
    DeleteFileW(win32::widen(ours_).c_str());
  }
  static std::string folder() {
    static std::string f = tempFolder();
    return f;
  }

  void write(const std::string& section, const std::string& key, const std::string& value) {
    bool a = system_.writeString(sys_, section, key, value);
    bool b = headless_.writeString(ours_, section, key, value);
    EXPECT_TRUE(a && b) << name_ + " write " + key + "=" + value + " succeeds both ways";
  }
  // Reads both ways; checks they agree and give `want`.
  void read(const std::string& section, const std::string& key, const std::string& def, std::size_t maxChars,
            const std::string& want, const std::string& what) {
    std::string a = system_.readString(sys_, section, key, def, maxChars);
    std::string b = headless_.readString(ours_, section, key, def, maxChars);
    EXPECT_EQ(a, want) << name_ + " " + what + " (system)";
    EXPECT_EQ(b, want) << name_ + " " + what + " (headless)";
  }
  // Both files hold the same bytes, and those are `want`.
  void bytes(const std::string& want) {
    std::string a = readBytes(sys_).value_or("<no file>"), b = readBytes(ours_).value_or("<no file>");
    EXPECT_EQ(escaped(a), escaped(want)) << name_ << " file written by the system";
    EXPECT_EQ(escaped(b), escaped(a)) << name_ << " file written by headless matches the system's";
  }

  // Where the system's rewrite is its own (Wine rewrites the whole file
  // from what it parsed; Windows edits the line): shown, not checked.
  void showBytes() {
    std::string a = readBytes(sys_).value_or("<no file>"), b = readBytes(ours_).value_or("<no file>");
    std::printf("info %s system \"%s\"%s%s%s\n", name_.c_str(), escaped(a).c_str(),
                a == b ? " (headless the same)" : ", headless \"", a == b ? "" : escaped(b).c_str(),
                a == b ? "" : "\"");
  }

 private:
  std::string name_, sys_, ours_;
  win32::Profile system_;
  headless::IniProfile headless_;
};

// A file as the profile functions keep a new one: UTF-16LE after its mark.
std::string utf16File(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (wchar_t u : win32::widen(text)) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  }
  return out;
}

// The cases' folder goes when the program ends.
struct FolderCleanup {
  ~FolderCleanup() { RemoveDirectoryW(win32::widen(IniCase::folder()).c_str()); }
} folderCleanup;

}  // namespace

TEST(Profile, NewFile) {
  IniCase c("new", std::nullopt);
  c.read("Option", "renzoku", "5", 255, "5", "missing file gives the default");
  c.write("Option", "renzoku", "3");
  // A new file is made in UTF-16, and the system keeps it so.
  c.bytes(utf16File("[Option]\r\nrenzoku=3\r\n"));
  c.write("Option", "yoko", "320");
  c.bytes(utf16File("[Option]\r\nrenzoku=3\r\nyoko=320\r\n"));
  c.write("Other", "x", "1");
  c.bytes(utf16File("[Option]\r\nrenzoku=3\r\nyoko=320\r\n[Other]\r\nx=1\r\n"));
  c.read("option", "RENZOKU", "", 255, "3", "names compare without case");
  c.read("Other", "x", "", 255, "1", "second section");
}

TEST(Profile, ReplaceInPlace) {
  IniCase c("replace", std::string("[Option]\r\nrenzoku=3\r\nyoko=320\r\ntate=240\r\n"));
  c.write("Option", "yoko", "640");
  c.bytes("[Option]\r\nrenzoku=3\r\nyoko=640\r\ntate=240\r\n");
  c.read("Option", "yoko", "", 255, "640", "replaced value");
  c.read("Option", "tate", "", 255, "240", "neighbour kept");
}

TEST(Profile, ReplaceKeepsStoredName) {
  IniCase c("replacecase", std::string("[Option]\r\nrenzoku=3\r\n"));
  c.write("OPTION", "Renzoku", "4");
  c.read("Option", "renzoku", "", 255, "4", "replaced through another case");
  c.read("Option", "RENZOKU", "", 255, "4", "one key, not two");
  c.bytes("[Option]\r\nrenzoku=4\r\n");
}

TEST(Profile, AppendMissingKey) {
  IniCase c("append", std::string("[Option]\r\nrenzoku=3\r\n[Other]\r\nx=1\r\n"));
  c.write("Option", "Speed", "10");
  c.bytes("[Option]\r\nrenzoku=3\r\nSpeed=10\r\n[Other]\r\nx=1\r\n");
  c.read("Option", "speed", "", 255, "10", "appended key");
  c.read("Other", "x", "", 255, "1", "next section untouched");
}

TEST(Profile, AppendToFileWithoutFinalNewline) {
  IniCase c("nonewline", std::string("[Option]\r\nrenzoku=3"));
  c.write("Option", "yoko", "320");
  c.bytes("[Option]\r\nrenzoku=3\r\nyoko=320\r\n");
}

TEST(Profile, UntouchedLines) {
  // A hand-edited file: blank lines, a comment, spaces around '='.
  IniCase c("untouched",
            std::string("; settings\r\n[Option]\r\nrenzoku = 3\r\n\r\nyoko=320\r\n\r\n[Other]\r\nx=1\r\n"));
  c.write("Option", "tate", "240");
  c.read("Option", "renzoku", "", 255, "3", "untouched key");
  c.read("Option", "tate", "", 255, "240", "added key");
  c.read("Other", "x", "", 255, "1", "next section");
  c.showBytes();
}

TEST(Profile, SpacesAndQuotes) {
  IniCase c("quotes", std::string("[Option]\r\n  PS  =  C:\\Program Files\\paint.exe  \r\n"
                                  "q=\"quoted value\"\r\ns='single'\r\nhalf=\"open\r\nempty=\r\n"));
  c.read("Option", "PS", "", 255, "C:\\Program Files\\paint.exe", "spaces around name and value trimmed");
  c.read("Option", "q", "", 255, "quoted value", "double quotes dropped");
  c.read("Option", "s", "", 255, "single", "single quotes dropped");
  c.read("Option", "half", "", 255, "\"open", "one quote kept");
  c.read("Option", "empty", "def", 255, "", "an empty value is not the default");
}

TEST(Profile, WrittenValuesReadBack) {
  IniCase c("values", std::nullopt);
  for (const char* v : {"0x14", "$1F", "abc", "-1", "a b", "\"q\""}) c.write("Option", "v", v);
  c.bytes(utf16File("[Option]\r\nv=\"q\"\r\n"));
  c.read("Option", "v", "", 255, "q", "written quotes dropped on reading");
  for (const char* v : {"0x14", "$1F", "abc", "-1"}) {
    c.write("Option", "renzoku", v);
    c.read("Option", "renzoku", "", 255, v, std::string("value ") + v + " as written");
  }
}

TEST(Profile, DefaultsAndLimits) {
  IniCase c("limits", std::string("[Option]\r\n;renzoku=9\r\nlong=abcdefghij\r\n[Empty]\r\n"));
  c.read("Option", "renzoku", "5", 255, "5", "a commented key is missing");
  c.read("Nothing", "renzoku", "5", 255, "5", "missing section gives the default");
  c.read("Empty", "renzoku", "7", 255, "7", "empty section gives the default");
  c.read("Option", "long", "", 4, "abcd", "cut to max chars");
  c.read("Option", "long", "", 0, "", "max chars 0 gives nothing");
  c.read("Option", "long", "", 10, "abcdefghij", "exactly max chars");
  c.read("Option", "none", "0123456789", 3, "012", "default cut to max chars");
}

TEST(Profile, DefaultWithTrailingBlanks) {
  IniCase c("defaultblanks", std::nullopt);
  // The system drops trailing blanks of the default.
  c.read("Option", "x", "abc  ", 255, "abc", "default without its trailing blanks");
}

TEST(Profile, DuplicatesAndSectionSpaces) {
  IniCase c("dups", std::string("[ Option ]\r\nk=first\r\nk=second\r\n[Option]\r\nk=third\r\n"));
  c.read("Option", "k", "", 255, "first", "first section, first key wins");
}

TEST(Profile, JapaneseValuesAndFileNames) {
  // The settings file lies beside the program, whose folder may have any
  // name: the system path must take UTF-16 names.
  win32::Profile system;
  std::string file = IniCase::folder() + "ミルネ設定.ini";
  CreateDirectoryW(win32::widen(IniCase::folder()).c_str(), nullptr);
  EXPECT_TRUE(system.writeString(file, "Option", "PS", "C:\\ペイント\\表計算.exe"))
      << "written under a kanji file name";
  EXPECT_EQ(system.readString(file, "Option", "PS", "", 255), std::string("C:\\ペイント\\表計算.exe"))
      << "Japanese value round trip";
  EXPECT_EQ(system.readString(file, "Option", "PS", "", 5), std::string("C:\\ペイ"))
      << "max chars counts characters, not bytes";
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, win32::widen(file).c_str());
  auto bytes = readBytes(file);
  EXPECT_TRUE(bytes.has_value()) << "file exists under its UTF-16 name";
  if (bytes) std::printf("info system bytes for a Japanese value: \"%s\"\n", escaped(*bytes).c_str());
  DeleteFileW(win32::widen(file).c_str());
}

TEST(Profile, TextOutsideTheCodePageSurvivesANewFile) {
  // Greek and Cyrillic are outside code page 932: a file made in the ANSI
  // code page would keep them as "?".
  win32::Profile system;
  std::string file = IniCase::folder() + "outside.ini";
  CreateDirectoryW(win32::widen(IniCase::folder()).c_str(), nullptr);
  DeleteFileW(win32::widen(file).c_str());
  const std::string path = "C:\\Ελληνικά\\Кириллица\\ペイント.exe";
  EXPECT_TRUE(system.writeString(file, "Option", "PS", path)) << "written into a new file";
  EXPECT_TRUE(system.writeString(file, "Option", "renzoku", "4")) << "a second key";
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, win32::widen(file).c_str());
  EXPECT_EQ(system.readString(file, "Option", "PS", "", 1023), path) << "the path reads back whole";
  auto bytes = readBytes(file);
  EXPECT_TRUE(bytes && bytes->compare(0, 2, "\xFF\xFE") == 0) << "the new file is UTF-16";
  // An existing 8-bit file is not turned into UTF-16.
  writeBytes(file, "[Option]\r\nrenzoku=3\r\n");
  EXPECT_TRUE(system.writeString(file, "Option", "yoko", "320")) << "written into an 8-bit file";
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, win32::widen(file).c_str());
  bytes = readBytes(file);
  EXPECT_TRUE(bytes && bytes->compare(0, 8, "[Option]") == 0) << "an 8-bit file stays 8-bit";
  DeleteFileW(win32::widen(file).c_str());
}
