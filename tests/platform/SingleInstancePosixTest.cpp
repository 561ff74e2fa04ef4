#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

#include "TempTree.h"
#include "platform/FakeEnvironment.h"
#include "platform/SingleInstance.h"

using moravel::FakeEnvironment;
using moravel::SingleInstance;

namespace {

// A child process that takes the lock in `dir`, tells the parent through a
// pipe whether it was first, then waits to be killed.
pid_t StartHolder(const std::string& dir, bool* childWasFirst) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    SingleInstance instance(dir);
    char first = instance.isFirst() ? '1' : '0';
    if (write(fds[1], &first, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(fds[1]);
  char first = 0;
  bool got = pid > 0 && read(fds[0], &first, 1) == 1;
  close(fds[0]);
  *childWasFirst = got && first == '1';
  return got ? pid : -1;
}

}  // namespace

TEST(SingleInstance, SecondProcessSeesTheFirstAndTakesOverAfterItsCrash) {
  TempTree tree;
  bool childWasFirst = false;
  pid_t child = StartHolder(tree.root(), &childWasFirst);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(childWasFirst);

  {
    SingleInstance second(tree.root());
    EXPECT_FALSE(second.isFirst());
  }

  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));

  SingleInstance afterCrash(tree.root());
  EXPECT_TRUE(afterCrash.isFirst());
  EXPECT_EQ(afterCrash.lockPath(), tree.path("MoravelSingleInstance"));
  struct stat st {};
  ASSERT_EQ(stat(afterCrash.lockPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SingleInstance, LockLastsAsLongAsTheObject) {
  TempTree tree;
  auto first = std::make_unique<SingleInstance>(tree.root());
  ASSERT_TRUE(first->isFirst());
  EXPECT_FALSE(SingleInstance(tree.root()).isFirst());
  EXPECT_FALSE(SingleInstance(tree.root()).isFirst());  // asking never takes it over
  first.reset();
  EXPECT_TRUE(SingleInstance(tree.root()).isFirst());
}

TEST(SingleInstance, ForeignOrUnopenableLockFileNeverKeepsTheProgramFromStarting) {
  TempTree tree;
  // A symbolic link in place of the lock file is not followed.
  std::string target = tree.write("elsewhere", "keep");
  ASSERT_EQ(symlink(target.c_str(), tree.path("MoravelSingleInstance").c_str()), 0);
  bool childWasFirst = false;
  pid_t child = StartHolder(tree.root(), &childWasFirst);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(childWasFirst);
  EXPECT_TRUE(SingleInstance(tree.root()).isFirst());
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(TempTree::read(target), "keep");

  // A folder that does not exist gives no lock, and no refusal either.
  EXPECT_TRUE(SingleInstance(tree.path("missing/dir")).isFirst());
}

TEST(SingleInstance, LockFileOfAnotherUserIsIgnored) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the file to another user";
  TempTree tree;
  const std::string path = tree.write("MoravelSingleInstance", "", 0666);
  ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
  // Someone holds a lock on that file: it must not count as a running copy.
  int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
  EXPECT_TRUE(SingleInstance(tree.root()).isFirst());
  close(fd);
}

TEST(SingleInstance, DefaultLockFileIsPerUser) {
  TempTree tree;
  FakeEnvironment env{{"XDG_RUNTIME_DIR", tree.root() + "/"}};
  EXPECT_EQ(SingleInstance::DefaultLockPath(env), tree.path("MoravelSingleInstance"));

  const std::string fallback = "/tmp/MoravelSingleInstance-" + std::to_string(getuid());
  env.set("XDG_RUNTIME_DIR", tree.path("missing"));
  EXPECT_EQ(SingleInstance::DefaultLockPath(env), fallback);
  env.set("XDG_RUNTIME_DIR", tree.write("file", ""));
  EXPECT_EQ(SingleInstance::DefaultLockPath(env), fallback);
  env.set("XDG_RUNTIME_DIR", "relative/dir");
  EXPECT_EQ(SingleInstance::DefaultLockPath(env), fallback);
  env.unset("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::DefaultLockPath(env), fallback);
}
