// The file and code-page functions the platform supplies to base/: the
// Japanese code page's byte counts, and a write that replaces a file only
// once it is whole.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "base/file.h"
#include "picture/file_io.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace {

std::string readAll(const std::string& path) {
  base::File f = base::openFile(path, "rb");
  if (!f) return "<missing>";
  std::string bytes;
  char buf[256];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f.get())) > 0;) bytes.append(buf, n);
  return bytes;
}

}  // namespace

TEST(Files, CodePageBytes) {
  EXPECT_EQ(base::cp932Length("abcdef.BMP"), std::size_t{10}) << "six letters and an extension are 10 bytes";
  EXPECT_EQ(base::cp932Length("写真ab.bmp"), std::size_t{10}) << "two kanji count two bytes each";
  EXPECT_EQ(base::cp932Length("ｱｲｳ"), std::size_t{3}) << "half-width kana one byte each";
  EXPECT_EQ(base::eraseCp932Bytes("写真ab01.bmp", 6, 2), std::string("写真ab.bmp"))
      << "the 7th and 8th bytes go from a Japanese series name";
  EXPECT_EQ(base::eraseCp932Bytes("abcde写01.bmp", 6, 2), std::string("abcde1.bmp"))
      << "a double-byte character that covers the 7th byte goes whole";
  EXPECT_EQ(base::utf8FromCp932(base::cp932FromUtf8("表ソ能")), std::string("表ソ能"))
      << "names whose second bytes are backslashes come back whole";
}

TEST(Files, SafeWrite) {
  win32::Files files;
  std::string dir = files.temporaryDirectory() + "mirune-safe-write\\";
  CreateDirectoryW(win32::widen(dir).c_str(), nullptr);
  std::string target = dir + "写真.bmp";
  picture::writeFileBytes(target, {'o', 'l', 'd'});
  picture::writeFileBytes(target, {'n', 'e', 'w', '!'});
  EXPECT_EQ(readAll(target), std::string("new!")) << "a second write replaces the file";

  // A write whose step fails leaves the old file and nothing beside it.
  bool written = base::writeFileSafely(target, [](std::FILE* f) {
    std::fputs("half", f);
    return false;
  });
  EXPECT_TRUE(!written) << "the failed write says so";
  EXPECT_EQ(readAll(target), std::string("new!")) << "and the old file is whole";
  int entries = 0;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(win32::widen(dir + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (found.cFileName[0] != L'.') ++entries;
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";

  // A target that is a folder cannot be replaced.
  std::string folder = dir + "folder.bmp";
  CreateDirectoryW(win32::widen(folder).c_str(), nullptr);
  EXPECT_TRUE(!base::writeFileSafely(folder, [](std::FILE*) { return true; })) << "a folder is not replaced";
  RemoveDirectoryW(win32::widen(folder).c_str());
  DeleteFileW(win32::widen(target).c_str());
  RemoveDirectoryW(win32::widen(dir).c_str());
}
