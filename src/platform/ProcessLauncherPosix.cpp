#include "platform/ProcessLauncher.h"

#include <cerrno>
#include <filesystem>

#include "platform/DateTimeSettings.h"
#include "platform/DetachedProcess.h"
#include "platform/FindExecutable.h"
#include "platform/ShellFolders.h"
#include "platform/SplitShellWords.h"

namespace moravel {

namespace {

// The program `target` names, as an absolute path; empty when it is none.
std::string ProgramPath(const std::string& target, const Environment& env) {
  std::string path;
  if (target.find('/') == std::string::npos) {
    path = FindExecutable(target, env).value_or("");
  } else if (IsExecutableFile(target)) {
    path = target;
  }
  if (path.empty()) return path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? std::string() : absolute.lexically_normal().string();
}

}  // namespace

bool ProcessLauncher::OpenTarget(const std::string& target, const std::string& arguments) {
  if (target.empty()) return false;
  const std::string program = ProgramPath(target, env_);
  if (!program.empty()) {
    DetachedProcess process;
    process.program = program;
    process.argv.push_back(program);
    for (std::string& word : SplitShellWords(arguments)) process.argv.push_back(std::move(word));
    process.envp = env_.entries();
    process.workingDirectory = std::filesystem::path(program).parent_path().string();
    const int err = process.start();
    // Not runnable after all: a document, opened as the file that was found.
    return err == ENOEXEC ? openWithDesktop(program) : err == 0;
  }
  return openWithDesktop(target);
}

bool ProcessLauncher::OpenSpecialFolder(int shellNumber) {
  return openWithDesktop(ShellFolders(env_).resolve(shellNumber));
}

bool ProcessLauncher::OpenDateTimeSettings() {
  auto command = DateTimeSettings::FindCommand(env_);
  if (!command) return false;
  DetachedProcess process;
  process.program = command->front();
  process.argv = std::move(*command);
  process.envp = env_.entries();
  return process.start() == 0;
}

bool ProcessLauncher::openWithDesktop(const std::string& what) {
  auto opener = FindExecutable("xdg-open", env_);
  if (!opener || what.empty()) return false;
  DetachedProcess process;
  process.program = *opener;
  // A name starting with '-' would be read as an option.
  process.argv = {*opener, what.front() == '-' ? "./" + what : what};
  process.envp = env_.entries();
  return process.start() == 0;
}

}  // namespace moravel
