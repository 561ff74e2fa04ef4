#include <gtest/gtest.h>

#include "platform/DisplayChoice.h"
#include "platform/FakeEnvironment.h"

namespace moravel {
namespace {

TEST(DisplayChoiceTest, X11WhereverThereIsADisplayAndAClearErrorWhereThereIsNone) {
  struct Case {
    FakeEnvironment env;
    std::string platform;
    bool error;
    std::string mentions;
  };
  const Case cases[] = {
      {{{"DISPLAY", ":0"}}, "xcb", false, ""},
      // A Wayland session with XWayland; the session asks toolkits for Wayland.
      {{{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"QT_QPA_PLATFORM", "wayland;xcb"}},
       "xcb",
       false,
       ""},
      // What the user named stays (a run without any display).
      {{{"QT_QPA_PLATFORM", "offscreen"}}, "", false, ""},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"QT_QPA_PLATFORM", "wayland"}}, "", true, "XWayland"},
      {{{"DISPLAY", ""}}, "", true, "DISPLAY is not set"},
  };
  for (const Case& c : cases) {
    const DisplayChoice choice = ChooseDisplay(c.env);
    EXPECT_EQ(choice.qtPlatform, c.platform) << c.mentions;
    EXPECT_EQ(!choice.error.empty(), c.error) << choice.error;
    EXPECT_NE(choice.error.find(c.mentions), std::string::npos) << choice.error;
  }
}

}  // namespace
}  // namespace moravel
