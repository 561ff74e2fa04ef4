#include "codecs/PixelFixtures.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace moravel::testing {

std::filesystem::path TestData(const std::string& relative) {
  return std::filesystem::path(MORAVEL_TEST_DATA) / relative;
}

std::filesystem::path SharedTestData(const std::string& relative) {
  return std::filesystem::path(MORAVEL_SHARED_TEST_DATA) / relative;
}

std::string MissingSharedFolder(const std::string& folder) {
  const std::filesystem::path path = SharedTestData(folder);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return "";
  return "needs ../shared/testdata/" + folder + " beside the clone (looked in " + path.string() +
         ")";
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<std::vector<long>> ParseIntArray(const std::string& text) {
  std::vector<long> values;
  size_t i = 0;
  auto skipSpace = [&] {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  };
  skipSpace();
  if (i >= text.size() || text[i++] != '[') return std::nullopt;
  skipSpace();
  if (i < text.size() && text[i] == ']') return values;
  for (;;) {
    skipSpace();
    const char* start = text.c_str() + i;
    char* end = nullptr;
    const long v = std::strtol(start, &end, 10);
    if (end == start) return std::nullopt;
    values.push_back(v);
    i += size_t(end - start);
    skipSpace();
    if (i >= text.size()) return std::nullopt;
    const char c = text[i++];
    if (c == ']') break;
    if (c != ',') return std::nullopt;
  }
  skipSpace();
  if (i != text.size()) return std::nullopt;
  return values;
}

std::optional<std::vector<long>> ReadIntArray(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return ParseIntArray(text.str());
}

::testing::AssertionResult PixelsNear(const Bitmap& picture, const std::vector<long>& expected,
                                      int tolerance,
                                      const std::function<bool(int, int)>& considered) {
  const size_t pixels = size_t(picture.width()) * size_t(picture.height());
  if (expected.size() % 4 != 0 || pixels != expected.size() / 4) {
    return ::testing::AssertionFailure()
           << "picture is " << picture.width() << " x " << picture.height() << " = " << pixels
           << " pixels, expected " << expected.size() / 4;
  }
  std::ostringstream report;
  int differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (considered && !considered(x, y)) continue;
      const size_t i = (size_t(y) * size_t(picture.width()) + size_t(x)) * 4;
      const uint8_t* got = picture.data() + i;
      bool same = true;
      for (int c = 0; c < 4; ++c)
        same = same && std::labs(long(got[c]) - expected[i + c]) <= tolerance;
      if (same) continue;
      if (++differing <= 5) {
        report << "\n  (" << x << ", " << y << "): got " << int(got[0]) << "," << int(got[1]) << ","
               << int(got[2]) << "," << int(got[3]) << " expected " << expected[i] << ","
               << expected[i + 1] << "," << expected[i + 2] << "," << expected[i + 3];
      }
    }
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << differing << " pixels differ by more than " << tolerance << ":" << report.str();
}

}  // namespace moravel::testing
