// moravel-preview: the picture a skin gives on a screen of a given size at a
// given time, as the program would show it, and every problem met on the way
// (one a line on standard output). Exit code 0: no problems; 1: problems were
// printed (the picture is still written); 2: nothing could be rendered or
// written (the reason on standard error).

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/PngFile.h"
#include "platform/SystemClock.h"
#include "preview/PreviewArguments.h"
#include "preview/SkinPreview.h"
#include "settings/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#endif

namespace {

// `args`: the arguments after the program's name, in UTF-8.
int RunPreview(const std::vector<std::string_view>& args) {
  using namespace moravel;
  const Result<PreviewArguments> parsed = ParsePreviewArguments(args);
  if (!parsed) {
    std::fprintf(stderr, "moravel-preview: %s\n%s\n", parsed.error().message.c_str(),
                 kPreviewUsage);
    return 2;
  }
  const LocalTime time = parsed->time ? *parsed->time : SystemClock().now();
  const SkinPreview preview =
      RenderSkinPreview(parsed->skinFolder, parsed->width, parsed->height, time, parsed->scale);
  if (PreviewExitCode(preview) == 2) {
    std::fprintf(stderr, "moravel-preview: %s\n", preview.error.c_str());
    return 2;
  }
  for (const std::string& line : preview.problems) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  if (Result<void> saved = SavePngFile(parsed->output, preview.picture, PngSpeed::Fast); !saved) {
    std::fprintf(stderr, "moravel-preview: cannot write %s: %s\n", Utf8Of(parsed->output).c_str(),
                 saved.error().message.c_str());
    return 2;
  }
  return PreviewExitCode(preview);
}

}  // namespace

#ifdef _WIN32
// The arguments as the system has them (UTF-16), so that any file name
// works; what is printed is UTF-8, which the console is told.
int wmain(int argc, wchar_t** argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> utf8;
  for (int i = 1; i < argc; ++i) utf8.push_back(moravel::Utf8Of(std::filesystem::path(argv[i])));
  return RunPreview(std::vector<std::string_view>(utf8.begin(), utf8.end()));
}
#else
int main(int argc, char** argv) {
  return RunPreview(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
#endif
