// PNG through libpng. libpng reports its failures by longjmp back to the
// setjmp of the function that called it: those functions keep every object
// with a destructor outside themselves, in a Job owned by their caller.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <stdexcept>

#include "base/error.h"
#include "platform/headless/services.h"

namespace headless {

namespace {

[[noreturn]] void bad() { throw base::Error(sys::kBadPng); }

void quietWarning(png_structp, png_const_charp) {}
// Back to the setjmp of the running job, saying nothing: the caller says
// it in the program's words.
[[noreturn]] void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

struct ReadJob {
  explicit ReadJob(const std::vector<std::uint8_t>& b) : bytes(b) {}
  ReadJob(const ReadJob&) = delete;
  ReadJob& operator=(const ReadJob&) = delete;
  const std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  picture::Bitmap pixels;  // 24 bits, or 32 with alpha before it is laid over white
  std::vector<png_bytep> rows;
  bool tooLarge = false;
  ~ReadJob() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

void readFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* job = static_cast<ReadJob*>(png_get_io_ptr(png));
  if (count > job->bytes.size() - job->at) png_error(png, "truncated");
  std::memcpy(out, job->bytes.data() + job->at, count);
  job->at += count;
}

// False when libpng found the file damaged; the size check and the
// bitmap's allocation throw as they would anywhere.
bool readInto(ReadJob& job) {
  png_structp png = job.png;
  png_infop info = job.info;
  if (setjmp(png_jmpbuf(png))) return false;
  // The bitmap limit decides what is too large, not libpng's own limits.
  png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
  png_set_read_fn(png, &job, readFromMemory);
  png_read_info(png, info);
  png_set_expand(png);  // palette to RGB, grey under 8 bits to 8, a transparent colour to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  const int channels = png_get_channels(png, info);
  if (png_get_bit_depth(png, info) != 8 || (channels != 3 && channels != 4)) return false;
  sys::png::checkSize(width, height, channels * 8);
  job.pixels =
      picture::Bitmap::createUninitialized(static_cast<int>(width), static_cast<int>(height), channels * 8);
  job.rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) job.rows[y] = job.pixels.mutableRow(static_cast<int>(y));
  png_read_image(png, job.rows.data());
  png_read_end(png, nullptr);
  return true;
}

struct WriteJob {
  std::vector<std::uint8_t> out;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t> row;
  std::vector<std::uint32_t> scratch;
  bool outOfMemory = false;
  ~WriteJob() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

void writeToMemory(png_structp png, png_bytep data, size_t count) {
  auto* job = static_cast<WriteJob*>(png_get_io_ptr(png));
  try {
    job->out.insert(job->out.end(), data, data + count);
  } catch (const std::exception&) {
    job->outOfMemory = true;
  }
  if (job->outOfMemory) png_error(png, "out of memory");
}

void flushNothing(png_structp) {}

bool writeFrom(WriteJob& job, const picture::Bitmap& b) {
  png_structp png = job.png;
  png_infop info = job.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &job, writeToMemory, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(b.width()), static_cast<png_uint_32>(b.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  for (int y = 0; y < b.height(); ++y)
    png_write_row(png, const_cast<png_bytep>(sys::png::bgrRow(b, y, job.row.data(), job.scratch)));
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

picture::Bitmap PngCodec::decode(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) bad();
  sys::png::checkDeclaredSize(bytes);
  ReadJob job(bytes);
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
  if (!job.png) throw std::bad_alloc();
  job.info = png_create_info_struct(job.png);
  if (!job.info) throw std::bad_alloc();
  if (!readInto(job)) bad();
  if (job.pixels.bitsPerPixel() == 24) return std::move(job.pixels);
  // Alpha: laid over white into a 24-bit bitmap.
  const picture::Bitmap& rgba = job.pixels;
  sys::png::checkSize(static_cast<std::uint64_t>(rgba.width()), static_cast<std::uint64_t>(rgba.height()),
                      24);
  picture::Bitmap flat = picture::Bitmap::createUninitialized(rgba.width(), rgba.height(), 24);
  for (int y = 0; y < rgba.height(); ++y) sys::png::flattenRow(rgba.row(y), flat.mutableRow(y), rgba.width());
  return flat;
}

std::vector<std::uint8_t> PngCodec::encode(const picture::Bitmap& b) {
  if (b.empty()) throw std::invalid_argument("empty bitmap");
  WriteJob job;
  job.row.resize(static_cast<std::size_t>(b.width()) * 3);
  job.out.reserve(b.byteCount() / 4 + 1024);
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
  if (!job.png) throw std::bad_alloc();
  job.info = png_create_info_struct(job.png);
  if (!job.info) throw std::bad_alloc();
  if (!writeFrom(job, b)) throw std::bad_alloc();  // only memory can fail here
  return std::move(job.out);
}

}  // namespace headless
