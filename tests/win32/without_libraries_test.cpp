// The program on a system whose common dialogs, shell and common controls
// cannot be loaded: each command that needs one fails in the program's
// words and changes nothing; none passes for a cancel. The test starts a
// copy of this program under a name of its own, which Wine is told to
// refuse the three libraries, and there the group WithoutLibraries alone
// runs.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "base/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "ui/controls.h"
#include "ui/track_bar.h"

namespace {

using wintest::Fixture;

constexpr wchar_t kMarker[] = L"MIRUNE_WITHOUT_LIBRARIES";

std::string failureOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const base::Error& e) {
    return e.what();
  }
  return "no failure";
}

struct SliderForm : ui::Form {
  ui::TrackBar delay{this, "delay"};
  explicit SliderForm(ui::Application& app) : ui::Form(app, "sliderForm") {
    delay.setBounds({10, 10, 150, 28});
  }
};

class WithoutLibraries : public ::testing::Test {
  void TestBody() override {
    for (const wchar_t* name : {L"comdlg32.dll", L"shell32.dll", L"comctl32.dll"})
      ASSERT_EQ(LoadLibraryW(name), nullptr) << "Wine refuses the library";
    Fixture fx;
    auto owner = [&fx] { return fx.backend.applicationWindow(); };
    win32::FileDialogs dialogs(owner);
    EXPECT_EQ(failureOf([&] {
                dialogs.openFile({"開く", "Bitmap|*.bmp", "bmp"});
              }),
              base::kUnexpectedError)
        << "open and batch load";
    EXPECT_EQ(failureOf([&] {
                dialogs.saveFile({"名前を付けて保存", "Bitmap|*.bmp", "bmp"});
              }),
              base::kUnexpectedError)
        << "save as and batch save";
    win32::Shell shell(owner);
    EXPECT_EQ(failureOf([&] { shell.openFile("a.bmp"); }), base::kUnexpectedError) << "the paint command";
    auto* form = fx.app->createForm<SliderForm>();
    fx.app->dispatch([&] { form->show(); });
    ASSERT_EQ(fx.boxes.shown.size(), std::size_t(1)) << "a dialog without its track bar is reported once";
    EXPECT_EQ(fx.boxes.shown[0], base::kUnexpectedError);
    EXPECT_FALSE(form->visible()) << "and does not show";
  }
};

// Only in the program started below.
const bool registered =
    GetEnvironmentVariableW(kMarker, nullptr, 0) != 0 &&
    ::testing::RegisterTest("WithoutLibraries", "CommandsThatNeedThemFailInTheProgramsWords", nullptr,
                            nullptr, __FILE__, __LINE__,
                            []() -> ::testing::Test* { return new WithoutLibraries; }) != nullptr;

// A copy of this program in the temporary folder that Wine refuses the
// libraries (its per-program settings), and the marker that has it run the
// group above; all gone with the object.
class RefusingCopy {
 public:
  RefusingCopy() {
    wchar_t exe[MAX_PATH] = {}, temp[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, exe, MAX_PATH) || !GetTempPathW(MAX_PATH, temp)) return;
    path_ = std::wstring(temp) + kName;
    if (!CopyFileW(exe, path_.c_str(), FALSE)) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kSettings) + L"\\DllOverrides").c_str(), 0, nullptr,
                        0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    win32::UniqueKey held(key);
    for (const wchar_t* name : {L"comdlg32", L"shell32", L"comctl32"})
      if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t)) !=
          ERROR_SUCCESS)
        return;
    ready_ = SetEnvironmentVariableW(kMarker, L"1") != FALSE;
  }
  ~RefusingCopy() {
    SetEnvironmentVariableW(kMarker, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  RefusingCopy(const RefusingCopy&) = delete;
  RefusingCopy& operator=(const RefusingCopy&) = delete;
  bool ready() const { return ready_; }
  const std::wstring& path() const { return path_; }

 private:
  static constexpr wchar_t kName[] = L"mirune_without_libraries.exe";
  static constexpr wchar_t kSettings[] = L"Software\\Wine\\AppDefaults\\mirune_without_libraries.exe";
  std::wstring path_;
  bool ready_ = false;
};

}  // namespace

TEST(Libraries, MissingOnesFailInTheProgramsWordsNotAsACancel) {
  RefusingCopy copy;
  ASSERT_TRUE(copy.ready()) << "a copy of the program that Wine refuses the libraries";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  std::wstring line = L"\"" + copy.path() + L"\" --gtest_filter=WithoutLibraries.*";
  PROCESS_INFORMATION started{};
  BOOL ok = CreateProcessW(copy.path().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &started);
  CloseHandle(write);
  std::string output;
  char buf[4096];
  DWORD got = 0;
  while (ok && ReadFile(read, buf, sizeof buf, &got, nullptr) && got > 0) output.append(buf, got);
  CloseHandle(read);
  ASSERT_TRUE(ok) << "the program starts again";
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  EXPECT_EQ(code, 0u);
  EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}
