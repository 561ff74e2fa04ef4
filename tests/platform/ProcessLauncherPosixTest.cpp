#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "TempTree.h"
#include "platform/FakeEnvironment.h"
#include "platform/ProcessLauncher.h"

using moravel::FakeEnvironment;
using moravel::ProcessLauncher;

namespace {

// Waits up to five seconds for `path` to hold `lines` complete lines (or an
// "end" line when lines is 0); returns what it holds then.
std::string WaitForFile(const std::string& path, size_t lines = 0) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::string text;
  do {
    text = TempTree::read(path);
    bool done = lines == 0 ? text.find("\nend\n") != std::string::npos
                           : size_t(std::count(text.begin(), text.end(), '\n')) >= lines;
    if (done) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return text;
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// True when this process has no child at all, zombie or running.
bool NoChildProcesses() {
  if (waitpid(-1, nullptr, WNOHANG) != -1 || errno != ECHILD) return false;
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
    if (!TempTree::read(task.path().string() + "/children").empty()) return false;
  }
  return true;
}

// A desktop with PATH = <tree>/bin holding a dummy xdg-open that appends one
// line "<count>|<first argument>" per call to xdg-open.log.
class ProcessLauncherTest : public ::testing::Test {
 protected:
  ProcessLauncherTest() {
    home = tree.mkdir("home");
    env.set("HOME", home);
    env.set("PATH", tree.mkdir("bin"));
    env.set("XDG_DATA_DIRS", tree.mkdir("share"));
    env.set("XDG_CONFIG_DIRS", tree.mkdir("etc"));
    log = tree.path("xdg-open.log");
    tree.write("bin/xdg-open", "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" + log + "'\n",
               0755);
  }

  // A program that writes its arguments, folder and process state to `marker`.
  std::string reportingProgram(const std::string& relative, const std::string& marker) {
    return tree.write(relative,
                      "#!/bin/sh\n"
                      "{\n"
                      "  printf 'argc=%s\\n' \"$#\"\n"
                      "  for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                      "  printf 'pwd=%s\\n' \"$(pwd -P)\"\n"
                      "  read -r stat < /proc/$$/stat\n"
                      "  set -- $stat\n"
                      "  printf 'sid=%s\\n' \"$6\"\n"
                      "  while read -r key value; do\n"
                      "    case $key in SigBlk:|SigIgn:) printf '%s%s\\n' \"$key\" \"$value\";; "
                      "esac\n"
                      "  done < /proc/$$/status\n"
                      "  for f in /proc/$$/fd/*; do printf 'fd=%s\\n' \"${f##*/}\"; done\n"
                      "  echo end\n"
                      "} > '" +
                          marker + "'\n",
                      0755);
  }

  TempTree tree;
  FakeEnvironment env;
  std::string home;
  std::string log;
};

}  // namespace

TEST_F(ProcessLauncherTest, StartsAProgramDirectlyWithSplitArgumentsAndLeavesNoChild) {
  const std::string marker = tree.path("marker");
  const std::string program = reportingProgram("apps/tool/run.sh", marker);
  ProcessLauncher launcher(env);
  EXPECT_TRUE(launcher.OpenTarget(program, "a 'b c'"));
  EXPECT_TRUE(NoChildProcesses());

  std::string report = WaitForFile(marker);
  EXPECT_NE(report.find("argc=2\n[a]\n[b c]\n"), std::string::npos) << report;
  EXPECT_NE(report.find("pwd=" + tree.path("apps/tool") + "\n"), std::string::npos) << report;
  EXPECT_TRUE(NoChildProcesses());
  EXPECT_EQ(TempTree::read(log), "");  // xdg-open was not involved
}

TEST_F(ProcessLauncherTest, StartedProgramGetsAFreshSessionSignalsAndDescriptors) {
  const std::string marker = tree.path("marker");
  const std::string program = reportingProgram("run.sh", marker);
  // State of ours that must not reach the program.
  sigset_t blocked, saved;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR1);
  sigprocmask(SIG_BLOCK, &blocked, &saved);
  auto oldHandler = signal(SIGUSR2, SIG_IGN);
  int nullFd = open("/dev/null", O_RDONLY | O_CLOEXEC);
  int leaked = dup2(nullFd, 47);  // the copy is not close-on-exec
  close(nullFd);
  ASSERT_EQ(leaked, 47);

  bool started = ProcessLauncher(env).OpenTarget(program, "");
  close(leaked);
  signal(SIGUSR2, oldHandler);
  sigprocmask(SIG_SETMASK, &saved, nullptr);
  ASSERT_TRUE(started);

  std::string report = WaitForFile(marker);
  EXPECT_NE(report.find("argc=0\n"), std::string::npos) << report;
  EXPECT_NE(report.find("SigBlk:0000000000000000\n"), std::string::npos) << report;
  EXPECT_NE(report.find("SigIgn:0000000000000000\n"), std::string::npos) << report;
  EXPECT_EQ(report.find("fd=47\n"), std::string::npos) << report;
  EXPECT_NE(report.find("fd=0\n"), std::string::npos) << report;
  size_t sid = report.find("sid=");
  ASSERT_NE(sid, std::string::npos);
  EXPECT_NE(std::stol(report.substr(sid + 4)), long(getsid(0))) << report;
}

TEST_F(ProcessLauncherTest, ReturnsWhileTheProgramRunsAndIsNeverItsParent) {
  env.set("PATH", tree.path("bin") + ":/usr/bin:/bin");  // for sleep
  const std::string marker = tree.path("marker"), release = tree.path("release");
  const std::string program = tree.write("waits.sh",
                                         "#!/bin/sh\n"
                                         "echo started > '" +
                                             marker +
                                             "'\n"
                                             "i=0\n"
                                             "while [ ! -e '" +
                                             release +
                                             "' ] && [ $i -lt 400 ]; do\n"
                                             "  sleep 0.05; i=$((i + 1))\n"
                                             "done\n"
                                             "echo finished >> '" +
                                             marker + "'\n",
                                         0755);
  ASSERT_TRUE(ProcessLauncher(env).OpenTarget(program, ""));
  EXPECT_EQ(WaitForFile(marker, 1), "started\n");
  EXPECT_TRUE(NoChildProcesses());  // running, yet not our child
  tree.write("release", "");
  EXPECT_EQ(WaitForFile(marker, 2), "started\nfinished\n");
  EXPECT_TRUE(NoChildProcesses());
}

TEST_F(ProcessLauncherTest, FindsBareProgramNamesInPathAndRelativePaths) {
  const std::string marker1 = tree.path("m1"), marker2 = tree.path("m2");
  reportingProgram("bin/moravel-test-tool", marker1);
  const std::string second = reportingProgram("other/second.sh", marker2);
  ProcessLauncher launcher(env);
  EXPECT_TRUE(launcher.OpenTarget("moravel-test-tool", "x"));
  std::string relative = std::filesystem::relative(second).string();
  ASSERT_NE(relative.find('/'), std::string::npos);
  EXPECT_TRUE(launcher.OpenTarget(relative, "\"y z\""));
  EXPECT_NE(WaitForFile(marker1).find("argc=1\n[x]\n"), std::string::npos);
  std::string report = WaitForFile(marker2);
  EXPECT_NE(report.find("argc=1\n[y z]\n"), std::string::npos) << report;
  EXPECT_NE(report.find("pwd=" + tree.path("other") + "\n"), std::string::npos) << report;
  EXPECT_TRUE(NoChildProcesses());
}

TEST_F(ProcessLauncherTest, AnythingButAProgramGoesToXdgOpenWithoutArguments) {
  const std::string missing = tree.path("no/such/program.exe");
  const std::string document = tree.write("letter.txt", "hello", 0644);
  const std::string folder = tree.mkdir("folder");
  const std::string noInterpreterLine = tree.write("notes.desktop", "[Desktop Entry]\n", 0755);
  // Found in PATH but not runnable: the file found is opened, not the bare name.
  const std::string pathDocument = tree.write("bin/moravel-notes", "just text\n", 0755);
  ProcessLauncher launcher(env);
  EXPECT_TRUE(launcher.OpenTarget("moravel-notes", "x"));
  EXPECT_TRUE(launcher.OpenTarget(missing, "--ignored"));
  EXPECT_TRUE(launcher.OpenTarget(document, "a b"));
  EXPECT_TRUE(launcher.OpenTarget(folder, ""));
  EXPECT_TRUE(launcher.OpenTarget("https://example.org/a b", ""));
  EXPECT_TRUE(launcher.OpenTarget(noInterpreterLine, "x"));
  EXPECT_TRUE(launcher.OpenTarget("-rf", ""));
  EXPECT_TRUE(NoChildProcesses());

  std::vector<std::string> expected = {
      "1|" + missing,           "1|" + document, "1|" + folder,      "1|https://example.org/a b",
      "1|" + noInterpreterLine, "1|./-rf",       "1|" + pathDocument};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SortedLines(WaitForFile(log, expected.size())), expected);
  EXPECT_TRUE(NoChildProcesses());
}

TEST_F(ProcessLauncherTest, ReportsWhatCouldNotBeStarted) {
  ProcessLauncher launcher(env);
  EXPECT_FALSE(launcher.OpenTarget("", ""));
  // The system cannot run it: its interpreter is missing.
  const std::string broken = tree.write("broken.sh", "#!/no/such/interpreter\n", 0755);
  EXPECT_FALSE(launcher.OpenTarget(broken, ""));
  EXPECT_TRUE(NoChildProcesses());

  // No xdg-open in PATH: documents, folders and settings cannot be opened.
  env.set("PATH", tree.mkdir("emptybin"));
  EXPECT_FALSE(launcher.OpenTarget(tree.write("doc.txt", ""), ""));
  EXPECT_FALSE(launcher.OpenSpecialFolder(5));
  EXPECT_FALSE(launcher.OpenDateTimeSettings());
}

TEST_F(ProcessLauncherTest, SpecialFoldersOpenThroughXdgOpen) {
  tree.mkdir("home/Documents");
  ProcessLauncher launcher(env);
  EXPECT_TRUE(launcher.OpenSpecialFolder(5));
  EXPECT_TRUE(launcher.OpenSpecialFolder(10));  // no trash handler yet: home
  tree.write("share/gvfs/mounts/trash.mount", "[Mount]\nType=trash\n");
  EXPECT_TRUE(launcher.OpenSpecialFolder(10));
  EXPECT_TRUE(launcher.OpenSpecialFolder(3));

  std::vector<std::string> expected = {"1|" + home + "/Documents", "1|" + home, "1|trash:///",
                                       "1|" + home};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SortedLines(WaitForFile(log, expected.size())), expected);
  EXPECT_TRUE(NoChildProcesses());
}

TEST_F(ProcessLauncherTest, DateTimeSettingsStartTheFoundProgram) {
  const std::string marker = tree.path("marker");
  reportingProgram("bin/cinnamon-settings", marker);
  EXPECT_TRUE(ProcessLauncher(env).OpenDateTimeSettings());
  EXPECT_NE(WaitForFile(marker).find("argc=1\n[calendar]\n"), std::string::npos);
  EXPECT_TRUE(NoChildProcesses());
}
