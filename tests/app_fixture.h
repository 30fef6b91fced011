#pragma once
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "base/text.h"
#include "platform/headless/services.h"
#include "shell/program.h"
#include "ui/application.h"

// A headless platform and an application on it, with the program's folder
// in a fresh temporary directory.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    // One folder: a parameterised test's name holds a slash.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    dir = std::filesystem::temp_directory_path() / ("mirune-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    platform.files.exePath = (dir / "mirune.exe").string();
    platform.files.currentDir = dir.string();
    platform.files.tempDir = (dir / "temp").string() + "/";
    std::filesystem::create_directories(dir / "temp");
    platform.backend.setApplication(&app);
  }
  ~AppTest() override { std::filesystem::remove_all(dir); }

  std::string iniPath() const { return (dir / "mirune.ini").string(); }
  void writeIni(const std::string& text) const { std::ofstream(iniPath(), std::ios::binary) << text; }
  std::string readIni() const {
    std::ifstream in(iniPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The settings file's text, in UTF-8 whichever encoding the file has.
  std::string readIniText() const {
    std::string bytes = readIni();
    if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    return base::utf8FromUtf16(units);
  }

  std::filesystem::path dir;
  headless::Platform platform;
  sys::Services services = platform.services();
  // The program's settings, handed to its start; the windows hold on to
  // them, so they outlive the application.
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  // The windows, once a test has started the program.
  shell::Forms forms;
};
