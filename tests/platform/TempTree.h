#pragma once
// A fresh folder under /tmp for one test, removed with everything in it when
// the object goes. Paths given to its helpers are relative to the folder.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

class TempTree {
 public:
  TempTree() {
    char pattern[] = "/tmp/moravel-platform-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
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

  // Writes `text` to the file (parents created) with `mode`; returns its path.
  std::string write(const std::string& relative, const std::string& text,
                    mode_t mode = 0644) const {
    std::filesystem::path p = path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    chmod(p.c_str(), mode);
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
