#include "platform/headless/services.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/error.h"
#include "picture/errors.h"

namespace headless {

std::string Registry::norm(const std::string& s) {
  std::string out;
  for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (!out.empty() && out.front() == '\\') out.erase(out.begin());
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

sys::Registry::Key Registry::open(const std::string& path, bool create) {
  std::string p = norm(path);
  if (!keys_.count(p)) {
    if (!create) return 0;
    // Every missing part of the path is made.
    for (std::size_t at = p.find('\\'); at != std::string::npos; at = p.find('\\', at + 1))
      keys_[p.substr(0, at)];
    keys_[p];
  }
  Key k = next_++;
  open_[k] = p;
  return k;
}

void Registry::close(Key k) { open_.erase(k); }

std::optional<sys::Registry::Value> Registry::query(Key k, const std::string& name) {
  auto o = open_.find(k);
  if (o == open_.end()) return std::nullopt;
  auto& values = keys_[o->second];
  auto v = values.find(norm(name));
  if (v == values.end()) return std::nullopt;
  return v->second;
}

bool Registry::set(Key k, const std::string& name, const Value& v) {
  auto o = open_.find(k);
  if (o == open_.end() || failingWrites.count(name)) return false;
  keys_[o->second][norm(name)] = v;
  writeLog.push_back(name);
  return true;
}

bool Registry::exists(const std::string& path) const { return keys_.count(norm(path)) > 0; }

std::optional<sys::Registry::Value> Registry::value(const std::string& path, const std::string& name) const {
  auto k = keys_.find(norm(path));
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.find(norm(name));
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

void Registry::put(const std::string& path, const std::string& name, const Value& v) {
  Key k = open(path, true);
  keys_[open_[k]][norm(name)] = v;
  close(k);
}

Screen::Screen(int width, int height) : image(picture::Bitmap::create(width, height, 32)) {}

int Screen::width() { return monitors().front().area.width; }
int Screen::height() { return monitors().front().area.height; }

std::vector<sys::Monitor> Screen::monitors() {
  if (monitorList.empty()) return {{{0, 0, image.width(), image.height()}, 96}};
  return monitorList;
}

picture::Bitmap Screen::copyWithoutSettling(picture::Rect r) {
  picture::Bitmap b = copy(r);
  copies.back().settled = false;
  return b;
}

picture::Bitmap Screen::copy(picture::Rect r) {
  Copy record{r, {}, false, 0, true};
  if (windows) {
    record.visibleForms = windows->visibleForms();
    record.applicationWindowVisible = windows->applicationWindowVisible();
    record.atMs = windows->now();
  }
  copies.push_back(std::move(record));
  if (onCopy) onCopy(r);
  if (r.width <= 0 || r.height <= 0) return {};
  // In the image's own coordinates from here on.
  r = r.offset(-imageLeft, -imageTop);
  if (failing) throw base::Error(base::kOutOfResources);
  int x0 = std::max(r.left, 0), x1 = std::min(r.left + r.width, image.width());
  int y0 = std::max(r.top, 0), y1 = std::min(r.top + r.height, image.height());
  // Row by row, the part that lies on the screen; the rest is black. A
  // rectangle wholly on the screen writes every byte, so it needs no
  // clearing first.
  bool whole = x0 == r.left && y0 == r.top && x1 == r.left + r.width && y1 == r.top + r.height;
  auto out = whole ? picture::Bitmap::createUninitialized(r.width, r.height, 32)
                   : picture::Bitmap::create(r.width, r.height, 32);
  for (int y = y0; y < y1 && x0 < x1; ++y)
    std::memcpy(out.mutableRow(y - r.top) + std::size_t(x0 - r.left) * 4, image.row(y) + std::size_t(x0) * 4,
                std::size_t(x1 - x0) * 4);
  return out;
}

sys::MsgResult MessageBoxes::show(const std::string& text, const std::string& caption, sys::MsgIcon icon,
                                  sys::MsgButtons buttons) {
  shown.push_back({text, caption, icon, buttons});
  if (onShow) onShow(shown.back());
  if (answers.empty()) return sys::MsgResult::None;
  auto a = answers.front();
  answers.pop_front();
  return a;
}

bool Clipboard::hasBitmap() {
  ++formatQueries;
  return !bitmap_.empty();
}

bool Clipboard::open() {
  ++opens;
  return !heldByOtherProgram;
}

std::optional<picture::Bitmap> Clipboard::takeBitmap() {
  if (!open() || bitmap_.empty()) return std::nullopt;
  if (onTake) onTake();
  if (unreadableBitmap) picture::messages::badBitmap();
  if (oversizedBitmap) (void)picture::Bitmap::create(1 << 15, 1 << 15, 32);
  if (failingEmpty) throw base::Error(sys::kCannotEmptyClipboard);
  picture::Bitmap taken = bitmap_;
  bitmap_ = {};
  text_.clear();
  owner.clear();
  ++changes_;
  return taken;
}

picture::Bitmap Clipboard::bitmap() {
  if (!open()) throw base::Error(sys::kCannotOpenClipboard);
  if (unreadableBitmap && !bitmap_.empty()) picture::messages::badBitmap();
  if (oversizedBitmap && !bitmap_.empty()) (void)picture::Bitmap::create(1 << 15, 1 << 15, 32);
  return bitmap_;
}

void Clipboard::setBitmap(const picture::Bitmap& b) {
  if (!open()) throw base::Error(sys::kCannotOpenClipboard);
  if (failingEmpty) throw base::Error(sys::kCannotEmptyClipboard);
  bitmap_ = b;
  text_.clear();
  owner = b.empty() ? "" : "mirune";
  ++changes_;
}

void Clipboard::clear() {
  if (!open()) throw base::Error(sys::kCannotOpenClipboard);
  if (failingEmpty) throw base::Error(sys::kCannotEmptyClipboard);
  bitmap_ = {};
  text_.clear();
  owner.clear();
  ++changes_;
}

void Clipboard::putFromOtherProgram(const picture::Bitmap& b, const std::string& text) {
  bitmap_ = b;
  text_ = text;
  owner = "other";
  ++changes_;
}

void Clipboard::putTextFromOtherProgram(const std::string& text) {
  bitmap_ = {};
  text_ = text;
  owner = "other";
  ++changes_;
}

std::string Files::userTemporaryDirectory() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = dir && *dir ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

std::optional<sys::PrinterPage> Printer::choose() {
  held = false;
  if (failAt == Step::Dialog) throw base::Error(sys::kCannotPrint);
  ++dialogsShown;
  if (onDialog) onDialog();
  if (!confirm) return std::nullopt;
  held = true;
  return page;
}

void Printer::print(const picture::Canvas& image, picture::Rect dest) {
  if (!held) throw base::Error(sys::kCannotPrint);
  held = false;
  Job job{{}, image.width(), image.height(), dest, false};
  if (failAt == Step::StartDoc) throw base::Error(sys::kCannotPrint);
  // From here on a failure aborts the job, which stays in the record.
  jobs.push_back(job);
  for (Step step : {Step::StartPage, Step::Draw, Step::EndPage, Step::EndDoc})
    if (failAt == step) throw base::Error(sys::kCannotPrint);
  if (keepImages) jobs.back().image = image.toBitmap();
  jobs.back().printed = true;
}

std::optional<std::string> FileDialogs::openFile(const sys::FileDialogOptions& options) {
  return run(false, options);
}

std::optional<std::string> FileDialogs::saveFile(const sys::FileDialogOptions& options) {
  return run(true, options);
}

std::optional<std::string> FileDialogs::run(bool save, const sys::FileDialogOptions& options) {
  asked.push_back({save, options});
  for (;;) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> typed = answers.front();
    answers.pop_front();
    if (!typed) return std::nullopt;
    std::filesystem::path chosen = std::filesystem::absolute(*typed);
    if (!chosen.has_extension() && !options.defaultExtension.empty())
      chosen += "." + options.defaultExtension;
    if (save && options.confirmOverwrite && std::filesystem::exists(chosen)) {
      overwritePrompts.push_back(chosen.string());
      if (!acceptOverwrite) continue;
    }
    std::filesystem::current_path(chosen.parent_path());
    files_.currentDir = chosen.parent_path().string();
    return chosen.string();
  }
}

Platform::Platform(int w, int h) : screen(w, h) {
  screen.windows = &backend;
  backend.screenArea = [this] { return screen.virtualScreen(); };
}

bool Shell::startProgram(const std::string& commandLine) {
  commandLines.push_back(commandLine);
  return !failingStarts && !commandLine.empty();
}

sys::Services Platform::services() {
  return {screen, clipboard, registry, profile, messages, backend, files, fileDialogs, printer, shell, png};
}

}  // namespace headless
