// The calendar: which pictures the calendar timer shows for a date, and when
// it loads them again.

#include <gtest/gtest.h>

#include <string>

#include "TimeWidgetsTestKit.h"

namespace moravel {
namespace {

using test::ClockHarness;

// Picture `image` of a section is a 4 x 4 square of a colour that tells both.
Rgba CalendarColour(WidgetSection s, int image) {
  return {uint8_t(40 + 10 * image), uint8_t(15 * int(s)), 99, 255};
}

struct Keys {
  WidgetSection section;
  int first, last;  // image<first> .. image<last>
};

constexpr Keys kAll[] = {
    {WidgetSection::Month, 1, 12}, {WidgetSection::Weekday, 1, 7}, {WidgetSection::Day1, 0, 3},
    {WidgetSection::Day2, 0, 9},   {WidgetSection::Year1, 0, 9},   {WidgetSection::Year2, 0, 9},
    {WidgetSection::Year3, 0, 9},  {WidgetSection::Year4, 0, 9},
};

class CalendarHarness : public ClockHarness {
 public:
  // Writes the sections' pictures and returns their config.ini text; the
  // sections lie side by side along y = 400.
  std::string Sections(std::initializer_list<Keys> keys) {
    std::string text;
    for (const Keys& k : keys) {
      const std::string name(WidgetSectionName(k.section));
      text += "[" + name + "]\r\nx=" + std::to_string(10 * int(k.section)) + "\r\ny=400\r\n";
      for (int i = k.first; i <= k.last; ++i) {
        const std::string file = name + std::to_string(i) + ".png";
        Picture(file, test::Solid(4, 4, CalendarColour(k.section, i)));
        text += "image" + std::to_string(i) + "=" + file + "\r\n";
      }
    }
    return text;
  }
  std::string AllSections() {
    std::string text;
    for (const Keys& k : kAll) text += Sections({k});
    return text;
  }

  // The image number that section `s` shows; -1 for none.
  int Shown(WidgetSection s) const {
    const ImageControl* image = session->state().scene.widget(s);
    if (!image || !HasPixels(image->picture())) return -1;
    const Rgba c = image->picture()->at(0, 0);
    return c.g == 15 * int(s) ? (c.r - 40) / 10 : -2;
  }

  void Today(int year, int month, int day, int weekday, int second = 0) {
    clock.set(LocalTime{year, month, day, weekday, 0, 0, second});
    session->OnCalendarTimer();
  }
};

TEST(CalendarTest, ShowsEachPartOfTheDate) {
  struct Case {
    int year, month, day, weekday;
    int monthImage, weekdayImage, day1, day2, year1, year2, year3, year4;
  };
  const Case cases[] = {
      {2026, 3, 7, 7, 3, 7, 0, 7, 2, 0, 2, 6},  // Saturday 7 March 2026; image1 is January
      {2026, 2, 1, 1, 2, 1, 0, 1, 2, 0, 2, 6},  // Sunday 1 February 2026
      {1999, 12, 31, 6, 12, 6, 3, 1, 1, 9, 9, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    CalendarHarness h;
    h.Config(h.AllSections());
    Desktop& s = h.Start();
    EXPECT_TRUE(h.timers.IsEnabled(DesktopTimer::Calendar));
    h.Today(c.year, c.month, c.day, c.weekday);
    EXPECT_EQ(h.Shown(WidgetSection::Month), c.monthImage);
    EXPECT_EQ(h.Shown(WidgetSection::Weekday), c.weekdayImage);
    EXPECT_EQ(h.Shown(WidgetSection::Day1), c.day1);
    EXPECT_EQ(h.Shown(WidgetSection::Day2), c.day2);
    EXPECT_EQ(h.Shown(WidgetSection::Year1), c.year1);
    EXPECT_EQ(h.Shown(WidgetSection::Year2), c.year2);
    EXPECT_EQ(h.Shown(WidgetSection::Year3), c.year3);
    EXPECT_EQ(h.Shown(WidgetSection::Year4), c.year4);
    EXPECT_EQ(s.state().scene.lastShownDay, c.day);
    EXPECT_EQ(s.frame().picture().at(10 * int(WidgetSection::Day2) + 1, 401),
              CalendarColour(WidgetSection::Day2, c.day2))
        << "on screen";
  }
}

TEST(CalendarTest, RedrawsOnlyWhenTheDayOfTheMonthChanges) {
  CalendarHarness h;
  h.Config(h.AllSections());
  Desktop& s = h.Start();
  h.Today(2026, 1, 31, 7);
  EXPECT_EQ(h.Shown(WidgetSection::Day1), 3);
  s.frame().TakeDirty();

  h.Today(2026, 1, 31, 7, 30);
  EXPECT_TRUE(s.frame().TakeDirty().empty()) << "the same day draws nothing";

  h.Today(2026, 2, 1, 1);
  EXPECT_EQ(h.Shown(WidgetSection::Month), 2);
  EXPECT_EQ(h.Shown(WidgetSection::Weekday), 1);
  EXPECT_EQ(h.Shown(WidgetSection::Day1), 0);
  EXPECT_EQ(h.Shown(WidgetSection::Day2), 1);
  EXPECT_FALSE(s.frame().TakeDirty().empty());

  // Later ticks of the same day neither draw nor read the files again.
  h.Picture("month2.png", test::Solid(4, 4, Rgba{1, 1, 1, 255}));
  h.Today(2026, 2, 1, 1, 1);
  h.Today(2026, 2, 1, 1, 2);
  EXPECT_TRUE(s.frame().TakeDirty().empty());
  EXPECT_EQ(h.Shown(WidgetSection::Month), 2);
}

TEST(CalendarTest, AChangeThatKeepsTheDayNumberIsNotShown) {
  CalendarHarness h;
  h.Config(h.AllSections());
  h.Start();
  h.Today(2026, 3, 5, 5);
  h.Today(2026, 4, 5, 1);
  EXPECT_EQ(h.Shown(WidgetSection::Month), 3);
  EXPECT_EQ(h.Shown(WidgetSection::Weekday), 5);
  h.Today(2026, 4, 6, 2);
  EXPECT_EQ(h.Shown(WidgetSection::Month), 4);
  EXPECT_EQ(h.Shown(WidgetSection::Weekday), 2);
}

TEST(CalendarTest, UnitsOfTheDayWithoutTheTens) {
  CalendarHarness h;
  h.Config(h.Sections({{WidgetSection::Day2, 0, 9}}));
  Desktop& s = h.Start();
  h.Today(2026, 3, 25, 4);
  EXPECT_EQ(s.state().scene.widget(WidgetSection::Day1), nullptr);
  EXPECT_EQ(h.Shown(WidgetSection::Day2), 5);
}

TEST(CalendarTest, AMissingPictureKeepsTheDayBeforeAndStopsNothingElse) {
  CalendarHarness h;
  std::string config = h.AllSections();
  const std::string sunday = "image1=weekday1.png\r\n";
  config.erase(config.find(sunday), sunday.size());
  h.Config(config);
  Desktop& s = h.Start();
  h.Today(2026, 3, 7, 7);
  EXPECT_EQ(h.Shown(WidgetSection::Weekday), 7);
  s.frame().TakeDirty();
  h.Today(2026, 3, 8, 1);
  EXPECT_EQ(h.Shown(WidgetSection::Weekday), 7) << "Saturday's picture stays";
  EXPECT_EQ(h.Shown(WidgetSection::Day2), 8) << "the sections after it go on";
  EXPECT_EQ(h.Shown(WidgetSection::Year4), 6);
  EXPECT_EQ(s.state().scene.lastShownDay, 8);
}

TEST(CalendarTest, AFileThatIsNoPictureLeavesItsImageEmpty) {
  CalendarHarness h;
  h.Config(h.Sections({{WidgetSection::Month, 1, 12}, {WidgetSection::Day2, 0, 9}}));
  test::WriteText(h.skinFolder() / "month3.png", "not a picture");
  h.Start();
  h.Today(2026, 3, 9, 2);
  EXPECT_EQ(h.Shown(WidgetSection::Month), -1);
  EXPECT_EQ(h.Shown(WidgetSection::Day2), 9);
}

TEST(CalendarTest, TransparentSectionsAreKeyedByTheirBottomLeftColour) {
  CalendarHarness h;
  Bitmap picture = test::Solid(4, 4, Rgba{200, 10, 10, 255});
  picture.set(0, 3, Rgba{0, 255, 0, 255});
  picture.set(2, 1, Rgba{0, 255, 0, 255});
  h.Picture("d.png", picture);
  h.Config("[day2]\r\ntr=1\r\nimage4=d.png\r\n");
  h.Start();
  h.Today(2026, 3, 14, 7);
  const ImageControl* image = h.session->state().scene.widget(WidgetSection::Day2);
  ASSERT_TRUE(HasPixels(image->picture()));
  EXPECT_EQ(image->picture()->at(2, 1).a, 0);
  EXPECT_EQ(image->picture()->at(1, 1).a, 255);
}

}  // namespace
}  // namespace moravel
