// What an icon source costs in memory: a picture whose header is over the
// icon limits (a 10000 x 10000 PNG of zeros, 388 KB on the disk) is refused
// before its pixels exist, and a large one that is read leaves only an
// icon-sized picture behind. Each is measured in a child process of its own
// (fork), from the kernel's counts of its resident memory.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/ButtonFaceRenderer.h"
#include "editor/EditorTestKit.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::Solid;

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBe32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

// Deflates `in` into `z`, returning what came out.
std::vector<uint8_t> Deflate(z_stream& z, std::vector<uint8_t>& in, int flush) {
  std::vector<uint8_t> out;
  z.next_in = in.data();
  z.avail_in = uInt(in.size());
  do {
    uint8_t buffer[1 << 16];
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    deflate(&z, flush);
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
  } while (z.avail_out == 0 || z.avail_in > 0);
  return out;
}

// A PNG of width x height transparent black pixels (8-bit RGBA) deflated by
// zlib at its best, without feeding it every byte: the rows go in equal runs,
// each ending in a full flush, after which zlib starts afresh, so every run
// but the first and the last deflates to the same bytes, written again.
// Empty when that does not hold.
std::vector<uint8_t> ZeroPng(int width, int height) {
  int runRows = 64;
  while (height % runRows != 0) --runRows;
  const int runs = height / runRows;
  const size_t rowBytes = 1 + 4 * size_t(width), total = rowBytes * size_t(height);
  std::vector<uint8_t> zeros(rowBytes * size_t(runRows));
  z_stream z{};
  if (runs < 3 || deflateInit(&z, 9) != Z_OK) return {};
  std::vector<uint8_t> idat = Deflate(z, zeros, Z_FULL_FLUSH);  // with the zlib header
  const std::vector<uint8_t> middle = Deflate(z, zeros, Z_FULL_FLUSH);
  const bool same = Deflate(z, zeros, Z_FULL_FLUSH) == middle;
  std::vector<uint8_t> last = Deflate(z, zeros, Z_FINISH);
  deflateEnd(&z);
  if (!same || last.size() < 4) return {};
  for (int i = 1; i < runs - 1; ++i) idat.insert(idat.end(), middle.begin(), middle.end());
  // Adler-32 of zeros: the low sum stays 1, the high one counts the bytes.
  last.resize(last.size() - 4);
  idat.insert(idat.end(), last.begin(), last.end());
  PutBe32(idat, uint32_t(total % 65521) << 16 | 1);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  PutBe32(header, uint32_t(width));
  PutBe32(header, uint32_t(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, no interlacing
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", idat);
  PutChunk(png, "IEND", {});
  return png;
}

// Kilobytes, from /proc/self/status: "VmRSS" now or "VmHWM", the peak.
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = std::string(field) + ":";
  for (std::string line; std::getline(status, line);)
    if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
  return -1;
}

struct MemoryUse {
  long beforeKb = 0, peakKb = 0, afterKb = 0;  // resident, before, at most and after
  bool result = false;                         // what the work returned
};

// Runs `work` in a child process and measures its resident memory around it;
// the peak is counted from the start of the work where the kernel allows
// (clear_refs), else from the fork. Nothing when the child fails.
std::optional<MemoryUse> MeasureInChild(const std::function<bool()>& work) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    MemoryUse use;
    use.beforeKb = StatusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";  // resets VmHWM to VmRSS
    use.result = work();
    use.peakKb = StatusKb("VmHWM");
    use.afterKb = StatusKb("VmRSS");
    const bool sent = write(pipeEnds[1], &use, sizeof use) == ssize_t(sizeof use);
    _exit(sent ? 0 : 1);
  }
  close(pipeEnds[1]);
  MemoryUse use;
  const bool read = child > 0 && ::read(pipeEnds[0], &use, sizeof use) == ssize_t(sizeof use);
  close(pipeEnds[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return use;
}

constexpr Rgba kOwn{1, 200, 1, 255};
constexpr long kMaxPeakKb = 200 * 1024, kMaxKeptKb = 10 * 1024;

class IconMemoryTest : public testing::Test {
 protected:
  IconMemoryTest() { test::WritePng(dir_ / "t.png", Solid(96, 96, {9, 9, 9, 255})); }

  // The preview's work: the face drawn with the icon at `path`; true when
  // the icon plane is width x height.
  bool DrawFace(const std::string& path, int width, int height) const {
    const FaceParams p{.iconLeft = 24, .iconTop = 8, .iconWidth = 48, .iconHeight = 48};
    if (!renderer_.RenderButtonFace((dir_ / "t.png").string(), path, p, "")) return false;
    const Bitmap icon = icons_.LoadIconPlane(path);
    return icon.width() == width && icon.height() == height;
  }

  test::TempFolder dir_;
  test::FakeAssociatedIcons desktop_;
  test::FakeCaptionPainter captions_;
  IconLoader icons_{desktop_, Solid(2, 2, kOwn)};
  ButtonFaceRenderer renderer_{icons_, captions_};
};

TEST_F(IconMemoryTest, ZeroPngsDecodeToTheirSize) {
  const std::vector<uint8_t> bytes = ZeroPng(300, 256);
  ASSERT_FALSE(bytes.empty());
  const Result<Bitmap> r = DecodePng(bytes);
  ASSERT_TRUE(r.ok()) << r.error().message;
  EXPECT_EQ(*r, Solid(300, 256, {}));
}

TEST_F(IconMemoryTest, AnIconSourceCostsLittleAndLeavesOnlyAnIconBehind) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP()
      << "AddressSanitizer keeps freed memory in quarantine: resident memory tells nothing";
#endif
  const struct {
    const char* name;
    int side;
    int iconSide;  // the plane given out
  } cases[] = {
      {"bomb.png", 10000, 2},  // over the icon limits: the program's own icon
      {"big.png", 4096, IconLoader::kMaxIconSide},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> png = ZeroPng(c.side, c.side);
    ASSERT_FALSE(png.empty()) << c.name;
    test::WriteFile(dir_ / c.name, png);
    const std::string path = (dir_ / c.name).string();
    const std::optional<MemoryUse> use =
        MeasureInChild([&] { return DrawFace(path, c.iconSide, c.iconSide); });
    ASSERT_TRUE(use) << c.name;
    std::printf("%s (%zu bytes): resident %ld KB before, peak %ld KB, %ld KB after\n", c.name,
                png.size(), use->beforeKb, use->peakKb, use->afterKb);
    EXPECT_TRUE(use->result) << c.name;
    EXPECT_LE(use->peakKb, kMaxPeakKb) << c.name;
    EXPECT_LE(use->afterKb - use->beforeKb, kMaxKeptKb) << c.name;
  }
}

}  // namespace
}  // namespace moravel
