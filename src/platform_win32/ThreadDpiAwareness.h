#pragma once
// The calling thread's DPI awareness changed for the life of the object, and
// the previous one back after (Windows 10 1607 and later; older Windows
// reads no awareness from the manifest, so the whole program is unaware
// there and nothing needs changing). Windows made meanwhile keep the awareness, and the sizes and
// places the window functions take and give meanwhile are in its pixels:
// 96-dpi pixels, which the system enlarges on a high-DPI monitor, when
// unaware; device pixels when per-monitor aware. Lives on the stack of one
// thread.

namespace moravel {

class ThreadDpiAwareness {
 public:
  enum class Kind {
    kUnaware,
    kPerMonitor,  // version 2 where Windows has it, else the first version
  };

  explicit ThreadDpiAwareness(Kind kind);
  ~ThreadDpiAwareness();

  ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
  ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

 private:
  void* previous_ = nullptr;  // the thread's DPI_AWARENESS_CONTEXT before; null: none set
};

}  // namespace moravel
