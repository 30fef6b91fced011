// The BMP conformance files: good ones decode to their reference pictures,
// questionable ones decode or are refused cleanly, bad ones are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "picture/bmp.h"
#include "png_reader.h"
#include "support.h"

namespace {

using picture::Bitmap;
namespace fs = std::filesystem;

const std::string kSuite = MIRUNE_BMPSUITE_DIR;

// g/ and q/ file -> the reference images listed for it.
std::map<std::string, std::vector<std::string>> mapping() {
  std::map<std::string, std::vector<std::string>> m;
  std::ifstream in(kSuite + "/ref/mapping.tsv");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string file, ref;
    std::getline(fields, file, '\t');
    while (fields >> ref) m[file].push_back(ref);
  }
  return m;
}

Bitmap decodeFile(const std::string& name) {
  std::vector<uint8_t> bytes = testsupport::readAll(kSuite + "/" + name);
  return picture::readBmp(bytes.data(), bytes.size());
}

// Number of pixels that differ from the reference of the same size among `refs`.
int mismatches(const Bitmap& b, const std::vector<std::string>& refs, std::string* used) {
  for (const std::string& r : refs) {
    if (r.ends_with(".jpg")) continue;
    testpng::Image ref = testpng::readPng(kSuite + "/ref/" + r);
    if (ref.width != b.width() || ref.height != b.height()) continue;
    *used = r;
    int bad = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x)
        if (b.pixel(x, y) != ref.rgb[static_cast<size_t>(y) * ref.width + x]) ++bad;
    return bad;
  }
  return -1;
}

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(kSuite + "/" + dir))
    names.push_back(dir + "/" + e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BmpSuite, EveryGoodFileDecodesToItsReferenceAndWritesBackUnchanged) {
  auto refs = mapping();
  std::vector<std::string> good = filesIn("g");
  ASSERT_EQ(good.size(), 27u);
  for (const std::string& name : good) {
    SCOPED_TRACE(name);
    Bitmap b = decodeFile(name);
    std::string used;
    EXPECT_EQ(mismatches(b, refs[name], &used), 0) << "against " << used;
    std::vector<uint8_t> written = picture::writeBmp(b);
    EXPECT_TRUE(picture::readBmp(written.data(), written.size()) == b);
  }
}

TEST(BmpSuite, GoodFilesKeepTheirPixelFormat) {
  const std::map<std::string, int> depth = {
      {"g/pal1.bmp", 1},    {"g/pal4.bmp", 4},    {"g/pal4rle.bmp", 4},  {"g/pal8.bmp", 8},
      {"g/pal8rle.bmp", 8}, {"g/pal8os2.bmp", 8}, {"g/rgb16.bmp", 16},   {"g/rgb16-565.bmp", 16},
      {"g/rgb24.bmp", 24},  {"g/rgb32.bmp", 32},  {"g/rgb32bf.bmp", 32}, {"g/pal8v5.bmp", 8}};
  for (const auto& [name, bpp] : depth) {
    SCOPED_TRACE(name);
    Bitmap b = decodeFile(name);
    EXPECT_EQ(b.bitsPerPixel(), bpp);
  }
  EXPECT_EQ(decodeFile("g/pal8.bmp").palette().size(), 252u);
  EXPECT_EQ(decodeFile("g/rgb16-565.bmp").masks(), picture::kMasks565);
}

// Questionable files that this reader accepts, with the reference each must
// match. RLE gaps are index 0, hence the "-0" pictures.
const std::map<std::string, std::string> kAcceptedQuestionable = {
    {"q/pal1p1.bmp", "pal1p1.png"},           {"q/pal2.bmp", "pal2.png"},
    {"q/pal2color.bmp", "pal2color.png"},     {"q/pal4rletrns.bmp", "pal4rletrns-0.png"},
    {"q/pal4rlecut.bmp", "pal4rlecut-0.png"}, {"q/pal8rletrns.bmp", "pal8rletrns-0.png"},
    {"q/pal8rlecut.bmp", "pal8rlecut-0.png"}, {"q/pal8offs.bmp", "pal8.png"},
    {"q/pal8os2-sz.bmp", "pal8.png"},         {"q/pal8os2-hs.bmp", "pal8.png"},
    {"q/pal8os2sp.bmp", "pal8.png"},          {"q/pal8os2v2.bmp", "pal8.png"},
    {"q/pal8os2v2-16.bmp", "pal8.png"},       {"q/pal8os2v2-sz.bmp", "pal8.png"},
    {"q/pal8os2v2-40sz.bmp", "pal8.png"},     {"q/rgb16faketrns.bmp", "rgb16.png"},
    {"q/rgb16-231.bmp", "rgb16-231.png"},     {"q/rgb16-3103.bmp", "rgb16-3103.png"},
    {"q/rgb24largepal.bmp", "rgb24.png"},     {"q/rgb32h52.bmp", "rgb24.png"},
    {"q/rgb32-xbgr.bmp", "rgb24.png"},        {"q/rgb32fakealpha.bmp", "rgb24.png"},
    {"q/rgb32-7187.bmp", "rgb32-7187.png"},
};

TEST(BmpSuite, QuestionableFilesDecodeCorrectlyOrAreRefused) {
  for (const std::string& name : filesIn("q")) {
    SCOPED_TRACE(name);
    auto accepted = kAcceptedQuestionable.find(name);
    if (accepted == kAcceptedQuestionable.end()) {
      std::string error = testsupport::errorText([&] { decodeFile(name); });
      EXPECT_TRUE(error.empty() || error == picture::messages::kBadBitmap) << error;
      continue;
    }
    Bitmap b = decodeFile(name);
    std::string used;
    EXPECT_EQ(mismatches(b, {accepted->second}, &used), 0) << "against " << accepted->second;
  }
}

// Bad files that still make sense: the broken field is one a reader need not
// trust (file size, image size, resolution), or the damage is only clipped
// RLE runs and palette indexes past the palette (shown black).
const std::set<std::string> kSensibleBad = {"b/badfilesize.bmp", "b/badbitssize.bmp",  "b/baddens1.bmp",
                                            "b/baddens2.bmp",    "b/pal8badindex.bmp", "b/rgb16-880.bmp",
                                            "b/badrle.bmp",      "b/badrlebis.bmp",    "b/badrleter.bmp",
                                            "b/badrle4.bmp",     "b/badrle4bis.bmp",   "b/badrle4ter.bmp"};

TEST(BmpSuite, BadFilesAreRefusedUnlessTheyStillMakeSense) {
  for (const std::string& name : filesIn("b")) {
    SCOPED_TRACE(name);
    testsupport::AllocationProbe probe;
    std::string error = testsupport::errorText([&] { decodeFile(name); });
    if (kSensibleBad.count(name))
      EXPECT_EQ(error, "");
    else
      EXPECT_EQ(error, picture::messages::kBadBitmap);
    EXPECT_LT(probe.largest(), size_t{1} << 20);
  }
}

TEST(BmpSuite, SensibleBadFilesShowWhatTheReferenceShows) {
  std::string used;
  EXPECT_EQ(mismatches(decodeFile("b/rgb16-880.bmp"), {"rgb16-880.png"}, &used), 0);
  EXPECT_EQ(mismatches(decodeFile("b/badfilesize.bmp"), {"pal1.png"}, &used), 0);
  Bitmap badIndex = decodeFile("b/pal8badindex.bmp");
  EXPECT_EQ(badIndex.palette().size(), 101u);
}

}  // namespace
