#pragma once
// FIFOs for tests of readers that must never wait on one, and a guard that
// keeps such a test from hanging when a reader does wait. Windows file
// systems hold no FIFOs: there kHaveFifos is false and the tests that need
// one skip.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace moravel::test {

#ifdef _WIN32
inline constexpr bool kHaveFifos = false;
inline bool MakeFifo(const std::filesystem::path&) {
  return false;
}
inline void PokeFifo(const std::filesystem::path&) {}
#else
inline constexpr bool kHaveFifos = true;

// Makes a FIFO at `path` (its folder must exist); false on failure.
inline bool MakeFifo(const std::filesystem::path& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

// Opens the FIFO for writing and closes it again, which ends a reader's wait.
// Without a reader this fails at once (ENXIO) instead of waiting.
inline void PokeFifo(const std::filesystem::path& fifo) {
  const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) ::close(fd);
}
#endif

// Runs `read` on the calling thread (Qt's pictures need the GUI thread) and
// gives its result, or nothing when it waited on one of `fifos`: from 10 s on
// a watchdog thread opens each of them for writing and closes it again, every
// 100 ms, so that a reader stuck in open() or read() sees the FIFO's end and
// returns. A reader that works never waits, so the 10 s are never reached.
template <class Read>
auto WithoutWaiting(const std::vector<std::filesystem::path>& fifos, Read&& read)
    -> std::optional<std::invoke_result_t<Read&>> {
  std::mutex mutex;
  std::condition_variable wake;
  bool finished = false, poked = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (wake.wait_for(lock, std::chrono::seconds(10), [&] { return finished; })) return;
    poked = true;
    while (!wake.wait_for(lock, std::chrono::milliseconds(100), [&] { return finished; })) {
      for (const std::filesystem::path& fifo : fifos) PokeFifo(fifo);
    }
  });
  auto result = read();
  {
    std::lock_guard lock(mutex);
    finished = true;
  }
  wake.notify_one();
  watchdog.join();
  if (poked) return std::nullopt;
  return result;
}

}  // namespace moravel::test
