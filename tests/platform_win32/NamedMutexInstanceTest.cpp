#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform_win32/NamedMutexInstance.h"

namespace moravel {
namespace {

TEST(NamedMutexInstance, LaterCopiesSeeTheFirstUntilEveryHandleCloses) {
  // A name of this process's own, so that parallel runs do not meet.
  const std::string name = "MoravelTest-" + std::to_string(::GetCurrentProcessId());
  {
    NamedMutexInstance first(name);
    EXPECT_TRUE(first.isFirst());
    NamedMutexInstance second(name);
    EXPECT_FALSE(second.isFirst());
    EXPECT_TRUE(NamedMutexInstance(name + "-other").isFirst());
  }
  EXPECT_TRUE(NamedMutexInstance(name).isFirst());

  // A folder of the object namespace that does not exist: no mutex at all.
  NamedMutexInstance uncreatable("NoSuchFolder\\" + name);
  EXPECT_TRUE(uncreatable.isFirst());
  EXPECT_TRUE(NamedMutexInstance("NoSuchFolder\\" + name).isFirst());
}

}  // namespace
}  // namespace moravel
