#pragma once
// A fresh folder under the temp folder for one test, removed with everything
// in it when the object goes. Paths given to its helpers are relative to the
// folder.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

class TempTree {
 public:
  TempTree() {
    // A new folder of a random name, as mkdtemp makes one.
    std::random_device random;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
      const std::filesystem::path folder = temp / ("moravel-platform-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder)) root_ = folder.generic_string();
    }
    if (root_.empty()) throw std::runtime_error("cannot make a temp folder");
  }
  ~TempTree() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& root() const { return root_; }
  std::string path(const std::string& relative) const { return root_ + "/" + relative; }

  // Creates the folder and its parents; returns its full path.
  std::string mkdir(const std::string& relative) const {
    std::filesystem::create_directories(path(relative));
    return path(relative);
  }

  // Writes `text` to the file (parents created) with the permission bits
  // `mode`; returns its path.
  std::string write(const std::string& relative, const std::string& text,
                    unsigned mode = 0644) const {
    std::filesystem::path p = path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    std::filesystem::permissions(p, std::filesystem::perms(mode));
    return p.string();
  }

  static std::string read(const std::string& fullPath) {
    std::ifstream in(fullPath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::string root_;
};
