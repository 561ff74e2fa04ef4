// A button's icon source that is a FIFO, or a launcher whose icon is one,
// never makes the editor wait: what cannot be read stands in as usual.

#include <gtest/gtest.h>

#include "editor/EditorTestKit.h"
#include "editor/IconLoader.h"
#include "support/Fifo.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::FakeAssociatedIcons;

TEST(IconLoaderFifoTest, NeverWaitsOnAFifo) {
  test::TempFolder folder;
  std::vector<std::filesystem::path> fifos;
  for (const char* name : {"x.desktop", "x.lnk", "x.png", "x.ico"}) {
    fifos.push_back(folder / name);
    ASSERT_TRUE(test::MakeFifo(fifos.back()));
  }
  const std::string launcher =
      "[Desktop Entry]\nType=Application\nIcon=" + fifos[2].string() + "\n";
  test::WriteFile(folder / "l.desktop", std::vector<uint8_t>(launcher.begin(), launcher.end()));
  constexpr Rgba kOwn{1, 200, 1, 255};
  FakeAssociatedIcons desktop;
  const IconLoader loader(desktop, test::Solid(48, 48, kOwn));
  const struct {
    std::filesystem::path target;
    Rgba shown;
  } cases[] = {
      {fifos[0], FakeAssociatedIcons::kFile},    // no launcher: the desktop's icon
      {fifos[1], FakeAssociatedIcons::kNoPath},  // no link: the icon of no file
      {folder / "l.desktop", kOwn},              // its icon unreadable: the program's own
      {fifos[3], FakeAssociatedIcons::kFile},    // no icon file: the desktop's icon
  };
  for (const auto& c : cases) {
    const auto icon =
        test::WithoutWaiting(fifos, [&] { return loader.LoadIconPlane(c.target.string()); });
    ASSERT_TRUE(icon) << "waited on " << c.target;
    ASSERT_FALSE(icon->empty()) << c.target;
    EXPECT_EQ(icon->at(0, 0), c.shown) << c.target;
  }
}

}  // namespace
}  // namespace moravel
