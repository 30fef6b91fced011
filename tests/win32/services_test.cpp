// Clipboard, screen copy and GDI text / metafile drawing against the real
// system (under Wine on an X display).
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/error.h"
#include "picture/canvas.h"
#include "picture/picture.h"
#include "platform/win32/handles.h"
#include "platform/win32/painter.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace {

// A hidden window to own what we put on the clipboard.
win32::UniqueWindow hiddenWindow() {
  return win32::UniqueWindow(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
}

picture::Bitmap pattern(int w, int h, int bpp, std::vector<std::uint32_t> palette = {}) {
  auto b = picture::Bitmap::create(w, h, bpp, palette);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t c =
          palette.empty()
              ? (std::uint32_t(x * 40) << 16 | std::uint32_t(y * 60) << 8 | std::uint32_t(x + y) * 20)
              : palette[std::size_t(x + y) % palette.size()];
      b.setPixel(x, y, c);
    }
  return b;
}

void pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

int changedPixels(const picture::Canvas& c, std::uint32_t background, int x0, int x1) {
  int n = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = x0; x < x1; ++x) n += c.pixel(x, y) != background;
  return n;
}

// What another program does: a device bitmap of one colour on the
// clipboard, with a text beside it if one is given.
void putFromOtherProgram(HWND other, int w, int h, COLORREF colour, const wchar_t* text = nullptr) {
  win32::WindowDc screen(nullptr);
  win32::UniqueGdi<HBITMAP> ddb(CreateCompatibleBitmap(screen.get(), w, h));
  {
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32::Selection sel(dc.get(), ddb.get());
    RECT all{0, 0, w, h};
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc.get(), &all, brush.get());
  }
  win32::ClipboardOpen open(other);
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, ddb.get())) ddb.release();
  if (text) {
    std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    win32::UniqueGlobal mem(GlobalAlloc(GMEM_MOVEABLE, bytes));
    {
      win32::GlobalLockScope lock(mem.get());
      std::memcpy(lock.get(), text, bytes);
    }
    if (SetClipboardData(CF_UNICODETEXT, mem.get())) mem.release();
  }
}

// Another program's thread holds the clipboard open until told to let go.
struct ClipboardHolder {
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE letGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  ClipboardHolder() {
    thread = CreateThread(nullptr, 0, run, this, 0, nullptr);
    WaitForSingleObject(opened, 5000);
  }
  ~ClipboardHolder() {
    release();
    CloseHandle(thread);
    CloseHandle(letGo);
    CloseHandle(opened);
  }
  void release() {
    SetEvent(letGo);
    WaitForSingleObject(thread, 5000);
  }
  static DWORD WINAPI run(void* self) {
    auto* h = static_cast<ClipboardHolder*>(self);
    BOOL open = OpenClipboard(nullptr);
    SetEvent(h->opened);
    WaitForSingleObject(h->letGo, 10000);
    if (open) CloseClipboard();
    return 0;
  }
};

}  // namespace

TEST(Clipboard, BitmapRoundTrip) {
  auto owner = hiddenWindow();
  win32::Clipboard clip([&owner] { return owner.get(); });
  clip.clear();
  EXPECT_TRUE(!clip.hasBitmap()) << "empty after clear";
  EXPECT_TRUE(clip.bitmap().empty()) << "no bitmap to read when empty";

  auto rgb = pattern(5, 3, 24);  // odd width: rows are padded
  clip.setBitmap(rgb);
  EXPECT_TRUE(clip.hasBitmap()) << "a bitmap after setBitmap";
  EXPECT_NE(IsClipboardFormatAvailable(CF_BITMAP), FALSE) << "other programs find CF_BITMAP";
  EXPECT_EQ(clip.bitmap(), rgb) << "24-bit pixels come back as they were";

  std::vector<std::uint32_t> pal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x123456};
  auto indexed = pattern(7, 4, 8, pal);
  clip.setBitmap(indexed);
  EXPECT_NE(IsClipboardFormatAvailable(CF_PALETTE), FALSE) << "a palette bitmap comes with CF_PALETTE";
  EXPECT_EQ(clip.bitmap().bitsPerPixel(), 8) << "8-bit stays 8-bit";
  for (const auto& b : {indexed, pattern(9, 2, 1, {0x000000, 0xFFFFFF}), pattern(3, 2, 32)}) {
    clip.setBitmap(b);
    EXPECT_EQ(clip.bitmap().toRgb32(), b.toRgb32())
        << std::to_string(b.bitsPerPixel()) + "-bit colours come back";
  }

  clip.setBitmap(picture::Bitmap());
  EXPECT_TRUE(!clip.hasBitmap()) << "an empty bitmap empties the clipboard";
}

TEST(Clipboard, BitmapFromAnotherProgram) {
  // What a paint program puts there: a device bitmap only.
  auto owner = hiddenWindow();
  win32::WindowDc screen(nullptr);
  win32::UniqueGdi<HBITMAP> ddb(CreateCompatibleBitmap(screen.get(), 4, 3));
  {
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32::Selection sel(dc.get(), ddb.get());
    RECT all{0, 0, 4, 3}, corner{0, 0, 1, 1};
    win32::UniqueGdi<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255))), red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(dc.get(), &all, blue.get());
    FillRect(dc.get(), &corner, red.get());
  }
  {
    win32::ClipboardOpen open(owner.get());
    EXPECT_TRUE(open.ok()) << "clipboard opened by the other program";
    EmptyClipboard();
    if (SetClipboardData(CF_BITMAP, ddb.get())) ddb.release();
  }
  win32::Clipboard clip([&owner] { return owner.get(); });
  EXPECT_TRUE(clip.hasBitmap()) << "CF_BITMAP counts as a bitmap";
  auto b = clip.bitmap();
  EXPECT_EQ(b.width(), 4) << "width";
  EXPECT_EQ(b.height(), 3) << "height";
  EXPECT_EQ(b.pixel(0, 0) & 0xFFFFFF, 0xFF0000u) << "top-left pixel red (rows the right way up)";
  EXPECT_EQ(b.pixel(3, 2) & 0xFFFFFF, 0x0000FFu) << "bottom-right pixel blue";
  clip.clear();
}

TEST(Clipboard, TakeBitmap) {
  auto other = hiddenWindow();
  auto owner = hiddenWindow();
  win32::Clipboard clip([&owner] { return owner.get(); });
  putFromOtherProgram(other.get(), 5, 4, RGB(10, 200, 30), L"beside");
  EXPECT_TRUE(clip.hasBitmap()) << "another program's device bitmap is found";
  auto taken = clip.takeBitmap();
  EXPECT_TRUE(taken.has_value()) << "and taken";
  if (taken) {
    EXPECT_EQ(taken->width(), 5) << "width";
    EXPECT_EQ(taken->height(), 4) << "height";
    EXPECT_EQ(taken->pixel(4, 3) & 0xFFFFFF, 0x0AC81Eu) << "its pixels";
  }
  EXPECT_TRUE(!IsClipboardFormatAvailable(CF_BITMAP)) << "no bitmap is left on the clipboard";
  EXPECT_TRUE(!IsClipboardFormatAvailable(CF_UNICODETEXT)) << "nor the text that came with it";
  EXPECT_TRUE(!clip.hasBitmap()) << "the format query agrees";
  EXPECT_TRUE(!clip.takeBitmap().has_value()) << "an empty clipboard gives nothing";

  putFromOtherProgram(other.get(), 3, 3, RGB(1, 2, 3));
  {
    ClipboardHolder holder;
    EXPECT_TRUE(!clip.takeBitmap().has_value()) << "a clipboard another program holds open gives nothing";
    EXPECT_NE(IsClipboardFormatAvailable(CF_BITMAP), FALSE) << "and keeps its bitmap";
    std::string reported;
    try {
      clip.clear();
    } catch (const base::Error& e) {
      reported = e.what();
    }
    EXPECT_EQ(reported, std::string(sys::kCannotOpenClipboard)) << "emptying a held clipboard is reported";
    holder.release();
    EXPECT_TRUE(clip.takeBitmap().has_value()) << "once it is let go, the bitmap is taken";
  }

  // Bitmaps taken one after another leave no handle behind.
  int gdi = 0, user = 0, bad = 0;
  for (int i = 0; i < 200; ++i) {
    putFromOtherProgram(other.get(), 64, 48, RGB(i, 0, 0));
    auto b = clip.takeBitmap();
    if (!b || (b->pixel(0, 0) & 0xFFFFFF) != std::uint32_t(i) << 16) ++bad;
    if (i == 39) {
      gdi = win32::liveGdiHandles();
      user = win32::liveUserHandles();
    }
  }
  EXPECT_EQ(bad, 0) << "200 bitmaps taken, each with its own pixels";
  EXPECT_EQ(win32::liveGdiHandles(), gdi) << "GDI handles after 200 takes as after 40";
  EXPECT_EQ(win32::liveUserHandles(), user) << "USER handles after 200 takes as after 40";
}

TEST(Services, TemporaryFolder) {
  win32::Files files;
  std::string dir = files.temporaryDirectory();
  EXPECT_TRUE(!dir.empty() && dir.back() == '\\') << "the temporary folder ends in a backslash";
  DWORD attributes = GetFileAttributesW(win32::widen(dir).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      << "and is a folder";
}

TEST(Services, LibrariesComeFromTheSystemFolderAndStay) {
  // A library of that name lies beside the test program, not in the system
  // folder, as a planted uxtheme.dll would beside the program.
  HMODULE planted = LoadLibraryW(L"mirune_planted.dll");
  ASSERT_NE(planted, nullptr) << "the planted library is beside the program";
  FreeLibrary(planted);
  EXPECT_EQ(win32::Library(L"mirune_planted.dll").function<FARPROC>("planted"), nullptr)
      << "a library beside the program is not loaded in the system's place";
  ASSERT_EQ(GetModuleHandleW(L"sensapi.dll"), nullptr) << "sensapi.dll is not loaded yet";
  {
    win32::Library sensapi(L"sensapi.dll");
    EXPECT_NE(sensapi.function<FARPROC>("IsNetworkAlive"), nullptr) << "a system library loads";
  }
  EXPECT_NE(GetModuleHandleW(L"sensapi.dll"), nullptr) << "and stays loaded";
}

TEST(Services, ScreenCopy) {
  win32::Screen screen;
  EXPECT_EQ(screen.width(), GetSystemMetrics(SM_CXSCREEN)) << "width is the system's";
  EXPECT_EQ(screen.height(), GetSystemMetrics(SM_CYSCREEN)) << "height is the system's";
  EXPECT_TRUE(screen.copy({0, 0, 0, 5}).empty()) << "an empty rectangle copies nothing";

  // A window of a known colour: the copy must show its pixels.
  win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(RGB(12, 200, 34)));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = brush.get();
  wc.lpszClassName = L"MiruneTestSwatch";
  RegisterClassExW(&wc);
  {
    win32::UniqueWindow swatch(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"MiruneTestSwatch", L"",
                                               WS_POPUP, 100, 100, 60, 40, nullptr, nullptr, wc.hInstance,
                                               nullptr));
    ShowWindow(swatch.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(swatch.get());
    for (int i = 0; i < 20; ++i) {
      pump();
      Sleep(20);
    }
    auto shot = screen.copy({110, 110, 4, 3});
    EXPECT_EQ(shot.width(), 4) << "copy width";
    EXPECT_EQ(shot.height(), 3) << "copy height";
    EXPECT_EQ(shot.bitsPerPixel(), 32) << "copy is 32 bpp";
    EXPECT_EQ(shot.pixel(0, 0), 0x0CC822u) << "copy shows the window's colour, red first";
    EXPECT_EQ(shot.pixel(3, 2), 0x0CC822u) << "last pixel too";
    auto edge = screen.copy({-5, -5, 10, 10});
    EXPECT_TRUE(edge.width() == 10 && edge.height() == 10)
        << "a rectangle off the screen's edge still copies";
  }
  UnregisterClassW(L"MiruneTestSwatch", wc.hInstance);
}

// A copy the system cannot make is refused in the program's words, not
// handed on as a black picture: from a device context that is gone, or
// from a metafile's, which has no pixels.
TEST(Services, AScreenCopyThatFailsIsRefused) {
  HDC gone = win32::UniqueMemoryDc(CreateCompatibleDC(nullptr)).get();
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  for (HDC source : {gone, recorder}) {
    try {
      (void)win32::copyDeviceContext(source, {0, 0, 4, 3});
      ADD_FAILURE() << "a copy that cannot be made is refused";
    } catch (const base::Error& e) {
      EXPECT_STREQ(e.what(), base::kOutOfResources);
    }
  }
  win32::UniqueEnhMetafile recorded(CloseEnhMetaFile(recorder));
}

TEST(Painter, Text) {
  win32::GdiPainter painter;
  ui::Font font;  // the UI font, 12 pixels
  auto size = painter.measureText(font, "終");
  EXPECT_TRUE(size.height >= 12 && size.height <= 17)
      << "12-pixel font is 12 to 17 pixels high, got " + std::to_string(size.height);
  EXPECT_TRUE(size.width >= 6 && size.width <= 16)
      << "a kanji is about one em wide, got " + std::to_string(size.width);

  // The UI font is proportional and the manual's font fixed-pitch, as on
  // Windows (the prefix maps them to the IPA fonts of the same kind).
  ui::Font proportional{"ＭＳ Ｐゴシック", 12, 0, false};
  EXPECT_TRUE(painter.measureText(proportional, "iiiiiiii").width <
              painter.measureText(proportional, "WWWWWWWW").width)
      << "\"ＭＳ Ｐゴシック\" is proportional";
  ui::Font fixed{"ＭＳ ゴシック", 12, 0, false};
  EXPECT_EQ(painter.measureText(fixed, "iiiiiiii").width, painter.measureText(fixed, "WWWWWWWW").width)
      << "\"ＭＳ ゴシック\" is fixed-pitch";

  // Two different kanji draw differently: the font has the glyphs, rather
  // than showing the same box for both.
  picture::Canvas a(16, 16, 0xFFFFFF), b(16, 16, 0xFFFFFF);
  painter.drawText(a, font, "終", 0, 0, 0x000000);
  painter.drawText(b, font, "紙", 0, 0, 0x000000);
  int inkA = changedPixels(a, 0xFFFFFF, 0, 16), inkB = changedPixels(b, 0xFFFFFF, 0, 16);
  EXPECT_TRUE(inkA > 10 && inkB > 10) << "both kanji leave ink";
  bool differ = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) differ |= a.pixel(x, y) != b.pixel(x, y);
  EXPECT_TRUE(differ) << "different kanji, different glyphs";
  bool onlyColour = true;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) onlyColour &= a.pixel(x, y) == 0xFFFFFF || a.pixel(x, y) == 0x000000;
  EXPECT_TRUE(onlyColour) << "text is drawn without anti-aliasing";

  picture::Canvas red(40, 16, 0xFFFFFF);
  painter.drawText(red, font, "ネ", 2, 1, 0xFF0000);
  bool sawRed = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) sawRed |= red.pixel(x, y) == 0xFF0000;
  EXPECT_TRUE(sawRed) << "text in the colour asked for (0x00RRGGBB)";

  picture::Canvas clipped(60, 16, 0xFFFFFF);
  clipped.setClip({0, 0, 10, 16});
  painter.drawText(clipped, font, "ネガネガネガ", 0, 0, 0x000000);
  EXPECT_TRUE(changedPixels(clipped, 0xFFFFFF, 0, 10) > 0) << "text inside the clip is drawn";
  EXPECT_EQ(changedPixels(clipped, 0xFFFFFF, 10, 60), 0) << "nothing lands outside the clip";
}

TEST(Painter, Metafiles) {
  win32::GdiPainter painter;
  // An EMF with a red square over its whole frame.
  std::vector<std::uint8_t> emfBytes;
  {
    RECT frame{0, 0, 1000, 1000};  // 10 mm
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(RGB(255, 0, 0)));
    int w = MulDiv(1000, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, HORZSIZE) * 100);
    int h = MulDiv(1000, GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, VERTSIZE) * 100);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, brush.get());
    win32::UniqueEnhMetafile emf(CloseEnhMetaFile(dc));
    UINT n = GetEnhMetaFileBits(emf.get(), 0, nullptr);
    emfBytes.resize(n);
    GetEnhMetaFileBits(emf.get(), n, emfBytes.data());
  }
  auto emf = picture::Picture::fromMetafileBytes(emfBytes);
  picture::Canvas c(40, 40, 0xFFFFFF);
  painter.drawMetafile(c, emf, {10, 10, 20, 20});
  EXPECT_EQ(c.pixel(20, 20), 0xFF0000u) << "EMF drawn inside its rectangle";
  EXPECT_EQ(c.pixel(5, 5), 0xFFFFFFu) << "nothing before the rectangle";
  EXPECT_EQ(c.pixel(35, 35), 0xFFFFFFu) << "nothing after the rectangle";

  // A plain WMF that records its own window extent.
  std::vector<std::uint8_t> wmfBytes;
  {
    HDC dc = CreateMetaFileW(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 100, 100, nullptr);
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(RGB(0, 0, 255)));
    SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, 101, 101);
    HMETAFILE wmf = CloseMetaFile(dc);
    UINT n = GetMetaFileBitsEx(wmf, 0, nullptr);
    wmfBytes.resize(n);
    GetMetaFileBitsEx(wmf, n, wmfBytes.data());
    DeleteMetaFile(wmf);
  }
  auto wmf = picture::Picture::fromMetafileBytes(wmfBytes);
  picture::Canvas d(40, 40, 0xFFFFFF);
  d.setClip({0, 0, 25, 40});
  painter.drawMetafile(d, wmf, {10, 10, 20, 20});
  EXPECT_EQ(d.pixel(15, 15), 0x0000FFu) << "WMF drawn inside its rectangle";
  EXPECT_EQ(d.pixel(27, 15), 0xFFFFFFu) << "WMF kept to the clip";
  EXPECT_EQ(d.pixel(5, 5), 0xFFFFFFu) << "WMF nothing outside";
}
