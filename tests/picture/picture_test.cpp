// Loading and saving pictures by file name.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "picture/bmp.h"
#include "picture/file_io.h"
#include "picture/picture.h"
#include "support.h"

namespace {

using picture::Bitmap;
using picture::Picture;
namespace fs = std::filesystem;

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("mirune-picture-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    picture::writeFileBytes(path(name), bytes);
  }
  fs::path dir_;
};

Bitmap sample() {
  Bitmap b = Bitmap::create(3, 2, 8, {0x102030, 0x405060, 0x708090});
  b.setPixel(1, 1, 0x708090);
  return b;
}

// The smallest icon and metafiles the decoders accept.
std::vector<uint8_t> tinyIcon() {
  std::vector<uint8_t> f;
  using testsupport::put;
  put(f, 0, 2), put(f, 1, 2), put(f, 1, 2);
  put(f, 0, 8), put(f, 40 + 8 + 8, 4), put(f, 22, 4);
  put(f, 40, 4), put(f, 1, 4), put(f, 2, 4), put(f, 1, 2), put(f, 1, 2), put(f, 0, 16), put(f, 2, 4),
      put(f, 0, 4);
  put(f, 0, 4), put(f, 0xFFFFFF, 4);  // palette
  put(f, 0x80, 4), put(f, 0, 4);      // XOR: white; AND: opaque
  return f;
}
std::vector<uint8_t> tinyWmf() {
  std::vector<uint8_t> f;
  using testsupport::put;
  put(f, 2, 2), put(f, 9, 2), put(f, 0x100, 2), put(f, 12, 4), put(f, 0, 2), put(f, 3, 4), put(f, 0, 2);
  put(f, 3, 4), put(f, 0, 2);
  return f;
}

TEST_F(PictureFiles, LoadsEachKindByExtensionInAnyCase) {
  write("a.BMP", picture::writeBmp(sample()));
  write("b.Ico", tinyIcon());
  write("c.wmf", tinyWmf());
  Picture p;
  p.loadFromFile(path("a.BMP"));
  EXPECT_EQ(p.kind(), Picture::Kind::Bitmap);
  EXPECT_TRUE(p.bitmap() == sample());
  EXPECT_EQ(p.width(), 3);

  p.loadFromFile(path("b.Ico"));
  EXPECT_EQ(p.kind(), Picture::Kind::Icon);
  EXPECT_EQ(p.bitmap().pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(p.iconBytes(), tinyIcon());

  p.loadFromFile(path("c.wmf"));
  EXPECT_EQ(p.kind(), Picture::Kind::Metafile);
  EXPECT_FALSE(p.isEnhancedMetafile());
  EXPECT_EQ(p.metafileBytes(), tinyWmf());
  EXPECT_TRUE(p.bitmap().empty());

  p.clear();
  EXPECT_TRUE(p.empty());
  EXPECT_EQ(p.width(), 0);
}

TEST_F(PictureFiles, ErrorsNameTheExtensionOrFileAsGiven) {
  Picture p;
  auto loadError = [&](const std::string& file) {
    return testsupport::errorText([&] { p.loadFromFile(file); });
  };
  write("x.Png", {1, 2, 3});
  EXPECT_EQ(loadError(path("x.Png")), "拡張子 .Png の画像形式は処理できません");
  EXPECT_EQ(loadError(path("noext")), "拡張子 . の画像形式は処理できません");
  EXPECT_EQ(loadError(path("dir.bmp") + "/x"), "拡張子 . の画像形式は処理できません");
  EXPECT_EQ(loadError(path("missing.bmp")), "ﾌｧｲﾙ " + path("missing.bmp") + " は開けません");
  EXPECT_EQ(loadError(path("画像.ICO")), "ﾌｧｲﾙ " + path("画像.ICO") + " は開けません");
  EXPECT_EQ(testsupport::errorText([&] { picture::readFileBytes(path("x.Png"), 2); }),
            "ｼｽﾃﾑ ﾘｿｰｽが不足しています");  // longer than a picture may be
  EXPECT_EQ(picture::readFileBytes(path("x.Png"), 3).size(), 3u);
}

TEST_F(PictureFiles, AFailedLoadLeavesThePictureAsItWas) {
  write("good.bmp", picture::writeBmp(sample()));
  write("bad.bmp", {'B', 'M', 0});
  write("bad.ico", {0, 0, 1, 0});
  write("bad.emf", {1, 0, 0, 0});
  Picture p;
  p.loadFromFile(path("good.bmp"));
  Bitmap before = p.bitmap();
  for (const char* name : {"bad.bmp", "bad.ico", "bad.emf", "missing.bmp", "good.gif"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(testsupport::errorText([&] { p.loadFromFile(path(name)); }), "");
    EXPECT_EQ(p.kind(), Picture::Kind::Bitmap);
    EXPECT_TRUE(p.bitmap().sharesPixelsWith(before));
  }
  EXPECT_EQ(testsupport::errorText([&] { p.loadFromFile(path("bad.bmp")); }), picture::messages::kBadBitmap);
  EXPECT_EQ(testsupport::errorText([&] { p.loadFromFile(path("bad.ico")); }), picture::messages::kBadIcon);
  EXPECT_EQ(testsupport::errorText([&] { p.loadFromFile(path("bad.emf")); }),
            picture::messages::kBadMetafile);
}

TEST_F(PictureFiles, SavingWritesTheBitmapsFormatOrTheBytesAsLoaded) {
  Picture(sample()).saveToFile(path("out.bmp"));
  Picture back;
  back.loadFromFile(path("out.bmp"));
  EXPECT_EQ(back.bitmap().bitsPerPixel(), 8);
  EXPECT_TRUE(back.bitmap() == sample());

  write("in.ico", tinyIcon());
  Picture icon;
  icon.loadFromFile(path("in.ico"));
  icon.saveToFile(path("out.ico"));
  EXPECT_EQ(testsupport::readAll(path("out.ico")), tinyIcon());

  Picture meta = Picture::fromMetafileBytes(tinyWmf());
  meta.saveToFile(path("out.wmf"));
  EXPECT_EQ(testsupport::readAll(path("out.wmf")), tinyWmf());

  Picture().saveToFile(path("empty.bmp"));  // nothing to write, nothing written
  EXPECT_FALSE(fs::exists(path("empty.bmp")));
  EXPECT_TRUE(Picture(Bitmap()).empty());

  std::string nowhere = path("no/such/dir/out.bmp");
  EXPECT_EQ(testsupport::errorText([&] { Picture(sample()).saveToFile(nowhere); }),
            "ﾌｧｲﾙ " + nowhere + " を作成できません");
}

}  // namespace
