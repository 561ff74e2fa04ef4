#include "preview/ProblemList.h"

#include <utility>

#include "settings/Utf8Path.h"

namespace moravel {
namespace {

// UTF-8 with "/" as the separator on every system, so that a file's path and
// its skin folder's compare alike.
std::string GenericUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.lexically_normal().generic_u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

ProblemList::ProblemList(std::vector<std::filesystem::path> skinFolders) {
  for (const std::filesystem::path& folder : skinFolders) {
    std::string text = GenericUtf8(folder);
    if (text.empty()) continue;
    if (text.back() != '/') text += '/';
    folders_.push_back(std::move(text));
  }
}

std::string ProblemList::Relative(const std::filesystem::path& path) const {
  // The generic form differs from the system's only in its separators, one
  // for one: the folder is found in the one and cut off the other.
  const std::string generic = GenericUtf8(path);
  const std::string text = Utf8Of(path.lexically_normal());
  for (const std::string& folder : folders_) {
    if (generic.size() > folder.size() && generic.compare(0, folder.size(), folder) == 0) {
      return text.substr(folder.size());
    }
  }
  return text;
}

void ProblemList::Report(SkinProblem problem) {
  // Appended piece by piece: "literal" + string trips GCC 12's -Wrestrict.
  std::string line = Relative(problem.file);
  line += ':';
  if (!problem.section.empty()) line.append(" [").append(problem.section).append("]");
  if (!problem.key.empty()) line.append(" ").append(problem.key);
  if (!problem.section.empty() || !problem.key.empty()) line += ':';
  line.append(" ").append(problem.what);
  if (!problem.picture.empty()) line.append(" ").append(Relative(problem.picture));
  if (!problem.detail.empty()) line.append(": ").append(problem.detail);
  if (seen_.insert(line).second) lines_.push_back(std::move(line));
}

}  // namespace moravel
