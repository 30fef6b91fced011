// The print dialog as the printer service runs it: its owner, and the
// printer and settings it starts from. A stand-in takes the system
// dialog's place, so no printer need be installed.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"
#include "ui/controls.h"

namespace {

using wintest::Fixture;

struct Asked {
  HWND owner;
  std::wstring printer;  // of the settings it was given, empty for none
  short orientation;
};
std::vector<Asked> asked;

// Notes what it was given, then "chooses" the printer "Second" in
// landscape the first time, and keeps what it was given later.
BOOL standInDialog(PRINTDLGW* pd) {
  Asked a{pd->hwndOwner, L"", 0};
  if (pd->hDevMode) {
    win32::GlobalLockScope lock(pd->hDevMode);
    if (auto* mode = static_cast<DEVMODEW*>(lock.get())) {
      a.printer = mode->dmDeviceName;
      a.orientation = mode->dmOrientation;
    }
  }
  asked.push_back(a);
  if (!pd->hDevMode) {
    win32::UniqueGlobal mode(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW)));
    {
      win32::GlobalLockScope lock(mode.get());
      auto* m = static_cast<DEVMODEW*>(lock.get());
      std::wcscpy(m->dmDeviceName, L"Second");
      m->dmSize = sizeof(DEVMODEW);
      m->dmFields = DM_ORIENTATION;
      m->dmOrientation = DMORIENT_LANDSCAPE;
    }
    pd->hDevMode = mode.release();
  }
  win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  pd->hDC = dc.release();
  return TRUE;
}

struct Sheet : ui::Form {
  explicit Sheet(ui::Application& app) : ui::Form(app, "sheet") {
    setBorderStyle(ui::BorderStyle::ToolWindow);
    setBounds({100, 100, 300, 120});
  }
};

void settle(win32::Backend& b) {
  for (int t = 0; t < 200; t += 20) {
    b.processMessages();
    Sleep(20);
  }
}

}  // namespace

// The dialog is placed by its owner: the active window while it stands on
// a monitor, the application window while it stands below them all.
TEST(PrintDialog, IsOwnedByAWindowOnTheScreen) {
  Fixture fx;
  asked.clear();
  win32::Printer printer([&fx] { return fx.backend.applicationWindow(); }, standInDialog);
  auto* sheet = fx.app->createSideForm<Sheet>();
  sheet->showForm();
  settle(fx.backend);
  HWND w = wintest::hwndOf(*sheet);
  SetActiveWindow(w);
  ASSERT_EQ(GetActiveWindow(), w);
  ASSERT_TRUE(printer.choose());
  printer.release();
  sheet->setTop(GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) + 10);
  settle(fx.backend);
  // Wine lets a window that leaves the screen go inactive; Windows keeps it.
  SetActiveWindow(w);
  ASSERT_EQ(GetActiveWindow(), w);
  ASSERT_TRUE(printer.choose());
  printer.release();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].owner, w) << "on the screen: the active window";
  EXPECT_EQ(asked[1].owner, fx.backend.applicationWindow()) << "below the screen: the application window";
}

// The printer and settings chosen stay for the next dialogs, for as long
// as the printer service lives.
TEST(PrintDialog, StartsFromThePrinterChosenLast) {
  Fixture fx;
  asked.clear();
  win32::Printer printer([&fx] { return fx.backend.applicationWindow(); }, standInDialog);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(printer.choose());
    printer.release();
  }
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].printer, L"") << "the first dialog starts from the default printer";
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(asked[i].printer, L"Second") << i;
    EXPECT_EQ(asked[i].orientation, DMORIENT_LANDSCAPE) << i;
  }
}
