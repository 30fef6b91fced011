// The print dialog's owner and the printer it starts from, with a stand-in
// for the system's dialog.
#include <windows.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app_fixture.h"

namespace {

// Each dialog's owner and the printer it starts from ("" for none).
std::vector<std::pair<HWND, std::wstring>> asked;

// Chooses the printer "Second" when it starts from none.
BOOL standInDialog(PRINTDLGW* pd) {
  asked.push_back({pd->hwndOwner, L""});
  if (pd->hDevMode) {
    win32::GlobalLockScope lock(pd->hDevMode);
    asked.back().second = static_cast<DEVMODEW*>(lock.get())->dmDeviceName;
  } else {
    win32::UniqueGlobal mode(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW)));
    std::wcscpy(static_cast<DEVMODEW*>(win32::GlobalLockScope(mode.get()).get())->dmDeviceName, L"Second");
    pd->hDevMode = mode.release();
  }
  win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  pd->hDC = dc.release();
  return TRUE;
}

void choose(win32::Printer& printer) {
  ASSERT_TRUE(printer.choose());
  printer.release();
}

}  // namespace

// The dialog is placed by its owner: the active window while it stands on
// a monitor, else the application window. It starts from the printer and
// settings chosen last.
TEST(PrintDialog, BelongsToAWindowOnTheScreenAndKeepsThePrinterChosen) {
  wintest::Fixture fx;
  asked.clear();
  win32::Printer printer([&fx] { return fx.backend.applicationWindow(); }, standInDialog);
  auto* sheet = fx.app->createSideForm<ui::Form>("sheet");
  sheet->setBounds({100, 100, 300, 120});
  sheet->showForm();
  HWND w = wintest::hwndOf(*sheet);
  SetActiveWindow(w);
  choose(printer);
  sheet->setTop(GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) + 10);
  // Wine lets a window that leaves the screen go inactive; Windows keeps it.
  SetActiveWindow(w);
  ASSERT_EQ(GetActiveWindow(), w);
  choose(printer);
  choose(printer);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], std::pair(w, std::wstring())) << "on the screen: the active window";
  EXPECT_EQ(asked[1], std::pair(fx.backend.applicationWindow(), std::wstring(L"Second")))
      << "below the screen: the application window; the printer chosen";
  EXPECT_EQ(asked[2].second, L"Second") << "and again";
}
