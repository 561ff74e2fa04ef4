// Button faces and icons as the editor's preview asks for them: one face
// drawn, and icons taken from a shortcut, a desktop launcher and a plain file
// (the last two through Qt's icon theme). Files are made in a scratch folder;
// the icon theme is a tiny one of our own, so figures do not depend on the
// machine's artwork.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QIcon>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "SessionFakes.h"
#include "desktop/Desktop.h"
#include "editor/ButtonEditorController.h"
#include "editor/ButtonFaceRenderer.h"
#include "placement/AddButtonCommand.h"
#include "platform/FakeClock.h"
#include "platform/FakeEnvironment.h"
#include "platform/RecordingLauncher.h"
#include "platform_qt/QtAssociatedIcons.h"
#include "platform_qt/QtCaptionPainter.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

// Everything the cases share, made once: the Qt application, the files and
// the desktop services.
struct EditorFixture {
  fs::path dir = fs::temp_directory_path() / "moravel-editor-bench";
  FakeEnvironment env;
  std::unique_ptr<QtAssociatedIcons> desktop;
  QtCaptionPainter captions;
  std::unique_ptr<IconLoader> loader;

  static QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "moravel_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
    return app;
  }

  EditorFixture() {
    App();
    fs::remove_all(dir);
    fs::create_directories(dir / "icons/benchtheme/64x64/apps");
    fs::create_directories(dir / "icons/benchtheme/64x64/mimetypes");
    std::ofstream(dir / "icons/benchtheme/index.theme")
        << "[Icon Theme]\nName=benchtheme\nDirectories=64x64/apps,64x64/mimetypes\n"
           "[64x64/apps]\nSize=64\nType=Fixed\n[64x64/mimetypes]\nSize=64\nType=Fixed\n";
    Bitmap icon64 = *Bitmap::Create(64, 64, {30, 90, 200, 255});
    bench::WritePng(dir / "icons/benchtheme/64x64/apps/benchapp.png", icon64);
    bench::WritePng(dir / "icons/benchtheme/64x64/mimetypes/text-plain.png", icon64);
    bench::WritePng(dir / "icons/benchtheme/64x64/mimetypes/text-x-generic.png", icon64);
    env = FakeEnvironment{{"HOME", dir.string()},
                          {"XDG_DATA_HOME", (dir / "nothing").string()},
                          {"XDG_DATA_DIRS", dir.string()}};
    desktop = std::make_unique<QtAssociatedIcons>(env);
    QIcon::setThemeName("benchtheme");
    loader = std::make_unique<IconLoader>(*desktop, *Bitmap::Create(48, 48, {1, 2, 3, 255}));

    // A 96 x 96 template with a soft shape, a 256 x 256 icon with alpha.
    Bitmap templ = *Bitmap::Create(96, 96);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 96; ++x) templ.set(x, y, {uint8_t(x), uint8_t(y), 90, uint8_t(x + y)});
    bench::WritePng(dir / "template.png", templ);
    Bitmap icon = *Bitmap::Create(256, 256);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        icon.set(x, y, {uint8_t(x), uint8_t(255 - y), uint8_t(x ^ y), uint8_t((x * y) >> 8)});
    bench::WritePng(dir / "icon256.png", icon);
    bench::WritePng(dir / "icon64.png", icon64);
    WriteLink(dir / "icon.lnk", u".\\icon64.png");
    std::ofstream(dir / "app.desktop") << "[Desktop Entry]\nType=Application\nName=App\n"
                                          "Exec=benchapp %U\nIcon=benchapp\n";
    std::ofstream(dir / "notes.txt") << "text\n";
  }

  // A shell link that holds only a relative path.
  static void WriteLink(const fs::path& file, const std::u16string& relative) {
    std::vector<uint8_t> b = {0x4C, 0, 0, 0, 0x01, 0x14, 0x02, 0,    0,    0, 0, 0,
                              0xC0, 0, 0, 0, 0,    0,    0,    0x46, 0x88, 0, 0, 0};
    b.resize(0x4C, 0);
    b.push_back(uint8_t(relative.size())), b.push_back(0);
    for (char16_t c : relative) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
  }
};

EditorFixture& Fixture() {
  static EditorFixture fixture;
  return fixture;
}

// A preview refresh: the same icon file and template again (a new caption
// or style). Cold: a new loader and renderer each time, so the icon is
// decoded and scaled anew, as for the first preview of a file.
void RenderFaceCase(benchmark::State& state, bool cold) {
  EditorFixture& f = Fixture();
  FaceParams p{.iconLeft = 24,
               .iconTop = 8,
               .iconWidth = 48,
               .iconHeight = 48,
               .textLeft = 4,
               .textTop = 60,
               .textWidth = 88,
               .textHeight = 20,
               .effect = 1,
               .tintDark = {0, 0, 128},
               .fontName = "MS Sans Serif",
               .fontSize = 8};
  const std::string templ = (f.dir / "template.png").string(),
                    icon = (f.dir / "icon256.png").string();
  std::optional<IconLoader> loader;
  std::optional<ButtonFaceRenderer> renderer;
  for (auto _ : state) {
    if (cold || !renderer) {
      loader.emplace(*f.desktop, *Bitmap::Create(48, 48, {1, 2, 3, 255}));
      renderer.emplace(*loader, f.captions);
    }
    Result<Bitmap> face = renderer->RenderButtonFace(templ, icon, p, "Мой компьютер");
    if (!face || face->width() != 96) state.SkipWithError("no face drawn");
    benchmark::DoNotOptimize(face);
  }
}
BENCHMARK_CAPTURE(RenderFaceCase, refresh, false)
    ->Name("RenderFace/96x96_icon256")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RenderFaceCase, cold, true)
    ->Name("RenderFace/96x96_icon256_cold")
    ->Unit(benchmark::kMicrosecond);

// One preview refresh of the editor: another of the wood skin's templates
// picked, its up face drawn with a 256 x 256 icon and a caption.
void BM_EditorPreview(benchmark::State& state) {
  EditorFixture& f = Fixture();
  SettingsFiles files;
  files.skinPath = fs::path(MORAVEL_SOURCE_DIR) / "skins/wood/";
  files.config = std::make_unique<IniFile>(files.skinPath / "config.ini");
  bench::NoTimers timers;
  ButtonFaceRenderer renderer(*f.loader, f.captions);
  ButtonEditorController editor(files, renderer, timers, [] {
    return Result<void>(Error{ErrorKind::kFailed, "no placement here"});
  });
  editor.OnShow();
  editor.OnBrowseIcon(f.dir / "icon256.png");
  editor.OnCaptionEdited("Мой компьютер");
  editor.OnCaptionPoll();
  int i = 0;
  for (auto _ : state) {
    editor.OnTemplateChosen(i++ % 3);
    if (editor.preview().empty()) state.SkipWithError("no preview");
  }
}
BENCHMARK(BM_EditorPreview)->Name("EditorPreview")->Unit(benchmark::kMicrosecond);

// One committed button on the wood skin: three faces drawn, three PNG files
// and the record written, the button put on the desktop.
void BM_CommitButton(benchmark::State& state) {
  EditorFixture& f = Fixture();
  const fs::path program = f.dir / "program";
  fs::remove_all(program);
  fs::create_directories(program / "skins");
  fs::copy(fs::path(MORAVEL_SOURCE_DIR) / "skins/wood", program / "skins/wood",
           fs::copy_options::recursive);
  std::ofstream(program / "data.ini") << "[skin]\ndir=wood\n";
  RecordingLauncher launcher;
  FakeClock clock;
  bench::NoTimers timers;
  bench::NoWindow window;
  Desktop session(DesktopServices{launcher, clock, timers, window}, program, 1920, 1080);
  session.Start();
  ButtonFaceRenderer renderer(*f.loader, f.captions);
  const IniFile& config = *session.state().files.config;
  NewButtonDesign design{.templateNumber = 1,
                         .target = (f.dir / "notes.txt").string(),
                         .iconSource = (f.dir / "icon256.png").string(),
                         .caption = "Документы",
                         .upParams = ReadFaceParams(config, "freebutton1", ButtonState::kUp)};
  for (auto _ : state) {
    AddButtonCommand add(renderer, design, 400, 300);
    session.Run(add);
    if (!add.result()->ok()) state.SkipWithError("refused");
  }
  fs::remove_all(program);
}
// Each iteration adds a button: stay well under the 500 a desktop holds.
BENCHMARK(BM_CommitButton)->Name("CommitButton")->Iterations(150)->Unit(benchmark::kMillisecond);

void IconPlaneCase(benchmark::State& state, const char* file, int expectedWidth) {
  EditorFixture& f = Fixture();
  const std::string path = (f.dir / file).string();
  for (auto _ : state) {
    Bitmap icon = f.loader->LoadIconPlane(path);
    if (icon.width() != expectedWidth) state.SkipWithError("wrong icon");
    benchmark::DoNotOptimize(icon);
  }
}
BENCHMARK_CAPTURE(IconPlaneCase, lnk_to_png, "icon.lnk", 64)
    ->Name("IconPlane/lnk_to_png")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(IconPlaneCase, desktop_theme_icon, "app.desktop", 64)
    ->Name("IconPlane/desktop_theme_icon")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(IconPlaneCase, associated, "notes.txt", 64)
    ->Name("IconPlane/associated")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moravel
