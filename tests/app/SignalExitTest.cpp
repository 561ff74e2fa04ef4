// SIGTERM and SIGINT arrive as a Qt signal in the event loop.

#include <gtest/gtest.h>

#include <csignal>

#include "MouseInput.h"
#include "TestApplication.h"
#include "app/SignalExit.h"

namespace moravel {
namespace {

TEST(SignalExitTest, TermAndIntEachRequestTheExitOnTheEventLoop) {
  TestApplication();
  for (int signal : {SIGTERM, SIGINT}) {
    SignalExit exit;
    int requested = 0;
    QObject::connect(&exit, &SignalExit::requested, [&] { ++requested; });
    ASSERT_EQ(raise(signal), 0);  // the process lives on
    EXPECT_EQ(requested, 0);      // nothing runs inside the handler
    EXPECT_TRUE(mouse::WaitUntil([&] { return requested > 0; })) << signal;
    QApplication::processEvents();
    EXPECT_EQ(requested, 1);
  }
}

TEST(SignalExitTest, TheDefaultHandlersComeBackWhenTheObjectGoes) {
  TestApplication();
  { SignalExit exit; }
  struct sigaction action {};
  sigaction(SIGTERM, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
  sigaction(SIGINT, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
}

}  // namespace
}  // namespace moravel
