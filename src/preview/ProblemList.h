#pragma once
// Collects a skin's problems as the lines the preview tool prints, one a
// line, in the order they were told, each line once:
//   file: [section] key: what picture: detail
//   file: [section]: what
//   file: what
// with the parts that are empty left out. Paths inside the skin folder are
// written relative to it with "/"; others stay as they are.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "desktop/SkinProblems.h"

namespace moravel {

class ProblemList : public SkinProblems {
 public:
  // `skinFolders`: the spellings under which the skin folder may appear in
  // reports (the program's view through skins/<name>/, the author's own path).
  explicit ProblemList(std::vector<std::filesystem::path> skinFolders);

  void Report(SkinProblem problem) override;

  const std::vector<std::string>& lines() const { return lines_; }

  // `path` relative to the skin folder when inside it, else as it is.
  std::string Relative(const std::filesystem::path& path) const;

 private:
  std::vector<std::string> folders_;  // each ending with "/"
  std::vector<std::string> lines_;
  std::set<std::string> seen_;
};

}  // namespace moravel
