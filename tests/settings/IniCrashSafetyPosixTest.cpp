// A writer killed at any moment leaves the settings file complete: either the
// version before the write or the one after it, never a mix or a stub.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "SettingsTestFiles.h"
#include "settings/IniFile.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;

// Runs in the forked child: rewrites the payload alternately big and small
// until killed (or, as a safety net, until a few seconds have passed). Writes
// one byte to `ready` when it has read the file and starts writing.
[[noreturn]] void WriteForever(const std::filesystem::path& file, const std::string& small,
                               const std::string& big, int ready) {
  IniFile ini(file);
  if (::write(ready, "!", 1) != 1) _exit(3);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (long i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
    if (!ini.WriteString("data", "payload", i % 2 == 0 ? big : small)) _exit(2);
  }
  _exit(0);
}

TEST(IniCrashSafetyTest, KilledWriterLeavesACompleteFile) {
  TempFolder folder;
  const std::filesystem::path file = folder / "user.ini";
  const std::string small = "small";
  std::string big;
  for (int i = 0; big.size() < 256 * 1024; ++i) big += "chunk" + std::to_string(i) + ";";

  IniFile setup(file);
  ASSERT_TRUE(setup.WriteString("head", "k", "1"));
  ASSERT_TRUE(setup.WriteString("data", "payload", small));
  ASSERT_TRUE(setup.WriteString("tail", "end", "1"));
  const std::string smallFile = ReadBytes(file);
  ASSERT_TRUE(setup.WriteString("data", "payload", big));
  const std::string bigFile = ReadBytes(file);
  ASSERT_TRUE(setup.WriteString("data", "payload", small));

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delayMicroseconds(0, 12000);

  int smallSeen = 0, bigSeen = 0, killedMidWrite = 0;
  for (int round = 0; round < 200; ++round) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      WriteForever(file, small, big, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    char byte = 0;
    const ssize_t got = ::read(pipeFds[0], &byte, 1);
    ::close(pipeFds[0]);
    if (got == 1) {
      std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1) << "the writer failed before writing, status " << status;

    const std::string onDisk = ReadBytes(file);
    ASSERT_TRUE(onDisk == smallFile || onDisk == bigFile)
        << "round " << round << ": damaged file of " << onDisk.size() << " bytes";
    (onDisk == smallFile ? smallSeen : bigSeen)++;
    IniFile check(file);
    ASSERT_EQ(check.ReadString("tail", "end", ""), "1");
    ASSERT_EQ(check.ReadString("data", "payload", "").size(),
              onDisk == smallFile ? small.size() : big.size());

    // A temporary file left behind shows the kill came in the middle of a write.
    bool leftover = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      if (entry.path() != file) {
        leftover = true;
        std::filesystem::remove(entry.path());
      }
    }
    killedMidWrite += leftover;
  }
  RecordProperty("small_seen", smallSeen);
  RecordProperty("big_seen", bigSeen);
  RecordProperty("killed_mid_write", killedMidWrite);
  // Without kills that land inside a write the test would prove nothing.
  EXPECT_GT(killedMidWrite, 0);
}

}  // namespace
}  // namespace moravel
