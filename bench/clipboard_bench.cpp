// The clipboard watcher's own cost per tick, on the headless platform (the
// clipboard's own copy is not in it: the headless clipboard hands over a
// bitmap that shares its pixels):
// - button up: one flag test;
// - button down, nothing on the clipboard: the change count, no format query
//   (the clipboard has not changed since the last tick);
// - a full film with push-out off: the bitmap has no place and is not copied;
// - a 1920 x 1080 bitmap taken into a new frame (the frame cleared again
//   outside the timing).
#include <benchmark/benchmark.h>

#include "app/settings.h"
#include "platform/headless/services.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/program.h"
#include "ui/application.h"

namespace {

struct Program {
  Program() {
    platform.backend.setApplication(&app);
    forms = shell::startUp(app, services, settings);
    app.processMessages();
    platform.backend.advance(1);
    sheet = forms.negativeSheet;
    watcher = forms.clipboardWatcher.get();
  }
  void clipboardButton(bool down) {
    if (forms.palette->clipboardButton.down() != down) forms.palette->clipboardButton.click();
  }
  headless::Platform platform{1920, 1080};
  app::Settings settings;
  ui::Application app{platform.backend, platform.messages, platform.screen};
  sys::Services services = platform.services();
  shell::Forms forms;
  sheet::NegativeSheet* sheet = nullptr;
  sheet::ClipboardWatcher* watcher = nullptr;
};

picture::Bitmap fullHd() {
  picture::Bitmap b = picture::Bitmap::create(1920, 1080, 24);
  b.setPixel(0, 0, 0x123456);
  return b;
}

void BM_TickButtonUp(benchmark::State& state) {
  Program p;
  p.platform.clipboard.putFromOtherProgram(fullHd());
  for (auto _ : state) p.watcher->tick();
  if (!p.platform.clipboard.hasBitmap()) state.SkipWithError("the bitmap was taken");
}

void BM_TickNothingOnTheClipboard(benchmark::State& state) {
  Program p;
  p.clipboardButton(true);
  for (auto _ : state) p.watcher->tick();
}

void BM_TickFullFilm(benchmark::State& state) {
  Program p;
  p.settings.pushOutWhenFull = false;
  const picture::Picture small(picture::Bitmap::create(4, 4, 24));
  for (int i = 0; i <= sheet::kOverflow; ++i) p.sheet->film().add(small, "used");
  if (!p.sheet->film().used(sheet::kOverflow)) state.SkipWithError("the film is not full");
  p.clipboardButton(true);
  p.platform.clipboard.putFromOtherProgram(fullHd());
  for (auto _ : state) p.watcher->tick();
  if (p.platform.clipboard.opens != 0) state.SkipWithError("the clipboard was opened");
}

void BM_TakeFullHdIntoANewFrame(benchmark::State& state) {
  Program p;
  p.clipboardButton(true);
  picture::Bitmap copied = fullHd();
  for (auto _ : state) {
    state.PauseTiming();
    p.sheet->film().clear(0);
    p.platform.clipboard.putFromOtherProgram(copied);
    state.ResumeTiming();
    p.watcher->tick();
  }
  if (p.sheet->look().frames[0].caption != "From Clip") state.SkipWithError("not taken");
}

}  // namespace

BENCHMARK(BM_TickButtonUp);
BENCHMARK(BM_TickNothingOnTheClipboard);
BENCHMARK(BM_TickFullFilm);
BENCHMARK(BM_TakeFullHdIntoANewFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
