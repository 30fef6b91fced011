// The registry service against the real HKEY_CURRENT_USER, read through
// the class library's rules (sys::RegistryKey).
#include <windows.h>

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "base/error.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace {

// A key of our own below Software\Olvane, removed with everything in it
// when the test is done.
struct ScratchKey {
  std::string path;
  ScratchKey() : path("\\Software\\Olvane\\MiruneTest" + std::to_string(GetCurrentProcessId())) {}
  ~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, win32::widen(path.substr(1)).c_str()); }
  std::wstring wide() const { return win32::widen(path.substr(1)); }
};

// The error text a read throws, or "" when it does not throw.
std::string readError(sys::RegistryKey& key, const std::string& name) {
  try {
    key.readInteger(name);
  } catch (const base::Error& e) {
    return e.what();
  }
  return "";
}

void setRaw(const ScratchKey& k, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  win32::UniqueKey h;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, k.wide().c_str(), 0, KEY_WRITE, &raw) == ERROR_SUCCESS) h.reset(raw);
  if (h) RegSetValueExW(h.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

}  // namespace

TEST(Registry, OpenAndCreate) {
  ScratchKey scratch;
  win32::Registry reg;
  EXPECT_TRUE(!sys::RegistryKey::open(reg, scratch.path, false))
      << "a missing key does not open without create";
  EXPECT_TRUE(sys::RegistryKey::open(reg, scratch.path + "\\a\\b", true).has_value())
      << "create makes every missing part of the path";
  EXPECT_TRUE(sys::RegistryKey::open(reg, scratch.path + "\\a", false).has_value())
      << "the made key opens without create";
  // The class library's absolute path and a relative one name the same key.
  auto k = reg.open(scratch.path.substr(1) + "\\a\\b", false);
  EXPECT_NE(k, 0) << "a path without the leading backslash opens the same key";
  reg.close(k);
  reg.close(k);  // a second close of the same key is harmless
  EXPECT_TRUE(!reg.query(k, "x").has_value()) << "a closed key answers nothing";
}

TEST(Registry, IntegersRoundTrip) {
  ScratchKey scratch;
  win32::Registry reg;
  auto key = sys::RegistryKey::open(reg, scratch.path, true);
  ASSERT_TRUE(key.has_value()) << "scratch key created";
  for (std::int32_t v : {0, 1, -1, -12345, 637, INT_MIN, INT_MAX}) {
    key->writeInteger("Main.Top", v);
    EXPECT_EQ(key->readInteger("Main.Top"), v) << "round trip of " + std::to_string(v);
  }
  // Written as a real REG_DWORD, little-endian, as other programs read it.
  key->writeInteger("Top", -2);
  HKEY raw = nullptr;
  DWORD type = 0, value = 0, size = sizeof value;
  RegOpenKeyExW(HKEY_CURRENT_USER, scratch.wide().c_str(), 0, KEY_READ, &raw);
  win32::UniqueKey h(raw);
  LONG rc = RegQueryValueExW(h.get(), L"Top", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  EXPECT_EQ(rc, LONG(ERROR_SUCCESS)) << "the value is there for the system";
  EXPECT_EQ(type, DWORD(REG_DWORD)) << "stored as REG_DWORD";
  EXPECT_EQ(value, DWORD(0xFFFFFFFEu)) << "stored as the 32-bit pattern of -2";
  EXPECT_EQ(key->readInteger("top"), -2) << "value names compare without case";
}

TEST(Registry, ErrorTexts) {
  ScratchKey scratch;
  win32::Registry reg;
  auto key = sys::RegistryKey::open(reg, scratch.path, true);
  ASSERT_TRUE(key.has_value()) << "scratch key created";
  EXPECT_EQ(readError(*key, "Main.Top"), std::string("'Main.Top' の取得に失敗しました"))
      << "a missing value fails to read";
  const wchar_t text[] = L"12";
  setRaw(scratch, L"Main.Left", REG_SZ, text, sizeof text);
  EXPECT_EQ(readError(*key, "Main.Left"), std::string("'Main.Left' のﾃﾞｰﾀ型が不正です"))
      << "a string value is the wrong type, even when it holds digits";
  const BYTE four[4] = {1, 0, 0, 0};
  setRaw(scratch, L"Image.Top", REG_BINARY, four, 4);
  EXPECT_EQ(readError(*key, "Image.Top"), std::string("'Image.Top' のﾃﾞｰﾀ型が不正です"))
      << "four binary bytes are not an integer either";
}

TEST(Registry, ValueTypes) {
  ScratchKey scratch;
  win32::Registry reg;
  auto k = reg.open(scratch.path, true);
  const wchar_t text[] = L"ネガ 36";
  setRaw(scratch, L"s", REG_SZ, text, sizeof text);
  const wchar_t multi[] = L"a\0b\0";
  setRaw(scratch, L"m", REG_MULTI_SZ, multi, sizeof multi);
  auto s = reg.query(k, "s");
  EXPECT_TRUE(s && s->type == sys::Registry::Type::String &&
              std::string(s->data.begin(), s->data.end()) == "ネガ 36")
      << "REG_SZ reads as a UTF-8 string without terminator";
  auto m = reg.query(k, "m");
  EXPECT_TRUE(m && m->type == sys::Registry::Type::Other) << "REG_MULTI_SZ reads as other";
  EXPECT_TRUE(!reg.query(k, "absent").has_value()) << "a missing value is nullopt";
  std::string value = "C:\\ペイント";
  reg.set(k, "path", {sys::Registry::Type::String, {value.begin(), value.end()}});
  auto back = reg.query(k, "path");
  EXPECT_TRUE(back && std::string(back->data.begin(), back->data.end()) == value)
      << "a string written reads back";
  EXPECT_TRUE(!reg.set(k, "bad", {sys::Registry::Type::Dword, {1, 2}})) << "a DWORD of two bytes is refused";
  reg.close(k);
}

TEST(Registry, JapaneseKeyName) {
  ScratchKey scratch;
  win32::Registry reg;
  {
    auto key = sys::RegistryKey::open(reg, scratch.path + "\\Mirune36枚撮り", true);
    EXPECT_TRUE(key.has_value()) << "key with kanji created";
    if (key) key->writeInteger("Main.Left", 44);
  }
  HKEY raw = nullptr;
  std::wstring wide = scratch.wide() + L"\\Mirune36枚撮り";
  LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, KEY_READ, &raw);
  win32::UniqueKey h(raw);
  EXPECT_EQ(rc, LONG(ERROR_SUCCESS)) << "the system finds it under its UTF-16 name";
  auto again = sys::RegistryKey::open(reg, scratch.path + "\\mirune36枚撮り", false);
  EXPECT_TRUE(again && again->readInteger("Main.Left") == 44)
      << "opened again, in another case, with its value";
}
