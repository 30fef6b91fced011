// The film without its window: frames, marks, tidy pass, push-out, play.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sheet/film.h"

namespace {

using sheet::Film;

class FilmTest : public ::testing::Test {
 protected:
  static picture::Picture numbered(int w, int h, std::uint32_t n) {
    picture::Bitmap b = picture::Bitmap::create(w, h, 24);
    b.setPixel(0, 0, n);
    return picture::Picture(b);
  }
  // Pictures from..from+n-1, each captioned with its number, a pass after each.
  void fill(int n, int from = 1) {
    for (int i = from; i < from + n; ++i) {
      film.add(numbered(40, 30, i), std::to_string(i));
      film.tidy();
    }
  }
  // The numbers of the pictures in the used frames, overflow last.
  std::vector<std::uint32_t> numbers() const {
    std::vector<std::uint32_t> found;
    for (int i = 0; i <= Film::kOverflow; ++i)
      if (film.used(i)) found.push_back(film.frame(i).image.bitmap().pixel(0, 0));
    return found;
  }
  static std::vector<std::uint32_t> range(std::uint32_t from, std::uint32_t to) {
    std::vector<std::uint32_t> r;
    for (std::uint32_t n = from; n <= to; ++n) r.push_back(n);
    return r;
  }
  // The lowered frame and the red one.
  using Marks = std::pair<std::optional<int>, std::optional<int>>;
  Marks marks() const { return {film.loweredFrame(), film.redFrame()}; }
  static Marks both(std::optional<int> i) { return {i, i}; }
  // Where the clipboard's next picture goes, and whether in place.
  std::optional<std::pair<int, bool>> clipboardPlace() {
    auto place = film.placeForClipboard();
    if (!place) return std::nullopt;
    return std::make_pair(place->index, place->inPlace);
  }

  app::Settings settings;
  Film film{settings};
};

TEST_F(FilmTest, APictureIsFittedOverTheWholePanelFromTheBoxTheFrameHas) {
  // A picture without a size changes nothing, not even the pass.
  film.tidy();
  EXPECT_EQ(film.add(picture::Picture(), "cut"), std::nullopt);
  EXPECT_FALSE(film.tidyDue());
  EXPECT_EQ(film.add(numbered(640, 480, 1), "a"), 0);
  EXPECT_EQ(film.frame(0).imageBox, (picture::Rect{2, 13, 71, 53}));
  film.add(numbered(480, 640, 2), "b");
  EXPECT_EQ(film.frame(1).imageBox, (picture::Rect{13, 2, 53, 71}));
  film.add(numbered(100, 100, 3), "c");
  EXPECT_EQ(film.frame(2).imageBox, (picture::Rect{2, 4, 71, 71}));
  // An empty caption leaves the frame empty; the next picture fits from its box.
  EXPECT_EQ(film.add(numbered(640, 480, 4), ""), 3);
  EXPECT_EQ(film.add(numbered(640, 480, 5), "e"), 3);
  EXPECT_EQ(film.frame(3).imageBox, (picture::Rect{2, 20, 71, 39}));
}

// The pass a push-out arms runs before the next picture chooses its frame:
// that picture must not land in the emptied frame 1 and be pushed out at once.
TEST_F(FilmTest, AFullFilmTakesOneIntoTheOverflowFramePushOutMakesRoomAndClearsALeftover) {
  fill(36);
  film.toggle(0);
  EXPECT_EQ(film.add(numbered(40, 30, 37), "37"), Film::kOverflow);
  EXPECT_EQ(film.add(numbered(40, 30, 99), "99"), std::nullopt);
  EXPECT_EQ(film.titleCount(), 36);
  settings.pushOutWhenFull = true;
  EXPECT_EQ(film.add(numbered(40, 30, 99), "99"), std::nullopt);
  EXPECT_FALSE(film.used(0));
  EXPECT_EQ(marks(), both(std::nullopt));
  EXPECT_EQ(film.add(numbered(40, 30, 38), "38"), Film::kOverflow);
  film.tidy();  // the overflow picture moves into frame 36
  EXPECT_FALSE(film.used(Film::kOverflow));
  EXPECT_EQ(numbers(), range(3, 38));
  // An uncaptioned picture left in the overflow frame goes only with push-out.
  settings.pushOutWhenFull = false;
  film.add(numbered(40, 30, 99), "");
  film.tidy();
  EXPECT_FALSE(film.frame(Film::kOverflow).image.empty());
  settings.pushOutWhenFull = true;
  film.tidy();
  EXPECT_TRUE(film.frame(Film::kOverflow).image.empty());
  EXPECT_EQ(film.frame(Film::kOverflow).imageBox, Film::kEmptyBox);
}

TEST_F(FilmTest, ATidyPassClosesOneGapStepAndTheMarksTravelWithTheirPicture) {
  fill(4);
  film.add(numbered(30, 60, 5), "5");  // portrait: its box has a left offset
  const picture::Rect fifthBox = film.frame(4).imageBox;
  film.toggle(3);  // picture 4
  film.clear(0);
  film.clear(1);
  film.tidy();
  EXPECT_EQ(numbers(), range(3, 5));
  EXPECT_EQ(film.frame(3).imageBox, fifthBox);
  EXPECT_EQ(film.frame(4).imageBox, Film::kEmptyBox);
  EXPECT_EQ(marks(), both(2));
  EXPECT_EQ(film.titleCount(), 4);  // the first used frame an empty one follows
  film.tidy();
  EXPECT_EQ(film.titleCount(), 3);
  EXPECT_EQ(marks(), both(1));
}

// Sheet printing drops only the lowered mark; delete goes by that one.
TEST_F(FilmTest, AClickMarksOneUsedFrameASecondUnmarksItAndDeleteTakesTheLoweredOne) {
  fill(3);
  EXPECT_EQ(film.toggle(5), Film::Toggle::Nothing);
  EXPECT_EQ(film.toggle(0), Film::Toggle::Selected);
  EXPECT_EQ(film.toggle(1), Film::Toggle::Selected);
  EXPECT_EQ(marks(), both(1));
  film.dropLoweredMark();
  EXPECT_EQ(film.deleteLowered(), std::nullopt);
  EXPECT_EQ(marks(), Marks(std::nullopt, 1));
  EXPECT_TRUE(film.tidyDue());
  film.toggle(1);
  EXPECT_EQ(film.toggle(1), Film::Toggle::Unselected);
  EXPECT_EQ(marks(), both(std::nullopt));
  film.toggle(1);
  EXPECT_EQ(film.deleteLowered(), 1);
  EXPECT_EQ(marks(), both(std::nullopt));
  film.tidy();
  EXPECT_EQ(numbers(), (std::vector<std::uint32_t>{1, 3}));
}

TEST_F(FilmTest, DeleteAllClearsTheOverflowTooKeepsTheMarksAndRewindsPlay) {
  fill(37);
  film.toggle(4);
  film.playStep();
  film.deleteAll();
  EXPECT_TRUE(numbers().empty());
  EXPECT_EQ(marks(), both(4));
  EXPECT_EQ(film.playPosition(), 0);
}

TEST_F(FilmTest, TheClipboardReplacesTheRedUsedFrameElseTakesTheFirstEmptyOne) {
  fill(37);
  EXPECT_EQ(clipboardPlace(), std::nullopt);
  film.toggle(1);
  EXPECT_EQ(clipboardPlace(), std::make_pair(1, true));  // even in a full film
  film.toggle(1);
  // Push-out makes room, for after the pass it arms.
  settings.pushOutWhenFull = true;
  EXPECT_EQ(clipboardPlace(), std::nullopt);
  EXPECT_FALSE(film.used(0));
  EXPECT_EQ(clipboardPlace(), std::make_pair(Film::kOverflow, false));
  // A red caption left on an emptied frame does not take the picture in place.
  film.toggle(1);
  film.deleteAll();
  EXPECT_EQ(clipboardPlace(), std::make_pair(0, false));
}

TEST_F(FilmTest, PlayShowsTheUsedFramesInOrderAndStartsOverAtAnEmptyOne) {
  fill(2);
  EXPECT_EQ(film.playStep(), 0);
  EXPECT_EQ(film.playStep(), 1);
  EXPECT_EQ(film.playStep(), std::nullopt);
  EXPECT_EQ(film.playStep(), 0);
  fill(34, 3);
  for (int i = 1; i < 36; ++i) film.playStep();
  EXPECT_EQ(film.playStep(), 0);  // after frame 36, frame 1
}

TEST_F(FilmTest, TheListenerHearsOfEachChangedFrameEachArmingAndEachPass) {
  fill(2);
  film.toggle(0);
  std::set<int> changed;
  int armed = 0, passes = 0;
  film.onFrameChanged = [&](int i) { changed.insert(i); };
  film.onTidyDue = [&] { ++armed; };
  film.onTidied = [&] { ++passes; };
  film.toggle(1);  // the marks leave frame 1 for frame 2
  EXPECT_EQ(changed, (std::set<int>{0, 1}));
  film.add(numbered(40, 30, 3), "3");
  film.scheduleTidy();  // already due
  film.tidy();
  EXPECT_EQ(armed, 1);
  EXPECT_EQ(passes, 1);
  EXPECT_TRUE(changed.count(2));
}

TEST_F(FilmTest, BatchSaveTakesTheUsedFramesOfThe36InOrder) {
  fill(37);
  film.clear(2);
  std::vector<int> used = film.usedFrames();
  ASSERT_EQ(used.size(), 35u);
  EXPECT_EQ(used[2], 3);
  EXPECT_EQ(used.back(), 35);
}

}  // namespace
