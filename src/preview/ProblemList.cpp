#include "preview/ProblemList.h"

#include <utility>

namespace moravel {

ProblemList::ProblemList(std::vector<std::filesystem::path> skinFolders) {
  for (const std::filesystem::path& folder : skinFolders) {
    std::string text = folder.lexically_normal().string();
    if (text.empty()) continue;
    if (text.back() != '/') text += '/';
    folders_.push_back(std::move(text));
  }
}

std::string ProblemList::Relative(const std::filesystem::path& path) const {
  const std::string text = path.lexically_normal().string();
  for (const std::string& folder : folders_) {
    if (text.size() > folder.size() && text.compare(0, folder.size(), folder) == 0) {
      return text.substr(folder.size());
    }
  }
  return text;
}

void ProblemList::Report(SkinProblem problem) {
  std::string line = Relative(problem.file) + ":";
  if (!problem.section.empty()) line += " [" + problem.section + "]";
  if (!problem.key.empty()) line += " " + problem.key;
  if (!problem.section.empty() || !problem.key.empty()) line += ":";
  line += " " + problem.what;
  if (!problem.picture.empty()) line += " " + Relative(problem.picture);
  if (!problem.detail.empty()) line += ": " + problem.detail;
  if (seen_.insert(line).second) lines_.push_back(std::move(line));
}

}  // namespace moravel
